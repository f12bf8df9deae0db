// An import replaces its table whole or not at all: killed at a known record,
// on a full disk or unable to write its report, it leaves the earlier tables,
// the reviewed results and the report as they were, and the next start works.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "import/import_file.h"
#include "store/startup.h"
#include "store/table_replacement.h"
#include "tests/support/test_support.h"

namespace twinscan {
namespace {

using testing::BaseRecord;
using testing::WithField;

std::string Records(int count, std::string_view town) {
  std::string out;
  for (const std::string record = WithField(BaseRecord(), "4A", town) + "\r\n"; count-- > 0;) out += record;
  return out;
}

struct WholeOrNot : ::testing::Test {
  testing::TempDir dir;
  std::filesystem::path data = dir / "data", file = dir / "new.txt";
  store::DataDirectoryLock lock;
  const std::string earlierReport = "earlier report line\r\n";
  const ImportOptions withReport{false, false, true, false};
  std::string before;

  std::unique_ptr<store::Database> Start() {
    SilentUserInterface ui;
    return store::StartUp(data, testing::PristineDatabase(), ui, lock);
  }

  // Both tables imported, a reviewed result, an earlier report.
  void SetUp() override {
    auto db = Start();
    ASSERT_TRUE(db);
    testing::WriteFile(dir / "old.txt", Records(3, "OLD"));
    SilentUserInterface ui;
    for (const char* table : {store::kTable1, store::kTable2})
      ImportViennaFile(dir / "old.txt", table, {false, false, false, true}, *db, ui);
    db->Execute("INSERT INTO TABLERESULT (linenumber, linenumber2, ACCEPTFIRST, REMARK) VALUES (2, 3, 1, 'kept')");
    testing::WriteFile(ReportPathFor(file), earlierReport);
    before = Dump(*db);
    db.reset();
    lock.Release();  // a child process may start next
  }

  static std::string Dump(store::Database& db) {
    std::string out;
    for (const char* table : {store::kTable1, store::kTable2, store::kTableResult}) {
      store::Statement s = db.Prepare(std::string("SELECT * FROM ") + table + " ORDER BY rowid");
      while (s.Step()) {
        for (int c = 0; c < s.ColumnCount(); ++c) out.append(s.ColumnText(c)).append("|");
        out += "\n";
      }
      out += "--\n";
    }
    return out;
  }

  // The next start works and finds everything as it was.
  void ExpectAsBefore() {
    auto db = Start();
    ASSERT_TRUE(db) << "the next start failed";
    EXPECT_EQ(Dump(*db), before);
    EXPECT_EQ(db->QueryInt("SELECT count(*) FROM sqlite_master WHERE name LIKE '%staging%'") +
                  db->QueryInt("SELECT count(*) FROM pragma_integrity_check WHERE integrity_check <> 'ok'"),
              0);
    EXPECT_EQ(testing::ReadFile(ReportPathFor(file)), earlierReport);
    db.reset();
    lock.Release();  // a child process may start next
  }
};

TEST_F(WholeOrNot, AnImportKilledAtAnyRecordLeavesEverythingAsItWas) {
  // The first record, after a commit group, the last record before the table is replaced.
  const std::tuple<const char*, int, const char*> cases[] = {{store::kTable1, 12, "Importing ff line  1"},
                                                             {store::kTable1, 5200, "Importing ff line  5001"},
                                                             {store::kTable2, 5200, "Importing sf line  5200"}};
  for (const auto& [table, records, status] : cases) {
    SCOPED_TRACE(status);
    testing::WriteFile(file, Records(records, "NEW"));
    ASSERT_TRUE(testing::KilledAtStatus(status, [&](UserInterface& ui) {
      auto db = Start();
      if (!db) _exit(2);
      ImportViennaFile(file, table, withReport, *db, ui);
    })) << "the child ended before the kill point";
    ExpectAsBefore();
  }

  // And an import after the kills replaces the table as usual.
  auto db = Start();
  SilentUserInterface ui;
  ImportResult done = ImportViennaFile(file, store::kTable2, withReport, *db, ui);
  EXPECT_EQ(done.records, 5200);
  EXPECT_EQ(db->QueryInt("SELECT count(*) FROM TABLE2 WHERE \"4A\" LIKE 'NEW%'"), 5200);
  EXPECT_EQ(db->QueryInt("SELECT count(*) FROM TABLERESULT"), 0);
  EXPECT_EQ(db->QueryInt("SELECT count(*) FROM TABLE1"), 3);
  EXPECT_GT(testing::ReadFile(ReportPathFor(file)).size(), earlierReport.size());
}

TEST_F(WholeOrNot, AFullDiskNamesItsCauseAndLeavesEverythingAsItWas) {
  testing::WriteFile(file, Records(3000, "NEW"));
  {
    auto db = Start();
    // The database may grow by a few pages only: the disk fills during the load.
    int64_t pages = db->QueryInt("PRAGMA page_count");
    db->Execute("PRAGMA max_page_count = " + std::to_string(pages + 40));
    testing::RecordingUserInterface ui;
    try {
      ImportViennaFile(file, store::kTable1, withReport, *db, ui);
      ADD_FAILURE() << "the import did not fail";
    } catch (const store::StoreError& e) {
      EXPECT_NE(std::string(e.what()).find("database or disk is full"), std::string::npos) << e.what();
    }
  }
  ExpectAsBefore();
}

TEST_F(WholeOrNot, AReportThatCannotBeWrittenIsReportedAndLeftAsItWas) {
  testing::WriteFile(file, Records(3, "NEW"));
  // The earlier report is larger than the process may write: the copy fails.
  std::string large(1 << 20, 'x');
  testing::WriteFile(ReportPathFor(file), large);
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    auto db = Start();
    rlimit limit{1 << 19, 1 << 19};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    testing::RecordingUserInterface ui;
    ImportResult result = ImportViennaFile(file, store::kTable1, withReport, *db, ui);
    bool named = ui.messages.size() == 1 &&
                 ui.messages[0] == "The validation report " + ReportPathFor(file).string() + " cannot be written";
    _exit(result.reportFailed && named ? 1 : 0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(testing::ReadFile(ReportPathFor(file)), large);
  // The records themselves were imported.
  auto db = Start();
  EXPECT_EQ(db->QueryInt("SELECT count(*) FROM TABLE1 WHERE \"4A\" LIKE 'NEW%'"), 3);
}

}  // namespace
}  // namespace twinscan
