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

#include "export/corrected_record.h"
#include "record/output_file.h"
#include "record/user_interface.h"
#include "store/database.h"
#include "store/tables.h"

namespace twinscan {

struct CorrectedFileResult {
  bool written = false;  // the file is complete under its name
  int64_t records = 0;   // records written
};

// The file being written: the header, then records as they come, moved to
// its name by Commit. A failure is kept, not shown: Message tells it.
class CorrectedFileWriter {
 public:
  CorrectedFileWriter(std::filesystem::path outputFile, bool export2001NoCrlf);

  // Creates the file beside its name and begins it with the header text;
  // false when the file cannot be written there.
  bool Open(std::string_view headerText);
  // Appends the record that renderer renders of row (a result set's current
  // row or a store::RecordRow) and its line end. Returns false once a write
  // failed (the later records are dropped).
  template <class Row>
  bool Add(CorrectedRecordRenderer& renderer, const Row& row) {
    if (failed_) return false;
    renderer.Render(row, &block_);
    return Added();
  }
  // Writes what is left and moves the file to its name; false when that fails
  // or an earlier step did.
  bool Commit();

  int64_t records() const { return records_; }
  // The message naming the file and the first failure.
  std::string Message() const;

 private:
  bool Added();
  bool Failed(int error);

  AtomicOutputFile part_;
  std::string_view lineEnd_;
  std::string block_;
  int64_t records_ = 0;
  int error_ = 0;  // the errno of the first failure (0 for a short write)
  bool failed_ = false;
};

// The status text while the row of linenumber is written: "exporting " and
// the number by the leading-blank rule ("exporting  12").
std::string ExportingStatusText(int64_t linenumber);

// table is store::kTable1 or store::kTable2; headerText holds Latin-1 bytes.
CorrectedFileResult WriteCorrectedFile(const std::filesystem::path& outputFile, const std::string& table,
                                       bool export2001NoCrlf, std::string_view headerText, store::Database& db,
                                       UserInterface& ui);

}  // namespace twinscan
