// The import command: one file chosen by the user is imported with that
// file's options, the corrected file written when its option asks for it,
// and the views re-read. The desktop app's menu commands and the batch tool
// both run it; choosing the file and naming it in a grid caption stay theirs.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "app/output_guard.h"
#include "import/import_file.h"
#include "import/layout_detector.h"
#include "settings/compare_settings.h"
#include "store/view.h"

namespace twinscan {

inline constexpr const char* kImportCancelledText = "Import cancelled, nothing changed";

struct ImportCommandResult {
  ImportResult import;
  bool refused = false;           // the file disagreed with its options and was not imported
  bool correctedWritten = false;  // the corrected file was written completely
  bool correctedFailed = false;   // it was asked for and could not be written (message shown)
  // An output asked for (the report, the corrected file) could not be written.
  bool OutputFailed() const { return correctedFailed || import.reportFailed; }
  // The import ran to its end (a refused or unreadable file touched nothing).
  bool imported() const { return !refused && import.outcome == ImportOutcome::Done; }
};

// What to do with a file whose start disagrees with its options.
enum class LayoutAnswer { AsDetected, AsOptions, Cancel };
using LayoutQuestion = std::function<LayoutAnswer(const LayoutFinding&)>;

// The header options of a file's options, and what the start of `file` says
// about them (DetectFileLayout).
HeaderOptions HeaderOptionsOf(const FileOptions& options);
LayoutFinding DetectImportLayout(const std::filesystem::path& file, const FileOptions& options);

// The sentence that tells the user what a refused file looks like:
// "The file F looks like the line layout with a header, but its options read
// it as ...". Both front ends show it.
std::string LayoutFindingText(const std::filesystem::path& file, const LayoutFinding& finding);

// Runs the import of `file` into TABLE1 (ff) or TABLE2 (sf) with the file's
// current options, then the corrected-file writer when `correctedFile` is set,
// then RefreshAll of the views when there are any (the batch tool's import
// has none open). The file's path is recorded in IMPORTS once it was read.
// Before anything is read or written, the outputs the options ask for (the
// corrected file, the validation report) are checked by `guard` with the
// file as input; a refused one is shown and ends the command with
// ImportOutcome::OutputRefused. Then the start of the file is judged; when it
// disagrees with the options `ask` decides: AsDetected imports with the header
// options that fit (when there are any), AsOptions as the options say, Cancel
// ends with `refused` and nothing touched.
// Status texts: "Importing ff" before and "Importing ff done" after a primary
// import; a secondary import shows only its per-record progress. headerText
// receives the header the import read (kept for a later export).
// An import the user stopped writes no corrected file and ends with the
// status text kImportCancelledText.
ImportCommandResult RunImportCommand(const std::filesystem::path& file, FileTag tag, const CompareSettings& settings,
                                     store::Database& db, store::Views* views, UserInterface& ui,
                                     std::string* headerText, const OutputGuard& guard, const LayoutQuestion& ask);

// The corrected file's name: the file's full name with "_annex2bis.txt" appended.
std::filesystem::path CorrectedPathFor(const std::filesystem::path& file);

}  // namespace twinscan
