// The import commands of the window: the file chosen, the question for a file
// that disagrees with its options, the per-record message boxes, the guards
// of the data directory, and "Cancel Import" with the progress bar.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "tests/ui/ui_test_support.h"
#include "ui/data_grid.h"

namespace twinscan::ui::testing {
namespace {

namespace fs = std::filesystem;
using twinscan::testing::ReadFile;

using ImportTest = WindowTest;

// Each import fills its own table and names the file in its grid's caption,
// empties the results and leaves the other file's table and caption alone.
TEST_F(ImportTest, EachImportFillsItsTableAndNamesTheFile) {
  const struct {
    const char *command, *filter, *otherTable;
    ViewId grid, otherGrid;
    const char *caption, *tables, *panels;  // a secondary import shows only its progress
  } cases[] = {{"M_FIRSTFILE", "Primary File in Vienna Format (*.txt)", "TABLE2", ViewId::Primary, ViewId::Secondary,
                "List of Entries to be Compared (ff) ", "ff 2, sf 1, re 0",
                "(ff)  1 of  2 | (sf)  1 of  1 | (re) 0 | Importing ff done"},
               {"M_SECFILE", "Secondary File in Vienna Format (*.txt)", "TABLE1", ViewId::Secondary, ViewId::Primary,
                "List of Entries to Compare with (sf) ", "ff 1, sf 2, re 0",
                "(ff)  1 of  1 | (sf)  1 of  2 | (re) 0 | Importing sf line  2"}};
  for (const auto& c : cases) {
    window_->database().Execute(std::string("DELETE FROM ") + c.otherTable);
    Insert(c.otherTable, {{"linenumber", "1"}});
    Insert("TABLERESULT", {{"linenumber", "1"}, {"linenumber2", "1"}});
    const QString other = Grid(c.otherGrid)->caption(), file = WriteViennaFile("a.txt", {BaseRecord(), BaseRecord()});
    prompter_.filters.clear();
    prompter_.files = {file};
    Command(c.command)->trigger();
    EXPECT_EQ(prompter_.filters, std::vector<std::string>{c.filter});
    EXPECT_EQ(Tables(), c.tables);
    EXPECT_EQ(Panels(), c.panels);
    EXPECT_EQ(Grid(c.grid)->caption(), c.caption + file);
    EXPECT_EQ(Grid(c.otherGrid)->caption(), other);
  }
}

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
  for (QAction* command : {Command("M_FIRSTFILE"), Command("M_SECFILE")}) {
    prompter_.messages.clear();
    command->trigger();  // no file left: the dialog is cancelled
    EXPECT_EQ(prompter_.messages, std::vector<std::string>{"canceled opening file"});
  }
  prompter_.files = {QString::fromStdString((dir_ / "missing.txt").string())};
  Command("M_FIRSTFILE")->trigger();
  ASSERT_EQ(prompter_.messages.size(), 2u);
  EXPECT_NE(prompter_.messages[1].find("missing.txt"), std::string::npos);
  EXPECT_FALSE(window_->ended());
  EXPECT_EQ(Tables(), "ff 1, sf 0, re 1");
  EXPECT_EQ(Panels(), "(ff)  1 of  1 | (sf) 0 | (re) 0 | Importing ff");
  EXPECT_EQ(Grid(ViewId::Primary)->caption(), caption);
}

// A file in the line layout with a header, read with options that say it has
// none: each answer does what it says, and a refusal leaves the tables, the
// caption, the report and the corrected file. Text without Vienna records
// offers no detected import, and "as detected" is then a refusal.
TEST_F(WindowTest, TheLayoutQuestionsAnswerDecides) {
  std::string records;
  for (const char* name : {"GENT", "BRUGGE", "LIEGE"}) records += WithField(BaseRecord(), "4A", name) + "\r\n";
  twinscan::testing::WriteFile(dir_ / "lines.txt", std::string(200, 'H') + "\r\n" + records);
  fs::copy_file(std::string(TWINSCAN_SOURCE_DIR) + "/README.md", dir_ / "README.txt");
  FileOptions options;
  options.vienna2001Format = options.hasHeader = false;
  window_->settings().setFileOptions(options, options);
  const std::string shifted =
      " looks like the line layout with a header, but its options read it as a file without a header: every record "
      "would be read shifted.";
  Insert("TABLE1", {{"linenumber", "1"}, {"4A", "'EARLIER'"}});
  Insert("TABLERESULT", {{"linenumber", "1"}, {"linenumber2", "1"}});
  // Refusals first: they leave these rows, and the caption and status of an import stay until the next.
  const std::tuple<const char*, LayoutAnswer, bool, const char*> cases[] = {
      {"lines.txt", LayoutAnswer::Cancel, false, "EARLIER"},
      {"README.txt", LayoutAnswer::AsDetected, false, "EARLIER"},
      {"lines.txt", LayoutAnswer::AsDetected, true, "GENT"},
      {"lines.txt", LayoutAnswer::AsOptions, true, ""}};
  for (const auto& [name, answer, imported, first4A] : cases) {
    SCOPED_TRACE(std::string(name) + " answered " + std::to_string(static_cast<int>(answer)));
    const std::string file = (dir_ / name).string();
    const bool lines = name == std::string("lines.txt");
    prompter_.questions.clear();
    prompter_.files = {QString::fromStdString(file)};
    prompter_.layoutAnswer = answer;
    Command("M_FIRSTFILE")->trigger();
    ASSERT_EQ(prompter_.questions.size(), 1u);
    EXPECT_EQ(prompter_.questions[0], "The file " + file +
                                          (lines ? shifted
                                                 : " does not look like Vienna records (text without Vienna "
                                                   "records)."));
    EXPECT_EQ(prompter_.offeredDetected.back(), lines);
    EXPECT_TRUE(prompter_.messages.empty());
    EXPECT_EQ(Tables(), imported ? "ff 3, sf 0, re 0" : "ff 1, sf 0, re 1");
    if (*first4A) {
      EXPECT_EQ(Count("TABLE1 WHERE linenumber = 1 AND \"4A\" LIKE '" + std::string(first4A) + "%'"), 1);
    }
    EXPECT_EQ(Grid(ViewId::Primary)->caption().toStdString(),
              kPrimaryCaption + (imported ? " " + file : std::string()));
    EXPECT_EQ(Status(6), imported ? "Importing ff done" : "");
    EXPECT_EQ(fs::exists(file + "_rep"), imported);
    EXPECT_EQ(fs::exists(file + "_annex2bis.txt"), imported);
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
      prompter_.messages.clear();
      prompter_.details.clear();
      prompter_.files = {file};
      prompter_.silenceRecordMessages = silence;
      Command(command)->trigger();
      EXPECT_EQ(prompter_.details, details) << command << silence;
      EXPECT_EQ(prompter_.messages, std::vector<std::string>(details.size(), "error: khz and Ghz not yet implemented"));
      EXPECT_EQ(Status(6), status);
    }
}

// Qt's own boxes: the record's message box keeps its text, names the record
// in its detail and carries the check box; the question offers its answers.
TEST(DialogPrompterTest, RecordMessageBoxCarriesTheCheckBox) {
  DialogPrompter prompter;
  for (bool tick : {true, false}) {
    bool silenced = !tick;
    ASSERT_TRUE(Answering(
        [&](QDialog* dialog) {
          auto* message = qobject_cast<QMessageBox*>(dialog);
          ASSERT_NE(message, nullptr);
          EXPECT_EQ(message->text().toStdString(), "error: khz and Ghz not yet implemented");
          EXPECT_EQ(message->detailedText().toStdString(), "Line number 7");
          EXPECT_EQ(message->checkBox()->text().toStdString(), "Do not show this message again during this import");
          message->checkBox()->setChecked(tick);
          message->button(QMessageBox::Ok)->click();
        },
        [&] {
          silenced = prompter.RecordMessage(nullptr, "error: khz and Ghz not yet implemented", "Line number 7");
        }));
    EXPECT_EQ(silenced, tick);
  }
}

TEST(DialogPrompterTest, LayoutQuestionOffersItsAnswers) {
  DialogPrompter prompter;
  // Offered "as detected", the button clicked ("Cancel": the standard button; nullptr: Escape), the answer.
  const std::tuple<bool, const char*, LayoutAnswer> cases[] = {
      {true, "Import it as &detected", LayoutAnswer::AsDetected},
      {true, "Import it as the &options say", LayoutAnswer::AsOptions},
      {true, "Cancel", LayoutAnswer::Cancel},
      {true, nullptr, LayoutAnswer::Cancel},
      {false, "Import it as the &options say", LayoutAnswer::AsOptions}};
  for (const auto& [offerDetected, click, expected] : cases) {
    LayoutAnswer answer = LayoutAnswer::Cancel;
    ASSERT_TRUE(Answering(
        [&](QDialog* dialog) {
          auto* message = qobject_cast<QMessageBox*>(dialog);
          ASSERT_NE(message, nullptr);
          QStringList buttons;
          for (QAbstractButton* b : message->buttons()) buttons << b->text();
          EXPECT_EQ(buttons.contains("Import it as &detected"), offerDetected);
          EXPECT_TRUE(buttons.contains("Import it as the &options say"));
          if (!click) return message->reject();
          if (std::string_view(click) == "Cancel") return message->button(QMessageBox::Cancel)->click();
          for (QAbstractButton* b : message->buttons())
            if (b->text() == click) b->click();
        },
        [&] {
          answer = prompter.AskLayout(nullptr, "The file looks like the line layout with a header.", offerDetected);
        }));
    EXPECT_EQ(answer, expected) << (click ? click : "Escape");
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
  EXPECT_EQ(CancelImport()->geometry(), CancelButton()->geometry());  // where "Cancel Compare" sits
  EXPECT_FALSE(CancelImport()->isVisible());
  EXPECT_TRUE(Bar()->isHidden());
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
  const std::tuple<const char*, int64_t, std::function<void()>> cases[] = {
      {"click", 5, [this] { QTest::mouseClick(CancelImport(), Qt::LeftButton); }},
      {"Esc", 5, [this] { QTest::keyClick(window_.get(), Qt::Key_Escape); }},
      {"late click", 5500, [this] { CancelImport()->click(); }}};
  for (const auto& [name, at, cancel] : cases) {
    SCOPED_TRACE(name);
    bool cancelVisible = false, compareHidden = false, importLocked = false;
    watched_->onProgress = [&](int64_t done) {
      if (done != at) return;
      cancelVisible = CancelImport()->isVisible();
      compareHidden = !CancelButton()->isVisible();
      importLocked = !Command("M_SECFILE")->isEnabled();
      cancel();
    };
    prompter_.files = {file};
    Command("M_FIRSTFILE")->trigger();
    EXPECT_TRUE(cancelVisible && compareHidden && importLocked);
    // The grids show the earlier rows again.
    EXPECT_EQ(Panels(), "(ff)  1 of  1 | (sf) 0 | (re)  1 of  1 | Import cancelled, nothing changed");
    EXPECT_EQ(Grid(ViewId::Primary)->caption(), caption);
    EXPECT_EQ(Tables(), "ff 1, sf 0, re 1");
    EXPECT_EQ(Count("TABLE1 WHERE \"4A\" LIKE 'GENT%'") + Count("TABLERESULT WHERE ACCEPTFIRST = 1"), 2);
    EXPECT_EQ(ReadFile(path + "_rep"), report);
    EXPECT_EQ(ReadFile(path + "_annex2bis.txt"), corrected);
    EXPECT_FALSE(CancelImport()->isVisible());
    EXPECT_TRUE(Bar()->isHidden());
    EXPECT_TRUE(Command("M_SECFILE")->isEnabled());
    EXPECT_TRUE(prompter_.messages.empty());
  }
  watched_->onProgress = {};  // the next import runs to its end
  prompter_.files = {WriteViennaFile("next.txt", {BaseRecord(), BaseRecord()})};
  Command("M_FIRSTFILE")->trigger();
  EXPECT_EQ(Panels(), "(ff)  1 of  2 | (sf) 0 | (re) 0 | Importing ff done");
}

}  // namespace
}  // namespace twinscan::ui::testing
