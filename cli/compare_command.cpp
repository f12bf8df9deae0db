// twinscan-cli compare [--manual LINE] [--mode FIELD=V]... [--search FIELD=V]...
//                      [--compare-erroneous ff|sf]... [--forget-decisions]
#include <cstdio>

#include "cli/cli.h"
#include "cli/compare_options.h"
#include "store/compare_run_marker.h"
#include "store/startup.h"

namespace twinscan::cli {
namespace {

// The position of the first primary row with the given linenumber; -1 when none.
int64_t PositionOfLine(store::View& primary, int64_t line) {
  int column = primary.ColumnIndex("linenumber");
  for (int64_t i = 0; i < primary.RowCount(); ++i) {
    auto value = store::NumberOf(primary.RowAt(i).at(static_cast<size_t>(column)));
    if (value && *value == static_cast<double>(line)) return i;
  }
  return -1;
}

// The table of `tag` has no record: a compare over it would only empty the
// results. Says what to do first.
bool Empty(Cli& cli, FileTag tag) {
  bool primary = tag == FileTag::ff;
  if (cli.db().QueryInt(std::string("SELECT EXISTS (SELECT 1 FROM ") + (primary ? store::kTable1 : store::kTable2) +
                        ")") != 0)
    return false;
  const char* which = primary ? "primary" : "secondary";
  cli.ui.ShowMessage(std::string("nothing to compare: no ") + which + " records in " + cli.dataDir().string() +
                     " (import a " + which + " file first)");
  return true;
}

}  // namespace

int RunCompare(Cli& cli) {
  std::optional<std::string> manual = cli.TakeOption("--manual");
  int64_t manualLine = 0;
  if (manual && !ParseLineNumber(*manual, &manualLine))
    throw UsageError("--manual takes a line number, not " + *manual);
  CompareOptions options = TakeCompareOptions(cli);
  cli.ExpectEnd();
  if (!StartWithCompareOptions(cli, options)) return 2;
  if (store::LastCompareUnfinished(cli.db())) cli.ui.ShowMessage(store::kLastCompareUnfinishedMessage);
  if (Empty(cli, FileTag::ff) || Empty(cli, FileTag::sf)) return 1;
  CompareEngine engine(cli.db(), cli.views(), cli.settings, cli.ui, store::CompareLogPath(cli.dataDir()));
  if (manual) {
    int64_t position = PositionOfLine(cli.views().primary(), manualLine);
    if (position < 0) {
      cli.ui.ShowMessage("no primary record with linenumber " + *manual);
      return 1;
    }
    engine.RunManual(position);
  } else {
    engine.RunFull();
  }
  cli.ui.Finish();
  const bool interrupted = !manual && InterruptHandler::Interrupted();
  if (interrupted) ReportInterruptedCompare(cli, engine.lastRun());
  PrintCompareSummary(engine.lastRun());
  return interrupted ? kInterruptedExitCode : 0;
}

}  // namespace twinscan::cli
