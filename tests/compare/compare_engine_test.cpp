#include "compare/compare_engine.h"

#include <gtest/gtest.h>

#include "compare/compare_log.h"
#include "tests/compare/compare_rows.h"

namespace twinscan {
namespace {

using testing::InsertRecord;
using Rows = std::vector<std::string>;

class CompareRuns : public testing::CompareTest {
 protected:
  void InsertResult() { db_->Execute("INSERT INTO TABLERESULT (linenumber, linenumber2) VALUES (5, 6)"); }
};

TEST_F(CompareRuns, FullRunLogsInLoopOrder) {
  // Primary 1 with candidates 4 and 9 (9 erroneous), primary 2 erroneous,
  // primary 3 without candidate.
  InsertRecord(*db_, "TABLE1", 1);
  InsertRecord(*db_, "TABLE1", 2, {}, true);
  InsertRecord(*db_, "TABLE1", 3, {{"4A", std::string("NOWHERE")}});
  InsertRecord(*db_, "TABLE2", 9, {}, true);
  InsertRecord(*db_, "TABLE2", 4, {{"6B", std::string("CP")}});
  InsertRecord(*db_, "TABLE2", 5, {{"4A", std::string("ELSEWHERE")}});
  engine_.RunFull();
  EXPECT_EQ(Log(),
            "linenumber, linenumber2, 6b, noncritical 1,  4, 'CV <-> CP', True\r\n"
            " 9 CONTAINS ERROR => NO COMPARISON\r\n"
            " 2 CONTAINS ERROR => NO COMPARISON\r\n"
            " 3 CAN NOT BE FOUND IN THE OTHER FILE\r\n");
  EXPECT_EQ(Results(), Rows{"1|4"});
  const CompareCounts& c = engine_.lastRun();
  EXPECT_EQ((std::vector<int64_t>{c.primaryRecords, c.skippedPrimary, c.withoutCandidates, c.comparedPairs,
                                  c.criticalPairs, c.nonCriticalPairs}),
            (std::vector<int64_t>{3, 1, 1, 1, 0, 1}));

  FileOptions compareAll;
  compareAll.onlyErrorFreeLines = false;
  settings_.setFileOptions(compareAll, compareAll);
  engine_.RunFull();
  EXPECT_EQ(Results(), (Rows{"1|4", "1|9", "2|4", "2|9"}));
}

TEST_F(CompareRuns, StoresTheDifferencesAndLogsThemInLatin1) {
  InsertRecord(*db_, "TABLE1", 1, {{"4A", std::string("L'ABBAYE")}, {"13Z", std::string("CH\xC3\x89NE")}});
  InsertRecord(
      *db_, "TABLE2", 2,
      {{"4A", std::string("l'abbaye")}, {"2C", store::Date{2001, 7, 2}}, {"4D", std::monostate{}}, {"9A", 91.5}});
  engine_.RunFull();
  EXPECT_EQ(Results("\"4A\", \"2C\", \"4D\", \"9A\", \"13Z\", critical, noncritical, \"1A\""),
            Rows{"L'ABBAYE <-> l'abbaye|01/07/2001 <-> 02/07/2001||90 <-> 91.5|CH\xC3\x89NE <-> TEST STATION|1|1|"});
  EXPECT_EQ(Log(),
            "linenumber, linenumber2, 4a , 13z , 2c , 9a, critical, noncritical 1,  2, 'L''ABBAYE <-> l''abbaye' , "
            "'CH\xC9NE <-> TEST STATION' , '01/07/2001 <-> 02/07/2001' , '90 <-> 91.5', True, True\r\n");
}

TEST_F(CompareRuns, StatusTextsYieldsAndViews) {
  for (int64_t line : {1, 2}) InsertRecord(*db_, "TABLE1", line);
  for (int64_t line : {7, 8}) InsertRecord(*db_, "TABLE2", line);
  views_.primary().sortColumn = "4A";
  views_.primary().sortDirection = store::SortDirection::Descending;
  std::vector<int64_t> seen;  // the result view's rows at each yield
  ui_.onYield = [&] {
    EXPECT_TRUE(engine_.running());
    seen.push_back(views_.result().RowCount());
  };
  engine_.RunFull();
  EXPECT_FALSE(engine_.running());
  EXPECT_EQ(ui_.statuses,
            (std::vector<std::string>{"Comparing line  1", "Comparing line  2 with line  2",
                                      "Comparing line  2 with line  3", "Comparing line  2",
                                      "Comparing line  3 with line  2", "Comparing line  3 with line  3"}));
  EXPECT_EQ(seen, (std::vector<int64_t>{0, 2}));  // after primary 1: its two rows, not yet primary 2's
  EXPECT_EQ(views_.primary().sortColumn, "linenumber");
  EXPECT_EQ(views_.primary().sortDirection, store::SortDirection::Ascending);
  EXPECT_EQ(views_.result().RowCount(), 4);  // every result again, not one line's
  EXPECT_EQ(views_.secondary().RowCount(), 2);
}

TEST_F(CompareRuns, AtDisplayRateTheRunStoresLogsAndEndsTheSame) {
  // A record without candidates, an erroneous one, and several candidates
  // with an erroneous one among them.
  for (int64_t line : {1, 2, 3, 4}) InsertRecord(*db_, "TABLE1", line, {}, line == 3);
  InsertRecord(*db_, "TABLE1", 5, {{"4A", std::string("NOWHERE")}});
  for (int64_t line : {7, 8, 9}) InsertRecord(*db_, "TABLE2", line, {{"6B", std::string("CP")}}, line == 8);
  auto run = [&] {
    std::filesystem::remove(dir_ / "comparelog");  // the log grows run by run
    engine_.RunFull();
  };
  run();
  const std::vector<std::string> results = Results("*");
  const std::string log = Log(), last = ui_.statuses.back();
  for (int every : {0, 2, 3}) {  // never, every second or third time asked
    int asked = 0;
    ui_.wantsDisplay = [&] { return every > 0 && ++asked % every == 0; };
    ui_.statuses.clear();
    ui_.reopened.clear();
    run();
    EXPECT_EQ(Results("*"), results) << every;
    EXPECT_EQ(Log(), log) << every;
    EXPECT_EQ(ui_.statuses.back(), last) << every;
    if (every == 0) {
      EXPECT_EQ(ui_.statuses.size(), 1u);
      EXPECT_EQ(ui_.reopened.size(), 6u);  // the re-reads at the start and the end only
    }
  }
}

TEST_F(CompareRuns, CancelKeepsWhatWasWritten) {
  for (int64_t line : {1, 2, 3}) InsertRecord(*db_, "TABLE1", line);
  InsertRecord(*db_, "TABLE2", 7);
  ui_.onYield = [&] {
    if (ui_.yields == 2) engine_.RequestCancel();
  };
  engine_.RunFull();
  EXPECT_EQ(Results(), Rows{"1|7"});
  EXPECT_EQ(views_.result().RowCount(), 1);
  EXPECT_FALSE(engine_.running());
  // A new run starts from scratch.
  ui_.onYield = nullptr;
  engine_.RunFull();
  EXPECT_EQ(Results(), (Rows{"1|7", "2|7", "3|7"}));
}

TEST_F(CompareRuns, AFailureKeepsWhatWasWrittenAndEndsTheRun) {
  for (int64_t line : {1, 2, 3}) InsertRecord(*db_, "TABLE1", line);
  InsertRecord(*db_, "TABLE2", 7);
  ui_.onYield = [&] {
    if (ui_.yields == 3) throw std::runtime_error("stopped");
  };
  EXPECT_THROW(engine_.RunFull(), std::runtime_error);
  EXPECT_FALSE(engine_.running());
  EXPECT_FALSE(db_->InTransaction());  // the two pairs are committed, not left to a rollback
  EXPECT_EQ(Results(), (Rows{"1|7", "2|7"}));
  ui_.onYield = nullptr;
  engine_.RunFull();  // the engine is idle again, not stuck as busy
  EXPECT_EQ(Results(), (Rows{"1|7", "2|7", "3|7"}));
}

// Many primary records, searched ahead in batches on worker threads: the
// pairs, skips and their order are those of the candidate condition taken
// record by record, whatever order the rows were stored in, also when the
// run is cancelled in a later batch.
TEST_F(CompareRuns, ManyRecordsComeInLoopOrderAcrossBatches) {
  constexpr int64_t kPrimaries = 700, kSecondaries = 300;
  db_->Begin();
  for (int64_t k = 0; k < kPrimaries; ++k) {
    int64_t line = (k * 263) % kPrimaries + 1;  // stored out of line order
    InsertRecord(*db_, "TABLE1", line, {{"4A", "S" + std::to_string(line % 37)}}, line % 11 == 0);
  }
  for (int64_t line = 1; line <= kSecondaries; ++line)
    InsertRecord(*db_, "TABLE2", line, {{"4A", "S" + std::to_string(line % 41)}}, line % 13 == 0);
  db_->Commit();
  // What the run must do, from SQLite alone.
  auto expected = [&](int64_t before) {
    std::string log;
    Rows pairs;
    store::Statement p = db_->Prepare("SELECT linenumber, error, \"4A\" FROM TABLE1 WHERE linenumber < ? ORDER BY 1");
    p.BindInt(1, before);
    while (p.Step()) {
      int64_t line = p.ColumnInt(0);
      if (p.ColumnInt(1)) {
        log += " " + std::to_string(line) + " CONTAINS ERROR => NO COMPARISON\r\n";
        continue;
      }
      store::Statement s = db_->Prepare("SELECT linenumber, error FROM TABLE2 WHERE \"4A\" = ? ORDER BY 1");
      s.BindText(1, p.ColumnText(2));
      bool any = false;
      while (s.Step()) {
        any = true;
        int64_t candidate = s.ColumnInt(0);
        if (s.ColumnInt(1)) {
          log += " " + std::to_string(candidate) + " CONTAINS ERROR => NO COMPARISON\r\n";
          continue;
        }
        pairs.push_back(std::to_string(line) + "|" + std::to_string(candidate));
        log += "linenumber, linenumber2 " + std::to_string(line) + ",  " + std::to_string(candidate) + "\r\n";
      }
      if (!any) log += " " + std::to_string(line) + " CAN NOT BE FOUND IN THE OTHER FILE\r\n";
    }
    return std::pair{pairs, log};
  };
  struct Case {
    int cancelAtYield;  // 0: never
    int every;          // the display is wanted every so many times asked (0: never)
  };
  for (Case c : {Case{0, 0}, Case{0, 7}, Case{600, 0}, Case{300, 1}}) {
    std::filesystem::remove(dir_ / "comparelog");
    int asked = 0;
    ui_.wantsDisplay = [&] { return c.every > 0 && ++asked % c.every == 0; };
    ui_.onYield = [&] {
      if (ui_.yields == c.cancelAtYield) engine_.RequestCancel();
    };
    ui_.yields = 0;
    engine_.RunFull();
    const int64_t before = c.cancelAtYield ? c.cancelAtYield : kPrimaries + 1;
    auto [pairs, log] = expected(before);
    EXPECT_EQ(Results(), pairs) << c.cancelAtYield << " " << c.every;
    EXPECT_EQ(Log(), log) << c.cancelAtYield << " " << c.every;
    EXPECT_EQ(engine_.lastRun().cancelled, c.cancelAtYield > 0);
    if (c.cancelAtYield) {
      EXPECT_EQ(engine_.lastRun().cancelledBefore, before);
    }
    EXPECT_EQ(engine_.lastRun().comparedPairs, static_cast<int64_t>(pairs.size()));
  }
}

TEST_F(CompareRuns, EmptyPrimaryTableStillEmptiesTheResults) {
  InsertRecord(*db_, "TABLE2", 1);
  InsertResult();
  engine_.RunFull();
  EXPECT_EQ(Results(), Rows{});
  EXPECT_EQ(Log(), "");
}

TEST_F(CompareRuns, UnwritableLogTouchesNothing) {
  InsertRecord(*db_, "TABLE1", 1);
  InsertRecord(*db_, "TABLE2", 2);
  InsertResult();
  views_.RefreshAll();
  CompareEngine engine(*db_, views_, settings_, ui_, dir_ / "missing" / "comparelog");
  EXPECT_THROW(engine.RunFull(), CompareLogError);
  EXPECT_FALSE(engine.running());
  EXPECT_THROW(engine.RunManual(0), CompareLogError);
  EXPECT_EQ(Results(), Rows{"5|6"});
}

TEST_F(CompareRuns, ManualRunComparesOneRecordOnly) {
  for (int64_t line : {1, 2, 3}) InsertRecord(*db_, "TABLE1", line, {}, line == 3);
  for (int64_t line : {7, 8}) InsertRecord(*db_, "TABLE2", line);
  InsertResult();
  views_.RefreshAll();
  engine_.RunManual(2);  // the erroneous record is compared all the same
  EXPECT_EQ(Results(), (Rows{"3|7", "3|8"}));
  EXPECT_EQ(ui_.statuses,
            (std::vector<std::string>{"Comparing line  4 with line  2", "Comparing line  4 with line  3"}));
  EXPECT_EQ(ui_.yields, 0);
  EXPECT_EQ(views_.result().RowCount(), 2);
  EXPECT_EQ(views_.secondary().RowCount(), 2);
}

TEST_F(CompareRuns, ManualRunLooksOnlyAtTheFirstCandidate) {
  InsertRecord(*db_, "TABLE1", 1);
  InsertRecord(*db_, "TABLE2", 7, {}, true);
  InsertRecord(*db_, "TABLE2", 8);
  views_.RefreshAll();
  engine_.RunManual(0);
  EXPECT_EQ(Results(), Rows{});

  // First clean, second erroneous: both are compared.
  db_->Execute("UPDATE TABLE2 SET error = (linenumber = 8)");
  engine_.RunManual(0);
  EXPECT_EQ(Results(), (Rows{"1|7", "1|8"}));

  // No candidate at all: the earlier results are gone all the same.
  db_->Execute("UPDATE TABLE1 SET linenumber = 12, \"1A\" = 99");
  views_.RefreshAll();
  engine_.RunManual(0);
  EXPECT_EQ(Results(), Rows{});
  EXPECT_EQ(Log(),
            " 7 CONTAINS ERROR => NO COMPARISON\r\n"
            "linenumber, linenumber2 1,  7\r\nlinenumber, linenumber2 1,  8\r\n"
            " 12 CAN NOT BE FOUND IN THE OTHER FILE\r\n");
}

TEST_F(CompareRuns, ManualRunWithoutARowOnlyRereads) {
  InsertResult();
  engine_.RunManual(0);  // an empty primary view: nothing at all
  EXPECT_TRUE(ui_.reopened.empty());
  InsertRecord(*db_, "TABLE1", 1);
  InsertRecord(*db_, "TABLE2", 1);
  views_.RefreshAll();
  ui_.reopened.clear();
  engine_.RunManual(-1);
  engine_.RunManual(1);
  EXPECT_EQ(Results(), Rows{"5|6"});
  EXPECT_EQ(ui_.reopened.size(), 6u);
  EXPECT_EQ(Log(), "");
}

}  // namespace
}  // namespace twinscan
