// The import commands of the window: the file chosen, the question for a file
// that disagrees with its options, the per-record message boxes, the guards
// of the data directory, and "Cancel Import" with the progress bar.
#include <gtest/gtest.h>
#include <unistd.h>

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

class ImportTest : public WindowTest {
 protected:
  void SetUp() override { UsePlainFiles(); }
};

// Each import fills its own table and grid caption, empties the results and
// leaves the other file's table and caption alone.
struct ImportCase {
  const char *command, *filter, *table, *otherTable;
  ViewId grid, otherGrid;
  const char *caption, *otherCaption;
  const char* status;  // after two records; a secondary import shows only its progress
  int panel;
  const char* position;
};

class ImportCommandTest : public ImportTest, public ::testing::WithParamInterface<ImportCase> {};

TEST_P(ImportCommandTest, FillsItsTableAndNamesTheFile) {
  const ImportCase& c = GetParam();
  Insert(c.otherTable, {{"linenumber", "1"}});
  Insert("TABLERESULT", {{"linenumber", "1"}, {"linenumber2", "1"}});
  QString file = WriteViennaFile("a.txt", {BaseRecord(), BaseRecord()});
  prompter_.files = {file};
  Command(c.command)->trigger();
  EXPECT_EQ(prompter_.filters, std::vector<std::string>{c.filter});
  EXPECT_EQ(Count(c.table), 2);
  EXPECT_EQ(Count(c.otherTable), 1);
  EXPECT_EQ(Count("TABLERESULT"), 0);
  EXPECT_EQ(Grid(c.grid)->caption(), c.caption + QString(" ") + file);
  EXPECT_EQ(Grid(c.otherGrid)->caption().toStdString(), c.otherCaption);
  EXPECT_EQ(Status(6), c.status);
  EXPECT_EQ(Status(c.panel), c.position);
}

INSTANTIATE_TEST_SUITE_P(
    BothFiles, ImportCommandTest,
    ::testing::Values(ImportCase{"M_FIRSTFILE", "Primary File in Vienna Format (*.txt)", "TABLE1", "TABLE2",
                                 ViewId::Primary, ViewId::Secondary, "List of Entries to be Compared (ff)",
                                 "List of Entries to Compare with (sf)", "Importing ff done", 1, "(ff)  1 of  2"},
                      ImportCase{"M_SECFILE", "Secondary File in Vienna Format (*.txt)", "TABLE2", "TABLE1",
                                 ViewId::Secondary, ViewId::Primary, "List of Entries to Compare with (sf)",
                                 "List of Entries to be Compared (ff)", "Importing sf line  2", 2, "(sf)  1 of  2"}),
    [](const ::testing::TestParamInfo<ImportCase>& info) { return std::string(info.param.command); });

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

TEST_F(ImportTest, CancelledChoiceChangesNothing) {
  prompter_.files = {WriteViennaFile("a.txt", {BaseRecord()})};
  Command("M_FIRSTFILE")->trigger();
  Insert("TABLERESULT", {{"linenumber", "1"}, {"linenumber2", "1"}});
  QString caption = Grid(ViewId::Primary)->caption();
  for (QAction* command : {Command("M_FIRSTFILE"), Command("M_SECFILE")}) {
    prompter_.messages.clear();
    command->trigger();  // no file left: the dialog is cancelled
    EXPECT_EQ(prompter_.messages, std::vector<std::string>{"canceled opening file"});
  }
  EXPECT_EQ(Count("TABLE1"), 1);
  EXPECT_EQ(Count("TABLERESULT"), 1);
  EXPECT_EQ(Grid(ViewId::Primary)->caption(), caption);
  EXPECT_EQ(Status(1), "(ff)  1 of  1");
}

TEST_F(ImportTest, UnreadableFileKeepsTableAndCaption) {
  Insert("TABLE1", {{"linenumber", "1"}});
  window_->views().RefreshAll();
  prompter_.files = {QString::fromStdString((dir_ / "missing.txt").string())};
  Command("M_FIRSTFILE")->trigger();
  EXPECT_EQ(prompter_.messages.size(), 1u);  // the file is named
  EXPECT_FALSE(window_->ended());
  EXPECT_EQ(Count("TABLE1"), 1);
  EXPECT_EQ(Grid(ViewId::Primary)->caption().toStdString(), "List of Entries to be Compared (ff)");
}

