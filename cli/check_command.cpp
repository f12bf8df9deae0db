// twinscan-cli check PRIMARY SECONDARY [import flags] [--force] [compare options]:
// imports both files and runs the full compare. Both files are judged
// against the import flags before anything starts.
#include <cstdio>

#include "app/import_file_command.h"
#include "cli/cli.h"
#include "cli/compare_options.h"
#include "store/startup.h"

namespace twinscan::cli {

int RunCheck(Cli& cli) {
  std::string primaryFile = cli.Next("PRIMARY"), secondaryFile = cli.Next("SECONDARY");
  FileOptions fileOptions = TakeImportFlags(cli);
  bool force = cli.TakeFlag("--force");
  CompareOptions options = TakeCompareOptions(cli);
  cli.ExpectEnd();
  for (const std::string& file : {primaryFile, secondaryFile})
    if (!LayoutAccepted(cli, file, fileOptions, force)) return 1;
  if (!StartWithCompareOptions(cli, options, fileOptions)) return 2;
  bool complete = true;
  ImportResult imported[2];
  for (FileTag tag : {FileTag::ff, FileTag::sf}) {
    const std::string& file = tag == FileTag::ff ? primaryFile : secondaryFile;
    ImportCommandResult result;
    if (std::optional<int> ended = ImportForCommand(cli, file, tag, force, &result)) return *ended;
    complete = complete && !result.OutputFailed();
    imported[tag == FileTag::ff ? 0 : 1] = result.import;
  }
  CompareEngine engine(cli.db(), cli.views(), cli.settings, cli.ui, store::CompareLogPath(cli.dataDir()));
  engine.RunFull();
  cli.ui.Finish();
  std::printf("primary %s: %d records, %d erroneous\n", primaryFile.c_str(), imported[0].records,
              imported[0].erroneous);
  std::printf("secondary %s: %d records, %d erroneous\n", secondaryFile.c_str(), imported[1].records,
              imported[1].erroneous);
  if (InterruptHandler::Interrupted()) ReportInterruptedCompare(cli, engine.lastRun());
  PrintCompareSummary(engine.lastRun());
  if (InterruptHandler::Interrupted()) return kInterruptedExitCode;
  return complete ? 0 : 1;
}

}  // namespace twinscan::cli
