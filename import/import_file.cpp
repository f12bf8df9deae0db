#include "import/import_file.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "import/checking_thread.h"
#include "import/record_reader.h"
#include "import/validation_report.h"
#include "record/layout.h"
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

  // The records are read and checked ahead on a thread of their own (a good
  // part of the import's time); this thread stores them and tells the user,
  // record by record, as before. Leaving this function in any way stops that
  // thread first.
  CheckingThread ahead(reader, {progress, report.has_value(), options.suppressCleanLines});

  if (releaseSnapshots) releaseSnapshots();
  if (records) records->Begin(result.headerText);
  {
    store::StagingTable staging(db, table);
    std::optional<store::Statement> insert(db.Prepare(InsertStatement(staging.name())));

    std::error_code sizeUnknown;
    ProgressScope shown(ui, "records", static_cast<int64_t>(fs::file_size(file, sizeUnknown)));
    // The staging table goes with its scope on a stop: the earlier table,
    // results and report stay exactly as they were.
    const auto cancelled = [&result] {
      result.outcome = ImportOutcome::Cancelled;
      return result;
    };
    while (const CheckedBatch* batch = ahead.Next()) {
      // The messages the field steps of one record asked for come at its
      // turn, where checking it here would have shown them.
      size_t call = 0;
      const auto showCallsOf = [&](size_t record) {
        for (; call < batch->calls.size() && batch->calls[call].record == record; ++call) batch->calls[call].ShowOn(ui);
      };
      for (size_t i = 0; i < batch->count; ++i) {
        const CheckedRecord& checked = batch->records[i];
        if (ui.StopRequested()) return cancelled();
        showCallsOf(i);
        ui.SetStatusText(checked.status);
        int place = 1;
        for (RecordColumn c : kInsertColumns) insert->BindNoCopy(place++, checked.row.value(c));
        insert->Step();
        insert->Reset();
        if (records) records->Add(checked.row.row());

        ++result.records;
        if (checked.error) ++result.erroneous;
        if (report && checked.hasReportLine) report->Add(checked.reportLine);

        if (checked.lineNumber % kRecordsPerCommit == 0) staging.CommitAndBegin();
        shown.Update(checked.offset, checked.lineNumber);
      }
      if (batch->failure) {
        // The record the checker failed at: its turn as far as it came.
        if (batch->failedIn != FailedIn::Reading) {
          if (ui.StopRequested()) return cancelled();
          showCallsOf(batch->count);
          if (batch->failedIn == FailedIn::Completing) ui.SetStatusText(batch->records[batch->count].status);
        }
        std::rethrow_exception(batch->failure);
      }
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