TEST_F(WindowTest, ASecondWindowOnTheDataDirectoryStops) {
  AnsweringPrompter prompter;
  MainWindow second(prompter);
  EXPECT_FALSE(second.Start(dataDir(), twinscan::testing::PristineDatabase()));
  EXPECT_EQ(prompter.messages, std::vector<std::string>{"twinscan is already working on " + dataDir().string() +
                                                        " (process " + std::to_string(getpid()) + ")"});
}

TEST_F(WindowTest, AnImportWhoseCorrectedFileIsTheDatabaseIsRefused) {
  Insert("TABLE1", {{"linenumber", "7"}});
  const fs::path file = dir_ / "b.txt";
  twinscan::testing::WriteFile(file, std::string(219, 'H') + BaseRecord());
  fs::create_symlink(dataDir() / "twinscan.db", dir_ / "b.txt_annex2bis.txt");
  prompter_.files = {QString::fromStdString(file.string())};
  Command("M_FIRSTFILE")->trigger();
  EXPECT_EQ(prompter_.messages,
            std::vector<std::string>{"Cannot write " + file.string() + "_annex2bis.txt: it is the working database " +
                                     (dataDir() / "twinscan.db").string() + ", nothing was written"});
  EXPECT_EQ(Count("TABLE1 WHERE linenumber = 7"), 1);
  EXPECT_FALSE(fs::exists(dir_ / "b.txt_rep"));
}

// A file in the line layout with a header, imported with options that say
// it has none.
class ImportQuestionTest : public ImportTest {
 protected:
  void SetUp() override {
    ImportTest::SetUp();
    std::string records;
    for (const char* name : {"GENT", "BRUGGE", "LIEGE"}) records += WithField(BaseRecord(), "4A", name) + "\r\n";
    twinscan::testing::WriteFile(dir_ / "lines.txt", std::string(200, 'H') + "\r\n" + records);
    prompter_.files = {file_};
  }
  QString file_ = QString::fromStdString((dir_ / "lines.txt").string());
};

class LayoutAnswerTest : public ImportQuestionTest, public ::testing::WithParamInterface<LayoutAnswer> {};

// AsOptions reads the header as the start of the first record.
TEST_P(LayoutAnswerTest, TheAnswerDecides) {
  Insert("TABLE1", {{"linenumber", "1"}});
  Insert("TABLERESULT", {{"linenumber", "1"}, {"linenumber2", "1"}});
  prompter_.layoutAnswer = GetParam();
  Command("M_FIRSTFILE")->trigger();
  ASSERT_EQ(prompter_.questions.size(), 1u);
  EXPECT_EQ(prompter_.questions[0], "The file " + file_.toStdString() +
                                        " looks like the line layout with a header, but its options read it as a "
                                        "file without a header: every record would be read shifted.");
  EXPECT_EQ(prompter_.offeredDetected, std::vector<bool>{true});
  EXPECT_TRUE(prompter_.messages.empty());
  bool refused = GetParam() == LayoutAnswer::Cancel;
  EXPECT_EQ(Count("TABLE1"), refused ? 1 : 3);
  EXPECT_EQ(Count("TABLERESULT"), refused ? 1 : 0);
  EXPECT_EQ(Grid(ViewId::Primary)->caption(), refused ? QString(kPrimaryCaption) : kPrimaryCaption + (" " + file_));
  EXPECT_EQ(Status(6), refused ? "" : "Importing ff done");
  EXPECT_FALSE(window_->ended());
}

INSTANTIATE_TEST_SUITE_P(ThreeAnswers, LayoutAnswerTest,
                         ::testing::Values(LayoutAnswer::AsDetected, LayoutAnswer::AsOptions, LayoutAnswer::Cancel));

