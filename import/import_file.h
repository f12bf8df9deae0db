// ImportViennaFile: reads a Vienna file into TABLE1 or TABLE2.
//
// Every complete record of 219 counted characters (line ends skipped wherever
// they stand) runs through the field steps and becomes one row with its
// linenumber. An incomplete last record is dropped. Progress goes to the
// status text. The table is replaced whole or not at all: the rows go into a
// staging table, which takes the table's place (TABLERESULT emptied) in one
// transaction when every record is in (store/table_replacement.h). When asked,
// a line per record is appended to the validation report FILE_rep, again only
// when the import completes.
// Before each record the import asks ui.StopRequested(); a yes ends it with
// ImportOutcome::Cancelled and the earlier table as it was. Progress is
// reported in bytes of the file read.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "record/user_interface.h"
#include "store/database.h"
#include "store/tables.h"

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
  OutputRefused,   // set by the import command: an output was refused; nothing touched
  Cancelled,       // the user stopped it (UserInterface::StopRequested) before a record
};

struct ImportResult {
  ImportOutcome outcome = ImportOutcome::Done;
  std::string headerText;     // Latin-1 bytes: the 2001-layout header, else ""
  int32_t records = 0;        // rows inserted
  int32_t erroneous = 0;      // rows with the error flag
  bool reportFailed = false;  // the report was asked for and could not be written (message shown)
};

inline constexpr const char* kHeaderTooShortMessage = "error: header is not long enough";

// Takes the records of an import as they are stored (the corrected file is
// written on the way). Nothing is said of an import that does not complete:
// whoever takes the records keeps them to itself until it ends Done.
class ImportedRecords {
 public:
  virtual ~ImportedRecords() = default;
  // Once the file has passed its checks, before the first record.
  virtual void Begin(std::string_view headerText) = 0;
  // Each record's row as it is stored, in file order.
  virtual void Add(const store::RecordRow& row) = 0;
};

// table is store::kTable1 ("ff") or store::kTable2 ("sf"). Messages go to ui;
// a database failure throws store::StoreError, the table, TABLERESULT and the
// report then being as they were. releaseSnapshots, when given, is called once
// the file has passed its checks, before the first write: readers that pin a
// snapshot let go of it, so that the write-ahead log can be folded back.
// records, when given, takes every stored record.
ImportResult ImportViennaFile(const std::filesystem::path& file, const std::string& table, const ImportOptions& options,
                              store::Database& db, UserInterface& ui,
                              const std::function<void()>& releaseSnapshots = {}, ImportedRecords* records = nullptr);

// The validation report's name: the file's full name with "_rep" appended.
std::filesystem::path ReportPathFor(const std::filesystem::path& file);

}  // namespace twinscan
