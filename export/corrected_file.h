// WriteCorrectedFile: a stored table written back as a corrected Vienna file.
//
// Content: the header text when it is not empty, then one 219-character record
// per row in linenumber order. In the line layout a CR LF follows the header
// and every record; in the 2001 layout (export2001NoCrlf) nothing does. Every
// row is written, with or without errors; the status text shows
// "exporting " and the row's linenumber; progress counts rows.
//
// The file is written beside its final name and moved over it only when
// complete, so an existing file (a longer one included) is replaced whole and
// a failed write leaves no half-written file behind. When the file cannot be
// created or written, a message naming it goes to ui and the result says
// so; the table is not touched either way. A database failure throws
// store::StoreError.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "record/user_interface.h"
#include "store/database.h"

namespace twinscan {

struct CorrectedFileResult {
  bool written = false;  // the file is complete under its name
  int64_t records = 0;   // records written
};

// table is store::kTable1 or store::kTable2; headerText holds Latin-1 bytes.
CorrectedFileResult WriteCorrectedFile(const std::filesystem::path& outputFile, const std::string& table,
                                       bool export2001NoCrlf, std::string_view headerText, store::Database& db,
                                       UserInterface& ui);

}  // namespace twinscan
