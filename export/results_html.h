// The results as one self-contained HTML5 report a reviewer can send on:
// inline CSS and inline SVG, nothing fetched from anywhere, so it opens from
// a disk or a mail attachment.
//
// It shows the two files compared, the run's settings and when it was made,
// the summary counts, a bar chart of the differing pairs per field (critical,
// non-critical and unmarked stacked, by the run's compare mode of the field),
// per file a bar chart of the 15 most frequent validation messages, the table
// of the selected pairs (at most `limit` rows, saying how many more there
// are) and the primary records without candidate (limited alike). Marks are
// letters as well as colours. Every text from the data is escaped. A print
// style sheet lays it out on A4 landscape with table headers on every page.
#pragma once

#include "export/results_csv.h"

namespace twinscan {

struct HtmlReportOptions {
  int64_t limit = 5000;        // rows of the pair table and of the records without candidate
  std::string filter = "all";  // the filter's name, as the report names the selection
  std::string writtenAt;       // when the report is written; empty: now
};

// Progress counts the rows of the pair table.
ResultsWritten WriteResultsHtml(store::Database& db, const ResultSelection& selection, const HtmlReportOptions& options,
                                const ResultsSink& sink, const ResultsProgress& progress = {});

// Appends text with & < > " ' escaped (and made valid UTF-8).
void AppendHtmlEscaped(std::string& out, std::string_view text);

}  // namespace twinscan
