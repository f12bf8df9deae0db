// The import command: one file chosen by the user is imported with that
// file's options, the corrected file written when its option asks for it,
// and the views re-read. The desktop app's menu commands and the batch tool
// both run it; choosing the file and naming it in a grid caption stay theirs.
#pragma once

#include <filesystem>
#include <string>

#include "import/import_file.h"
#include "settings/compare_settings.h"
#include "store/view.h"

namespace twinscan {

inline constexpr const char* kImportCancelledText = "Import cancelled, nothing changed";

struct ImportCommandResult {
  ImportResult import;
  bool correctedWritten = false;  // the corrected file was written completely
  bool correctedFailed = false;   // it was asked for and could not be written (message shown)
};

// Runs the import of `file` into TABLE1 (ff) or TABLE2 (sf) with the file's
// current options, then the corrected-file writer when `correctedFile` is set,
// then RefreshAll. Status texts: "Importing ff" before and "Importing ff done"
// after a primary import; a secondary import shows only its per-record progress.
// headerText receives the header the import read (kept for a later export).
// An import the user stopped writes no corrected file and ends with the
// status text kImportCancelledText.
ImportCommandResult RunImportCommand(const std::filesystem::path& file, FileTag tag, const CompareSettings& settings,
                                     store::Database& db, store::Views& views, UserInterface& ui,
                                     std::string* headerText);

// The corrected file's name: the file's full name with "_annex2bis.txt" appended.
std::filesystem::path CorrectedPathFor(const std::filesystem::path& file);

}  // namespace twinscan
