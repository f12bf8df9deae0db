// The full autocompare with its cancel button and the manual compare by
// double click, driven through the window on imported files.
#include <gtest/gtest.h>
#include <QAction>
#include <QPushButton>
#include <QTest>

#include "store/startup.h"
#include "tests/ui/ui_test_support.h"
#include "ui/data_grid.h"

namespace twinscan::ui::testing {
namespace {

using twinscan::testing::BaseRecord;
using twinscan::testing::ReadFile;
using twinscan::testing::WithField;

// Primary lines 1 and 3 have the secondary lines 1 and 2 as candidates;
// primary line 2 has none.
class CompareRunTest : public WindowTest {
 protected:
  void SetUp() override {
    UsePlainFiles();
    prompter_.files = {
        WriteViennaFile("ff.txt", {BaseRecord(), WithField(BaseRecord(), "4A", "GENT"),
                                   WithField(BaseRecord(), "13Z", "OTHER REMARK")}),
        WriteViennaFile("sf.txt", {BaseRecord(), WithField(BaseRecord(), "13Z", "CHANGED"),
                                   WithField(BaseRecord(), "4A", "LIEGE")}),
    };
    Command("M_FIRSTFILE")->trigger();
    Command("M_SECFILE")->trigger();
    ASSERT_EQ(Count("TABLE1"), 3);
    ASSERT_EQ(Count("TABLE2"), 3);
    prompter_.messages.clear();
  }
  std::string Log() { return ReadFile(store::CompareLogPath(dataDir())); }
};

TEST_F(CompareRunTest, FullRunComparesEveryPrimaryRecord) {
  ClickHeader(ViewId::Primary, 24);  // sorted by 13Z before the run
  Command("M_AUTOCOMP")->trigger();
  EXPECT_EQ(Count("TABLERESULT"), 4);
  EXPECT_EQ(Count("TABLERESULT WHERE linenumber = 2"), 0);
  EXPECT_NE(Log().find(" 2 CAN NOT BE FOUND IN THE OTHER FILE"), std::string::npos);
  EXPECT_EQ(window_->views().primary().sortColumn, "linenumber");
  EXPECT_EQ(Status(3), "(re)  1 of  4");
  EXPECT_TRUE(prompter_.messages.empty());
}

TEST_F(CompareRunTest, CancelStopsBeforeTheNextPrimaryRecordAndLocksTheWindow) {
  struct Seen {
    bool cancelVisible = false, importEnabled = true, optionsEnabled = true, cancelled = false;
  } seen;
  QTimer watcher;
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    if (seen.cancelled || Count("TABLERESULT") == 0) return;
    seen.cancelVisible = CancelButton()->isVisible();
    seen.importEnabled = Command("M_FIRSTFILE")->isEnabled();
    seen.optionsEnabled = Command("M_MISC")->isEnabled();
    // Double clicks and header clicks are ignored while the run runs.
    DoubleClickRow(ViewId::Result, 0);
    ClickHeader(ViewId::Primary, 24);
    QTest::mouseClick(CancelButton(), Qt::LeftButton);
    seen.cancelled = true;
  });
  watcher.start(0);
  Command("M_AUTOCOMP")->trigger();
  watcher.stop();

  ASSERT_TRUE(seen.cancelled);
  EXPECT_TRUE(seen.cancelVisible);
  EXPECT_FALSE(seen.importEnabled);
  EXPECT_FALSE(seen.optionsEnabled);
  EXPECT_EQ(Dialog("TWINSCAN3"), nullptr);
  // Primary line 1 kept both its comparisons; line 2 was never searched. The
  // header click was ignored: the grids keep the run's linenumber order.
  EXPECT_EQ(Count("TABLERESULT"), 2);
  EXPECT_EQ(Count("TABLERESULT WHERE linenumber = 1"), 2);
  EXPECT_EQ(Log().find("CAN NOT BE FOUND"), std::string::npos);
  EXPECT_EQ(window_->views().primary().sortColumn, "linenumber");
  EXPECT_FALSE(CancelButton()->isVisible());
  EXPECT_TRUE(Command("M_FIRSTFILE")->isEnabled());
  EXPECT_EQ(Status(3), "(re)  1 of  2");
}

TEST_F(CompareRunTest, ManualCompareByDoubleClick) {
  Command("M_AUTOCOMP")->trigger();
  ASSERT_EQ(Count("TABLERESULT"), 4);
  // Manual mode off: a double click only re-reads the views.
  DoubleClickRow(ViewId::Primary, 2);
  EXPECT_EQ(Count("TABLERESULT"), 4);

  Command("M_MANUALCOMP")->trigger();
  DoubleClickRow(ViewId::Primary, 2);
  EXPECT_EQ(Count("TABLERESULT"), 2);
  EXPECT_EQ(Count("TABLERESULT WHERE linenumber = 3"), 2);
  EXPECT_EQ(Status(6), "Comparing line  4 with line  3");
  EXPECT_EQ(Status(3), "(re)  1 of  2");
  EXPECT_EQ(Status(2), "(sf)  1 of  3");

  // A primary record without candidates leaves no result and a log line.
  DoubleClickRow(ViewId::Primary, 1);
  EXPECT_EQ(Count("TABLERESULT"), 0);
  EXPECT_NE(Log().find(" 2 CAN NOT BE FOUND IN THE OTHER FILE"), std::string::npos);
}

}  // namespace
}  // namespace twinscan::ui::testing
