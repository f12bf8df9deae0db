// The two import commands of the menu, with the file chosen by the test.
#include <gtest/gtest.h>
#include <QAction>

#include "tests/ui/ui_test_support.h"
#include "ui/data_grid.h"

namespace twinscan::ui::testing {
namespace {

using twinscan::testing::BaseRecord;

class ImportTest : public WindowTest {
 protected:
  void SetUp() override { UsePlainFiles(); }
};

TEST_F(ImportTest, PrimaryImportFillsItsGridAndNamesTheFile) {
  QString file = WriteViennaFile("a.txt", {BaseRecord(), BaseRecord(), BaseRecord()});
  Insert("TABLERESULT", {{"linenumber", "1"}, {"linenumber2", "1"}});
  prompter_.files = {file};
  Command("M_FIRSTFILE")->trigger();

  EXPECT_EQ(prompter_.filters, std::vector<std::string>{"Primary File in Vienna Format (*.txt)"});
  EXPECT_EQ(Count("TABLE1"), 3);
  EXPECT_EQ(Count("TABLERESULT"), 0);
  EXPECT_EQ(Grid(ViewId::Primary)->caption(), "List of Entries to be Compared (ff) " + file);
  EXPECT_EQ(Grid(ViewId::Secondary)->caption().toStdString(), "List of Entries to Compare with (sf)");
  EXPECT_EQ(Status(6), "Importing ff done");
  EXPECT_EQ(Status(1), "(ff)  1 of  3");
}

TEST_F(ImportTest, SecondaryImportLeavesThePrimaryTableAndCaptionAlone) {
  Insert("TABLE1", {{"linenumber", "1"}});
  Insert("TABLERESULT", {{"linenumber", "1"}, {"linenumber2", "1"}});
  QString file = WriteViennaFile("b.txt", {BaseRecord(), BaseRecord()});
  prompter_.files = {file};
  Command("M_SECFILE")->trigger();

  EXPECT_EQ(prompter_.filters, std::vector<std::string>{"Secondary File in Vienna Format (*.txt)"});
  EXPECT_EQ(Count("TABLE1"), 1);
  EXPECT_EQ(Count("TABLE2"), 2);
  EXPECT_EQ(Count("TABLERESULT"), 0);
  EXPECT_EQ(Grid(ViewId::Secondary)->caption(), "List of Entries to Compare with (sf) " + file);
  EXPECT_EQ(Grid(ViewId::Primary)->caption().toStdString(), "List of Entries to be Compared (ff)");
  // Only the per-record progress shows for the secondary file.
  EXPECT_EQ(Status(6), "Importing sf line  2");
  EXPECT_EQ(Status(2), "(sf)  1 of  2");
}

TEST_F(ImportTest, RelativeChoiceIsNamedWithItsFullPath) {
  std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(dir_.path());
  WriteViennaFile("c.txt", {BaseRecord()});
  prompter_.files = {"c.txt"};
  Command("M_FIRSTFILE")->trigger();
  std::filesystem::current_path(previous);
  EXPECT_EQ(Grid(ViewId::Primary)->caption().toStdString(),
            "List of Entries to be Compared (ff) " + (dir_.path() / "c.txt").string());
}

TEST_F(ImportTest, CancelledChoiceChangesNothing) {
  QString file = WriteViennaFile("a.txt", {BaseRecord()});
  prompter_.files = {file};
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

}  // namespace
}  // namespace twinscan::ui::testing
