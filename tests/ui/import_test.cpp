// The window's imports: the file chosen, the layout question, the record
// message boxes, and "Cancel Import".
#include <gtest/gtest.h>

#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <cstring>

#include "tests/ui/ui_test_support.h"
#include "ui/data_grid.h"

namespace twinscan::ui::testing {
namespace {

namespace fs = std::filesystem;
using twinscan::testing::ReadFile;

using ImportTest = WindowTest;

TEST_F(ImportTest, RelativeChoiceIsNamedWithItsFullPath) {
  fs::path previous = fs::current_path();
  fs::current_path(dir_.path());
  WriteViennaFile("c.txt", {BaseRecord()});
  prompter_.files = {"c.txt"};
  Command("M_FIRSTFILE")->trigger();
  fs::current_path(previous);
  EXPECT_EQ(Grid(ViewId::Primary)->caption().toStdString(),
            "List of Entries to be Compared (ff) " + (dir_.path() / "c.txt").string());
}

TEST_F(ImportTest, CancelledChoiceOrUnreadableFileChangesNothing) {
  prompter_.files = {WriteViennaFile("a.txt", {BaseRecord()})};
  Command("M_FIRSTFILE")->trigger();
  Insert("TABLERESULT", {{"linenumber", "1"}, {"linenumber2", "1"}});
  const QString caption = Grid(ViewId::Primary)->caption();
  prompter_.messages.clear();
  Command("M_FIRSTFILE")->trigger();  // no file left: the dialog is cancelled
  Command("M_SECFILE")->trigger();
  prompter_.files = {QString::fromStdString((dir_ / "missing.txt").string())};
  Command("M_FIRSTFILE")->trigger();
  ASSERT_EQ(prompter_.messages.size(), 3u);
  EXPECT_EQ(prompter_.messages[0] + prompter_.messages[1], "canceled opening filecanceled opening file");
  EXPECT_NE(prompter_.messages[2].find("missing.txt"), std::string::npos);
  EXPECT_FALSE(window_->ended());
  EXPECT_EQ(Tables(), "ff 1, sf 0, re 1");
  EXPECT_EQ(Panels(), "(ff)  1 of  1 | (sf) 0 | (re) 0 | Importing ff");
  EXPECT_EQ(Grid(ViewId::Primary)->caption(), caption);
}

// A file in the line layout with a header, read with options that say it has
// none: each answer does what it says, and a refusal leaves the tables, the
// caption, the report and the corrected file.
TEST_F(WindowTest, TheLayoutQuestionsAnswerDecides) {
  std::string records;
  for (const char* name : {"GENT", "BRUGGE", "LIEGE"}) records += WithField(BaseRecord(), "4A", name) + "\r\n";
  const std::string file = (dir_ / "lines.txt").string();
  twinscan::testing::WriteFile(file, std::string(200, 'H') + "\r\n" + records);
  FileOptions options;  // with a report and a corrected file
  options.vienna2001Format = options.hasHeader = false;
  window_->settings().setFileOptions(options, options);
  Insert("TABLE1", {{"linenumber", "1"}, {"4A", "'EARLIER'"}});
  Insert("TABLERESULT", {{"linenumber", "1"}, {"linenumber2", "1"}});
  // The answer, then the tables, the first 4A, the caption's file, the status and the outputs written.
  const std::pair<LayoutAnswer, std::string> cases[] = {
      {LayoutAnswer::Cancel, "ff 1, sf 0, re 1|EARLIER|||0"},
      {LayoutAnswer::AsDetected, "ff 3, sf 0, re 0|GENT| F|Importing ff done|2"},
      {LayoutAnswer::AsOptions, "ff 3, sf 0, re 0|| F|Importing ff done|2"}};
  for (const auto& [answer, expected] : cases) {
    prompter_.questions.clear();
    prompter_.files = {QString::fromStdString(file)};
    prompter_.layoutAnswer = answer;
    Command("M_FIRSTFILE")->trigger();
    EXPECT_EQ(prompter_.questions, std::vector<std::string>{"The file " + file +
                                                            " looks like the line layout with a header, but its "
                                                            "options read it as a file without a header: every "
                                                            "record would be read shifted."});
    EXPECT_TRUE(prompter_.offeredDetected.back() && prompter_.messages.empty());
    std::string first4A;
    for (std::string name : {"EARLIER", "GENT"})
      if (Count("TABLE1 WHERE linenumber = 1 AND \"4A\" LIKE '" + name + "%'")) first4A = name;
    const std::string caption = Grid(ViewId::Primary)->caption().toStdString().substr(strlen(kPrimaryCaption));
    EXPECT_EQ(Tables() + "|" + first4A + "|" +
                  (caption.empty()         ? ""
                   : caption == " " + file ? " F"
                                           : caption) +
                  "|" + Status(6) + "|" +
                  std::to_string(fs::exists(file + "_rep") + fs::exists(file + "_annex2bis.txt")),
              expected);
  }
}

// Four records with a kHz unit, each one message box; ticking the box on the
// first silences the other three, and only for this import.
TEST_F(ImportTest, DoNotShowAgainLastsOneImport) {
  std::vector<std::string> records(4, WithField(BaseRecord(), "1A unit", "k"));
  records.insert(records.begin() + 1, BaseRecord());
  QString file = WriteViennaFile("units.txt", records);
  const std::vector<std::string> all = {"Line number 1", "Line number 3", "Line number 4", "Line number 5"};
  const std::tuple<bool, const char*, std::vector<std::string>, const char*> cases[] = {
      {false, "M_FIRSTFILE", all, "Importing ff done"},
      {true, "M_FIRSTFILE", {"Line number 1"}, "Importing ff done; 3 messages not shown"},
      {true, "M_SECFILE", {"Line number 1"}, "Importing sf line  5; 3 messages not shown"}};
  for (const auto& [silence, command, details, status] : cases)
    for (int import = 0; import < 2; ++import) {
      prompter_.details.clear();
      prompter_.files = {file};
      prompter_.silenceRecordMessages = silence;
      Command(command)->trigger();
      EXPECT_EQ(prompter_.details, details) << command << silence;
      EXPECT_EQ(Status(6), status);
    }
}

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
    auto watched = std::make_unique<WatchedWindow>(prompter_);
    watched_ = watched.get();
    window_ = std::move(watched);
    ASSERT_TRUE(window_->Start(dataDir(), twinscan::testing::PristineDatabase()));
    window_->show();
    Activate();  // Esc reaches the active window's shortcuts
  }
  QPushButton* CancelImport() { return Child<QPushButton>(window_->centralWidget(), "Command2"); }
  QProgressBar* Bar() { return Child<QProgressBar>(window_.get(), "ProgressBar1"); }

