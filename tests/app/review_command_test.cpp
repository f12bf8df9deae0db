// The review command: the decision lands in exactly one compared pair.
#include "app/review_command.h"

#include <gtest/gtest.h>

#include "tests/support/test_support.h"

namespace twinscan {
namespace {

using Rows = std::vector<std::string>;

class ReviewCommand : public ::testing::Test {
 protected:
  ReviewCommand() : views_(*db_, ui_) {
    db_->Execute("INSERT INTO TABLERESULT (linenumber, linenumber2) VALUES (1, 7), (1, 8), (2, 7)");
  }

  Rows Reviews() {
    Rows out;
    store::Statement s =
        db_->Prepare("SELECT ACCEPTFIRST, ACCEPTSECOND, REMARK, REFERENCE_TO_DB FROM TABLERESULT ORDER BY rowid");
    while (s.Step()) {
      std::string row;
      for (int c = 0; c < 4; ++c) row += (c ? "|" : "") + std::string(s.ColumnText(c));
      out.push_back(row);
    }
    return out;
  }

  testing::TempDir dir_;
  std::unique_ptr<store::Database> db_ = testing::CreateTestDatabase(dir_.path());
  testing::RecordingUserInterface ui_;
  store::Views views_;
};

TEST_F(ReviewCommand, FindsOnlyComparedPairs) {
  struct Case {
    int64_t first, second;
    bool exists;
  };
  for (Case c : {Case{1, 7, true}, Case{1, 8, true}, Case{2, 7, true}, Case{2, 8, false}, Case{7, 1, false}})
    EXPECT_EQ(ComparedPairExists(*db_, c.first, c.second), c.exists) << c.first << " " << c.second;
}

TEST_F(ReviewCommand, StoresTheDecisionOfOnePair) {
  StoreReview(*db_, views_, 1, 7, true, true, "late", "");  // not yet in the view: nothing
  EXPECT_EQ(Reviews(), (Rows{"|||", "|||", "|||"}));

  views_.RefreshAll();
  std::string remark = "it's ";  // 60 characters, 55 of them two bytes long
  for (int i = 0; i < 55; ++i) remark += "\xC3\xA9";
  StoreReview(*db_, views_, 1, 7, true, false, remark, "REF'1");
  EXPECT_EQ(Reviews(), (Rows{"1|0|" + remark.substr(0, 5 + 2 * 45) + "|REF'1", "|||", "|||"}));
  EXPECT_FALSE(db_->InTransaction());
}

}  // namespace
}  // namespace twinscan
