#include "compare/compare_engine.h"

#include <gtest/gtest.h>

#include "compare/compare_log.h"
#include "tests/compare/compare_rows.h"
#include "tests/support/test_support.h"

namespace twinscan {
namespace {

using testing::InsertRecord;
using Lines = std::vector<std::pair<int64_t, int64_t>>;

class CompareRuns : public ::testing::Test {
 protected:
  void SetUp() override {
    db_ = testing::CreateTestDatabase(dir_.path());
    views_ = std::make_unique<store::Views>(*db_, ui_);
    engine_ = std::make_unique<CompareEngine>(*db_, *views_, settings_, ui_, LogPath());
  }

  std::filesystem::path LogPath() const { return dir_ / "comparelog"; }
  std::string Log() const { return testing::ReadFile(LogPath()); }

  // The (linenumber, linenumber2) pairs of TABLERESULT in insertion order.
  Lines Results() {
    store::Statement s = db_->Prepare("SELECT linenumber, linenumber2 FROM TABLERESULT ORDER BY rowid");
    Lines lines;
    while (s.Step()) lines.emplace_back(s.ColumnInt(0), s.ColumnInt(1));
    return lines;
  }

  void SetOnlyErrorFree(bool ff, bool sf) {
    FileOptions f, s;
    f.onlyErrorFreeLines = ff;
    s.onlyErrorFreeLines = sf;
    settings_.setFileOptions(f, s);
  }

  // Primary 1 with candidates 4 and 9 (9 erroneous), primary 2 erroneous,
  // primary 3 without candidate.
  void InsertLogExample() {
    InsertRecord(*db_, "TABLE1", 1);
    InsertRecord(*db_, "TABLE1", 2, {}, true);
    InsertRecord(*db_, "TABLE1", 3, {{"4A", std::string("NOWHERE")}});
    InsertRecord(*db_, "TABLE2", 9, {}, true);
    InsertRecord(*db_, "TABLE2", 4, {{"6B", std::string("CP")}});
    InsertRecord(*db_, "TABLE2", 5, {{"4A", std::string("ELSEWHERE")}});
  }

