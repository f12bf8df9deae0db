// The main window: start-up, menu, grids with their columns, cells, sort and
// position labels, the layout as it grows, and the grids' aids.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QTest>
#include <array>

#include "store/startup.h"
#include "tests/ui/ui_test_support.h"
#include "ui/data_grid.h"
#include "ui/grid_model.h"
#include "ui/header_sort.h"
#include "ui/position_label.h"
#include "ui/status_panels.h"
#include "ui/twips.h"

namespace twinscan::ui::testing {
namespace {

TEST_F(WindowTest, StartsWithEmptyLabelsCaptionsAndHiddenCancel) {
  for (auto [panel, text] : {std::pair{1, "(ff) 0"}, {2, "(sf) 0"}, {3, "(re) 0"}, {4, ""}, {5, ""}, {6, ""}})
    EXPECT_EQ(Status(panel), text) << panel;
  EXPECT_TRUE(window_->windowTitle().startsWith("Comparing Two Vienna Files"));
  EXPECT_EQ(Grid(ViewId::Primary)->caption().toStdString(), "List of Entries to be Compared (ff)");
  EXPECT_EQ(Grid(ViewId::Secondary)->caption().toStdString(), "List of Entries to Compare with (sf)");
  EXPECT_EQ(Grid(ViewId::Result)->caption().toStdString(), "Result of Compare (re)");
  EXPECT_FALSE(CancelButton()->isVisible());
  EXPECT_EQ(CancelButton()->text().toStdString(), "Cancel Compare");
}

TEST_F(WindowTest, MenuItemsCarryTheirCaptionsAndStates) {
  // Menus (by their menu action) and commands in menu-bar order; nullptr: a separator.
  struct Item {
    const char* name;
    const char* caption;
    bool enabled;
    const char* shortcut = "";
  } items[] = {{"M_FILE", "&File", true},
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
               {"M_ABOUT", "&About", true}};
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
  for (bool manual : {true, false}) {
    Command("M_MANUALCOMP")->trigger();
    EXPECT_EQ(Command("M_MANUALCOMP")->isChecked(), manual);
    EXPECT_EQ(Command("M_AUTOCOMP")->isEnabled(), !manual);
  }
  Command("M_VALCHECK1")->trigger();  // the validation checks stay greyed out
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
  } columns[] = {{ViewId::Primary, 0, "linenumber", 700},
                 {ViewId::Primary, 24, "13Z", 5100},
                 {ViewId::Primary, 31, "ermsg", 3100},
                 {ViewId::Primary, 35, "4CLAT", 200},
                 {ViewId::Secondary, 0, "linenumber", 700},
                 {ViewId::Secondary, 24, "13Z", 5100},
                 {ViewId::Result, 1, "linenumber2", 930},
                 {ViewId::Result, 29, "2W", 1740},
                 {ViewId::Result, 31, "13X", 1500},
                 {ViewId::Result, 32, "ACCEPTFIRST", 1230},
                 {ViewId::Result, 35, "REFERENCE_TO_DB", 2000}};
  for (ViewId id : {ViewId::Primary, ViewId::Secondary, ViewId::Result})
    EXPECT_EQ(Grid(id)->model()->columnCount(), 36);
  // Widths stay after the views are re-read (and after a result was written).
  Insert("TABLERESULT", {{"linenumber", "1"}, {"linenumber2", "2"}});
  for (bool reread : {false, true}) {
    if (reread) window_->views().RefreshAll();
    for (const Column& c : columns) {
      EXPECT_EQ(Grid(c.grid)->model()->ColumnName(c.index).toStdString(), c.caption);
      EXPECT_EQ(Grid(c.grid)->table()->columnWidth(c.index), Twips(c.twips)) << c.caption << " reread " << reread;
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
  EXPECT_EQ(Cell(ViewId::Secondary, 0, 0), "3");  // the other grid was re-read in its own order
  EXPECT_EQ(Status(1), "(ff)  1 of  3");
}

TEST_F(WindowTest, TheSortedColumnShowsTheIndicator) {
  for (int i = 1; i <= 3; ++i) Insert("TABLE1", {{"linenumber", std::to_string(i)}});
  window_->views().RefreshAll();
  QHeaderView* header = Grid(ViewId::Primary)->table()->horizontalHeader();
  EXPECT_FALSE(header->isSortIndicatorShown());  // the start order is no choice of the user
  for (auto [click, order] : {std::pair{24, Qt::AscendingOrder},
                              {24, Qt::DescendingOrder},
                              {0, Qt::DescendingOrder},
                              {0, Qt::AscendingOrder}}) {
    ClickHeader(ViewId::Primary, click);
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(header->sortIndicatorSection(), click);
    EXPECT_EQ(header->sortIndicatorOrder(), order) << click;
  }
  // A full compare puts the view back to its start order.
  ClickHeader(ViewId::Primary, 24);
  Command("M_AUTOCOMP")->trigger();
  EXPECT_FALSE(header->isSortIndicatorShown());
  EXPECT_FALSE(Grid(ViewId::Secondary)->table()->horizontalHeader()->isSortIndicatorShown());
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
  EXPECT_EQ(prompter.messages, std::vector<std::string>{store::MustBeInMessage(dir / "data")});
}

TEST(WindowStartTest, GridsOverStoredRowsShowTheLabelledRowAsCurrent) {
  twinscan::testing::TempDir dir;
  twinscan::testing::CreateTestDatabase(dir.path())->Execute("INSERT INTO TABLE1 (linenumber) VALUES (1), (2)");
  AnsweringPrompter prompter;
  MainWindow window(prompter);
  ASSERT_TRUE(window.Start(dir.path(), dir / "no-pristine.db"));
  EXPECT_EQ(Child<StatusPanels>(&window, "StatusBar1")->text(1).toStdString(), "(ff)  1 of  2");
  EXPECT_EQ(Child<DataGrid>(&window, "DataGrid1")->table()->currentIndex().row(), 0);
}

TEST_F(WindowTest, ModelKeepsItsRowsUntilResetAndPaintsVanishedRowsEmpty) {
  for (int i = 1; i <= 5; ++i) Insert("TABLE1", {{"linenumber", std::to_string(i)}});
  window_->views().RefreshAll();
  GridModel* model = Grid(ViewId::Primary)->model();
  ASSERT_EQ(model->rowCount(), 5);
  // The view shrinks without telling the grid (as between a re-open and its notice).
  window_->database().Execute("DELETE FROM TABLE1 WHERE linenumber > 2");
  window_->views().primary().Refresh();
  EXPECT_EQ(model->rowCount(), 5);
  EXPECT_EQ(Cell(ViewId::Primary, 4, 0), "");
  EXPECT_EQ(Cell(ViewId::Primary, 1, 0), "2");
  Grid(ViewId::Primary)->repaint();
  model->Reset();
  EXPECT_EQ(model->rowCount(), 2);
}

TEST_F(WindowTest, LongCaptionIsShortenedForTheBarButKeptWhole) {
  QString path = "/a/very/long/folder/name/that/goes/on" + QString(300, 'x') + "/primary.txt";
  DataGrid* grid = Grid(ViewId::Primary);
  grid->SetCaption(QString(kPrimaryCaption) + " " + path);
  EXPECT_TRUE(grid->caption().endsWith(path));
  auto* bar = grid->findChild<QLabel*>();
  ASSERT_NE(bar, nullptr);
  EXPECT_LE(bar->fontMetrics().horizontalAdvance(bar->text()), bar->width());
  EXPECT_EQ(bar->toolTip(), grid->caption());
}

TEST(StatusPanelsTest, LongPositionLabelsWidenTheirPanelWithoutOverlap) {
  StatusPanels panels;
  panels.resize(Twips(12765), Twips(255));
  EXPECT_EQ(panels.panel(1)->width(), Twips(1440));
  EXPECT_EQ(panels.panel(6)->width(), Twips(5000));
  panels.SetText(1, "(ff)  1000000 of  1000000");
  panels.SetText(2, "(sf)  999999 of  1000000");
  for (int p : {1, 2})
    EXPECT_GE(panels.panel(p)->width(), panels.panel(p)->fontMetrics().horizontalAdvance(panels.text(p))) << p;
  for (int p = 1; p < 6; ++p) EXPECT_LE(panels.panel(p)->geometry().right(), panels.panel(p + 1)->x()) << p;
  EXPECT_EQ(panels.panel(6)->width(), Twips(5000));
  EXPECT_EQ(panels.text(1).toStdString(), "(ff)  1000000 of  1000000");
}

// Resizes the client area and lets the window lay out.
class GrowthTest : public WindowTest {
 protected:
  void ResizeClient(QSize size) {
    window_->resize(size + (window_->size() - window_->centralWidget()->size()));
    QCoreApplication::processEvents();
  }
};

TEST_F(GrowthTest, ControlsStayInsideAndTheGridsShareTheRoom) {
  constexpr int kWorkbench = 600;  // the run line and the filter bar above the result grid
  QSize start(Twips(12765), Twips(8175 + kWorkbench));
  EXPECT_EQ(window_->centralWidget()->size(), start);
  EXPECT_EQ(window_->centralWidget()->minimumSize(), start);
  EXPECT_EQ(Grid(ViewId::Secondary)->geometry(), QRect(0, Twips(2760), Twips(12735), Twips(2775)));
  EXPECT_EQ(CancelButton()->geometry(), QRect(Twips(10200), 0, Twips(2415), Twips(255)));

  for (QSize size : {QSize(100, 100), start * 2, QSize(start.width() * 3 / 2, start.height())}) {
    ResizeClient(size);
    QSize client = window_->centralWidget()->size();
    ASSERT_GE(client.width(), start.width());
    ASSERT_GE(client.height(), start.height());
    for (QWidget* control : window_->centralWidget()->findChildren<QWidget*>()) {
      if (!control->isVisibleTo(window_.get())) continue;
      QRect place(control->mapTo(window_->centralWidget(), QPoint(0, 0)), control->size());
      EXPECT_TRUE(QRect(QPoint(0, 0), client).contains(place))
          << control->objectName().toStdString() << " at " << client.width() << "x" << client.height();
    }
    // The grids stack without gaps and use the gained height; the status
    // bar stays at the bottom, the cancel button at the right.
    QRect g1 = Grid(ViewId::Primary)->geometry(), g2 = Grid(ViewId::Secondary)->geometry(),
          g3 = Grid(ViewId::Result)->geometry();
    QRect status = window_->centralWidget()->findChild<QWidget*>("StatusBar1")->geometry();
    EXPECT_LE(g2.top(), g1.bottom() + 1);
    EXPECT_LE(g3.top(), g2.bottom() + 1 + Twips(kWorkbench));
    EXPECT_LE(status.top(), g3.bottom() + 1);
    EXPECT_EQ(status.bottom(), client.height() - 1);
    EXPECT_EQ(g1.width(), client.width() - (start.width() - Twips(12735)));
    EXPECT_NEAR(g1.height() + g2.height() + g3.height(), Twips(2775 * 2 + 2415) + client.height() - start.height(), 2);
    EXPECT_EQ(CancelButton()->geometry().right(), client.width() - 1 - (start.width() - Twips(12615)));
  }
}

TEST_F(WindowTest, EmptyGridsShowWhatToDoFirst) {
  auto hint = [this](ViewId id) { return Grid(id)->table()->viewport()->findChild<QLabel*>(); };
  struct Case {
    ViewId grid;
    const char* table;
    const char* says;
  } cases[] = {{ViewId::Primary, "TABLE1", "Import Primary File"},
               {ViewId::Secondary, "TABLE2", "Import Secondary File"},
               {ViewId::Result, "TABLERESULT", "Full Autocompare (F5)"}};
  for (const Case& c : cases) {
    ASSERT_TRUE(hint(c.grid));
    EXPECT_TRUE(hint(c.grid)->isVisible());
    EXPECT_TRUE(hint(c.grid)->text().contains(c.says)) << c.says;
    Insert(c.table, {{"linenumber", "1"}});
  }
  window_->views().RefreshAll();
  for (const Case& c : cases) EXPECT_FALSE(hint(c.grid)->isVisible()) << c.table;
}

TEST_F(WindowTest, CutCellsShowTheirWholeText) {
  Insert("TABLE1", {{"linenumber", "7"}, {"6A", "'" + std::string(60, 'W') + "'"}});
  window_->views().RefreshAll();
  QTableView* table = Grid(ViewId::Primary)->table();
  QPoint line = table->visualRect(table->model()->index(0, 0)).center();
  QPoint name = table->visualRect(table->model()->index(0, 3)).center();
  EXPECT_EQ(Grid(ViewId::Primary)->CutTextAt(line), "");
  EXPECT_EQ(Grid(ViewId::Primary)->CutTextAt(name).toStdString(), std::string(60, 'W'));
  table->setColumnWidth(3, table->fontMetrics().horizontalAdvance(QString(60, 'W')) + 20);
  EXPECT_EQ(Grid(ViewId::Primary)->CutTextAt(name), "");
}

TEST_F(WindowTest, CtrlCCopiesTheSelectedRowsUnderAHeaderLine) {
  for (int i = 1; i <= 4; ++i)
    Insert("TABLE2", {{"linenumber", std::to_string(i)}, {"6A", i == 3 ? "'A\tB'" : "'S" + std::to_string(i) + "'"}});
  window_->views().RefreshAll();
  QTableView* table = Grid(ViewId::Secondary)->table();
  ClickRow(ViewId::Secondary, 2);
  QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ControlModifier,
                    table->visualRect(table->model()->index(0, 0)).center());
  QApplication::clipboard()->clear();
  QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
  QStringList lines = QApplication::clipboard()->text().split('\n');
  ASSERT_EQ(lines.size(), 4) << QApplication::clipboard()->text().toStdString();  // header, two rows, ""
  QStringList header = lines[0].split('\t');
  EXPECT_EQ(header.size(), Grid(ViewId::Secondary)->model()->columnCount());
  EXPECT_EQ(header.mid(0, 4), (QStringList{"linenumber", "1A", "1Z", "6A"}));
  // Rows in grid order, every column present; a tab inside a value does not split it.
  for (auto [line, number, station] : {std::tuple{1, "1", "S1"}, {2, "3", "A B"}}) {
    QStringList cells = lines[line].split('\t');
    ASSERT_EQ(cells.size(), header.size());
    EXPECT_EQ(cells[0], number);
    EXPECT_EQ(cells[3], station);
  }
  EXPECT_EQ(lines[3], "");
}

// The position label of a filtered result and the header sort, on views over
// a test database (no window).
class ViewsTest : public ::testing::Test {
 protected:
  twinscan::testing::TempDir dir_;
  SilentUserInterface ui_;
  std::unique_ptr<store::Database> db_ = twinscan::testing::CreateTestDatabase(dir_.path());
  store::Views views_{*db_, ui_};
};

TEST_F(ViewsTest, EmptyResultOfOnePrimaryLineReadsQuestionMarks) {
  views_.ReopenFiltered(ViewId::Result, "linenumber = ?", {store::Value{int64_t{7}}}, "");
  EXPECT_EQ(PositionLabel(views_.result()), "(re) ??");
  views_.ReopenFiltered(ViewId::Secondary, "\"1A\" = 1", {}, "");  // an empty candidate list is just empty
  EXPECT_EQ(PositionLabel(views_.secondary()), "(sf) 0");
  views_.RefreshAll();
  EXPECT_EQ(PositionLabel(views_.result()), "(re) 0");
}

TEST_F(ViewsTest, HeaderClicksSortAndReverse) {
  // Each step clicks a column (nullptr: a full compare puts the view back to
  // linenumber ASC), then expects the sort column and direction.
  using Steps = std::vector<std::array<const char*, 3>>;
  struct Sequence {
    const char* name;
    Steps steps;
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
    store::View& view = views_.primary();
    HeaderSort sort;
    auto runRestores = [&view] {
      view.sortColumn = "linenumber";
      view.sortDirection = store::SortDirection::Ascending;
    };
    runRestores();
    for (const auto& [click, column, direction] : s.steps) {
      if (click)
        sort.Click(view, click);
      else
        runRestores();
      EXPECT_EQ(view.sortColumn, column) << s.name;
      EXPECT_STREQ(store::SqlKeyword(view.sortDirection), direction) << s.name;
    }
  }
}

}  // namespace
}  // namespace twinscan::ui::testing
