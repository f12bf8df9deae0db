#include "import/import_file.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "import/import_context.h"
#include "import/record_checker.h"
#include "import/record_reader.h"
#include "import/validation_report.h"
#include "record/layout.h"
#include "record/number_text.h"
#include "record/progress.h"
#include "store/table_replacement.h"
#include "store/tables.h"

namespace twinscan {
namespace fs = std::filesystem;
using store::RecordColumn;

namespace {

// Records per transaction of the staging table: large enough to make inserts
// cheap, small enough to keep the write-ahead log (folded back after every
// group) a few megabytes long.
constexpr int kRecordsPerCommit = 5000;
constexpr size_t kMessageColumnLength = 255;

// The columns the import writes, in the insert's order (table order).
constexpr auto kInsertColumns = [] {
  constexpr size_t count = static_cast<size_t>(
      std::count_if(store::kRecordColumns.begin(), store::kRecordColumns.end(), [](auto& c) { return c.imported; }));
  std::array<RecordColumn, count> columns{};
  size_t at = 0;
  for (size_t i = 0; i < store::kRecordColumns.size(); ++i)
    if (store::kRecordColumns[i].imported) columns[at++] = static_cast<RecordColumn>(i);
  return columns;
}();

std::string InsertStatement(const std::string& table) {
  std::string columns, places;
  for (RecordColumn c : kInsertColumns) {
    if (!columns.empty()) {
      columns += ", ";
      places += ", ";
    }
    columns += store::QuoteName(store::NameOf(c));
    places += "?";
  }
  return "INSERT INTO " + store::QuoteName(table) + " (" + columns + ") VALUES (" + places + ")";
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

fs::path ReportPathFor(const fs::path& file) { return fs::path(file.string() + "_rep"); }

ImportResult ImportViennaFile(const fs::path& file, const std::string& table, const ImportOptions& options,
                              store::Database& db, UserInterface& ui, const std::function<void()>& releaseSnapshots,
                              ImportedRecords* records) {
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
  const std::string reportName = ReportPathFor(file).string();
  std::optional<ValidationReport> report;
  if (options.validationReport) {
    report.emplace(ReportPathFor(file));
    if (!report->Open()) {
      ui.ShowMessage("The validation report " + reportName + " cannot be written");
      report.reset();
      result.reportFailed = true;
    }
  }

  if (releaseSnapshots) releaseSnapshots();
  if (records) records->Begin(result.headerText);
  {
    store::StagingTable staging(db, table);
    std::optional<store::Statement> insert(db.Prepare(InsertStatement(staging.name())));

    ImportContext ctx(ui);
    std::string record;
    record.reserve(kRecordLength);
    std::error_code sizeUnknown;
    ProgressScope shown(ui, "records", static_cast<int64_t>(fs::file_size(file, sizeUnknown)));
    while (reader.ReadRecord(&record)) {
      if (ui.StopRequested()) {
        // The staging table goes with its scope: the earlier table, results
        // and report stay exactly as they were.
        result.outcome = ImportOutcome::Cancelled;
        return result;
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
      for (RecordColumn c : kInsertColumns) insert->BindNoCopy(place++, ctx.row.value(c));
      insert->Step();
      insert->Reset();
      if (records) records->Add(ctx.row.row());

      ++result.records;
      if (rec.error) ++result.erroneous;
      bool clean = rec.ermsg.empty() && rec.annex2bis.empty();
      if (report && (!clean || !options.suppressCleanLines))
        report->Add(LeadingBlankNumber(ctx.recordCounter) + "; ERRORS : " + rec.ermsg +
                    " ; ANNEX2BIS : " + rec.annex2bis + "\r\n");
      rec.ClearForNextRecord();
      ctx.row.Clear();

      if (ctx.recordCounter % kRecordsPerCommit == 0) staging.CommitAndBegin();
      shown.Update(reader.Offset(), ctx.recordCounter);
    }
    insert.reset();  // the staging table is renamed: no statement of ours may refer to it
    staging.Replace({store::kTableResult});
  }
  if (report && !report->Publish()) {
    ui.ShowMessage("The validation report " + reportName + " could not be written completely");
    result.reportFailed = true;
  }
  return result;
}

}  // namespace twinscan
