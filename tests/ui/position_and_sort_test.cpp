// The position label of a filtered result and the column-header sort, on
// views over a test database (no window).
#include <gtest/gtest.h>

#include "tests/support/test_support.h"
#include "ui/header_sort.h"
#include "ui/position_label.h"

namespace twinscan::ui {
namespace {

class ViewsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db_ = twinscan::testing::CreateTestDatabase(dir_.path());
    views_ = std::make_unique<store::Views>(*db_, ui_);
  }

  twinscan::testing::TempDir dir_;
  SilentUserInterface ui_;
  std::unique_ptr<store::Database> db_;
  std::unique_ptr<store::Views> views_;
};

TEST_F(ViewsTest, EmptyResultOfOnePrimaryLineReadsQuestionMarks) {
  views_->ReopenFiltered(ViewId::Result, "linenumber = ?", {store::Value{int64_t{7}}}, "");
  EXPECT_EQ(PositionLabel(views_->result()), "(re) ??");
  // An empty filtered candidate list is just empty.
  views_->ReopenFiltered(ViewId::Secondary, "\"1A\" = 1", {}, "");
  EXPECT_EQ(PositionLabel(views_->secondary()), "(sf) 0");
  views_->RefreshAll();
  EXPECT_EQ(PositionLabel(views_->result()), "(re) 0");
}

TEST_F(ViewsTest, HeaderClicksSortAndReverse) {
  // Each step clicks a column (nullptr: a full compare puts the view back to
  // linenumber ASC), then expects the sort state.
  struct Step {
    const char* click;
    const char* column;
    const char* direction;
  };
  struct Sequence {
    const char* name;
    std::vector<Step> steps;
  } sequences[] = {
      {"a new column keeps the direction, a repeat reverses it",
       {{"13Z", "13Z", "ASC"}, {"13Z", "13Z", "DESC"}, {"4A", "4A", "DESC"}, {"4A", "4A", "ASC"}}},
      {"linenumber first changes nothing, then reverses",
       {{"linenumber", "linenumber", "ASC"}, {"linenumber", "linenumber", "DESC"}}},
      {"returning to a column is a new column again",
       {{"13Z", "13Z", "ASC"}, {"4A", "4A", "ASC"}, {"13Z", "13Z", "ASC"}, {"13Z", "13Z", "DESC"}}},
      {"after a run the column clicked before sorts by it again",
       {{"13Z", "13Z", "ASC"}, {"13Z", "13Z", "DESC"}, {nullptr, "linenumber", "ASC"}, {"13Z", "13Z", "ASC"}}},
  };
  for (const Sequence& s : sequences) {
    store::View& view = views_->primary();
    HeaderSort sort;
    view.sortColumn = "linenumber";
    view.sortDirection = store::SortDirection::Ascending;
    for (const Step& step : s.steps) {
      if (step.click) {
        sort.Click(view, step.click);
      } else {
        view.sortColumn = "linenumber";
        view.sortDirection = store::SortDirection::Ascending;
      }
      EXPECT_EQ(view.sortColumn, step.column) << s.name;
      EXPECT_STREQ(store::SqlKeyword(view.sortDirection), step.direction) << s.name;
    }
  }
}

}  // namespace
}  // namespace twinscan::ui
