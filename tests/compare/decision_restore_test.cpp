// The decision journal and the decisions given back after a run: the newest
// decision of a pair whose two records are unchanged comes back as stored,
// a changed record keeps its pair undecided, and nothing empties the journal.
#include "compare/decision_restore.h"

#include <gtest/gtest.h>

#include "app/review_command.h"
#include "compare/compare_engine.h"
#include "compare/pair_details.h"
#include "compare/run_summary.h"
#include "store/decision_journal.h"
#include "tests/compare/compare_rows.h"

namespace twinscan {
namespace {

using testing::InsertRecord;
using Rows = std::vector<std::string>;

constexpr const char* kDecisionColumns = "linenumber, linenumber2, ACCEPTFIRST, ACCEPTSECOND, REMARK, REFERENCE_TO_DB";

class DecisionRuns : public testing::CompareTest {
 protected:
  void SetUp() override {
    // Primary 1 pairs with secondary 4 (a non-critical difference) and 9.
    InsertRecord(*db_, "TABLE1", 1);
    InsertRecord(*db_, "TABLE2", 4, {{"6B", std::string("CP")}});
    InsertRecord(*db_, "TABLE2", 9);
    engine_.RunFull();
  }
  Rows Decisions() { return Results(kDecisionColumns); }
  void Review(int64_t line2, bool first, bool second, const std::string& remark, const std::string& reference = "") {
    StoreReview(*db_, views_, 1, line2, first, second, remark, reference);
  }
};

TEST_F(DecisionRuns, ARunGivesBackTheNewestDecisionOfUnchangedPairs) {
  Review(4, true, true, "first thought");
  Review(4, false, true, "it's \"right\" now", std::string(60, 'r'));
  Review(9, true, false, "");
  const Rows reviewed = Decisions();
  EXPECT_EQ(reviewed, (Rows{"1|4|0|1|it's \"right\" now|" + std::string(50, 'r'), "1|9|1|0||"}));
  EXPECT_EQ(store::JournalSize(*db_), 3);

  // A full run, a manual run and a run after the secondary file was read
  // again with the same records: each gives every decision back as stored.
  engine_.RunFull();
  EXPECT_EQ(Decisions(), reviewed);
  EXPECT_EQ(engine_.lastRun().restoredDecisions, 2);
  engine_.RunManual(0);
  EXPECT_EQ(Decisions(), reviewed);
  EXPECT_EQ(engine_.lastRun().restoredDecisions, 2);
  db_->Execute("DELETE FROM TABLE2");
  InsertRecord(*db_, "TABLE2", 9);
  InsertRecord(*db_, "TABLE2", 4, {{"6B", std::string("CP")}});
  views_.RefreshAll();
  engine_.RunFull();
  EXPECT_EQ(Decisions(), reviewed);
  EXPECT_EQ(store::JournalSize(*db_), 3);
}

TEST_F(DecisionRuns, RecordsWithoutFrequencyGetTheirDecisionsBackToo) {
  for (const char* table : {"TABLE1", "TABLE2"}) db_->Execute(std::string("UPDATE ") + table + " SET \"1A\" = NULL");
  views_.RefreshAll();
  engine_.RunFull();
  ASSERT_EQ(Decisions().size(), 2u);
  Review(9, true, true, "no frequency");
  engine_.RunFull();
  EXPECT_EQ(engine_.lastRun().restoredDecisions, 1);
  EXPECT_EQ(Decisions(), (Rows{"1|4||||", "1|9|1|1|no frequency|"}));
}

TEST_F(DecisionRuns, AChangedRecordOrTheOptionOffLeavesPairsUndecided) {
  Review(4, true, false, "kept");
  Review(9, true, true, "changed later");
  struct Case {
    const char* name;
    bool restore;
    const char* change;  // applied before the run
    Rows expected;
    int64_t restored;
  } cases[] = {
      {"option off", false, nullptr, {"1|4||||", "1|9||||"}, 0},
      {"option on", true, nullptr, {"1|4|1|0|kept|", "1|9|1|1|changed later|"}, 2},
      {"a field of 9 changed",
       true,
       "UPDATE TABLE2 SET \"13Z\" = 'NEW' WHERE linenumber = 9",
       {"1|4|1|0|kept|", "1|9||||"},
       1},
      {"only the case of a field changed",
       true,
       "UPDATE TABLE2 SET \"13Z\" = lower(\"13Z\") WHERE linenumber = 4",
       {"1|4||||", "1|9||||"},
       0},
  };
  for (const Case& c : cases) {
    settings_.setRestoreDecisions(c.restore);
    if (c.change) db_->Execute(c.change);
    views_.RefreshAll();
    engine_.RunFull();
    EXPECT_EQ(Decisions(), c.expected) << c.name;
    EXPECT_EQ(engine_.lastRun().restoredDecisions, c.restored) << c.name;
  }
  EXPECT_EQ(store::JournalSize(*db_), 2);
}

TEST_F(DecisionRuns, ThePairDetailsShowTheRecordsTheirJudgementsAndTheDecision) {
  settings_.setCompareMode(field::k6B, CompareMode::Critical);  // 6B, after the run: the run's own modes judge
  PairDetails undecided = ReadPairDetails(*db_, 1, 4, *engine_.lastRunSettings());
  EXPECT_EQ(PairTitle(undecided), "Primary line 1 - secondary line 4");
  EXPECT_TRUE(undecided.primaryFound && undecided.secondaryFound);
  EXPECT_FALSE(undecided.decision);
  for (const PairField& f : undecided.fields) {
    bool differs = f.code == "6B";
    EXPECT_EQ(f.judgement, differs ? Judgement::NonCritical : Judgement::Same) << f.code;
    EXPECT_EQ(f.difference.empty(), !differs) << f.code;
    EXPECT_EQ(f.primary == f.secondary, !differs) << f.code;
  }
  EXPECT_EQ(undecided.fields[3].difference, "CV <-> CP");
  EXPECT_EQ(ReadPairDetails(*db_, 1, 4, settings_).fields[3].judgement, Judgement::Critical);

  Review(4, false, true, "r", "ref");
  EXPECT_EQ(ReadPairDetails(*db_, 1, 4, settings_).decision, (store::Decision{false, true, "r", "ref"}));
  PairDetails missing = ReadPairDetails(*db_, 7, 4, settings_);
  EXPECT_FALSE(missing.primaryFound);
  EXPECT_TRUE(missing.secondaryFound);
}

TEST(RunSummaryTest, SaysHowTheRunEnded) {
  const CompareCounts finished{
      .withoutCandidates = 8, .comparedPairs = 40, .criticalPairs = 5, .nonCriticalPairs = 6, .restoredDecisions = 3};
  CompareCounts cancelled = finished;
  cancelled.cancelled = true;
  cancelled.cancelledBefore = 17;
  struct Case {
    CompareCounts counts;
    const char* text;
  } cases[] = {
      {finished,
       "Compare finished: 40 pairs, 5 with critical differences, 6 with non-critical differences, 8 primary records "
       "without candidate, 3 decisions restored"},
      {cancelled, "Compare cancelled before primary line 17"},
      {{.manual = true, .manualLine = 12}, "Manual compare of primary line 12: no candidate found"},
      {{.comparedPairs = 3, .criticalPairs = 1, .candidates = 3, .manual = true, .manualLine = 12},
       "Manual compare of primary line 12: 3 candidates found, 3 pairs compared, 1 with critical differences, 0 "
       "decisions restored"},
      {{.candidates = 2, .manual = true, .manualLine = 12, .erroneousCandidate = 49},
       "Manual compare of primary line 12: 2 candidates found, none compared: the first, secondary line 49, is "
       "erroneous and skipped"},
  };
  for (const Case& c : cases) EXPECT_EQ(RunSummaryText(c.counts), c.text);
}

TEST_F(DecisionRuns, CountsTellACancelledRunAndAManualRun) {
  InsertRecord(*db_, "TABLE1", 2);
  views_.RefreshAll();
  int yields = 0;
  ui_.onYield = [this, &yields] {
    if (++yields == 2) engine_.RequestCancel();
  };
  engine_.RunFull();
  EXPECT_TRUE(engine_.lastRun().cancelled);
  EXPECT_EQ(engine_.lastRun().cancelledBefore, 2);
  ui_.onYield = nullptr;

  db_->Execute("UPDATE TABLE2 SET error = 1 WHERE linenumber = 4");
  views_.RefreshAll();
  engine_.RunManual(0);
  const CompareCounts& c = engine_.lastRun();
  EXPECT_TRUE(c.manual);
  EXPECT_EQ(c.manualLine, 1);
  EXPECT_EQ(c.candidates, 2);
  EXPECT_EQ(c.erroneousCandidate, 4);
}

}  // namespace
}  // namespace twinscan