  WatchedWindow* watched_ = nullptr;
};

// Stopped early or late, by the button or Esc: the earlier table, results,
// caption, report and corrected file stay as they were.
TEST_F(CancelImportTest, ButtonOrEscStopsTheImportAndNothingChanges) {
  FileOptions options;  // the line layout, with a report and a corrected file
  options.vienna2001Format = options.hasHeader = false;
  window_->settings().setFileOptions(options, options);
  const QString file = WriteViennaFile("a.txt", {WithField(BaseRecord(), "4A", "GENT")});
  const std::string path = file.toStdString();
  prompter_.files = {file};
  Command("M_FIRSTFILE")->trigger();
  Insert("TABLERESULT", {{"linenumber", "1"}, {"linenumber2", "1"}, {"ACCEPTFIRST", "1"}});
  const QString caption = Grid(ViewId::Primary)->caption();
  const std::string report = ReadFile(path + "_rep"), corrected = ReadFile(path + "_annex2bis.txt");
  WriteViennaFile("a.txt", std::vector<std::string>(6000, BaseRecord()));
  const std::pair<int64_t, std::function<void()>> cases[] = {
      {5, [this] { QTest::mouseClick(CancelImport(), Qt::LeftButton); }},
      {5, [this] { QTest::keyClick(window_.get(), Qt::Key_Escape); }},
      {5500, [this] { CancelImport()->click(); }}};
  for (const auto& [at, cancel] : cases) {
    bool locked = false;
    watched_->onProgress = [&](int64_t done) {
      if (done != at) return;
      locked = CancelImport()->isVisible() && !CancelButton()->isVisible() && !Command("M_SECFILE")->isEnabled();
      cancel();
    };
    prompter_.files = {file};
    Command("M_FIRSTFILE")->trigger();
    EXPECT_TRUE(locked) << at;
    // The grids show the earlier rows again.
    EXPECT_EQ(Panels() + " " + Tables(),
              "(ff)  1 of  1 | (sf) 0 | (re)  1 of  1 | Import cancelled, nothing changed ff 1, sf 0, re 1");
    EXPECT_EQ(Grid(ViewId::Primary)->caption(), caption);
    EXPECT_EQ(Count("TABLE1 WHERE \"4A\" LIKE 'GENT%'") + Count("TABLERESULT WHERE ACCEPTFIRST = 1"), 2);
    EXPECT_TRUE(ReadFile(path + "_rep") == report && ReadFile(path + "_annex2bis.txt") == corrected);
    EXPECT_TRUE(!CancelImport()->isVisible() && Bar()->isHidden() && Command("M_SECFILE")->isEnabled());
    EXPECT_TRUE(prompter_.messages.empty());
  }
  watched_->onProgress = {};  // the next import runs to its end
  prompter_.files = {WriteViennaFile("next.txt", {BaseRecord(), BaseRecord()})};
  Command("M_FIRSTFILE")->trigger();
  EXPECT_EQ(Panels(), "(ff)  1 of  2 | (sf) 0 | (re) 0 | Importing ff done");
}

}  // namespace
}  // namespace twinscan::ui::testing