TEST_F(ImportQuestionTest, AsDetectedReadsTheRecordsAligned) {
  prompter_.layoutAnswer = LayoutAnswer::AsDetected;
  Command("M_SECFILE")->trigger();
  EXPECT_EQ(Count("TABLE2 WHERE \"4a\" LIKE 'GENT%' AND linenumber = 1"), 1);
  EXPECT_EQ(Count("TABLE2 WHERE error = 0"), 3);
}

TEST_F(ImportTest, NotViennaRecordsOfferNoDetectedImport) {
  fs::copy_file(std::string(TWINSCAN_SOURCE_DIR) + "/README.md", dir_ / "README.txt");
  prompter_.files = {QString::fromStdString((dir_ / "README.txt").string())};
  Command("M_FIRSTFILE")->trigger();
  ASSERT_EQ(prompter_.questions.size(), 1u);
  EXPECT_NE(prompter_.questions[0].find("does not look like Vienna records"), std::string::npos);
  EXPECT_EQ(prompter_.offeredDetected, std::vector<bool>{false});
  EXPECT_EQ(Count("TABLE1"), 0);
}

// Four records with a kHz unit, each one message box; ticking the box on the
// first silences the other three, and only for this import.
TEST_F(ImportTest, DoNotShowAgainLastsOneImport) {
  std::vector<std::string> records(4, WithField(BaseRecord(), "1A unit", "k"));
  records.insert(records.begin() + 1, BaseRecord());
  QString file = WriteViennaFile("units.txt", records);
  const std::vector<std::string> all = {"Line number 1", "Line number 3", "Line number 4", "Line number 5"};
  struct Case {
    bool silence;
    const char* command;
    std::vector<std::string> details;
    const char* status;
  } cases[] = {{false, "M_FIRSTFILE", all, "Importing ff done"},
               {true, "M_FIRSTFILE", {"Line number 1"}, "Importing ff done; 3 messages not shown"},
               {true, "M_SECFILE", {"Line number 1"}, "Importing sf line  5; 3 messages not shown"}};
  for (const Case& c : cases) {
    for (int import = 0; import < 2; ++import) {
      prompter_.messages.clear();
      prompter_.details.clear();
      prompter_.files = {file};
      prompter_.silenceRecordMessages = c.silence;
      Command(c.command)->trigger();
      EXPECT_EQ(prompter_.details, c.details) << c.command << c.silence;
      EXPECT_EQ(prompter_.messages,
                std::vector<std::string>(c.details.size(), "error: khz and Ghz not yet implemented"));
      EXPECT_EQ(Status(6), c.status);
    }
  }
}

// Qt's own boxes: the record's message box keeps its text, names the record
// in its detail and carries the check box; the question offers its answers.
TEST(DialogPrompterTest, RecordMessageBoxCarriesTheCheckBox) {
  DialogPrompter prompter;
  for (bool tick : {true, false}) {
    QString text, detail, box;
    bool silenced = false;
    ASSERT_TRUE(Answering(
        [&](QDialog* dialog) {
          auto* message = qobject_cast<QMessageBox*>(dialog);
          ASSERT_NE(message, nullptr);
          text = message->text();
          detail = message->detailedText();
          box = message->checkBox()->text();
          if (tick) message->checkBox()->setChecked(true);
          message->button(QMessageBox::Ok)->click();
        },
        [&] {
          silenced = prompter.RecordMessage(nullptr, "error: khz and Ghz not yet implemented", "Line number 7");
        }));
    EXPECT_EQ(silenced, tick);
    EXPECT_EQ(text.toStdString(), "error: khz and Ghz not yet implemented");
    EXPECT_EQ(detail.toStdString(), "Line number 7");
    EXPECT_EQ(box.toStdString(), "Do not show this message again during this import");
  }
}

