// The review command: the decision lands in exactly one compared pair.
#include "app/review_command.h"

#include <gtest/gtest.h>

#include "tests/compare/compare_rows.h"
#include "tests/support/test_support.h"

namespace twinscan::testing {
namespace {

TEST(ReviewCommand, StoresTheDecisionOfOnePair) {
  TempDir dir;
  std::unique_ptr<store::Database> db = CreateTestDatabase(dir.path());
  RecordingUserInterface ui;
  store::Views views(*db, ui);
  db->Execute("INSERT INTO TABLERESULT (linenumber, linenumber2) VALUES (1, 7), (1, 8), (2, 7)");
  const char* columns = "ACCEPTFIRST, ACCEPTSECOND, REMARK, REFERENCE_TO_DB";
  StoreReview(*db, views, 1, 7, true, true, "late", "");  // not yet in the view: nothing
  EXPECT_EQ(ResultRows(*db, columns), (std::vector<std::string>{"|||", "|||", "|||"}));
  views.RefreshAll();
  std::string remark = "it's ";  // 60 characters, 55 of them two bytes long
  for (int i = 0; i < 55; ++i) remark += "\xC3\xA9";
  StoreReview(*db, views, 1, 7, true, false, remark, "REF'1");
  EXPECT_EQ(ResultRows(*db, columns),
            (std::vector<std::string>{"1|0|" + remark.substr(0, 5 + 2 * 45) + "|REF'1", "|||", "|||"}));
  EXPECT_FALSE(db->InTransaction());
}

}  // namespace
}  // namespace twinscan::testing
