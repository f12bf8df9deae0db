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
#include "ui/twips.h"

namespace twinscan::ui::testing {
namespace {

TEST_F(WindowTest, StartsWithEmptyLabelsCaptionsAndHiddenCancel) {
  EXPECT_EQ(window_->statusText(1).toStdString(), "(ff) 0");
  EXPECT_EQ(window_->statusText(2).toStdString(), "(sf) 0");
  EXPECT_EQ(window_->statusText(3).toStdString(), "(re) 0");
  for (int panel : {4, 5, 6}) EXPECT_TRUE(window_->statusText(panel).isEmpty()) << panel;
  EXPECT_TRUE(window_->windowTitle().startsWith("Comparing Two Vienna Files"));
  EXPECT_EQ(window_->grid(ViewId::Primary)->caption().toStdString(), "List of Entries to be Compared (ff)");
  EXPECT_EQ(window_->grid(ViewId::Secondary)->caption().toStdString(), "List of Entries to Compare with (sf)");
  EXPECT_EQ(window_->grid(ViewId::Result)->caption().toStdString(), "Result of Compare (re)");
  EXPECT_FALSE(window_->cancelButton()->isVisible());
  EXPECT_EQ(window_->cancelButton()->text().toStdString(), "Cancel Compare");
}

TEST_F(WindowTest, MenuItemsCarryTheirCaptionsAndStates) {
  struct Item {
    QAction* action;
    const char* caption;
    bool enabled;
  } items[] = {
      {window_->M_FILE->menuAction(), "&File", true},
      {window_->M_FIRSTFILE, "Import &Primary File", true},
      {window_->M_SECFILE, "Import &Secondary File", true},
      {window_->M_COMP->menuAction(), "&Compare && Verify", true},
      {window_->M_VALCHECK1, "Validation Check &Primary File", false},
      {window_->M_VALCHECK2, "Validation Check &Secondary File", false},
      {window_->M_AUTOCOMP, "&Full Autocompare", true},
      {window_->M_MANUALCOMP, "&Manual Compare", true},
      {window_->M_OPTION->menuAction(), "&Options", true},
      {window_->M_COMPMODE, "Compare &Modes", true},
      {window_->M_SEARCHFIELDS, "&Search Fields", true},
      {window_->M_MISC, "Misc. Options", true},
      {window_->M_HELP->menuAction(), "&Help", true},
      {window_->M_ABOUT, "&About", true},
  };
  for (const Item& item : items) {
    EXPECT_EQ(item.action->text().toStdString(), item.caption);
    EXPECT_EQ(item.action->isEnabled(), item.enabled) << item.caption;
    EXPECT_TRUE(item.action->isVisible()) << item.caption;
    EXPECT_TRUE(item.action->shortcut().isEmpty()) << item.caption;
  }
  EXPECT_TRUE(window_->M_MANUALCOMP->isCheckable());
  EXPECT_FALSE(window_->M_MANUALCOMP->isChecked());
  QList<QAction*> top = window_->menuBar()->actions();
  ASSERT_EQ(top.size(), 4);
}

TEST_F(WindowTest, ManualModeDisablesTheFullCompare) {
  window_->M_MANUALCOMP->trigger();
  EXPECT_TRUE(window_->M_MANUALCOMP->isChecked());
  EXPECT_FALSE(window_->M_AUTOCOMP->isEnabled());
  window_->M_MANUALCOMP->trigger();
  EXPECT_FALSE(window_->M_MANUALCOMP->isChecked());
  EXPECT_TRUE(window_->M_AUTOCOMP->isEnabled());
  // The validation checks stay greyed out whatever happens.
  window_->M_VALCHECK1->trigger();
  EXPECT_FALSE(window_->M_VALCHECK1->isEnabled());
}

TEST_F(WindowTest, AboutNamesTheProgramAndEndsWithHelpNotYetImplemented) {
  window_->M_ABOUT->trigger();
  ASSERT_EQ(prompter_.messages.size(), 1u);
  QString text = QString::fromStdString(prompter_.messages[0]);
  EXPECT_TRUE(text.contains("twinscan"));
  EXPECT_TRUE(text.endsWith("Help not yet implemented."));
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
      {ViewId::Result, 31, "13X", 1500},
  };
  EXPECT_EQ(window_->grid(ViewId::Primary)->model()->columnCount(), 36);
  EXPECT_EQ(window_->grid(ViewId::Secondary)->model()->columnCount(), 36);
  EXPECT_EQ(window_->grid(ViewId::Result)->model()->columnCount(), 32);
  // Widths stay after the views are re-read (and after a result was written).
  Insert("TABLERESULT", {{"linenumber", "1"}, {"linenumber2", "2"}});
  for (bool reread : {false, true}) {
    if (reread) window_->views().RefreshAll();
    for (const Column& c : columns) {
      DataGrid* grid = window_->grid(c.grid);
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
  EXPECT_EQ(window_->statusText(1).toStdString(), "(ff)  1 of  3");
}

TEST_F(WindowTest, PositionLabelFollowsTheCurrentRow) {
  for (int i = 1; i <= 120; ++i) Insert("TABLE1", {{"linenumber", std::to_string(i)}});
  window_->views().RefreshAll();
  EXPECT_EQ(window_->statusText(1).toStdString(), "(ff)  1 of  120");
  ClickRow(ViewId::Primary, 2);
  EXPECT_EQ(window_->statusText(1).toStdString(), "(ff)  3 of  120");
  EXPECT_EQ(window_->views().primary().CurrentRow(), 2);
  // A row moved by the program shows in the grid and its label.
  window_->views().SetCurrentRow(ViewId::Primary, 99);
  EXPECT_EQ(window_->grid(ViewId::Primary)->table()->currentIndex().row(), 99);
  EXPECT_EQ(window_->statusText(1).toStdString(), "(ff)  100 of  120");
}

TEST(WindowStartTest, MissingDatabasesShowTheMessageAndStop) {
  twinscan::testing::TempDir dir;
  AnsweringPrompter prompter;
  TWINSCAN1 window(prompter);
  EXPECT_FALSE(window.Start(dir / "data", dir / "no-such.db"));
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0], store::MustBeInMessage(dir / "data"));
}

TEST(WindowStartTest, GridsOverStoredRowsShowTheLabelledRowAsCurrent) {
  twinscan::testing::TempDir dir;
  { twinscan::testing::CreateTestDatabase(dir.path())->Execute("INSERT INTO TABLE1 (linenumber) VALUES (1), (2)"); }
  AnsweringPrompter prompter;
  TWINSCAN1 window(prompter);
  ASSERT_TRUE(window.Start(dir.path(), dir / "no-pristine.db"));
  EXPECT_EQ(window.statusText(1).toStdString(), "(ff)  1 of  2");
  EXPECT_EQ(window.grid(ViewId::Primary)->table()->currentIndex().row(), 0);
}

}  // namespace
}  // namespace twinscan::ui::testing