  testing::TempDir dir_;
  std::unique_ptr<store::Database> db_;
  testing::RecordingUserInterface ui_;
  CompareSettings settings_;
  std::unique_ptr<store::Views> views_;
  std::unique_ptr<CompareEngine> engine_;
};

TEST_F(CompareRuns, FullRunLogsInLoopOrder) {
  InsertLogExample();
  engine_->RunFull();
  EXPECT_EQ(Log(),
            "linenumber, linenumber2, 6b, noncritical 1,  4, 'CV <-> CP', True\r\n"
            " 9 CONTAINS ERROR => NO COMPARISON\r\n"
            " 2 CONTAINS ERROR => NO COMPARISON\r\n"
            " 3 CAN NOT BE FOUND IN THE OTHER FILE\r\n");
  EXPECT_EQ(Results(), (Lines{{1, 4}}));
  const CompareCounts& c = engine_->lastRun();
  EXPECT_EQ((std::vector<int64_t>{c.primaryRecords, c.skippedPrimary, c.withoutCandidates, c.comparedPairs,
                                  c.criticalPairs, c.nonCriticalPairs}),
            (std::vector<int64_t>{3, 1, 1, 1, 0, 1}));
}

TEST_F(CompareRuns, FullRunStoresTheDifferences) {
  InsertRecord(*db_, "TABLE1", 1, {{"4A", std::string("L'ABBAYE")}, {"2C", store::Date{2001, 7, 1}}});
  InsertRecord(*db_, "TABLE2", 2, {{"4A", std::string("l'abbaye")}, {"2C", store::Date{2001, 7, 2}},
                                   {"4D", std::monostate{}}, {"9A", 91.5}});
  engine_->RunFull();
  store::Statement s = db_->Prepare(
      "SELECT \"4A\", \"2C\", \"4D\", \"9A\", critical, noncritical, \"1A\" IS NULL FROM TABLERESULT");
  ASSERT_TRUE(s.Step());
  EXPECT_EQ(std::get<std::string>(s.Column(0, store::ColumnKind::Text)), "L'ABBAYE <-> l'abbaye");
  EXPECT_EQ(std::get<std::string>(s.Column(1, store::ColumnKind::Text)), "01/07/2001 <-> 02/07/2001");
  EXPECT_TRUE(s.ColumnIsNull(2));
  EXPECT_EQ(std::get<std::string>(s.Column(3, store::ColumnKind::Text)), "90 <-> 91.5");
  EXPECT_EQ(s.ColumnInt(4), 1);
  EXPECT_EQ(s.ColumnInt(5), 1);
  EXPECT_EQ(s.ColumnInt(6), 1);
  EXPECT_NE(Log().find("'L''ABBAYE <-> l''abbaye' , '01/07/2001 <-> 02/07/2001'"), std::string::npos);
}

TEST_F(CompareRuns, SkipsNothingWhenTheOptionsAreOff) {
  InsertLogExample();
  SetOnlyErrorFree(false, false);
  engine_->RunFull();
  EXPECT_EQ(Results(), (Lines{{1, 4}, {1, 9}, {2, 4}, {2, 9}}));
}

TEST_F(CompareRuns, StatusTextsYieldsAndViews) {
  for (int64_t line : {1, 2}) InsertRecord(*db_, "TABLE1", line);
  for (int64_t line : {7, 8}) InsertRecord(*db_, "TABLE2", line);
  views_->primary().sortColumn = "4A";
  views_->primary().sortDirection = "DESC";
  std::vector<int64_t> seen;  // the result view's rows at each yield
  ui_.onYield = [&] {
    EXPECT_TRUE(engine_->running());
    seen.push_back(views_->result().RowCount());
  };
  engine_->RunFull();
  EXPECT_FALSE(engine_->running());
  EXPECT_EQ(ui_.statuses, (std::vector<std::string>{
                              "Comparing line  1", "Comparing line  2 with line  2", "Comparing line  2 with line  3",
                              "Comparing line  2", "Comparing line  3 with line  2", "Comparing line  3 with line  3"}));
  EXPECT_EQ(seen, (std::vector<int64_t>{0, 2}));  // after primary 1: its two rows, not yet primary 2's
  EXPECT_EQ(views_->primary().sortColumn, "linenumber");
  EXPECT_EQ(views_->primary().sortDirection, "ASC");
  EXPECT_EQ(views_->result().StatementText(), "SELECT * FROM TABLERESULT ORDER BY [linenumber] ASC");
  EXPECT_EQ(views_->result().RowCount(), 4);  // every result again, not one line's
  EXPECT_EQ(views_->secondary().RowCount(), 2);
}

TEST_F(CompareRuns, CancelKeepsWhatWasWritten) {
  for (int64_t line : {1, 2, 3}) InsertRecord(*db_, "TABLE1", line);
  InsertRecord(*db_, "TABLE2", 7);
  ui_.onYield = [&] {
    if (ui_.yields == 2) engine_->RequestCancel();
  };
  engine_->RunFull();
  EXPECT_EQ(Results(), (Lines{{1, 7}}));
  EXPECT_EQ(views_->result().RowCount(), 1);
  EXPECT_FALSE(engine_->running());
  // A new run starts from scratch.
  ui_.onYield = nullptr;
  engine_->RunFull();
  EXPECT_EQ(Results(), (Lines{{1, 7}, {2, 7}, {3, 7}}));
}

TEST_F(CompareRuns, EmptyPrimaryTableStillEmptiesTheResults) {
  InsertRecord(*db_, "TABLE2", 1);
  db_->Execute("INSERT INTO TABLERESULT (linenumber, linenumber2) VALUES (5, 6)");
  engine_->RunFull();
  EXPECT_TRUE(Results().empty());
  EXPECT_EQ(Log(), "");
}

TEST_F(CompareRuns, LogIsLatin1AndGrowsAcrossRuns) {
  InsertRecord(*db_, "TABLE1", 1, {{"13Z", std::string("CH\xC3\x89NE")}});  // CHÉNE in UTF-8
  InsertRecord(*db_, "TABLE2", 2);
  engine_->RunFull();
  engine_->RunFull();
  std::string line = "linenumber, linenumber2, 13z, noncritical 1,  2, 'CH\xC9NE <-> TEST STATION', True\r\n";
  EXPECT_EQ(Log(), line + line);
}

TEST_F(CompareRuns, UnwritableLogTouchesNothing) {
  InsertRecord(*db_, "TABLE1", 1);
  InsertRecord(*db_, "TABLE2", 2);
  db_->Execute("INSERT INTO TABLERESULT (linenumber, linenumber2) VALUES (5, 6)");
  views_->RefreshAll();
  CompareEngine engine(*db_, *views_, settings_, ui_, dir_ / "missing" / "comparelog");
  EXPECT_THROW(engine.RunFull(), CompareLogError);
  EXPECT_FALSE(engine.running());
  EXPECT_EQ(Results(), (Lines{{5, 6}}));
  EXPECT_THROW(engine.RunManual(0), CompareLogError);
  EXPECT_EQ(Results(), (Lines{{5, 6}}));
}

// ---------------------------------------------------------------------------
TEST_F(CompareRuns, ManualRunComparesOneRecordOnly) {
  for (int64_t line : {1, 2, 3}) InsertRecord(*db_, "TABLE1", line, {}, line == 3);
  for (int64_t line : {7, 8}) InsertRecord(*db_, "TABLE2", line);
  db_->Execute("INSERT INTO TABLERESULT (linenumber, linenumber2) VALUES (5, 6)");
  views_->RefreshAll();
  engine_->RunManual(2);  // the erroneous record is compared all the same
  EXPECT_EQ(Results(), (Lines{{3, 7}, {3, 8}}));
  EXPECT_EQ(ui_.statuses, (std::vector<std::string>{"Comparing line  4 with line  2",
                                                    "Comparing line  4 with line  3"}));
  EXPECT_EQ(ui_.yields, 0);
  EXPECT_EQ(views_->result().RowCount(), 2);
  EXPECT_EQ(views_->secondary().RowCount(), 2);
}

TEST_F(CompareRuns, ManualRunLooksOnlyAtTheFirstCandidate) {
  InsertRecord(*db_, "TABLE1", 1);
  InsertRecord(*db_, "TABLE2", 7, {}, true);
  InsertRecord(*db_, "TABLE2", 8);
  views_->RefreshAll();
  engine_->RunManual(0);
  EXPECT_TRUE(Results().empty());
  EXPECT_EQ(Log(), " 7 CONTAINS ERROR => NO COMPARISON\r\n");

  // First clean, second erroneous: both are compared.
  db_->Execute("UPDATE TABLE2 SET error = (linenumber = 8)");
  engine_->RunManual(0);
  EXPECT_EQ(Results(), (Lines{{1, 7}, {1, 8}}));

  // No candidate at all: the earlier results are gone all the same.
  db_->Execute("UPDATE TABLE1 SET linenumber = 12, \"1A\" = 99");
  views_->RefreshAll();
  engine_->RunManual(0);
  EXPECT_TRUE(Results().empty());
  EXPECT_EQ(Log(), " 7 CONTAINS ERROR => NO COMPARISON\r\n"
                   "linenumber, linenumber2 1,  7\r\nlinenumber, linenumber2 1,  8\r\n"
                   " 12 CAN NOT BE FOUND IN THE OTHER FILE\r\n");
}

TEST_F(CompareRuns, ManualRunWithoutARowOnlyRereads) {
  db_->Execute("INSERT INTO TABLERESULT (linenumber, linenumber2) VALUES (5, 6)");
  engine_->RunManual(0);  // an empty primary view: nothing at all
  EXPECT_TRUE(ui_.reopened.empty());
  InsertRecord(*db_, "TABLE1", 1);
  InsertRecord(*db_, "TABLE2", 1);
  views_->RefreshAll();
  ui_.reopened.clear();
  engine_->RunManual(-1);
  engine_->RunManual(1);
  EXPECT_EQ(Results(), (Lines{{5, 6}}));
  EXPECT_EQ(ui_.reopened.size(), 6u);
  EXPECT_EQ(Log(), "");
}

// ---------------------------------------------------------------------------
class Review : public CompareRuns {
 protected:
  std::vector<std::string> Row(int64_t line, int64_t line2) {
    store::Statement s = db_->Prepare(
        "SELECT ACCEPTFIRST, ACCEPTSECOND, REMARK, REFERENCE_TO_DB FROM TABLERESULT WHERE linenumber = ? AND "
        "linenumber2 = ?");
    s.BindInt(1, line);
    s.BindInt(2, line2);
    if (!s.Step()) return {};
    std::vector<std::string> row;
    for (int c = 0; c < 4; ++c) row.push_back(store::DisplayText(s.Column(c, store::ColumnKind::Text),
                                                                 store::ColumnKind::Text));
    return row;
  }
};

TEST_F(Review, StoresTheDecisionOfOnePair) {
  db_->Execute("INSERT INTO TABLERESULT (linenumber, linenumber2) VALUES (1, 7), (1, 8), (2, 7)");
  StoreReview(*db_, *views_, 1, 7, true, true, "late", "");  // not yet in the view: nothing
  EXPECT_EQ(Row(1, 7), (std::vector<std::string>{"", "", "", ""}));

  views_->RefreshAll();
  std::string remark = "it's ", kept;  // 60 characters, 55 of them two bytes long
  for (int i = 0; i < 55; ++i) remark += "\xC3\xA9";
  kept = remark.substr(0, 5 + 2 * 45);
  StoreReview(*db_, *views_, 1, 7, true, false, remark, "REF'1");
  EXPECT_EQ(Row(1, 7), (std::vector<std::string>{"1", "0", kept, "REF'1"}));
  EXPECT_EQ(Row(1, 8), (std::vector<std::string>{"", "", "", ""}));
  EXPECT_EQ(Row(2, 7), (std::vector<std::string>{"", "", "", ""}));
}

}  // namespace
}  // namespace twinscan
