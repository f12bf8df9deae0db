// The results as one JSON object (RFC 8259, UTF-8):
//   {"files": [{"tag", "table", "name", "imported", "records", "erroneous"} x2],
//    "settings": {"run", "made", "mode": {"1A": 2, ...}, "search": {"1A": 1, ...},
//                 "compare-erroneous": ["ff"]} or null when no run recorded them,
//    "summary": {"pairs", "critical", "noncritical", "without-differences",
//                "without-candidate", "decided", "undecided", "exported"},
//    "pairs": [{"linenumber", "linenumber2", "critical", "noncritical",
//               "ff": {"1A", "4A", "4B", "13X"}, "sf": {...},
//               "differences": {"1A": "146.5 <-> 146.6", ...},
//               "ACCEPTFIRST", "ACCEPTSECOND", "REMARK", "REFERENCE_TO_DB"}, ...]}
// Numbers are numbers, marks and decisions booleans, what is not known or
// not stored null; differences lists only the fields that differ. The pairs
// are streamed in constant memory; "exported" counts the selected ones.
#pragma once

#include "export/results_csv.h"

namespace twinscan {

ResultsWritten WriteResultsJson(store::Database& db, const ResultSelection& selection, const ResultsSink& sink,
                                const ResultsProgress& progress = {});

// Appends text as a JSON string with its quotes.
void AppendJsonString(std::string& out, std::string_view text);

}  // namespace twinscan
