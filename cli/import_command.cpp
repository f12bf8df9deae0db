// twinscan-cli import ff|sf FILE [flags]
#include <cstdio>

#include "cli/cli.h"
#include "import/import_file.h"

namespace twinscan::cli {

int RunImport(Cli& cli) {
  std::string which = cli.Next("ff or sf");
  if (which != "ff" && which != "sf") throw UsageError("import takes ff or sf, not " + which);
  FileTag tag = which == "ff" ? FileTag::ff : FileTag::sf;
  std::string file = cli.Next("FILE");
  FileOptions requested = TakeImportFlags(cli);
  cli.ExpectEnd();
  cli.Start();
  cli.settings.setFileOptions(tag == FileTag::ff ? requested : FileOptions{},
                              tag == FileTag::sf ? requested : FileOptions{});

  const FileOptions& o = cli.settings.fileOptions(tag);
  ImportOptions options{o.hasHeader, o.vienna2001Format, o.validationReport, o.suppressCleanLines};
  ImportResult result = ImportViennaFile(file, tag == FileTag::ff ? store::kTable1 : store::kTable2, options,
                                         cli.db(), cli.ui);
  if (result.outcome != ImportOutcome::Done) return 1;
  if (tag == FileTag::ff) cli.ui.SetStatusText("Importing ff done");
  cli.views().RefreshAll();
  cli.ui.Finish();
  std::printf("%s: %d records, %d erroneous\n", file.c_str(), result.records, result.erroneous);
  return 0;
}

}  // namespace twinscan::cli
