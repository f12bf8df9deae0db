#include "app/import_file_command.h"

#include "export/corrected_file.h"
#include "store/run_info.h"

namespace twinscan {
namespace fs = std::filesystem;

fs::path CorrectedPathFor(const fs::path& file) { return fs::path(file.string() + "_annex2bis.txt"); }

ImportCommandResult RunImportCommand(const fs::path& file, FileTag tag, const CompareSettings& settings,
                                     store::Database& db, store::Views& views, UserInterface& ui,
                                     std::string* headerText) {
  ImportCommandResult result;
  const FileOptions& o = settings.fileOptions(tag);
  if (tag == FileTag::ff) ui.SetStatusText("Importing ff");
  ImportOptions options{o.hasHeader, o.vienna2001Format, o.validationReport, o.suppressCleanLines};
  const std::string table = tag == FileTag::ff ? store::kTable1 : store::kTable2;
  result.import = ImportViennaFile(file, table, options, db, ui);
  if (result.import.outcome != ImportOutcome::Done) return result;
  *headerText = result.import.headerText;
  store::StoreImportInfo(db, {tag == FileTag::ff ? "ff" : "sf", file.string(), store::LocalTimeText(),
                              result.import.records, result.import.erroneous});
  if (o.correctedFile) {
    bool written = WriteCorrectedFile(CorrectedPathFor(file), table, o.export2001NoCrlf, *headerText, db, ui).written;
    result.correctedWritten = written;
    result.correctedFailed = !written;
  }
  if (tag == FileTag::ff) ui.SetStatusText("Importing ff done");
  views.RefreshAll();
  return result;
}

}  // namespace twinscan
