// twinscan-cli export ff|sf OUTFILE [--export-lines]
#include <cstdio>

#include "app/export_file_command.h"
#include "cli/cli.h"

namespace twinscan::cli {

int RunExport(Cli& cli) {
  std::string which = cli.Next("ff or sf");
  if (which != "ff" && which != "sf") throw UsageError("export takes ff or sf, not " + which);
  std::string file = cli.Next("OUTFILE");
  bool lineLayout = cli.TakeFlag("--export-lines");
  cli.ExpectEnd();
  cli.Start(store::CompareLogAtStart::Empty, Cli::ViewsAtStart::Closed);

  CorrectedFileResult result = RunExportCommand(file, which == "ff" ? FileTag::ff : FileTag::sf, !lineLayout, cli.db(),
                                                cli.ui, OutputGuard(cli.dataDir()));
  if (!result.written) return 1;
  cli.ui.Finish();
  std::printf("%s: %lld records\n", file.c_str(), static_cast<long long>(result.records));
  return 0;
}

}  // namespace twinscan::cli
