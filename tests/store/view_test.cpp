// Views: snapshots that do not follow later writes, sorting, filtered views,
// grid filters, and the journal an earlier working database gains.
#include <gtest/gtest.h>

#include "store/review_schema.h"
#include "store/startup.h"
#include "store/view.h"
#include "store/view_filter.h"
#include "tests/support/test_support.h"

namespace twinscan::store {
namespace {

struct ViewFixture : ::testing::Test {
  testing::TempDir dir;
  std::unique_ptr<Database> db = testing::CreateTestDatabase(dir.path());
  testing::RecordingUserInterface ui;

  void Insert(int line, const char* name) {
    Statement s = db->Prepare("INSERT INTO TABLE1 (linenumber, \"4A\", error) VALUES (?, ?, 0)");
    s.BindInt(1, line);
    s.BindText(2, name);
    s.Step();
  }

  std::vector<std::string> Names(View& v) {
    std::vector<std::string> out;
    int column = v.ColumnIndex("4A");
    for (int64_t i = 0; i < v.RowCount(); ++i)
      out.push_back(std::get<std::string>(v.RowAt(i)[static_cast<size_t>(column)]));
    return out;
  }
  std::vector<int64_t> Lines(View& v) {
    std::vector<int64_t> out;
    for (int64_t i = 0; i < v.RowCount(); ++i) out.push_back(std::get<int64_t>(v.RowAt(i)[0]));
    return out;
  }
};

TEST_F(ViewFixture, AWholeTableViewIsASnapshotSortedByColumnIgnoringCase) {
  Insert(1, "b");
  Insert(2, "C");
  Insert(3, "a");
  Views views(*db, ui);
  views.primary().sortColumn = "4A";
  views.RefreshAll();
  EXPECT_EQ(Names(views.primary()), (std::vector<std::string>{"a", "b", "C"}));
  db->Execute("UPDATE TABLE1 SET \"4A\" = 'X' || \"4A\"");
  db->Execute("DELETE FROM TABLE1 WHERE linenumber = 1");
  EXPECT_EQ(Names(views.primary()), (std::vector<std::string>{"a", "b", "C"}));
  views.primary().sortDirection = SortDirection::Descending;
  views.RefreshAll();
  EXPECT_EQ(Names(views.primary()), (std::vector<std::string>{"XC", "Xa"}));
  EXPECT_EQ(ui.reopened.size(), 6u);
}

TEST_F(ViewFixture, AViewThatCannotOpenSaysSoAsAViewError) {
  Views views(*db, ui);
  views.primary().sortColumn = "linenumber; DROP TABLE TABLE1";
  EXPECT_THROW(views.RefreshAll(), ViewError);
  EXPECT_EQ(db->QueryInt("SELECT count(*) FROM TABLE1"), 0);  // still there
  EXPECT_THROW(views.ReopenFiltered(ViewId::Secondary, "no_such_column = 1", {}, ""), ViewError);
}

TEST_F(ViewFixture, AFilteredViewSeesUncommittedRowsAndTakesNewValues) {
  Views views(*db, ui);
  auto open = [&](int64_t line) {
    views.ReopenFiltered(ViewId::Primary, "linenumber = ?", {line}, "linenumber");
    return Names(views.primary());
  };
  Insert(1, "A");
  db->Begin();
  Insert(2, "B");
  EXPECT_EQ(open(1), std::vector<std::string>{"A"});
  EXPECT_EQ(open(2), std::vector<std::string>{"B"});
  EXPECT_EQ(views.primary().CurrentRow(), 0);
  Insert(2, "C");
  EXPECT_EQ(open(2), (std::vector<std::string>{"B", "C"}));
  EXPECT_TRUE(open(8).empty());
  EXPECT_EQ(views.primary().CurrentRow(), -1);
  db->Commit();
}

// Whole-table views read ascending row ids in windows: the same rows as one
// by one whatever lies between the ids, in any direction and order of reading.
TEST_F(ViewFixture, WindowsReadTheSameRowsWhateverTheRowIds) {
  db->Begin();
  for (int i = 1; i <= 1200; ++i) Insert(i, std::string("N").append(std::to_string(i)).c_str());
  db->Execute("DELETE FROM TABLE1 WHERE linenumber % 7 = 0 OR linenumber BETWEEN 300 AND 340");
  db->Commit();
  struct Case {
    const char* filter;
    SortDirection direction;
  } cases[] = {{"", SortDirection::Ascending},
               {"linenumber % 3 = 0", SortDirection::Ascending},
               {"linenumber > 1100 OR linenumber < 5", SortDirection::Ascending}};
  for (const Case& c : cases) {
    Views views(*db, ui);
    View& v = views.primary();
    v.sortDirection = c.direction;
    v.SetFilter({c.filter, false});
    views.RefreshAll();
    std::string sql = "SELECT \"4A\" FROM TABLE1";
    if (*c.filter) sql.append(" WHERE ").append(c.filter);
    sql.append(" ORDER BY linenumber ").append(SqlKeyword(c.direction));
    std::vector<std::string> expected;
    Statement s = db->Prepare(sql);
    while (s.Step()) expected.emplace_back(s.ColumnText(0));
    EXPECT_EQ(Names(v), expected) << c.filter;
  }
  std::vector<int64_t> lines;
  for (Statement s = db->Prepare("SELECT linenumber FROM TABLE1 ORDER BY linenumber"); s.Step();)
    lines.push_back(s.ColumnInt(0));
  Views views(*db, ui);
  views.RefreshAll();
  for (size_t i : {990, 0, 500, 501, 250, 990}) EXPECT_EQ(std::get<int64_t>(views.primary().RowAt(i)[0]), lines[i]);
  EXPECT_THROW(views.primary().RowAt(views.primary().RowCount()), StoreError);
}

// Filtered views in linenumber order are put in order by the view unless a
// linenumber is not a whole number; either way the order is SQLite's.
TEST_F(ViewFixture, FilteredRowsInLineNumberOrderWhateverTheLineNumbers) {
  struct Case {
    const char* name;
    std::vector<const char*> lines;  // SQL literals, inserted in this order
  } cases[] = {{"whole numbers out of order", {"5", "2", "9", "2", "1"}},
               {"a Null", {"4", "NULL", "2"}},
               {"a text and a real", {"3", "'x'", "2.5", "1"}}};
  for (const Case& c : cases) {
    db->Execute("DELETE FROM TABLE1");
    int n = 0;
    for (const char* line : c.lines) {
      std::string sql = "INSERT INTO TABLE1 (linenumber, \"4A\", error) VALUES (";
      sql.append(line).append(", 'N").append(std::to_string(++n)).append("', 0)");
      db->Execute(sql);
    }
    std::vector<std::string> expected;
    Statement s = db->Prepare("SELECT \"4A\" FROM TABLE1 WHERE \"4A\" LIKE 'N%' ORDER BY linenumber, rowid");
    while (s.Step()) expected.emplace_back(s.ColumnText(0));
    Views views(*db, ui);
    views.ReopenFiltered(ViewId::Primary, "\"4A\" LIKE ?", {std::string("N%")}, kLineNumberOrder);
    EXPECT_EQ(Names(views.primary()), expected) << c.name;
    for (int64_t i = 0; i < views.primary().RowCount(); ++i)  // the row ids follow their rows: N<rowid>
      EXPECT_EQ("N" + std::to_string(views.primary().RowIdAt(i)), expected[static_cast<size_t>(i)]);
  }
}

// Row ids as the import writes them (dense) and far apart (the view's sparse path).
class EachFilter : public ViewFixture, public ::testing::WithParamInterface<int64_t> {};

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

TEST_F(ViewFixture, TheCurrentRecordStaysWhenTheFilterKeepsIt) {
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