TEST(DialogPrompterTest, LayoutQuestionOffersItsAnswers) {
  DialogPrompter prompter;
  struct Case {
    bool offerDetected;
    const char* click;  // the button's text, "Cancel" for the standard button; nullptr: Escape
    LayoutAnswer expected;
  } cases[] = {{true, "Import it as &detected", LayoutAnswer::AsDetected},
               {true, "Import it as the &options say", LayoutAnswer::AsOptions},
               {true, "Cancel", LayoutAnswer::Cancel},
               {true, nullptr, LayoutAnswer::Cancel},
               {false, "Import it as the &options say", LayoutAnswer::AsOptions}};
  for (const Case& c : cases) {
    QStringList buttons;
    LayoutAnswer answer = LayoutAnswer::Cancel;
    ASSERT_TRUE(Answering(
        [&](QDialog* dialog) {
          auto* message = qobject_cast<QMessageBox*>(dialog);
          ASSERT_NE(message, nullptr);
          for (QAbstractButton* b : message->buttons()) buttons << b->text();
          if (!c.click) return message->reject();
          if (std::string_view(c.click) == "Cancel") return message->button(QMessageBox::Cancel)->click();
          for (QAbstractButton* b : message->buttons())
            if (b->text() == c.click) b->click();
        },
        [&] {
          answer = prompter.AskLayout(nullptr, "The file looks like the line layout with a header.", c.offerDetected);
        }));
    EXPECT_EQ(answer, c.expected) << (c.click ? c.click : "Escape");
    EXPECT_EQ(buttons.contains("Import it as &detected"), c.offerDetected);
    EXPECT_TRUE(buttons.contains("Import it as the &options say"));
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
    prompter_.messages.clear();
    window_->show();
    Activate();  // Esc reaches the active window's shortcuts
  }
  // A report and a corrected file, unless the import stops.
  void UseReports(bool corrected) {
    FileOptions options;
    options.vienna2001Format = options.hasHeader = false;
    options.correctedFile = corrected;
    window_->settings().setFileOptions(options, options);
  }
  QPushButton* CancelImport() { return Child<QPushButton>(window_->centralWidget(), "Command2"); }
  QProgressBar* Bar() { return Child<QProgressBar>(window_.get(), "ProgressBar1"); }

  WatchedWindow* watched_ = nullptr;
};

TEST_F(CancelImportTest, ButtonOrEscStopsTheImportAndNothingIsWritten) {
  EXPECT_EQ(CancelImport()->geometry(), CancelButton()->geometry());  // where "Cancel Compare" sits
  EXPECT_FALSE(CancelImport()->isVisible());
  EXPECT_TRUE(Bar()->isHidden());
  UsePlainFiles();
  prompter_.files = {WriteViennaFile("earlier.txt", {WithField(BaseRecord(), "4A", "GENT")})};
  Command("M_FIRSTFILE")->trigger();
  const QString caption = Grid(ViewId::Primary)->caption();
  UseReports(true);
  struct Case {
    const char* name;
    std::function<void(QPushButton*)> cancel;
  } cases[] = {{"click", [](QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }},
               {"Esc", [this](QPushButton*) { QTest::keyClick(window_.get(), Qt::Key_Escape); }}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QString file = WriteViennaFile(std::string("long-") + c.name + ".txt", std::vector<std::string>(20, BaseRecord()));
    bool cancelVisible = false, compareHidden = false, importLocked = false;
    watched_->onProgress = [&](int64_t done) {
      if (done != 5) return;
      cancelVisible = CancelImport()->isVisible();
      compareHidden = !CancelButton()->isVisible();
      importLocked = !Command("M_SECFILE")->isEnabled();
      c.cancel(CancelImport());
    };
    prompter_.files = {file};
    Command("M_FIRSTFILE")->trigger();
    EXPECT_TRUE(cancelVisible);
    EXPECT_TRUE(compareHidden);
    EXPECT_TRUE(importLocked);
    EXPECT_EQ(Status(6), "Import cancelled, nothing changed");
    EXPECT_EQ(Grid(ViewId::Primary)->caption(), caption);
    EXPECT_FALSE(fs::exists(file.toStdString() + "_annex2bis.txt"));
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
  UseReports(false);
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

}  // namespace
}  // namespace twinscan::ui::testing
