// The main window as it grows, and the grids' aids: sort indicator, hints of
// empty grids, tooltips of cut cells, copying several rows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QTest>

#include "tests/ui/ui_test_support.h"
#include "ui/data_grid.h"
#include "ui/grid_model.h"
#include "ui/twips.h"

namespace twinscan::ui::testing {
namespace {

QLabel* Hint(DataGrid* grid) { return grid->table()->viewport()->findChild<QLabel*>(); }

class GrowthTest : public WindowTest {
 protected:
  // Resizes the client area and lets the window lay out.
  void ResizeClient(QSize size) {
    window_->resize(size + (window_->size() - window_->centralWidget()->size()));
    QCoreApplication::processEvents();
  }
  QRect PlaceOf(QWidget* control) {
    return QRect(control->mapTo(window_->centralWidget(), QPoint(0, 0)), control->size());
  }
};

TEST_F(GrowthTest, ControlsStayInsideAndTheGridsShareTheRoom) {
  // The run line and the filter bar (600 twips) stand above the result grid.
  constexpr int kWorkbench = 600;
  QSize start(Twips(12765), Twips(8175 + kWorkbench));
  EXPECT_EQ(window_->centralWidget()->size(), start);
  EXPECT_EQ(window_->centralWidget()->minimumSize(), start);
  // At the start size the start places (the screenshots' layout).
  EXPECT_EQ(Grid(ViewId::Secondary)->geometry(), QRect(0, Twips(2760), Twips(12735), Twips(2775)));
  EXPECT_EQ(CancelButton()->geometry(), QRect(Twips(10200), 0, Twips(2415), Twips(255)));

  for (QSize size : {QSize(100, 100), start * 2, QSize(start.width() * 3 / 2, start.height())}) {
    ResizeClient(size);
    QSize client = window_->centralWidget()->size();
    ASSERT_GE(client.width(), start.width());
    ASSERT_GE(client.height(), start.height());
    QRect inside(QPoint(0, 0), client);
    for (QWidget* control : window_->centralWidget()->findChildren<QWidget*>()) {
      if (!control->isVisibleTo(window_.get())) continue;
      EXPECT_TRUE(inside.contains(PlaceOf(control)))
          << control->metaObject()->className() << " " << control->objectName().toStdString() << " at "
          << client.width() << "x" << client.height();
    }
    // The grids stack without gaps and use the gained height; the status
    // bar stays at the bottom, the cancel button at the right.
    QRect g1 = Grid(ViewId::Primary)->geometry(), g2 = Grid(ViewId::Secondary)->geometry(),
          g3 = Grid(ViewId::Result)->geometry();
    QWidget* status = window_->centralWidget()->findChild<QWidget*>("StatusBar1");
    EXPECT_LE(g2.top(), g1.bottom() + 1);
    EXPECT_LE(g3.top(), g2.bottom() + 1 + Twips(kWorkbench));
    EXPECT_LE(status->geometry().top(), g3.bottom() + 1);
    EXPECT_EQ(status->geometry().bottom(), client.height() - 1);
    EXPECT_EQ(g1.width(), client.width() - (start.width() - Twips(12735)));
    int gained = client.height() - start.height();
    EXPECT_NEAR(g1.height() + g2.height() + g3.height(), Twips(2775 * 2 + 2415) + gained, 2);
    EXPECT_EQ(CancelButton()->geometry().right(), client.width() - 1 - (start.width() - Twips(12615)));
  }
}

TEST_F(GrowthTest, TheSortedColumnShowsTheIndicator) {
  for (int i = 1; i <= 3; ++i) Insert("TABLE1", {{"linenumber", std::to_string(i)}});
  window_->views().RefreshAll();
  QHeaderView* header = Grid(ViewId::Primary)->table()->horizontalHeader();
  EXPECT_FALSE(header->isSortIndicatorShown());  // the start order is no choice of the user
  struct Step {
    int click;
    Qt::SortOrder order;
  } steps[] = {{24, Qt::AscendingOrder}, {24, Qt::DescendingOrder}, {0, Qt::DescendingOrder}, {0, Qt::AscendingOrder}};
  for (const Step& step : steps) {
    ClickHeader(ViewId::Primary, step.click);
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(header->sortIndicatorSection(), step.click);
    EXPECT_EQ(header->sortIndicatorOrder(), step.order) << step.click;
  }
  // A full compare puts the view back to its start order.
  ClickHeader(ViewId::Primary, 24);
  Command("M_AUTOCOMP")->trigger();
  EXPECT_FALSE(header->isSortIndicatorShown());
  EXPECT_FALSE(Grid(ViewId::Secondary)->table()->horizontalHeader()->isSortIndicatorShown());
}

TEST_F(GrowthTest, EmptyGridsShowWhatToDoFirst) {
  struct Case {
    ViewId grid;
    const char* table;
    const char* says;
  } cases[] = {{ViewId::Primary, "TABLE1", "Import Primary File"},
               {ViewId::Secondary, "TABLE2", "Import Secondary File"},
               {ViewId::Result, "TABLERESULT", "Full Autocompare (F5)"}};
  for (const Case& c : cases) {
    ASSERT_TRUE(Hint(Grid(c.grid)));
    EXPECT_TRUE(Hint(Grid(c.grid))->isVisible());
    EXPECT_TRUE(Hint(Grid(c.grid))->text().contains(c.says)) << c.says;
    Insert(c.table, {{"linenumber", "1"}});
  }
  window_->views().RefreshAll();
  for (const Case& c : cases) EXPECT_FALSE(Hint(Grid(c.grid))->isVisible()) << c.table;
}

TEST_F(GrowthTest, CutCellsShowTheirWholeText) {
  std::string longName = "'" + std::string(60, 'W') + "'";
  Insert("TABLE1", {{"linenumber", "7"}, {"6A", longName}});
  window_->views().RefreshAll();
  QTableView* table = Grid(ViewId::Primary)->table();
  QPoint line = table->visualRect(table->model()->index(0, 0)).center();
  QPoint name = table->visualRect(table->model()->index(0, 3)).center();
  EXPECT_EQ(Grid(ViewId::Primary)->CutTextAt(line), "");
  EXPECT_EQ(Grid(ViewId::Primary)->CutTextAt(name).toStdString(), std::string(60, 'W'));
  table->setColumnWidth(3, table->fontMetrics().horizontalAdvance(QString(60, 'W')) + 20);
  EXPECT_EQ(Grid(ViewId::Primary)->CutTextAt(name), "");
}

TEST_F(GrowthTest, CtrlCCopiesTheSelectedRowsUnderAHeaderLine) {
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

}  // namespace
}  // namespace twinscan::ui::testing
