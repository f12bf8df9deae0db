#include "app/export_file_command.h"

namespace twinscan {

CorrectedFileResult RunExportCommand(const std::filesystem::path& outputFile, FileTag tag, bool export2001NoCrlf,
                                     store::Database& db, UserInterface& ui, const OutputGuard& guard) {
  if (std::optional<std::string> refusal = guard.Check(outputFile)) {
    ui.ShowMessage(*refusal);
    return {};
  }
  return WriteCorrectedFile(outputFile, tag == FileTag::ff ? store::kTable1 : store::kTable2, export2001NoCrlf, "", db,
                            ui);
}

}  // namespace twinscan
