// The main window: start-up, menu, captions, column widths, grids, header
// sort and position labels.
#include <gtest/gtest.h>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>

#include "store/startup.h"
#include "tests/ui/ui_test_support.h"
#include "ui/data_grid.h"
#include "ui/grid_model.h"
#include "ui/status_panels.h"
#include "ui/twips.h"

namespace twinscan::ui::testing {
namespace {

TEST_F(WindowTest, StartsWithEmptyLabelsCaptionsAndHiddenCancel) {
  EXPECT_EQ(Status(1), "(ff) 0");
  EXPECT_EQ(Status(2), "(sf) 0");
  EXPECT_EQ(Status(3), "(re) 0");
  for (int panel : {4, 5, 6}) EXPECT_EQ(Status(panel), "") << panel;
  EXPECT_TRUE(window_->windowTitle().startsWith("Comparing Two Vienna Files"));
  EXPECT_EQ(Grid(ViewId::Primary)->caption().toStdString(), "List of Entries to be Compared (ff)");
  EXPECT_EQ(Grid(ViewId::Secondary)->caption().toStdString(), "List of Entries to Compare with (sf)");
  EXPECT_EQ(Grid(ViewId::Result)->caption().toStdString(), "Result of Compare (re)");
  EXPECT_FALSE(CancelButton()->isVisible());
  EXPECT_EQ(CancelButton()->text().toStdString(), "Cancel Compare");
}

TEST_F(WindowTest, MenuItemsCarryTheirCaptionsAndStates) {
  // Menus (by their menu action) and commands, in menu-bar order, with the
  // shortcuts the menus show; nullptr names a separator.
  struct Item {
    const char* name;
    const char* caption;
    bool enabled;
    const char* shortcut = "";
  } items[] = {
      {"M_FILE", "&File", true},
      {"M_FIRSTFILE", "Import &Primary File", true, "Ctrl+O"},
      {"M_SECFILE", "Import &Secondary File", true, "Ctrl+Shift+O"},
      {"M_EXPORTRESULTS", "&Export Results...", true},
      {"M_RECENT", "&Recent Files", true},
      {nullptr, "", true},
      {"M_EXIT", "E&xit", true, "Ctrl+Q"},
      {"M_COMP", "&Compare && Verify", true},
      {"M_VALCHECK1", "Validation Check &Primary File", false},
      {"M_VALCHECK2", "Validation Check &Secondary File", false},
      {"M_AUTOCOMP", "&Full Autocompare", true, "F5"},
      {"M_MANUALCOMP", "&Manual Compare", true},
      {"M_CANCELCOMP", "&Cancel Compare", false, "Esc"},
      {"M_OPTION", "&Options", true},
      {"M_COMPMODE", "Compare &Modes", true},
      {"M_SEARCHFIELDS", "&Search Fields", true},
      {"M_MISC", "Misc. Options", true},
      {"M_VIEW", "&View", true},
      {"M_VIEWFF", "&Primary Records", true},
      {"M_VIEWSF", "&Secondary Records", true},
      {"M_VIEWRE", "&Results", true},
      {"M_HELP", "&Help", true},
      {"M_GUIDE", "&User Guide", true, "F1"},
      {"M_ABOUT", "&About", true},
  };
  std::vector<QAction*> inOrder;
  for (QAction* top : window_->menuBar()->actions()) {
    inOrder.push_back(top);
    for (QAction* command : top->menu()->actions()) inOrder.push_back(command);
  }
  ASSERT_EQ(inOrder.size(), std::size(items));
  for (size_t i = 0; i < inOrder.size(); ++i) {
    const Item& item = items[i];
    if (!item.name) {
      EXPECT_TRUE(inOrder[i]->isSeparator()) << i;
      continue;
    }
    QAction* action = window_->findChild<QAction*>(item.name);
    if (!action) action = Child<QMenu>(window_.get(), item.name)->menuAction();
    EXPECT_EQ(inOrder[i], action) << item.name;
    EXPECT_EQ(action->text().toStdString(), item.caption);
    EXPECT_EQ(action->isEnabled(), item.enabled) << item.caption;
    EXPECT_TRUE(action->isVisible()) << item.caption;
    EXPECT_EQ(action->shortcut().toString().toStdString(), item.shortcut) << item.caption;
  }
  EXPECT_TRUE(Command("M_MANUALCOMP")->isCheckable());
  EXPECT_FALSE(Command("M_MANUALCOMP")->isChecked());
}

TEST_F(WindowTest, ManualModeDisablesTheFullCompare) {
  Command("M_MANUALCOMP")->trigger();
  EXPECT_TRUE(Command("M_MANUALCOMP")->isChecked());
  EXPECT_FALSE(Command("M_AUTOCOMP")->isEnabled());
  Command("M_MANUALCOMP")->trigger();
  EXPECT_FALSE(Command("M_MANUALCOMP")->isChecked());
  EXPECT_TRUE(Command("M_AUTOCOMP")->isEnabled());
  // The validation checks stay greyed out whatever happens.
  Command("M_VALCHECK1")->trigger();
  EXPECT_FALSE(Command("M_VALCHECK1")->isEnabled());
}

TEST_F(WindowTest, AboutNamesVersionsDataDirectoryAndTheGuide) {
  Command("M_ABOUT")->trigger();
  ASSERT_EQ(prompter_.messages.size(), 1u);
  QString text = QString::fromStdString(prompter_.messages[0]);
  EXPECT_TRUE(text.startsWith("twinscan 1.0\nComparing Two Vienna Files\nWritten by the twinscan developers.\n\n"));
  EXPECT_FALSE(text.contains("Help not yet implemented."));
  for (QString part : {QString("Help > User Guide"), QString("Qt ") + qVersion(), QString("SQLite 3."),
                       QString::fromStdString("Data directory: " + dataDir().string())})
    EXPECT_TRUE(text.contains(part)) << part.toStdString() << "\n" << text.toStdString();
}

TEST_F(WindowTest, GridsHaveTheirColumnsCaptionsAndWidths) {
  struct Column {
    ViewId grid;
    int index;
    const char* caption;
    int twips;
  } columns[] = {
      {ViewId::Primary, 0, "linenumber", 700},   {ViewId::Primary, 24, "13Z", 5100},
      {ViewId::Primary, 31, "ermsg", 3100},      {ViewId::Primary, 35, "4CLAT", 200},
      {ViewId::Secondary, 0, "linenumber", 700}, {ViewId::Secondary, 24, "13Z", 5100},
      {ViewId::Result, 1, "linenumber2", 930},   {ViewId::Result, 29, "2W", 1740},
      {ViewId::Result, 31, "13X", 1500},         {ViewId::Result, 32, "ACCEPTFIRST", 1230},
      {ViewId::Result, 35, "REFERENCE_TO_DB", 2000},
  };
  EXPECT_EQ(Grid(ViewId::Primary)->model()->columnCount(), 36);
  EXPECT_EQ(Grid(ViewId::Secondary)->model()->columnCount(), 36);
  EXPECT_EQ(Grid(ViewId::Result)->model()->columnCount(), 36);
  // Widths stay after the views are re-read (and after a result was written).
  Insert("TABLERESULT", {{"linenumber", "1"}, {"linenumber2", "2"}});
  for (bool reread : {false, true}) {
    if (reread) window_->views().RefreshAll();
    for (const Column& c : columns) {
      DataGrid* grid = Grid(c.grid);
      EXPECT_EQ(grid->model()->ColumnName(c.index).toStdString(), c.caption);
      EXPECT_EQ(grid->table()->columnWidth(c.index), Twips(c.twips)) << c.caption << " reread " << reread;
    }
  }
}

TEST_F(WindowTest, CellsShowDatesBooleansAndNullsAsTheGridShowsThem) {
  Insert("TABLE1", {{"linenumber", "1"}, {"2C", "'2001-07-01'"}, {"error", "1"}});
  Insert("TABLE1", {{"linenumber", "2"}});
  window_->views().RefreshAll();
  EXPECT_EQ(Cell(ViewId::Primary, 0, 7), "01/07/2001");
  EXPECT_EQ(Cell(ViewId::Primary, 0, 30), "True");
  EXPECT_EQ(Cell(ViewId::Primary, 1, 7), "");
}

TEST_F(WindowTest, HeaderClicksSortTheirGridAndRereadAllThree) {
  for (int i = 1; i <= 3; ++i) {
    Insert("TABLE1", {{"linenumber", std::to_string(i)}, {"13Z", "'R" + std::to_string(4 - i) + "'"}});
    Insert("TABLE2", {{"linenumber", std::to_string(i)}});
  }
  window_->views().RefreshAll();
  ClickHeader(ViewId::Secondary, 0);
  ClickHeader(ViewId::Secondary, 0);  // the second grid: linenumber DESC
  EXPECT_EQ(Cell(ViewId::Secondary, 0, 0), "3");

  ClickHeader(ViewId::Primary, 24);  // 13Z ascending
  EXPECT_EQ(Cell(ViewId::Primary, 0, 24), "R1");
  ClickHeader(ViewId::Primary, 24);  // 13Z descending
  EXPECT_EQ(Cell(ViewId::Primary, 0, 24), "R3");
  // The other grid was re-read in its own order.
  EXPECT_EQ(Cell(ViewId::Secondary, 0, 0), "3");
  EXPECT_EQ(Status(1), "(ff)  1 of  3");
}

TEST_F(WindowTest, PositionLabelFollowsTheCurrentRow) {
  for (int i = 1; i <= 120; ++i) Insert("TABLE1", {{"linenumber", std::to_string(i)}});
  window_->views().RefreshAll();
  EXPECT_EQ(Status(1), "(ff)  1 of  120");
  ClickRow(ViewId::Primary, 2);
  EXPECT_EQ(Status(1), "(ff)  3 of  120");
  EXPECT_EQ(window_->views().primary().CurrentRow(), 2);
  // A row moved by the program shows in the grid and its label.
  window_->views().SetCurrentRow(ViewId::Primary, 99);
  EXPECT_EQ(Grid(ViewId::Primary)->table()->currentIndex().row(), 99);
  EXPECT_EQ(Status(1), "(ff)  100 of  120");
}

TEST(WindowStartTest, MissingDatabasesShowTheMessageAndStop) {
  twinscan::testing::TempDir dir;
  AnsweringPrompter prompter;
  MainWindow window(prompter);
  EXPECT_FALSE(window.Start(dir / "data", dir / "no-such.db"));
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0], store::MustBeInMessage(dir / "data"));
}

TEST(WindowStartTest, GridsOverStoredRowsShowTheLabelledRowAsCurrent) {
  twinscan::testing::TempDir dir;
  { twinscan::testing::CreateTestDatabase(dir.path())->Execute("INSERT INTO TABLE1 (linenumber) VALUES (1), (2)"); }
  AnsweringPrompter prompter;
  MainWindow window(prompter);
  ASSERT_TRUE(window.Start(dir.path(), dir / "no-pristine.db"));
  EXPECT_EQ(Child<StatusPanels>(&window, "StatusBar1")->text(1).toStdString(), "(ff)  1 of  2");
  EXPECT_EQ(Child<DataGrid>(&window, "DataGrid1")->table()->currentIndex().row(), 0);
}

}  // namespace
}  // namespace twinscan::ui::testing
