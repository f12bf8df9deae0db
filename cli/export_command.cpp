// twinscan-cli export ff|sf OUTFILE [--export-lines]
#include <cstdio>

#include "cli/cli.h"
#include "export/corrected_file.h"

namespace twinscan::cli {

// The header text lives only within the import that read it, so a stored
// table is exported without one.
int RunExport(Cli& cli) {
  std::string which = cli.Next("ff or sf");
  if (which != "ff" && which != "sf") throw UsageError("export takes ff or sf, not " + which);
  std::string file = cli.Next("OUTFILE");
  bool lineLayout = cli.TakeFlag("--export-lines");
  cli.ExpectEnd();
  cli.Start();

  CorrectedFileResult result =
      WriteCorrectedFile(file, which == "ff" ? store::kTable1 : store::kTable2, !lineLayout, "", cli.db(), cli.ui);
  if (!result.written) return 1;
  cli.ui.Finish();
  std::printf("%s: %lld records\n", file.c_str(), static_cast<long long>(result.records));
  return 0;
}

}  // namespace twinscan::cli
