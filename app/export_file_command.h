// The export command: a stored table written as a corrected Vienna file on
// demand, without a header (the header belongs to the import that read it).
// The output is checked by the guard first; a refused one is shown and
// nothing is written.
#pragma once

#include <filesystem>

#include "app/output_guard.h"
#include "export/corrected_file.h"
#include "settings/compare_settings.h"

namespace twinscan {

// tag picks TABLE1 (ff) or TABLE2 (sf); export2001NoCrlf as the file option.
CorrectedFileResult RunExportCommand(const std::filesystem::path& outputFile, FileTag tag, bool export2001NoCrlf,
                                     store::Database& db, UserInterface& ui, const OutputGuard& guard);

}  // namespace twinscan
