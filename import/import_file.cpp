#include "import/import_file.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "import/import_context.h"
#include "import/record_checker.h"
#include "record/layout.h"
#include "record/number_text.h"
#include "record/progress.h"
#include "store/tables.h"

namespace twinscan {
namespace fs = std::filesystem;
using store::RecordColumn;

namespace {

// Records per transaction: large enough to make inserts cheap, small enough
// that a stopped import keeps nearly everything it read.
constexpr int kRecordsPerCommit = 5000;
constexpr size_t kMessageColumnLength = 255;
constexpr size_t kReadChunk = 1 << 16;

// The columns the import writes, in the insert's order.
constexpr RecordColumn kInsertColumns[] = {
    RecordColumn::linenumber, RecordColumn::c1A,       RecordColumn::c1Z,     RecordColumn::c6A,    RecordColumn::c6B,
    RecordColumn::c6Z,        RecordColumn::c10Z,      RecordColumn::c2C,     RecordColumn::c4A,    RecordColumn::c4B,
    RecordColumn::c4C,        RecordColumn::c4D,       RecordColumn::c4Z,     RecordColumn::c7A,    RecordColumn::c8B1,
    RecordColumn::c8B2,       RecordColumn::c9A,       RecordColumn::c9B,     RecordColumn::c9D,    RecordColumn::c9G,
    RecordColumn::c9Y,        RecordColumn::c9XH,      RecordColumn::c9XV,    RecordColumn::c1Y,    RecordColumn::c13Z,
    RecordColumn::c13Y,       RecordColumn::c2W,       RecordColumn::c2Z,     RecordColumn::c13X,   RecordColumn::error,
    RecordColumn::ermsg,      RecordColumn::annex2bis, RecordColumn::c4CLONG, RecordColumn::c4CLAT,
};

std::string InsertStatement(const std::string& table) {
  std::string columns, places;
  for (RecordColumn c : kInsertColumns) {
    if (!columns.empty()) {
      columns += ", ";
      places += ", ";
    }
    columns += store::QuoteName(store::kRecordColumnNames[static_cast<size_t>(store::Index(c))]);
    places += "?";
  }
  return "INSERT INTO " + store::QuoteName(table) + " (" + columns + ") VALUES (" + places + ")";
}

// The file, read in chunks, with line ends skipped wherever they stand.
class RecordReader {
 public:
  explicit RecordReader(std::FILE* file) : file_(file), buffer_(kReadChunk) {}

  // Raw bytes as they come (the 2001-layout header); fewer at the end of file.
  std::string ReadRaw(size_t count) {
    std::string out;
    int c;
    while (out.size() < count && (c = Next()) != EOF) out += static_cast<char>(c);
    return out;
  }

  // Bytes of the file taken so far.
  int64_t Offset() const { return read_ - static_cast<int64_t>(end_ - at_); }

  // The next 219 counted characters; false when the file ends first.
  bool ReadRecord(std::string* record) {
    record->clear();
    const size_t want = static_cast<size_t>(kRecordLength);
    while (record->size() < want) {
      if (at_ == end_ && !Fill()) return false;
      // Copy the run up to the next line end (or as much as is needed).
      size_t take = std::min(want - record->size(), end_ - at_);
      const char* from = buffer_.data() + at_;
      size_t run = 0;
      while (run < take && from[run] != '\r' && from[run] != '\n') ++run;
      record->append(from, run);
      at_ += run;
      if (run < take) ++at_;  // skip the line-end character
    }
    return true;
  }

 private:
  bool Fill() {
    end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
    read_ += static_cast<int64_t>(end_);
    at_ = 0;
    return end_ > 0;
  }

  int Next() {
    if (at_ == end_ && !Fill()) return EOF;
    return static_cast<unsigned char>(buffer_[at_++]);
  }

