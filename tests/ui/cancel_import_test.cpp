// "Cancel Import" and the progress bar: the button (or Esc) stops a running
// import before its next record, the window says so and writes nothing.
#include <gtest/gtest.h>

#include <QAction>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "tests/ui/ui_test_support.h"
#include "ui/data_grid.h"

namespace twinscan::ui::testing {
namespace {

using twinscan::testing::BaseRecord;
using twinscan::testing::WithField;

// The window with a look into the import at every record.
class WatchedWindow : public MainWindow {
 public:
  using MainWindow::MainWindow;
  void ProgressUpdate(int64_t doneUnits, int64_t doneItems) override {
    MainWindow::ProgressUpdate(doneUnits, doneItems);
    if (onProgress) onProgress(doneItems);
  }
  std::function<void(int64_t records)> onProgress;
};

class CancelImportTest : public WindowTest {
 protected:
  void SetUp() override {
    window_.reset();
    auto watched = std::make_unique<WatchedWindow>(prompter_);
    watched_ = watched.get();
    window_ = std::move(watched);
    ASSERT_TRUE(window_->Start(dataDir(), twinscan::testing::PristineDatabase()));
    prompter_.messages.clear();
    window_->show();
    window_->activateWindow();  // Esc reaches the active window's shortcuts
    EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    UsePlainFiles();
  }
  QPushButton* CancelImport() { return Child<QPushButton>(window_->centralWidget(), "Command2"); }
  QProgressBar* Bar() { return Child<QProgressBar>(window_.get(), "ProgressBar1"); }

  WatchedWindow* watched_ = nullptr;
};

TEST_F(CancelImportTest, ButtonOrEscStopsTheImportAndNothingIsWritten) {
  struct Case {
    const char* name;
    std::function<void(QPushButton*)> cancel;
  };
  const Case cases[] = {
      {"click", [](QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }},
      {"Esc", [this](QPushButton*) { QTest::keyClick(window_.get(), Qt::Key_Escape); }},
  };
  prompter_.files = {WriteViennaFile("earlier.txt", {WithField(BaseRecord(), "4A", "GENT")})};
  Command("M_FIRSTFILE")->trigger();
  const QString caption = Grid(ViewId::Primary)->caption();
  FileOptions writing;  // a report and a corrected file, unless the import stops
  writing.vienna2001Format = writing.hasHeader = false;
  window_->settings().setFileOptions(writing, writing);

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> records(20, BaseRecord());
    QString file = WriteViennaFile(std::string("long-") + c.name + ".txt", records);
    struct Seen {
      bool cancelVisible = false, compareHidden = false, importLocked = false;
    } seen;
    watched_->onProgress = [&](int64_t done) {
      if (done != 5) return;
      seen.cancelVisible = CancelImport()->isVisible();
      seen.compareHidden = !CancelButton()->isVisible();
      seen.importLocked = !Command("M_SECFILE")->isEnabled();
      c.cancel(CancelImport());
    };
    prompter_.files = {file};
    Command("M_FIRSTFILE")->trigger();

    EXPECT_TRUE(seen.cancelVisible);
    EXPECT_TRUE(seen.compareHidden);
    EXPECT_TRUE(seen.importLocked);
    EXPECT_EQ(Status(6), "Import cancelled, nothing changed");
    EXPECT_EQ(Grid(ViewId::Primary)->caption(), caption);
    EXPECT_FALSE(std::filesystem::exists(file.toStdString() + "_annex2bis.txt"));
    EXPECT_FALSE(CancelImport()->isVisible());
    EXPECT_TRUE(Bar()->isHidden());
    EXPECT_TRUE(Command("M_SECFILE")->isEnabled());
    EXPECT_TRUE(prompter_.messages.empty());
  }
  // The next import runs to its end.
  watched_->onProgress = {};
  prompter_.files = {WriteViennaFile("next.txt", {BaseRecord(), BaseRecord()})};
  Command("M_FIRSTFILE")->trigger();
  EXPECT_EQ(Status(6), "Importing ff done");
  EXPECT_EQ(Count("TABLE1"), 2);
}

TEST_F(CancelImportTest, ACancelledImportLeavesTheEarlierTableAndReport) {
  FileOptions reporting;
  reporting.vienna2001Format = reporting.hasHeader = false;
  reporting.correctedFile = false;
  window_->settings().setFileOptions(reporting, reporting);
  QString file = WriteViennaFile("a.txt", {WithField(BaseRecord(), "4A", "GENT")});
  prompter_.files = {file};
  Command("M_FIRSTFILE")->trigger();
  Insert("TABLERESULT", {{"linenumber", "1"}, {"linenumber2", "1"}, {"ACCEPTFIRST", "1"}});
  const std::string report = twinscan::testing::ReadFile(file.toStdString() + "_rep");

  WriteViennaFile("a.txt", std::vector<std::string>(6000, BaseRecord()));
  watched_->onProgress = [this](int64_t done) {
    if (done == 5500) CancelImport()->click();
  };
  prompter_.files = {file};
  Command("M_FIRSTFILE")->trigger();
  EXPECT_EQ(Count("TABLE1"), 1);
  EXPECT_EQ(Count("TABLE1 WHERE \"4A\" LIKE 'GENT%'"), 1);
  EXPECT_EQ(Count("TABLERESULT WHERE ACCEPTFIRST = 1"), 1);
  EXPECT_EQ(twinscan::testing::ReadFile(file.toStdString() + "_rep"), report);
}

TEST_F(CancelImportTest, CancelImportSitsWhereCancelCompareDoesAndAnswersEsc) {
  EXPECT_EQ(CancelImport()->text().toStdString(), "Cancel Import");
  EXPECT_EQ(CancelImport()->shortcut(), QKeySequence(Qt::Key_Escape));
  EXPECT_EQ(CancelImport()->geometry(), CancelButton()->geometry());
  EXPECT_FALSE(CancelImport()->isVisible());
  EXPECT_TRUE(Bar()->isHidden());
}

}  // namespace
}  // namespace twinscan::ui::testing
