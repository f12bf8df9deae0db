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

// Each import fills its own table and grid caption, empties the results and
// leaves the other file's table and caption alone.
struct ImportCase {
  const char* command;
  const char* filter;
  const char* table;
  const char* otherTable;
  ViewId grid, otherGrid;
  const char* caption;
  const char* otherCaption;
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
