// The results export: the compared pairs and the reviewer's decisions as CSV,
// JSON or an HTML report, to a file or to any sink. The batch tool's results
// command and the desktop app's File > Export Results... both run it.
//
// A file is written through AtomicOutputFile (a temporary file beside it,
// renamed over it when complete), so it appears whole or not at all, and
// never over the working database, its companion files, the lock file or
// the compare log (OutputGuard).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "app/result_filter.h"
#include "export/results_csv.h"
#include "record/user_interface.h"
#include "store/database.h"

namespace twinscan {

enum class ResultsFormat { Csv, Json, Html };
// "csv" "json" "html".
std::optional<ResultsFormat> ParseResultsFormat(std::string_view name);

struct ResultsRequest {
  ResultsFormat format = ResultsFormat::Csv;
  ResultFilter filter = ResultFilter::All;
  int64_t limit = 5000;     // rows of the HTML report's tables; CSV and JSON are never limited
  std::string orderColumn;  // a TABLERESULT column (the result grid's sort); empty: table order
  bool descending = false;
};

// Streams the request's rows to the sink; store and sink failures throw.
ResultsWritten WriteResults(store::Database& db, const ResultsRequest& request, const ResultsSink& sink,
                            const ResultsProgress& progress = {});

// Carries a results export's progress to the user interface (the window's
// progress bar, the batch tool's terminal line) and stops the export when the
// user asks to (UserInterface::StopRequested). Its callback may wrap another.
class ResultsProgressReport {
 public:
  explicit ResultsProgressReport(UserInterface& ui) : ui_(ui) {}
  ~ResultsProgressReport() {
    if (begun_) ui_.ProgressEnd();
  }
  ResultsProgressReport(const ResultsProgressReport&) = delete;
  ResultsProgressReport& operator=(const ResultsProgressReport&) = delete;

  ResultsProgress Callback(ResultsProgress also = {});

 private:
  UserInterface& ui_;
  bool begun_ = false;
};

struct ResultsFileOutcome {
  bool written = false;    // the file is complete and in place
  bool cancelled = false;  // progress said stop; nothing was written
  int64_t rows = 0;
  std::string error;  // when neither: the cause, naming the file
};

// The guarded, atomic file export. A database failure throws store::StoreError.
ResultsFileOutcome ExportResultsToFile(store::Database& db, const std::filesystem::path& dataDir,
                                       const std::filesystem::path& output, const ResultsRequest& request,
                                       const ResultsProgress& progress = {});

}  // namespace twinscan
