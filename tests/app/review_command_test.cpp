// The review command: the decision lands in exactly one compared pair.
#include "app/review_command.h"

#include <gtest/gtest.h>

#include "tests/compare/compare_rows.h"
#include "tests/support/test_support.h"

namespace twinscan::testing {
namespace {

using Rows = std::vector<std::string>;

class ReviewCommand : public ::testing::Test {
 protected:
  ReviewCommand() : views_(*db_, ui_) {
    db_->Execute("INSERT INTO TABLERESULT (linenumber, linenumber2) VALUES (1, 7), (1, 8), (2, 7)");
  }
  Rows Reviews() { return ResultRows(*db_, "ACCEPTFIRST, ACCEPTSECOND, REMARK, REFERENCE_TO_DB"); }

  TempDir dir_;
  std::unique_ptr<store::Database> db_ = CreateTestDatabase(dir_.path());
  RecordingUserInterface ui_;
  store::Views views_;
};

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
}  // namespace twinscan::testing
