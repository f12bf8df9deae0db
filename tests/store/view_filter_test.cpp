// Grid filters, the current record under a changed filter, and the journal
// an earlier working database gains.
#include "store/view_filter.h"

#include <gtest/gtest.h>

#include "store/review_schema.h"
#include "store/startup.h"
#include "store/view.h"
#include "tests/support/test_support.h"

namespace twinscan::store {
namespace {

struct FilterFixture : ::testing::Test {
  testing::TempDir dir;
  std::unique_ptr<Database> db = testing::CreateTestDatabase(dir.path());
  testing::RecordingUserInterface ui;

  std::vector<int64_t> Lines(View& v) {
    std::vector<int64_t> out;
    for (int64_t i = 0; i < v.RowCount(); ++i) out.push_back(std::get<int64_t>(v.RowAt(i)[0]));
    return out;
  }
};

// Row ids as the import writes them (dense) and far apart (the view's sparse path).
class EachFilter : public FilterFixture, public ::testing::WithParamInterface<int64_t> {};

TEST_P(EachFilter, KeepsItsRowsInTheSortOrder) {
  // Result rows: linenumber, critical, noncritical, decided; row id = linenumber x spacing.
  const std::string spacing = std::to_string(GetParam());
  db->Execute(
      "INSERT INTO TABLERESULT (rowid, linenumber, linenumber2, critical, noncritical, ACCEPTFIRST, ACCEPTSECOND) "
      "SELECT column1 * " +
      spacing +
      ", column1, 1, column2, column3, column4, column5 FROM (VALUES "
      "(1, 1, NULL, NULL, NULL), (2, 1, 1, 1, 0), (3, NULL, 1, NULL, NULL), (4, NULL, NULL, 0, 0), "
      "(5, NULL, NULL, NULL, NULL))");
  db->Execute("INSERT INTO TABLE1 (rowid, linenumber, error) SELECT column1 * " + spacing +
              ", column1, column2 FROM (VALUES (1, 0), (2, 1), (3, NULL), (4, 1))");
  Views views(*db, ui);
  views.result().sortDirection = views.primary().sortDirection = SortDirection::Descending;
  views.RefreshAll();
  struct Case {
    View& view;
    std::string_view condition;
    ViewSelection selection;
    std::vector<int64_t> lines;
  };
  auto result = [&](ResultFilter f, std::vector<int64_t> lines) {
    return Case{views.result(), ConditionOf(f), SelectionOf(f), std::move(lines)};
  };
  auto record = [&](RecordFilter f, std::vector<int64_t> lines) {
    return Case{views.primary(), ConditionOf(f), SelectionOf(f), std::move(lines)};
  };
  Case cases[] = {
      result(ResultFilter::All, {5, 4, 3, 2, 1}), result(ResultFilter::Critical, {2, 1}),
      result(ResultFilter::NonCritical, {3, 2}),  result(ResultFilter::WithoutDifferences, {5, 4}),
      result(ResultFilter::Undecided, {5, 3, 1}), result(ResultFilter::Decided, {4, 2}),
      record(RecordFilter::All, {4, 3, 2, 1}),    record(RecordFilter::Erroneous, {4, 2}),
      record(RecordFilter::ErrorFree, {3, 1}),
  };
  for (Case& c : cases) {
    // Applied to an open view and kept by the next refresh alike.
    c.view.SetFilter(c.selection);
    c.view.ApplyFilter();
    EXPECT_EQ(Lines(c.view), c.lines) << c.condition;
    views.RefreshAll();
    EXPECT_EQ(Lines(c.view), c.lines) << c.condition;
    // The plain condition (an export's) selects the same rows.
    std::string where = c.condition.empty() ? "1" : std::string(c.condition);
    EXPECT_EQ(db->QueryInt("SELECT count(*) FROM " + c.view.table() + " WHERE " + where), c.view.RowCount())
        << c.condition;
  }
}
INSTANTIATE_TEST_SUITE_P(RowIds, EachFilter, ::testing::Values(int64_t{1}, int64_t{1000000000}));

TEST_F(FilterFixture, TheCurrentRecordStaysWhenTheFilterKeepsIt) {
  db->Execute("INSERT INTO TABLE1 (linenumber, error) VALUES (1, 0), (2, 1), (3, 0), (4, 1)");
  Views views(*db, ui);
  View& v = views.primary();
  v.SetCurrentRow(3);  // line 4
  int64_t line4 = v.CurrentRowId();
  v.SetFilter(SelectionOf(RecordFilter::Erroneous));
  v.ApplyFilter();
  EXPECT_EQ(v.CurrentRow(), 1);
  EXPECT_EQ(v.CurrentRowId(), line4);
  v.SetFilter(SelectionOf(RecordFilter::ErrorFree));
  v.ApplyFilter();
  EXPECT_EQ(v.CurrentRow(), 0);  // line 4 is gone: the first row
  EXPECT_EQ(v.PositionOfRowId(line4), -1);
  // By linenumber: shown, hidden by the filter, absent.
  EXPECT_EQ(v.PositionOfLine(3), 1);
  EXPECT_EQ(v.PositionOfLine(4), -1);
  EXPECT_EQ(v.PositionOfLine(9), -1);
  // A filtered view opened by the comparison ignores the grid filter.
  v.OpenFiltered("linenumber > ?", {int64_t{1}}, "linenumber");
  EXPECT_EQ(Lines(v), (std::vector<int64_t>{2, 3, 4}));
  EXPECT_EQ(v.PositionOfLine(4), 2);
}

TEST(ReviewSchemaTest, AnEarlierWorkingDatabaseGainsTheJournalOnStartUp) {
  testing::TempDir dir;
  std::filesystem::create_directories(dir / "data");
  testing::CreateTestDatabase(dir / "data")->Execute("DROP TABLE DECISIONS");
  testing::RecordingUserInterface ui;
  DataDirectoryLock lock;
  auto db = StartUp(dir / "data", dir / "none.db", ui, lock);
  ASSERT_TRUE(db);
  db->Execute("INSERT INTO DECISIONS (ACCEPTFIRST) VALUES (1)");
  EnsureReviewSchema(*db);  // again: nothing is lost
  EXPECT_EQ(db->QueryInt("SELECT count(*) FROM DECISIONS"), 1);
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace twinscan::store