  std::FILE* file_;
  std::vector<char> buffer_;
  size_t at_ = 0, end_ = 0;
  int64_t read_ = 0;
};

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

fs::path ReportPathFor(const fs::path& file) { return fs::path(file.string() + "_rep"); }

ImportResult ImportViennaFile(const fs::path& file, const std::string& table, const ImportOptions& options,
                              store::Database& db, UserInterface& ui) {
  ImportResult result;
  File in(std::fopen(file.c_str(), "rb"));
  if (!in || fs::is_directory(file)) {
    ui.ShowMessage("The file " + file.string() + " cannot be opened");
    result.outcome = ImportOutcome::CannotOpen;
    return result;
  }
  RecordReader reader(in.get());

  // The header is read before any table is touched, so that a bad header
  // leaves the tables as they were.
  if (options.hasHeader) {
    if (options.vienna2001Format) {
      result.headerText = reader.ReadRaw(static_cast<size_t>(kRecordLength));
    } else {
      std::string header = reader.ReadRaw(200);
      if (header.find_first_of("\r\n") != std::string::npos) {
        ui.ShowMessage(kHeaderTooShortMessage);
        result.outcome = ImportOutcome::HeaderTooShort;
        return result;
      }
    }
  }

  const char* progress = table == store::kTable1 ? "Importing ff line " : "Importing sf line ";
  File report;
  if (options.validationReport) {
    report.reset(std::fopen(ReportPathFor(file).c_str(), "ab"));
    if (!report) ui.ShowMessage("The validation report " + ReportPathFor(file).string() + " cannot be written");
  }

  {
    // A file that fails halfway keeps the records read so far.
    store::TransactionKeptOnFailure transaction(db);
    db.Execute(std::string("DELETE FROM ") + store::kTableResult);
    db.Execute("DELETE FROM " + store::QuoteName(table));
    store::Statement insert = db.Prepare(InsertStatement(table));

    ImportContext ctx(ui);
    std::string record;
    record.reserve(kRecordLength);
    std::error_code sizeUnknown;
    ProgressScope shown(ui, "records", static_cast<int64_t>(fs::file_size(file, sizeUnknown)));
    while (reader.ReadRecord(&record)) {
      if (ui.StopRequested()) {
        result.outcome = ImportOutcome::Cancelled;
        break;
      }
      CheckRecord(ctx, record);

      // Completing the record.
      ++ctx.recordCounter;
      ui.SetStatusText(progress + LeadingBlankNumber(ctx.recordCounter));
      ViennaRecord& rec = ctx.rec;
      if (!rec.ermsg.empty()) ctx.row.WriteText(RecordColumn::ermsg, rec.ermsg.substr(0, kMessageColumnLength));
      if (!rec.annex2bis.empty())
        ctx.row.WriteText(RecordColumn::annex2bis, rec.annex2bis.substr(0, kMessageColumnLength));
      ctx.row.WriteWhole(RecordColumn::linenumber, ctx.recordCounter);
      ctx.row.WriteWhole(RecordColumn::error, rec.error ? 1 : 0);
      int place = 1;
      for (RecordColumn c : kInsertColumns) insert.BindNoCopy(place++, ctx.row.value(c));
      insert.Step();
      insert.Reset();

      ++result.records;
      if (rec.error) ++result.erroneous;
      bool clean = rec.ermsg.empty() && rec.annex2bis.empty();
      if (report && (!clean || !options.suppressCleanLines)) {
        std::string line = LeadingBlankNumber(ctx.recordCounter) + "; ERRORS : " + rec.ermsg +
                           " ; ANNEX2BIS : " + rec.annex2bis + "\r\n";
        std::fwrite(line.data(), 1, line.size(), report.get());
      }
      rec.ClearForNextRecord();
      ctx.row.Clear();

      if (ctx.recordCounter % kRecordsPerCommit == 0) transaction.CommitAndBegin();
      shown.Update(reader.Offset(), ctx.recordCounter);
    }
    transaction.Commit();
  }
  if (report && std::fflush(report.get()) != 0)
    ui.ShowMessage("The validation report " + ReportPathFor(file).string() + " could not be written completely");
  return result;
}

}  // namespace twinscan
