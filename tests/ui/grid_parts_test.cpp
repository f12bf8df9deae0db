// The parts of the main window that hold up under large or changing data:
// the grid model over a view that was re-opened behind its back, a long
// caption, and status panels with long position labels.
#include <gtest/gtest.h>
#include <QLabel>

#include "tests/ui/ui_test_support.h"
#include "ui/data_grid.h"
#include "ui/grid_model.h"
#include "ui/status_panels.h"
#include "ui/twips.h"

namespace twinscan::ui::testing {
namespace {

TEST_F(WindowTest, ModelKeepsItsRowsUntilResetAndPaintsVanishedRowsEmpty) {
  for (int i = 1; i <= 5; ++i) Insert("TABLE1", {{"linenumber", std::to_string(i)}});
  window_->views().RefreshAll();
  GridModel* model = Grid(ViewId::Primary)->model();
  ASSERT_EQ(model->rowCount(), 5);
  // The view shrinks without telling the grid (as between a re-open and its notice).
  window_->database().Execute("DELETE FROM TABLE1 WHERE linenumber > 2");
  window_->views().primary().Refresh();
  EXPECT_EQ(model->rowCount(), 5);
  EXPECT_EQ(model->data(model->index(4, 0)).toString().toStdString(), "");
  EXPECT_EQ(model->data(model->index(1, 0)).toString().toStdString(), "2");
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
  int sixth = panels.panel(6)->width();
  EXPECT_EQ(panels.panel(1)->width(), Twips(1440));
  EXPECT_EQ(sixth, Twips(5000));
  panels.SetText(1, "(ff)  1000000 of  1000000");
  panels.SetText(2, "(sf)  999999 of  1000000");
  for (int p : {1, 2}) {
    QLabel* label = panels.panel(p);
    EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text())) << p;
  }
  for (int p = 1; p < 6; ++p) EXPECT_LE(panels.panel(p)->geometry().right(), panels.panel(p + 1)->x()) << p;
  EXPECT_EQ(panels.panel(6)->width(), sixth);
  EXPECT_EQ(panels.text(1).toStdString(), "(ff)  1000000 of  1000000");
}

}  // namespace
}  // namespace twinscan::ui::testing
