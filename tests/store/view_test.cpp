// Views: snapshots that do not follow later writes, sorting, filtered views.
#include <gtest/gtest.h>

#include "store/tables.h"
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

TEST_F(ViewFixture, ColumnsFollowTheGridOrder) {
  Views views(*db, ui);
  const auto& columns = views.primary().Columns();
  ASSERT_EQ(columns.size(), static_cast<size_t>(kRecordColumnCount));
  // The generated tables have the field table's names and kinds.
  for (size_t i = 0; i < columns.size(); ++i) {
    EXPECT_EQ(columns[i].name, kRecordColumns[i].name);
    EXPECT_EQ(columns[i].kind, kRecordColumns[i].kind) << columns[i].name;
  }
  EXPECT_EQ(columns[Index(RecordColumn::c2C)].kind, ColumnKind::Date);
  EXPECT_EQ(columns[Index(RecordColumn::error)].kind, ColumnKind::Boolean);
  const auto& result = views.result().Columns();
  ASSERT_EQ(result.size(), static_cast<size_t>(kResultColumnCount));
  EXPECT_EQ(result[kResultFirstFieldColumn - 1].name, "noncritical");
  for (const RecordField& f : kFields) {
    const ColumnInfo& c = result[static_cast<size_t>(kResultFirstFieldColumn + f.number - 1)];
    EXPECT_EQ(c.name, f.code);
    EXPECT_EQ(c.kind, ColumnKind::Text);
  }
  EXPECT_EQ(result[kResultFieldsEnd].name, "ACCEPTFIRST");
}

TEST_F(ViewFixture, AWholeTableViewIsASnapshot) {
  Insert(1, "A");
  Insert(2, "B");
  Views views(*db, ui);
  views.RefreshAll();
  EXPECT_EQ(views.primary().RowCount(), 2);

  db->Execute("UPDATE TABLE1 SET \"4A\" = 'CHANGED'");
  db->Execute("DELETE FROM TABLE1 WHERE linenumber = 1");
  Insert(3, "C");
  EXPECT_EQ(views.primary().RowCount(), 2);
  EXPECT_EQ(Names(views.primary()), (std::vector<std::string>{"A", "B"}));

  views.RefreshAll();
  EXPECT_EQ(Names(views.primary()), (std::vector<std::string>{"CHANGED", "C"}));
  EXPECT_EQ(ui.reopened.size(), 6u);
}

TEST_F(ViewFixture, SortingIsByColumnAndDirectionWithTextIgnoringCase) {
  Insert(1, "b");
  Insert(2, "C");
  Insert(3, "a");
  Views views(*db, ui);
  views.primary().sortColumn = "4A";
  views.RefreshAll();
  EXPECT_EQ(Names(views.primary()), (std::vector<std::string>{"a", "b", "C"}));
  views.primary().sortDirection = SortDirection::Descending;
  views.RefreshAll();
  EXPECT_EQ(Names(views.primary()), (std::vector<std::string>{"C", "b", "a"}));
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
  } catch (const ViewError&) {
    ADD_FAILURE();
  } catch (const StoreError&) {
  }
}

TEST_F(ViewFixture, AFilteredViewSeesUncommittedRowsAndReportsZeroRows) {
  Views views(*db, ui);
  db->Begin();
  Insert(7, "X");
  views.ReopenFiltered(ViewId::Primary, "linenumber = ?", {int64_t{7}}, "linenumber");
  EXPECT_EQ(views.primary().RowCount(), 1);
  EXPECT_EQ(views.primary().CurrentRow(), 0);
  views.ReopenFiltered(ViewId::Primary, "linenumber = ?", {int64_t{8}}, "");
  EXPECT_EQ(views.primary().RowCount(), 0);
  EXPECT_EQ(views.primary().CurrentRow(), -1);
  db->Commit();
}

TEST_F(ViewFixture, AReopenedFilterTakesItsNewValuesAndNewRows) {
  Views views(*db, ui);
  Insert(1, "A");
  Insert(2, "B");
  auto open = [&](const std::string& where, std::vector<Value> binds) {
    views.ReopenFiltered(ViewId::Primary, where, binds, "linenumber");
    return Names(views.primary());
  };
  EXPECT_EQ(open("linenumber = ?", {int64_t{1}}), std::vector<std::string>{"A"});
  EXPECT_EQ(open("linenumber = ?", {int64_t{2}}), std::vector<std::string>{"B"});
  Insert(2, "C");
  EXPECT_EQ(open("linenumber = ?", {int64_t{2}}), (std::vector<std::string>{"B", "C"}));
}

TEST_F(ViewFixture, LargeViewsReadRowsInAnyOrder) {
  db->Begin();
  for (int i = 1; i <= 2000; ++i) Insert(i, ("N" + std::to_string(i)).c_str());
  db->Commit();
  Views views(*db, ui);
  views.RefreshAll();
  View& v = views.primary();
  for (int64_t i : {1999, 0, 1000, 1001, 500, 1999}) EXPECT_EQ(std::get<int64_t>(v.RowAt(i)[0]), i + 1);
  EXPECT_THROW(v.RowAt(2000), StoreError);
}

// Whole-table views read ascending row ids in ranges; the rows must be the
// same as one by one, whatever lies between the ids (deleted rows, rows the
// grid filter leaves out) and in any sort direction.
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
    for (int64_t i = 0; i < views.primary().RowCount(); ++i)  // the row ids follow their rows
      EXPECT_EQ(views.primary().RowIdAt(i), db->QueryInt(std::string("SELECT rowid FROM TABLE1 WHERE \"4A\" = 'N")
                                                             .append(expected[static_cast<size_t>(i)].substr(1))
                                                             .append("'")));
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
      {Date{2001, 7, 1}, ColumnKind::Date, "01/07/2001"},
      {Date{1, 7, 1}, ColumnKind::Date, "01/07/0001"},
      {int64_t{1}, ColumnKind::Boolean, "True"},
      {int64_t{0}, ColumnKind::Boolean, "False"},
      {146.5, ColumnKind::Real, "146.5"},
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
