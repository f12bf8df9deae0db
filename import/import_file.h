// ImportViennaFile: reads a Vienna file into TABLE1 or TABLE2.
//
// The target table and TABLERESULT are emptied first; then every complete
// record of 219 counted characters (line ends skipped wherever they stand)
// runs through the field steps and becomes one row with its linenumber. An
// incomplete last record is dropped. Progress goes to the status text; when
// asked, a line per record is appended to the validation report FILE_rep.
// Rows are committed every few thousand records and at the end, so a stopped
// import keeps what it inserted. Before each record the import asks
// ui.StopRequested(); a yes ends it with ImportOutcome::Cancelled. Progress
// is reported in bytes of the file read.
#pragma once

#include <filesystem>
#include <string>

#include "record/user_interface.h"
#include "store/database.h"

namespace twinscan {

struct ImportOptions {
  bool hasHeader = true;
  bool vienna2001Format = true;
  bool validationReport = true;
  bool suppressCleanLines = true;
};

enum class ImportOutcome {
  Done,
  CannotOpen,      // nothing touched; a message names the file
  HeaderTooShort,  // "error: header is not long enough"; nothing touched
  Cancelled,       // the user stopped it (UserInterface::StopRequested) before a record
};

struct ImportResult {
  ImportOutcome outcome = ImportOutcome::Done;
  std::string headerText;  // Latin-1 bytes: the 2001-layout header, else ""
  int32_t records = 0;     // rows inserted
  int32_t erroneous = 0;   // rows with the error flag
};

inline constexpr const char* kHeaderTooShortMessage = "error: header is not long enough";

// table is store::kTable1 ("ff") or store::kTable2 ("sf"). Messages go to ui;
// a database failure throws store::StoreError after committing what was read.
ImportResult ImportViennaFile(const std::filesystem::path& file, const std::string& table, const ImportOptions& options,
                              store::Database& db, UserInterface& ui);

// The validation report's name: the file's full name with "_rep" appended.
std::filesystem::path ReportPathFor(const std::filesystem::path& file);

}  // namespace twinscan
