// twinscan-cli results [--format csv|json|html] [--output FILE]
//                      [--filter all|critical|noncritical|differences|without-differences|undecided|decided] [--limit
//                      N]
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "app/results_export_command.h"
#include "cli/cli.h"
#include "store/compare_run_marker.h"

namespace twinscan::cli {
namespace {

class StdoutFailed : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

void ToStdout(std::string_view bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) throw StdoutFailed(std::strerror(errno));
}

}  // namespace

int RunResults(Cli& cli) {
  ResultsRequest request;
  if (auto format = cli.TakeOption("--format")) {
    auto parsed = ParseResultsFormat(*format);
    if (!parsed) throw UsageError("--format takes csv, json or html, not " + *format);
    request.format = *parsed;
  }
  if (auto filter = cli.TakeOption("--filter")) {
    auto parsed = ParseResultFilter(*filter);
    if (!parsed)
      throw UsageError(
          "--filter takes all, critical, noncritical, differences, without-differences, undecided or decided, not " +
          *filter);
    request.filter = *parsed;
  }
  if (auto limit = cli.TakeOption("--limit"))
    if (!ParseLineNumber(*limit, &request.limit)) throw UsageError("--limit takes a number of rows, not " + *limit);
  std::optional<std::string> output = cli.TakeOption("--output");
  cli.ExpectEnd();
  // Reading the results leaves the last run's compare log as it is.
  cli.Start(store::CompareLogAtStart::Keep);

  if (store::LastCompareUnfinished(cli.db())) cli.ui.ShowMessage(store::kLastCompareUnfinishedMessage);
  ResultsProgressReport progress(cli.ui);
  if (output) {
    ResultsFileOutcome outcome = ExportResultsToFile(cli.db(), cli.dataDir(), *output, request, progress.Callback());
    if (outcome.cancelled) {
      cli.ui.ShowMessage("interrupted: " + *output + " was not written");
      return kInterruptedExitCode;
    }
    if (!outcome.written) {
      cli.ui.ShowMessage(outcome.error);
      return 1;
    }
    std::fprintf(stderr, "%s: %lld pairs\n", output->c_str(), static_cast<long long>(outcome.rows));
    return 0;
  }
  try {
    if (WriteResults(cli.db(), request, ToStdout, progress.Callback()).cancelled) {
      std::fflush(stdout);
      cli.ui.ShowMessage("interrupted: the results written are incomplete");
      return kInterruptedExitCode;
    }
    if (std::fflush(stdout) != 0) throw StdoutFailed(std::strerror(errno));
  } catch (const StdoutFailed& e) {
    cli.ui.ShowMessage(std::string("The results cannot be written to standard output: ") + e.what());
    return 1;
  }
  return 0;
}

}  // namespace twinscan::cli
