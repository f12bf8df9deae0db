// The results as CSV (RFC 4180): UTF-8, CRLF line ends, one header row, a
// field quoted when it holds a comma, a quote or a line end, quotes doubled.
//
// Columns: linenumber, linenumber2, critical, noncritical; the identifying
// fields of the primary (ff_1A ff_4A ff_4B ff_13X) and of the secondary
// record (sf_...); the 28 difference columns as stored; ACCEPTFIRST,
// ACCEPTSECOND, REMARK, REFERENCE_TO_DB. Marks and decisions are true/false,
// an undecided pair's decisions empty. A remark or reference (typed by a
// person) that starts with = + - or @ gets a leading apostrophe so that a
// spreadsheet shows it rather than running it; data fields are as stored.
#pragma once

#include "export/results_rows.h"
#include "export/results_text.h"

namespace twinscan {

struct ResultsWritten {
  int64_t rows = 0;        // pair rows written
  bool cancelled = false;  // progress said stop; the output is incomplete
};

// Streams every selected row; memory stays the same whatever their number.
// Store and sink failures throw.
ResultsWritten WriteResultsCsv(store::Database& db, const ResultSelection& selection, const ResultsSink& sink,
                               const ResultsProgress& progress = {});

// Progress is reported every this many rows.
inline constexpr int64_t kResultsProgressEvery = 4096;

}  // namespace twinscan
