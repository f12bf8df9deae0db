// An import the user stops: where it stops, what it reports on the way, and
// that it leaves the earlier table, the results and the report as they were.
#include <gtest/gtest.h>

#include "import/import_file.h"
#include "tests/support/test_support.h"

namespace twinscan {
namespace {

using testing::BaseRecord;
using testing::WithField;

// More records than one commit group of the import holds, so that a stop
// late in the file comes after rows were committed.
constexpr int kLongFile = 6000;

struct ImportCancelTest : ::testing::Test {
  ImportCancelTest() {
    std::string earlier;
    for (const char* place : {"ONE", "TWO", "THREE"}) earlier += WithField(BaseRecord(), "4A", place) + "\r\n";
    testing::WriteFile(dir / "earlier.txt", earlier);
    std::string longFile;
    for (int i = 0; i < kLongFile; ++i) longFile += BaseRecord() + "\r\n";
    testing::WriteFile(dir / "long.txt", longFile);
  }

  ImportResult Import(const char* name, ImportOptions options = {false, false, false, true}) {
    return ImportViennaFile(dir / name, store::kTable1, options, *db, ui);
  }
  std::string Places() {
    std::string out;
    store::Statement s = db->Prepare("SELECT trim(\"4A\") FROM TABLE1 ORDER BY linenumber");
    while (s.Step()) out += std::string(s.ColumnText(0)) + ",";
    return out;
  }

  testing::TempDir dir;
  std::unique_ptr<store::Database> db = testing::CreateTestDatabase(dir.path());
  testing::RecordingUserInterface ui;
};

TEST_F(ImportCancelTest, StopsBeforeTheNextRecordAndSaysSo) {
  for (int64_t stopAt : {0, 1, 2999, kLongFile - 1}) {
    SCOPED_TRACE(stopAt);
    ui = {};
    ui.stopAtItem = stopAt;
    ui.stop = stopAt == 0;
    ImportResult result = Import("long.txt");
    EXPECT_EQ(result.outcome, ImportOutcome::Cancelled);
    EXPECT_EQ(result.records, stopAt);
    // The last status names the last record taken, none after it.
    if (stopAt > 0) {
      EXPECT_EQ(ui.statuses.back(), "Importing ff line  " + std::to_string(stopAt));
    }
    EXPECT_EQ(ui.progressBegins, 1);
    EXPECT_EQ(ui.progressEnds, 1);
  }
}

TEST_F(ImportCancelTest, ProgressCountsTheBytesOfTheFileAndTheRecords) {
  ImportResult result = Import("long.txt");
  ASSERT_EQ(result.outcome, ImportOutcome::Done);
  const int64_t size = static_cast<int64_t>(std::filesystem::file_size(dir / "long.txt"));
  EXPECT_EQ(ui.progressItemName, "records");
  EXPECT_EQ(ui.progressTotal, size);
  // After the last record its line end is still unread.
  EXPECT_EQ(ui.progressUnits, size - 2);
  EXPECT_EQ(ui.progressItems, kLongFile);
  EXPECT_EQ(ui.progressBegins, 1);
  EXPECT_EQ(ui.progressEnds, 1);

  // Halfway through the file, halfway through the bytes.
  ui = {};
  ui.stopAtItem = kLongFile / 2;
  Import("long.txt");
  EXPECT_EQ(ui.progressUnits, (kLongFile / 2) * 221 - 2);
}

TEST_F(ImportCancelTest, LeavesTheEarlierTableAndResultsAsTheyWere) {
  ASSERT_EQ(Import("earlier.txt").outcome, ImportOutcome::Done);
  db->Execute("INSERT INTO TABLERESULT (linenumber, linenumber2, ACCEPTFIRST) VALUES (1, 1, 1)");
  ui.stopAtItem = kLongFile - 10;
  ASSERT_EQ(Import("long.txt").outcome, ImportOutcome::Cancelled);
  ASSERT_EQ(db->QueryInt("SELECT count(*) FROM TABLE1"), 3);
  EXPECT_EQ(Places(), "ONE,TWO,THREE,");
  EXPECT_EQ(db->QueryInt("SELECT count(*) FROM TABLERESULT WHERE ACCEPTFIRST = 1"), 1);
}

TEST_F(ImportCancelTest, AddsNothingToTheReport) {
  const std::string before = "an earlier import's lines\r\n";
  testing::WriteFile(ReportPathFor(dir / "long.txt"), before);
  ui.stopAtItem = 100;
  ASSERT_EQ(Import("long.txt", {false, false, true, false}).outcome, ImportOutcome::Cancelled);
  EXPECT_EQ(testing::ReadFile(ReportPathFor(dir / "long.txt")), before);
}

}  // namespace
}  // namespace twinscan
