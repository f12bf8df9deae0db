// The desktop side of a file that disagrees with its options (the question
// with three answers) and of the per-record message boxes ("Do not show this
// message again during this import", the count of those not shown).
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>

#include "tests/ui/ui_test_support.h"
#include "ui/data_grid.h"

namespace twinscan::ui::testing {
namespace {

using twinscan::testing::BaseRecord;
using twinscan::testing::WithField;

class ImportQuestionTest : public WindowTest {
 protected:
  void SetUp() override {
    UsePlainFiles();  // line layout without a header
    std::string records;
    for (const char* name : {"GENT", "BRUGGE", "LIEGE"}) records += WithField(BaseRecord(), "4A", name) + "\r\n";
    twinscan::testing::WriteFile(dir_ / "lines.txt", std::string(200, 'H') + "\r\n" + records);
    file_ = QString::fromStdString((dir_ / "lines.txt").string());
  }
  QString file_;
};

struct AnswerCase {
  LayoutAnswer answer;
  const char* name;
  int64_t records;  // rows of TABLE1 afterwards; -1: the earlier table
};

class LayoutAnswerTest : public ImportQuestionTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(LayoutAnswerTest, TheAnswerDecides) {
  const AnswerCase& c = GetParam();
  Insert("TABLE1", {{"linenumber", "1"}});
  Insert("TABLERESULT", {{"linenumber", "1"}, {"linenumber2", "1"}});
  prompter_.files = {file_};
  prompter_.layoutAnswer = c.answer;
  Command("M_FIRSTFILE")->trigger();

