// The desktop app guards its data directory: a second window on it stops at
// the start, and an import whose output is the working database is refused
// with a message box before anything is touched.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>

#include "tests/ui/ui_test_support.h"

namespace twinscan::ui::testing {
namespace {

namespace fs = std::filesystem;
using twinscan::testing::BaseRecord;

class GuardsTest : public WindowTest {};

TEST_F(GuardsTest, ASecondWindowOnTheDataDirectoryStops) {
  AnsweringPrompter prompter;
  MainWindow second(prompter);
  EXPECT_FALSE(second.Start(dataDir(), twinscan::testing::PristineDatabase()));
  EXPECT_EQ(prompter.messages, std::vector<std::string>{"twinscan is already working on " + dataDir().string() +
                                                        " (process " + std::to_string(getpid()) + ")"});
}

TEST_F(GuardsTest, AnImportWhoseCorrectedFileIsTheDatabaseIsRefused) {
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

}  // namespace
}  // namespace twinscan::ui::testing
