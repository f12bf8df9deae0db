// The position labels and the column-header sort, on views over a test
// database (no window).
#include <gtest/gtest.h>

#include "tests/support/test_support.h"
#include "ui/header_sort.h"
#include "ui/position_label.h"

namespace twinscan::ui {
namespace {

using twinscan::testing::CreateTestDatabase;
using twinscan::testing::TempDir;

class ViewsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db_ = CreateTestDatabase(dir_.path());
    views_ = std::make_unique<store::Views>(*db_, ui_);
  }
  void FillTable1(int rows) {
    db_->Begin();
    for (int i = 1; i <= rows; ++i)
      db_->Execute("INSERT INTO TABLE1 (linenumber, \"13Z\") VALUES (" + std::to_string(i) + ", 'R" +
                   std::to_string(1000 - i) + "')");
    db_->Commit();
    views_->RefreshAll();
  }

  TempDir dir_;
  SilentUserInterface ui_;
  std::unique_ptr<store::Database> db_;
  std::unique_ptr<store::Views> views_;
};

TEST_F(ViewsTest, EmptyViewsReadZero) {
  EXPECT_EQ(PositionLabel(views_->primary()), "(ff) 0");
  EXPECT_EQ(PositionLabel(views_->secondary()), "(sf) 0");
  EXPECT_EQ(PositionLabel(views_->result()), "(re) 0");
}

TEST_F(ViewsTest, PositionAndCountCarryLeadingBlanks) {
  FillTable1(120);
  struct Case {
    int64_t current;
    const char* label;
  } cases[] = {{0, "(ff)  1 of  120"}, {2, "(ff)  3 of  120"}, {119, "(ff)  120 of  120"}};
  for (const Case& c : cases) {
    views_->primary().SetCurrentRow(c.current);
    EXPECT_EQ(PositionLabel(views_->primary()), c.label);
  }
}

TEST_F(ViewsTest, EmptyResultOfOnePrimaryLineReadsQuestionMarks) {
  views_->ReopenFiltered(ViewId::Result, "SELECT * FROM TABLERESULT WHERE linenumber =  7", "linenumber = ?",
                         {store::Value{int64_t{7}}}, "");
  EXPECT_EQ(PositionLabel(views_->result()), "(re) ??");
  // An empty filtered candidate list is just empty.
  views_->ReopenFiltered(ViewId::Secondary, "SELECT * FROM TABLE2 WHERE ([1A] = 1)", "\"1A\" = 1", {}, "");
  EXPECT_EQ(PositionLabel(views_->secondary()), "(sf) 0");
  views_->RefreshAll();
  EXPECT_EQ(PositionLabel(views_->result()), "(re) 0");
}

// Each step: the clicked column, then the sort state expected afterwards.
struct SortStep {
  const char* click;
  const char* column;
  const char* direction;
};

TEST_F(ViewsTest, HeaderClicksSortAndReverse) {
  struct Sequence {
    const char* name;
    std::vector<SortStep> steps;
  } sequences[] = {
      {"a new column keeps the direction, a repeat reverses it",
       {{"13Z", "13Z", "ASC"}, {"13Z", "13Z", "DESC"}, {"4A", "4A", "DESC"}, {"4A", "4A", "ASC"}}},
      {"linenumber first changes nothing, then reverses",
       {{"linenumber", "linenumber", "ASC"}, {"linenumber", "linenumber", "DESC"}}},
      {"returning to a column is a new column again",
       {{"13Z", "13Z", "ASC"}, {"4A", "4A", "ASC"}, {"13Z", "13Z", "ASC"}, {"13Z", "13Z", "DESC"}}},
  };
  for (const Sequence& s : sequences) {
    store::View& view = views_->primary();
    view.sortColumn = "linenumber";
    view.sortDirection = "ASC";
    HeaderSort sort;
    for (const SortStep& step : s.steps) {
      sort.Click(view, step.click);
      EXPECT_EQ(view.sortColumn, step.column) << s.name << ", click " << step.click;
      EXPECT_EQ(view.sortDirection, step.direction) << s.name << ", click " << step.click;
    }
  }
}

TEST_F(ViewsTest, ClickAfterARunResetTheSortSortsByTheColumnAgain) {
  store::View& view = views_->primary();
  HeaderSort sort;
  sort.Click(view, "13Z");
  sort.Click(view, "13Z");  // 13Z DESC
  // The full compare puts the view back to linenumber ASC.
  view.sortColumn = "linenumber";
  view.sortDirection = "ASC";
  sort.Click(view, "13Z");
  EXPECT_EQ(view.sortColumn, "13Z");
  EXPECT_EQ(view.sortDirection, "ASC");
}

}  // namespace
}  // namespace twinscan::ui