  ASSERT_EQ(prompter_.questions.size(), 1u);
  EXPECT_EQ(prompter_.questions[0], "The file " + file_.toStdString() +
                                        " looks like the line layout with a header, but its options read it as a "
                                        "file without a header: every record would be read shifted.");
  EXPECT_EQ(prompter_.offeredDetected, std::vector<bool>{true});
  EXPECT_TRUE(prompter_.messages.empty());
  bool refused = c.records < 0;
  EXPECT_EQ(Count("TABLE1"), refused ? 1 : c.records);
  EXPECT_EQ(Count("TABLERESULT"), refused ? 1 : 0);
  EXPECT_EQ(Grid(ViewId::Primary)->caption(), refused ? QString(kPrimaryCaption) : kPrimaryCaption + (" " + file_));
  EXPECT_EQ(Status(6), refused ? "" : "Importing ff done");
  EXPECT_FALSE(window_->ended());
}

INSTANTIATE_TEST_SUITE_P(ThreeAnswers, LayoutAnswerTest,
                         ::testing::Values(AnswerCase{LayoutAnswer::AsDetected, "AsDetected", 3},
                                           // The header read as the start of the first record.
                                           AnswerCase{LayoutAnswer::AsOptions, "AsOptions", 3},
                                           AnswerCase{LayoutAnswer::Cancel, "Cancel", -1}),
                         [](const ::testing::TestParamInfo<AnswerCase>& info) { return std::string(info.param.name); });

TEST_F(ImportQuestionTest, AsDetectedReadsTheRecordsAligned) {
  prompter_.files = {file_};
  prompter_.layoutAnswer = LayoutAnswer::AsDetected;
  Command("M_SECFILE")->trigger();
  EXPECT_EQ(Count("TABLE2 WHERE \"4a\" LIKE 'GENT%' AND linenumber = 1"), 1);
  EXPECT_EQ(Count("TABLE2 WHERE error = 0"), 3);
}

TEST_F(ImportQuestionTest, NotViennaRecordsOfferNoDetectedImport) {
  std::filesystem::copy_file(std::string(TWINSCAN_SOURCE_DIR) + "/README.md", dir_ / "README.txt");
  prompter_.files = {QString::fromStdString((dir_ / "README.txt").string())};
  Command("M_FIRSTFILE")->trigger();
  ASSERT_EQ(prompter_.questions.size(), 1u);
  EXPECT_NE(prompter_.questions[0].find("does not look like Vienna records"), std::string::npos);
  EXPECT_EQ(prompter_.offeredDetected, std::vector<bool>{false});
  EXPECT_EQ(Count("TABLE1"), 0);
}

// Four records with a kHz unit, each one message box; ticking the box on the
// first silences the other three, and only for this import.
struct SilenceCase {
  bool silence;
  const char* command;
  std::vector<std::string> details;
  const char* status;
};

class RecordMessageTest : public WindowTest, public ::testing::WithParamInterface<SilenceCase> {
 protected:
  void SetUp() override { UsePlainFiles(); }
};

TEST_P(RecordMessageTest, DoNotShowAgainLastsOneImport) {
  const SilenceCase& c = GetParam();
  std::vector<std::string> records(4, WithField(BaseRecord(), "1A unit", "k"));
  records.insert(records.begin() + 1, BaseRecord());
  QString file = WriteViennaFile("units.txt", records);
  for (int import = 0; import < 2; ++import) {
    prompter_.messages.clear();
    prompter_.details.clear();
    prompter_.files = {file};
    prompter_.silenceRecordMessages = c.silence;
    Command(c.command)->trigger();
    EXPECT_EQ(prompter_.details, c.details);
    EXPECT_EQ(prompter_.messages, std::vector<std::string>(c.details.size(), "error: khz and Ghz not yet implemented"));
    EXPECT_EQ(Status(6), c.status);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Both, RecordMessageTest,
    ::testing::Values(SilenceCase{false,
                                  "M_FIRSTFILE",
                                  {"Line number 1", "Line number 3", "Line number 4", "Line number 5"},
                                  "Importing ff done"},
                      SilenceCase{true, "M_FIRSTFILE", {"Line number 1"}, "Importing ff done; 3 messages not shown"},
                      SilenceCase{true, "M_SECFILE", {"Line number 1"}, "Importing sf line  5; 3 messages not shown"}),
    [](const ::testing::TestParamInfo<SilenceCase>& info) {
      return std::string(info.param.silence ? "Silenced" : "Shown") + info.param.command;
    });

// Qt's own boxes: the record's message box keeps its text, names the record
// in its detail and carries the check box; the question offers its answers.
TEST(DialogPrompterTest, RecordMessageBoxCarriesTheCheckBox) {
  DialogPrompter prompter;
  for (bool tick : {true, false}) {
    QString text, detail, box;
    ModalAnswer answer([&](QDialog* dialog) {
      auto* message = qobject_cast<QMessageBox*>(dialog);
      ASSERT_NE(message, nullptr);
      text = message->text();
      detail = message->detailedText();
      box = message->checkBox()->text();
      if (tick) message->checkBox()->setChecked(true);
      message->button(QMessageBox::Ok)->click();
    });
    bool silenced = prompter.RecordMessage(nullptr, "error: khz and Ghz not yet implemented", "Line number 7");
    ASSERT_TRUE(answer.answered());
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
  };
  const Case cases[] = {
      {true, "Import it as &detected", LayoutAnswer::AsDetected},
      {true, "Import it as the &options say", LayoutAnswer::AsOptions},
      {true, "Cancel", LayoutAnswer::Cancel},
      {true, nullptr, LayoutAnswer::Cancel},
      {false, "Import it as the &options say", LayoutAnswer::AsOptions},
  };
  for (const Case& c : cases) {
    QStringList buttons;
    ModalAnswer answer([&](QDialog* dialog) {
      auto* message = qobject_cast<QMessageBox*>(dialog);
      ASSERT_NE(message, nullptr);
      for (QAbstractButton* b : message->buttons()) buttons << b->text();
      if (!c.click) {
        message->reject();
        return;
      }
      if (std::string_view(c.click) == "Cancel") {
        message->button(QMessageBox::Cancel)->click();
        return;
      }
      for (QAbstractButton* b : message->buttons())
        if (b->text() == c.click) b->click();
    });
    EXPECT_EQ(prompter.AskLayout(nullptr, "The file looks like the line layout with a header.", c.offerDetected),
              c.expected)
        << (c.click ? c.click : "Escape");
    ASSERT_TRUE(answer.answered());
    EXPECT_EQ(buttons.contains("Import it as &detected"), c.offerDetected);
    EXPECT_TRUE(buttons.contains("Import it as the &options say"));
  }
}

}  // namespace
}  // namespace twinscan::ui::testing
