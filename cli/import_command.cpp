// twinscan-cli import ff|sf FILE [flags] [--force]
#include <cstdio>

#include "app/import_file_command.h"
#include "cli/cli.h"

namespace twinscan::cli {

int RunImport(Cli& cli) {
  std::string which = cli.Next("ff or sf");
  if (which != "ff" && which != "sf") throw UsageError("import takes ff or sf, not " + which);
  FileTag tag = which == "ff" ? FileTag::ff : FileTag::sf;
  std::string file = cli.Next("FILE");
  FileOptions requested = TakeImportFlags(cli);
  bool force = cli.TakeFlag("--force");
  cli.ExpectEnd();
  if (!LayoutAccepted(cli, file, requested, force)) return 1;
  cli.Start(store::CompareLogAtStart::Empty, Cli::ViewsAtStart::Closed);
  cli.settings.setFileOptions(tag == FileTag::ff ? requested : FileOptions{},
                              tag == FileTag::sf ? requested : FileOptions{});

  ImportCommandResult result;
  if (std::optional<int> ended = ImportForCommand(cli, file, tag, force, &result)) return *ended;
  cli.ui.Finish();
  std::printf("%s: %d records, %d erroneous\n", file.c_str(), result.import.records, result.import.erroneous);
  return result.OutputFailed() ? 1 : 0;
}

}  // namespace twinscan::cli
