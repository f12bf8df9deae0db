// What the desktop app keeps across runs (a scratch QSettings path), its
// shortcuts and the user guide.
#include <gtest/gtest.h>

#include <QMenu>
#include <QSettings>
#include <QTest>
#include <QTextBrowser>

#include "store/imports.h"
#include "tests/ui/ui_test_support.h"
#include "ui/data_grid.h"
#include "ui/user_guide.h"
#include "ui/user_settings.h"

namespace twinscan::ui::testing {
namespace {

class RememberedTest : public WindowTest {
 protected:
  RememberedTest() {
    // A settings folder of this test's own: nothing from other tests.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromStdString((dir_ / "settings").string()));
    UsePlainFiles();
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
  QTest::keyClick(window_.get(), Qt::Key_O, Qt::ControlModifier);
  QTest::keyClick(window_.get(), Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(prompter_.filters, (std::vector<std::string>{kPrimaryFilter, kSecondaryFilter}));
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
