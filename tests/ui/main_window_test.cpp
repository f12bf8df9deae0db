// The main window: start-up, menu, grids, sort and position labels, and what
// it keeps across runs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QMenu>
#include <QSettings>
#include <QTableView>
#include <QTest>

#include "store/imports.h"
#include "store/startup.h"
#include "tests/ui/ui_test_support.h"
#include "ui/data_grid.h"
#include "ui/grid_model.h"
#include "ui/position_label.h"
#include "ui/status_panels.h"
#include "ui/user_settings.h"

namespace twinscan::ui::testing {
namespace {

TEST_F(WindowTest, StartsWithEmptyLabelsAndGreysOutWhatCannotRun) {
  EXPECT_EQ(Panels() + "|" + Status(4) + Status(5), "(ff) 0 | (sf) 0 | (re) 0 | |");
  EXPECT_FALSE(CancelButton()->isVisible());
  EXPECT_FALSE(Command("M_VALCHECK1")->isEnabled() || Command("M_CANCELCOMP")->isEnabled());
  for (bool manual : {true, false}) {  // manual mode greys out the full compare
    Command("M_MANUALCOMP")->trigger();
    EXPECT_EQ(Command("M_MANUALCOMP")->isChecked(), manual);
    EXPECT_EQ(Command("M_AUTOCOMP")->isEnabled(), !manual);
  }
  Command("M_ABOUT")->trigger();
  EXPECT_NE(prompter_.messages.at(0).find("Data directory: " + dataDir().string()), std::string::npos);
}

// A click on a new column sorts by it in the direction used last, a repeat
// reverses; the other grid keeps its own order.
TEST_F(WindowTest, HeaderClicksSortTheirGridAndShowTheIndicator) {
  for (int i = 1; i <= 3; ++i) {
    Insert("TABLE1", {{"linenumber", std::to_string(i)}, {"13Z", "'R" + std::to_string(4 - i) + "'"}});
    Insert("TABLE2", {{"linenumber", std::to_string(i)}});
  }
  window_->views().RefreshAll();
  QHeaderView* header = Grid(ViewId::Primary)->table()->horizontalHeader();
  ClickHeader(ViewId::Secondary, 0);
  ClickHeader(ViewId::Secondary, 0);  // the other grid's order stays its own
  const std::tuple<int, Qt::SortOrder, const char*> clicks[] = {{24, Qt::AscendingOrder, "R1"},
                                                                {24, Qt::DescendingOrder, "R3"},
                                                                {0, Qt::DescendingOrder, "R1"},
                                                                {0, Qt::AscendingOrder, "R3"},
                                                                {24, Qt::AscendingOrder, "R1"}};
  for (auto [column, order, first13Z] : clicks) {
    ClickHeader(ViewId::Primary, column);
    EXPECT_TRUE(header->isSortIndicatorShown() && header->sortIndicatorSection() == column);
    EXPECT_EQ(header->sortIndicatorOrder(), order) << column;
    EXPECT_EQ(Cell(ViewId::Primary, 0, 24) + Cell(ViewId::Secondary, 0, 0), first13Z + std::string("3")) << column;
  }
  EXPECT_EQ(Status(1), "(ff)  3 of  3");  // the current record kept: line 1, R3
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

// The view shrinks without telling the grid (as between a re-open and its notice).
TEST_F(WindowTest, ModelKeepsItsRowsUntilResetAndPaintsVanishedRowsEmpty) {
  for (int i = 1; i <= 5; ++i) Insert("TABLE1", {{"linenumber", std::to_string(i)}, {"2C", "'2001-07-01'"}});
  window_->views().RefreshAll();
  GridModel* model = Grid(ViewId::Primary)->model();
  EXPECT_EQ(Cell(ViewId::Primary, 0, 7), "01/07/2001");
  window_->database().Execute("DELETE FROM TABLE1 WHERE linenumber > 2");
  window_->views().primary().Refresh();
  EXPECT_EQ(model->rowCount(), 5);
  EXPECT_EQ(Cell(ViewId::Primary, 4, 0) + "|" + Cell(ViewId::Primary, 1, 0), "|2");
  Grid(ViewId::Primary)->repaint();
  model->Reset();
  EXPECT_EQ(model->rowCount(), 2);
}

// A cut cell shows its whole text on hover; Ctrl+C copies the selected rows
// in grid order under a header line, a tab inside a value not splitting it.
TEST_F(WindowTest, CutCellsShowTheirWholeTextAndCtrlCCopiesTheSelectedRows) {
  for (int i = 1; i <= 4; ++i)
    Insert("TABLE2", {{"linenumber", std::to_string(i)}, {"6A", i == 3 ? "'A\tB'" : "'S" + std::to_string(i) + "'"}});
  Insert("TABLE2", {{"linenumber", "7"}, {"6A", "'" + std::string(60, 'W') + "'"}});
  window_->views().RefreshAll();
  QTableView* table = Grid(ViewId::Secondary)->table();
  QPoint name = table->visualRect(table->model()->index(4, 3)).center();
  EXPECT_EQ(Grid(ViewId::Secondary)->CutTextAt(name).toStdString(), std::string(60, 'W'));
  ClickRow(ViewId::Secondary, 2);
  QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ControlModifier,
                    table->visualRect(table->model()->index(0, 0)).center());
  QApplication::clipboard()->clear();
  QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
  QStringList cells;  // of the header and the two rows: the first four, and how many tabs
  for (const QString& line : QApplication::clipboard()->text().split('\n'))
    cells << line.split('\t').mid(0, 4).join(',') + " " + QString::number(line.count('\t'));
  EXPECT_EQ(cells.join('|').toStdString(), "linenumber,1A,1Z,6A 35|1,,,S1 35|3,,,A B 35| 0");
}

TEST_F(WindowTest, PositionLabelOfAnEmptyResultOfOnePrimaryLineReadsQuestionMarks) {
  store::Views& views = window_->views();
  views.ReopenFiltered(ViewId::Result, "linenumber = ?", {store::Value{int64_t{7}}}, "");
  EXPECT_EQ(PositionLabel(views.result()), "(re) ??");
  views.ReopenFiltered(ViewId::Secondary, "\"1A\" = 1", {}, "");
  EXPECT_EQ(PositionLabel(views.secondary()), "(sf) 0");
}

// What the window keeps across runs (a scratch settings path of its own), and its keys.
class RememberedTest : public WindowTest {
 protected:
  RememberedTest() {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromStdString((dir_ / "settings").string()));
  }
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

TEST_F(RememberedTest, FoldersRecentFilesAndCaptionsOutlastARestart) {
  for (const char* folder : {"a", "b"}) std::filesystem::create_directories(dir_ / folder);
  QString first = WriteViennaFile("a/one.txt", {BaseRecord()});
  QString second = WriteViennaFile("b/two.txt", {BaseRecord()});
  QString third = WriteViennaFile("a/three.txt", {BaseRecord()});
  prompter_.files = {first, second, third};
  Command("M_FIRSTFILE")->trigger();
  Command("M_SECFILE")->trigger();
  Command("M_FIRSTFILE")->trigger();
  // The first dialog of each kind opens anywhere, later ones where the last one ended.
  EXPECT_EQ(prompter_.directories, (QStringList{"", "", QString::fromStdString((dir_ / "a").string())}));
  AnsweringPrompter again;
  std::unique_ptr<MainWindow> window = Restart(again);
  EXPECT_EQ(Caption(*window, "DataGrid1") + "|" + Caption(*window, "DataGrid2"),
            "List of Entries to be Compared (ff) " + third.toStdString() + "|List of Entries to Compare with (sf) " +
                second.toStdString());
  UserSettings user;
  EXPECT_EQ(user.RecentFiles(FileTag::ff), (QStringList{third, first}));
  EXPECT_EQ(user.LastDirectory(FileTag::sf), QString::fromStdString((dir_ / "b").string()));
  // File > Recent Files imports a listed file without asking.
  QMenu* recent = Child<QMenu>(window.get(), "M_RECENT");
  emit recent->aboutToShow();
  for (QAction* a : recent->findChildren<QAction*>("M_RECENT_FF"))
    if (a->text() == first) a->trigger();
  EXPECT_TRUE(again.filters.empty());
  EXPECT_EQ(Caption(*window, "DataGrid1"), "List of Entries to be Compared (ff) " + first.toStdString());
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
  EXPECT_EQ(store::ImportedPath(window->database(), "ff"), std::nullopt);
}

}  // namespace
}  // namespace twinscan::ui::testing
