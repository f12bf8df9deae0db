// twinscan-cli compare [--manual LINE] [--mode FIELD=V]... [--search FIELD=V]...
//                      [--compare-erroneous ff|sf]... [--forget-decisions]
#include <cstdio>

#include "cli/cli.h"
#include "cli/compare_options.h"
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

}  // namespace

int RunCompare(Cli& cli) {
  std::optional<std::string> manual = cli.TakeOption("--manual");
  int64_t manualLine = 0;
  if (manual && !ParseLineNumber(*manual, &manualLine))
    throw UsageError("--manual takes a line number, not " + *manual);
  CompareOptions options = TakeCompareOptions(cli);
  cli.ExpectEnd();
  if (!StartWithCompareOptions(cli, options)) return 2;
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
  PrintCompareSummary(engine.lastRun());
  return 0;
}

}  // namespace twinscan::cli
