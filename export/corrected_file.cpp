#include "export/corrected_file.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "export/corrected_record.h"
#include "record/layout.h"
#include "record/output_file.h"
#include "record/progress.h"

namespace twinscan {
namespace fs = std::filesystem;

namespace {

// Records are collected and written in blocks of about this size.
constexpr size_t kWriteBlock = 1 << 18;

// The status text of a row: "exporting " and its linenumber by the
// leading-blank rule (" 12", "-3"); written directly, since it runs per row.
void SetLinenumber(int64_t linenumber, size_t prefix, std::string* status) {
  status->resize(prefix);
  char digits[24];
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, linenumber);
  if (linenumber >= 0) *status += ' ';
  status->append(digits, static_cast<size_t>(end - digits));
}

int64_t CountRows(store::Database& db, const std::string& table) {
  store::Statement count = db.Prepare("SELECT COUNT(*) FROM " + store::QuoteName(table));
  return count.Step() ? count.ColumnInt(0) : 0;
}

// Whether the row ids follow the linenumbers (whole numbers, none smaller
// than the one before), as the import writes them: the rows are then read in
// the order of the table itself, which costs a fraction of following the
// linenumber index, and come in the same order (ties by row id either way).
// The test reads the linenumber index (a few bytes a row) rather than the
// table: the row ids ascend in linenumber order exactly when the linenumbers
// ascend in row id order.
bool InLineNumberOrder(store::Database& db, const std::string& table) {
  store::Statement lines =
      db.Prepare("SELECT linenumber, rowid FROM " + store::QuoteName(table) + " ORDER BY linenumber, rowid");
  int64_t previous = INT64_MIN;
  while (lines.Step()) {
    if (lines.ColumnStored(0) != store::Statement::Stored::Integer || lines.ColumnInt(1) < previous) return false;
    previous = lines.ColumnInt(1);
  }
  return true;
}

// The linenumber and the columns the records are rendered from: SQLite
// reads no other column of a row.
std::string RenderedColumns() {
  std::string columns = "linenumber";
  for (const RecordField& f : kRecordFields)
    if (f.rendering != Rendering::Unit) columns += ", " + store::QuoteName(f.code);
  return columns;
}

std::string CannotWriteMessage(const fs::path& file, int error) {
  if (error == 0) error = EIO;  // a short write that set no error number
  return "The corrected file " + file.string() + " cannot be written: " + std::strerror(error);
}

}  // namespace

CorrectedFileWriter::CorrectedFileWriter(fs::path outputFile, bool export2001NoCrlf)
    : part_(std::move(outputFile)), lineEnd_(export2001NoCrlf ? "" : "\r\n") {}

bool CorrectedFileWriter::Failed(int error) {
  if (!failed_) error_ = error;
  failed_ = true;
  return false;
}

bool CorrectedFileWriter::Open(std::string_view headerText) {
  // Moving over a read-only file would succeed where writing it must not.
  std::error_code ec;
  if (fs::is_directory(part_.target(), ec)) return Failed(EISDIR);
  if (fs::exists(part_.target(), ec) && ::access(part_.target().c_str(), W_OK) != 0) return Failed(errno);
  if (!part_.Open()) return Failed(errno);
  block_.reserve(kWriteBlock + 2 * kRecordLength);
  if (!headerText.empty()) {
    block_ += headerText;
    block_ += lineEnd_;
  }
  return true;
}

bool CorrectedFileWriter::Added() {
  block_ += lineEnd_;
  ++records_;
  if (block_.size() >= kWriteBlock) {
    if (!part_.Write(block_)) return Failed(errno);
    block_.clear();
  }
  return true;
}

bool CorrectedFileWriter::Commit() {
  if (failed_) return false;
  if (!part_.Write(block_) || !part_.Commit()) return Failed(errno);
  return true;
}

std::string ExportingStatusText(int64_t linenumber) {
  std::string status = "exporting ";
  SetLinenumber(linenumber, status.size(), &status);
  return status;
}

std::string CorrectedFileWriter::Message() const { return CannotWriteMessage(part_.target(), error_); }

CorrectedFileResult WriteCorrectedFile(const fs::path& outputFile, const std::string& table, bool export2001NoCrlf,
                                       std::string_view headerText, store::Database& db, UserInterface& ui) {
  CorrectedFileResult result;
  // The rows in the order the import inserted them.
  store::Statement rows = db.Prepare("SELECT " + RenderedColumns() + " FROM " + store::QuoteName(table) + " ORDER BY " +
                                     (InLineNumberOrder(db, table) ? "rowid" : "linenumber"));
  CorrectedRecordRenderer renderer(rows);
  const int linenumberColumn = rows.ColumnIndex("linenumber");
  if (linenumberColumn < 0) throw store::StoreError(table + " has no column linenumber");

  CorrectedFileWriter file(outputFile, export2001NoCrlf);
  auto fail = [&] {
    ui.ShowMessage(file.Message());
    return result;
  };
  if (!file.Open(headerText)) return fail();
  std::string status = "exporting ";
  const size_t statusPrefix = status.size();
  ProgressScope shown(ui, "rows", CountRows(db, table));
  while (rows.Step()) {
    bool added = file.Add(renderer, rows);
    SetLinenumber(rows.ColumnInt(linenumberColumn), statusPrefix, &status);
    ui.SetStatusText(status);
    shown.Update(file.records(), file.records());
    if (!added) return fail();
  }
  if (!file.Commit()) return fail();
  result.written = true;
  result.records = file.records();
  return result;
}

}  // namespace twinscan
