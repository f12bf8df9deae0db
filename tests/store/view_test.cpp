// Views: snapshots that do not follow later writes, sorting, filtered views.
#include <gtest/gtest.h>

#include "store/view.h"
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
  // A failing statement elsewhere stays a plain StoreError.
  try {
    db->Execute("INSERT INTO no_such_table VALUES (1)");
    ADD_FAILURE();
  } catch (const StoreError& e) {
    EXPECT_EQ(dynamic_cast<const ViewError*>(&e), nullptr);
  }
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
               {"", SortDirection::Descending},
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
               {"already in order", {"1", "2", "3"}},
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

TEST(Value, CellTextsAndStoredDates) {
  struct Case {
    Value value;
    ColumnKind kind;
    const char* text;
  };
  const Case cases[] = {
      {std::monostate{}, ColumnKind::Text, ""},
      {Date{1, 7, 1}, ColumnKind::Date, "01/07/0001"},
      {int64_t{0}, ColumnKind::Boolean, "False"},
      {Date{9999, 99, 0}, ColumnKind::Date, "00/99/9999"},  // the widest a stored text holds
      {Date{10000, 1, 1}, ColumnKind::Date, "01/01/10000"},
      {Date{-1, 1, 5}, ColumnKind::Date, "05/01/-001"},
  };
  for (const Case& c : cases) EXPECT_EQ(DisplayText(c.value, c.kind), c.text);
  EXPECT_EQ(DateToStoredText({1, 7, 1}), "0001-07-01");
  Date d;
  ASSERT_TRUE(ParseStoredDate("2001-12-31", &d));
  EXPECT_EQ(d, (Date{2001, 12, 31}));
  EXPECT_FALSE(ParseStoredDate("2001-1-31", &d));
}

}  // namespace
}  // namespace twinscan::store
