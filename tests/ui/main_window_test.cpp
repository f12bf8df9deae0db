// The main window: start-up, menu, grids with their columns, cells, sort and
// position labels, the layout as it grows, the grids' aids, and what the
// window keeps across runs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>

#include "store/imports.h"
#include "store/startup.h"
#include "tests/ui/ui_test_support.h"
#include "ui/data_grid.h"
#include "ui/grid_model.h"
#include "ui/position_label.h"
#include "ui/status_panels.h"
#include "ui/twips.h"
#include "ui/user_guide.h"
#include "ui/user_settings.h"

namespace twinscan::ui::testing {
namespace {

TEST_F(WindowTest, StartsWithEmptyLabelsAndGreysOutWhatCannotRun) {
  for (auto [panel, text] : {std::pair{1, "(ff) 0"}, {2, "(sf) 0"}, {3, "(re) 0"}, {4, ""}, {5, ""}, {6, ""}})
    EXPECT_EQ(Status(panel), text) << panel;
  EXPECT_FALSE(CancelButton()->isVisible());
  for (const char* greyed : {"M_VALCHECK1", "M_VALCHECK2", "M_CANCELCOMP"})
    EXPECT_FALSE(Command(greyed)->isEnabled()) << greyed;
  // Manual mode greys out the full compare; the validation checks stay greyed out.
  EXPECT_TRUE(Command("M_MANUALCOMP")->isCheckable());
  for (bool manual : {true, false}) {
    Command("M_MANUALCOMP")->trigger();
    EXPECT_EQ(Command("M_MANUALCOMP")->isChecked(), manual);
    EXPECT_EQ(Command("M_AUTOCOMP")->isEnabled(), !manual);
  }
  Command("M_VALCHECK1")->trigger();
  EXPECT_FALSE(Command("M_VALCHECK1")->isEnabled());
  // About names the versions, the data directory and the guide.
  Command("M_ABOUT")->trigger();
  ASSERT_EQ(prompter_.messages.size(), 1u);
  QString text = QString::fromStdString(prompter_.messages[0]);
  for (QString part : {QString("Help > User Guide"), QString("Qt ") + qVersion(), QString("SQLite 3."),
                       QString::fromStdString("Data directory: " + dataDir().string())})
    EXPECT_TRUE(text.contains(part)) << part.toStdString() << "\n" << text.toStdString();
}

// Columns keep their widths after the views are re-read; cells show dates,
// booleans and nulls as the grid shows them.
TEST_F(WindowTest, GridsHaveTheirColumnsWidthsAndCells) {
  const std::tuple<ViewId, int, const char*, int> columns[] = {{ViewId::Primary, 0, "linenumber", 700},
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
  Insert("TABLERESULT", {{"linenumber", "1"}, {"linenumber2", "2"}});
  Insert("TABLE1", {{"linenumber", "1"}, {"2C", "'2001-07-01'"}, {"error", "1"}});
  Insert("TABLE1", {{"linenumber", "2"}});
  for (bool reread : {false, true}) {
    if (reread) window_->views().RefreshAll();
    for (const auto& [grid, index, caption, twips] : columns) {
      EXPECT_EQ(Grid(grid)->model()->ColumnName(index).toStdString(), caption);
      EXPECT_EQ(Grid(grid)->table()->columnWidth(index), Twips(twips)) << caption << " reread " << reread;
    }
  }
  EXPECT_EQ(Cell(ViewId::Primary, 0, 7), "01/07/2001");
  EXPECT_EQ(Cell(ViewId::Primary, 0, 30), "True");
  EXPECT_EQ(Cell(ViewId::Primary, 1, 7), "");
}

// A click on a new column sorts by it in the direction used last, a repeat
// reverses; the indicator shows it, and all three grids are re-read.
TEST_F(WindowTest, HeaderClicksSortTheirGridAndShowTheIndicator) {
  for (int i = 1; i <= 3; ++i) {
    Insert("TABLE1", {{"linenumber", std::to_string(i)}, {"13Z", "'R" + std::to_string(4 - i) + "'"}});
    Insert("TABLE2", {{"linenumber", std::to_string(i)}});
  }
  window_->views().RefreshAll();
  QHeaderView* header = Grid(ViewId::Primary)->table()->horizontalHeader();
  EXPECT_FALSE(header->isSortIndicatorShown());  // the start order is no choice of the user
  ClickHeader(ViewId::Secondary, 0);             // linenumber: unchanged, ...
  ClickHeader(ViewId::Secondary, 0);             // ... then reversed
  EXPECT_EQ(Cell(ViewId::Secondary, 0, 0), "3");
  const std::tuple<int, Qt::SortOrder, const char*> clicks[] = {
      {24, Qt::AscendingOrder, "R1"}, {24, Qt::DescendingOrder, "R3"}, {0, Qt::DescendingOrder, "R1"},
      {0, Qt::AscendingOrder, "R3"},  {24, Qt::AscendingOrder, "R1"},  {24, Qt::DescendingOrder, "R3"}};
  for (auto [column, order, first13Z] : clicks) {
    ClickHeader(ViewId::Primary, column);
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(header->sortIndicatorSection(), column);
    EXPECT_EQ(header->sortIndicatorOrder(), order) << column;
    EXPECT_EQ(Cell(ViewId::Primary, 0, 24), first13Z) << column;
    EXPECT_EQ(Cell(ViewId::Secondary, 0, 0), "3");  // the other grid keeps its own order
  }
  EXPECT_EQ(Status(1), "(ff)  1 of  3");
  // A full compare puts the views back to their start order; the column
  // clicked before then sorts by it again, not reversed.
  Command("M_AUTOCOMP")->trigger();
  EXPECT_FALSE(header->isSortIndicatorShown());
  ClickHeader(ViewId::Primary, 24);
  EXPECT_EQ(header->sortIndicatorSection(), 24);
  EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
  EXPECT_EQ(Cell(ViewId::Primary, 0, 24), "R1");
}

TEST_F(WindowTest, PositionLabelFollowsTheCurrentRow) {
  for (int i = 1; i <= 120; ++i) Insert("TABLE1", {{"linenumber", std::to_string(i)}});
  window_->views().RefreshAll();
  EXPECT_EQ(Status(1), "(ff)  1 of  120");
  ClickRow(ViewId::Primary, 2);
  EXPECT_EQ(Status(1), "(ff)  3 of  120");
  EXPECT_EQ(window_->views().primary().CurrentRow(), 2);
  window_->views().SetCurrentRow(ViewId::Primary, 99);  // moved by the program
  EXPECT_EQ(Grid(ViewId::Primary)->table()->currentIndex().row(), 99);
  EXPECT_EQ(Status(1), "(ff)  100 of  120");
}

TEST(WindowStartTest, MissingDatabasesStopAndStoredRowsShowTheLabelledRowAsCurrent) {
  twinscan::testing::TempDir dir;
  AnsweringPrompter prompter;
  EXPECT_FALSE(MainWindow(prompter).Start(dir / "data", dir / "no-such.db"));
  EXPECT_EQ(prompter.messages, std::vector<std::string>{store::MustBeInMessage(dir / "data")});
  twinscan::testing::CreateTestDatabase(dir.path())->Execute("INSERT INTO TABLE1 (linenumber) VALUES (1), (2)");
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
  auto* bar = Child<QLabel>(grid, QString());
  EXPECT_LE(bar->fontMetrics().horizontalAdvance(bar->text()), bar->width());
  EXPECT_EQ(bar->toolTip(), grid->caption());
}

TEST(StatusPanelsTest, LongPositionLabelsWidenTheirPanelWithoutOverlap) {
  StatusPanels panels;
  panels.resize(Twips(12765), Twips(255));
  EXPECT_EQ(panels.panel(1)->width(), Twips(1440));
  panels.SetText(1, "(ff)  1000000 of  1000000");
  panels.SetText(2, "(sf)  999999 of  1000000");
  for (int p : {1, 2})
    EXPECT_GE(panels.panel(p)->width(), panels.panel(p)->fontMetrics().horizontalAdvance(panels.text(p))) << p;
  for (int p = 1; p < 6; ++p) EXPECT_LE(panels.panel(p)->geometry().right(), panels.panel(p + 1)->x()) << p;
  EXPECT_EQ(panels.panel(6)->width(), Twips(5000));
  EXPECT_EQ(panels.text(1).toStdString(), "(ff)  1000000 of  1000000");
}

TEST_F(WindowTest, ControlsStayInsideAsTheWindowGrowsAndTheGridsShareTheRoom) {
  constexpr int kWorkbench = 600;  // the run line and the filter bar above the result grid
  QSize start(Twips(12765), Twips(8175 + kWorkbench));
  EXPECT_EQ(window_->centralWidget()->size(), start);
  EXPECT_EQ(window_->centralWidget()->minimumSize(), start);
  EXPECT_EQ(Grid(ViewId::Secondary)->geometry(), QRect(0, Twips(2760), Twips(12735), Twips(2775)));
  EXPECT_EQ(CancelButton()->geometry(), QRect(Twips(10200), 0, Twips(2415), Twips(255)));
  for (QSize size : {QSize(100, 100), start * 2, QSize(start.width() * 3 / 2, start.height())}) {
    window_->resize(size + (window_->size() - window_->centralWidget()->size()));
    QCoreApplication::processEvents();
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

// A cut cell shows its whole text on hover; Ctrl+C copies the selected rows
// in grid order under a header line, a tab inside a value not splitting it.
TEST_F(WindowTest, CutCellsShowTheirWholeTextAndCtrlCCopiesTheSelectedRows) {
  for (int i = 1; i <= 4; ++i)
    Insert("TABLE2", {{"linenumber", std::to_string(i)}, {"6A", i == 3 ? "'A\tB'" : "'S" + std::to_string(i) + "'"}});
  Insert("TABLE2", {{"linenumber", "7"}, {"6A", "'" + std::string(60, 'W') + "'"}});
  window_->views().RefreshAll();
  QTableView* table = Grid(ViewId::Secondary)->table();
  QPoint line = table->visualRect(table->model()->index(4, 0)).center();
  QPoint name = table->visualRect(table->model()->index(4, 3)).center();
  EXPECT_EQ(Grid(ViewId::Secondary)->CutTextAt(line), "");
  EXPECT_EQ(Grid(ViewId::Secondary)->CutTextAt(name).toStdString(), std::string(60, 'W'));
  table->setColumnWidth(3, table->fontMetrics().horizontalAdvance(QString(60, 'W')) + 20);
  EXPECT_EQ(Grid(ViewId::Secondary)->CutTextAt(name), "");

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
  for (auto [line, number, station] : {std::tuple{1, "1", "S1"}, {2, "3", "A B"}}) {
    QStringList cells = lines[line].split('\t');
    ASSERT_EQ(cells.size(), header.size());
    EXPECT_EQ(cells[0], number);
    EXPECT_EQ(cells[3], station);
  }
  EXPECT_EQ(lines[3], "");
}

// The position label of a filtered result: an empty result of one primary
// line reads question marks, an empty candidate list is just empty.
TEST(PositionLabelTest, EmptyResultOfOnePrimaryLineReadsQuestionMarks) {
  twinscan::testing::TempDir dir;
  SilentUserInterface ui;
  std::unique_ptr<store::Database> db = twinscan::testing::CreateTestDatabase(dir.path());
  store::Views views{*db, ui};
  views.ReopenFiltered(ViewId::Result, "linenumber = ?", {store::Value{int64_t{7}}}, "");
  EXPECT_EQ(PositionLabel(views.result()), "(re) ??");
  views.ReopenFiltered(ViewId::Secondary, "\"1A\" = 1", {}, "");
  EXPECT_EQ(PositionLabel(views.secondary()), "(sf) 0");
  views.RefreshAll();
  EXPECT_EQ(PositionLabel(views.result()), "(re) 0");
}

// What the window keeps across runs (a scratch settings path of its own), and its keys.
class RememberedTest : public WindowTest {
 protected:
  RememberedTest() {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromStdString((dir_ / "settings").string()));
  }
  // A second run of the program on the same data directory and settings.
  std::unique_ptr<MainWindow> Restart(AnsweringPrompter& prompter) {
    window_->close();
    window_.reset();
    auto window = std::make_unique<MainWindow>(prompter);
    EXPECT_TRUE(window->Start(dataDir(), twinscan::testing::PristineDatabase()));
    return window;
  }
  std::string Caption(MainWindow& window, const char* grid) {
    return Child<DataGrid>(&window, grid)->caption().toStdString();
  }
};

TEST_F(RememberedTest, FoldersRecentFilesGeometryAndCaptionsOutlastARestart) {
  std::filesystem::create_directories(dir_ / "a");
  std::filesystem::create_directories(dir_ / "b");
  QString first = WriteViennaFile("a/one.txt", {BaseRecord()});
  QString second = WriteViennaFile("b/two.txt", {BaseRecord()});
  QString third = WriteViennaFile("a/three.txt", {BaseRecord()});
  prompter_.files = {first, second, third};
  Command("M_FIRSTFILE")->trigger();
  Command("M_SECFILE")->trigger();
  Command("M_FIRSTFILE")->trigger();
  // The first dialog of each kind opens anywhere, later ones where the last one ended.
  EXPECT_EQ(prompter_.directories, (QStringList{"", "", QString::fromStdString((dir_ / "a").string())}));
  window_->resize(window_->size() + QSize(120, 80));
  QSize grown = window_->size();

  AnsweringPrompter again;
  std::unique_ptr<MainWindow> window = Restart(again);
  window->RestoreGeometry();
  EXPECT_EQ(window->size(), grown);
  EXPECT_EQ(Caption(*window, "DataGrid1"), "List of Entries to be Compared (ff) " + third.toStdString());
  EXPECT_EQ(Caption(*window, "DataGrid2"), "List of Entries to Compare with (sf) " + second.toStdString());
  UserSettings user;
  EXPECT_EQ(user.RecentFiles(FileTag::ff), (QStringList{third, first}));
  EXPECT_EQ(user.RecentFiles(FileTag::sf), (QStringList{second}));
  EXPECT_EQ(user.LastDirectory(FileTag::sf), QString::fromStdString((dir_ / "b").string()));

  // File > Recent Files imports a listed file without asking; the compare
  // options started from their start values all the same.
  EXPECT_EQ(window->settings().compareMode(field::k1Z), CompareMode::NonCritical);
  QMenu* recent = Child<QMenu>(window.get(), "M_RECENT");
  emit recent->aboutToShow();
  QList<QAction*> primaries = recent->findChildren<QAction*>("M_RECENT_FF");
  ASSERT_EQ(primaries.size(), 2);
  for (QAction* a : primaries)
    if (a->text() == first) a->trigger();
  EXPECT_TRUE(again.filters.empty());
  EXPECT_EQ(Caption(*window, "DataGrid1"), "List of Entries to be Compared (ff) " + first.toStdString());
  EXPECT_EQ(UserSettings().RecentFiles(FileTag::ff), (QStringList{first, third}));
}

TEST_F(RememberedTest, RecentFilesKeepTheNewestFiveOnce) {
  UserSettings user;
  for (int i = 1; i <= 7; ++i) user.Imported(FileTag::ff, QString("/d/%1.txt").arg(i));
  user.Imported(FileTag::ff, "/d/5.txt");
  EXPECT_EQ(user.RecentFiles(FileTag::ff), (QStringList{"/d/5.txt", "/d/7.txt", "/d/6.txt", "/d/4.txt", "/d/3.txt"}));
  EXPECT_TRUE(user.RecentFiles(FileTag::sf).isEmpty());
}

TEST_F(RememberedTest, AnOlderDatabaseWithoutTheImportsTableGetsIt) {
  window_->database().Execute("DROP TABLE IMPORTS");
  AnsweringPrompter again;
  std::unique_ptr<MainWindow> window = Restart(again);
  EXPECT_TRUE(again.messages.empty());
  EXPECT_EQ(Caption(*window, "DataGrid1"), "List of Entries to be Compared (ff)");
  EXPECT_EQ(store::ImportedPath(window->database(), "ff"), std::nullopt);
}

TEST_F(RememberedTest, ShortcutsRunTheirCommands) {
  Activate();
  QTest::keyClick(window_.get(), Qt::Key_F1);  // the user guide on its first page
  auto* guide = window_->findChild<UserGuideWindow*>("UserGuide");
  ASSERT_TRUE(guide);
  EXPECT_TRUE(guide->isVisible());
  EXPECT_EQ(guide->browser()->source().toString(), kUserGuideSource);
  EXPECT_TRUE(guide->browser()->toPlainText().contains("Compare Modes"));
  Activate();
  QTest::keyClick(window_.get(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(window_->isVisible());
  EXPECT_FALSE(guide->isVisible());
}

}  // namespace
}  // namespace twinscan::ui::testing
