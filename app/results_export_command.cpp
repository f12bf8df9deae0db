#include "app/results_export_command.h"

#include "app/output_guard.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <system_error>

#include "export/results_html.h"
#include "export/results_json.h"
#include "record/output_file.h"
#include "store/startup.h"

namespace twinscan {
namespace fs = std::filesystem;
namespace {

class WriteFailed : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::string Cause() { return errno != 0 ? std::strerror(errno) : "the disk took fewer bytes than written"; }

}  // namespace

std::optional<ResultsFormat> ParseResultsFormat(std::string_view name) {
  if (name == "csv") return ResultsFormat::Csv;
  if (name == "json") return ResultsFormat::Json;
  if (name == "html") return ResultsFormat::Html;
  return std::nullopt;
}

ResultsWritten WriteResults(store::Database& db, const ResultsRequest& request, const ResultsSink& sink,
                            const ResultsProgress& progress) {
  ResultSelection selection{std::string(ResultFilterCondition(request.filter)), request.orderColumn,
                            request.descending};
  switch (request.format) {
    case ResultsFormat::Json: return WriteResultsJson(db, selection, sink, progress);
    case ResultsFormat::Html: {
      HtmlReportOptions options{request.limit, std::string(ResultFilterName(request.filter)), ""};
      return WriteResultsHtml(db, selection, options, sink, progress);
    }
    case ResultsFormat::Csv: break;
  }
  return WriteResultsCsv(db, selection, sink, progress);
}

// The one place that says which files an output must never replace; the
// program-wide output guard takes its place when there is one.

ResultsProgress ResultsProgressReport::Callback(ResultsProgress also) {
  return [this, also = std::move(also)](int64_t written, int64_t total) {
    if (!begun_) ui_.ProgressBegin("rows", total);
    begun_ = true;
    ui_.ProgressUpdate(written, written);
    bool go = !ui_.StopRequested();
    if (also) go = also(written, total) && go;
    return go;
  };
}

ResultsFileOutcome ExportResultsToFile(store::Database& db, const fs::path& dataDir, const fs::path& output,
                                       const ResultsRequest& request, const ResultsProgress& progress) {
  ResultsFileOutcome outcome;
  auto fail = [&](const std::string& cause) {
    outcome.error = "The results cannot be written to " + output.string() + ": " + cause;
    return outcome;
  };
  if (std::optional<std::string> refusal = OutputGuard(dataDir).Check(output)) {
    outcome.error = *refusal;
    return outcome;
  }
  AtomicOutputFile file(output);
  if (!file.Open()) return fail(Cause());
  ResultsWritten written;
  try {
    written = WriteResults(
        db, request,
        [&](std::string_view bytes) {
          if (!file.Write(bytes)) throw WriteFailed(Cause());
        },
        progress);
  } catch (const WriteFailed& e) {
    return fail(e.what());
  }
  outcome.rows = written.rows;
  if (written.cancelled) {
    outcome.cancelled = true;
    return outcome;
  }
  if (!file.Commit()) return fail(Cause());
  outcome.written = true;
  return outcome;
}

}  // namespace twinscan
