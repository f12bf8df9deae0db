// twinscan-cli export, run as the batch tool it is.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/test_support.h"

namespace twinscan::testing {
namespace {

namespace fs = std::filesystem;

class ExportCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(Tool())) GTEST_SKIP() << "twinscan-cli is not built";
  }
  static fs::path Tool() { return fs::path(TWINSCAN_BUILD_DIR) / "twinscan-cli"; }

  // The tool's exit code.
  int Run(const std::string& arguments) {
    std::string command = Tool().string() + " --data-dir '" + (dir_ / "data").string() + "' " + arguments +
                          " >/dev/null 2>'" + (dir_ / "stderr").string() + "'";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  TempDir dir_;
};

TEST_F(ExportCommandTest, WritesTheStoredTableWithoutHeader) {
  std::string records = BaseRecord() + WithField(BaseRecord(), "4A", "GENT");
  WriteFile(dir_ / "a.txt", std::string(219, 'H') + records);
  ASSERT_EQ(Run("import ff '" + (dir_ / "a.txt").string() + "' --no-corrected"), 0);
  EXPECT_FALSE(fs::exists(dir_ / "a.txt_annex2bis.txt"));

  ASSERT_EQ(Run("export ff '" + (dir_ / "packed.txt").string() + "'"), 0);
  EXPECT_EQ(ReadFile(dir_ / "packed.txt"), records);
  ASSERT_EQ(Run("export ff '" + (dir_ / "lines.txt").string() + "' --export-lines"), 0);
  EXPECT_EQ(ReadFile(dir_ / "lines.txt"), BaseRecord() + "\r\n" + WithField(BaseRecord(), "4A", "GENT") + "\r\n");
  ASSERT_EQ(Run("export sf '" + (dir_ / "empty.txt").string() + "'"), 0);
  EXPECT_EQ(ReadFile(dir_ / "empty.txt"), "");
}

TEST_F(ExportCommandTest, ImportWritesTheCorrectedFileOrExitsOne) {
  WriteFile(dir_ / "a.txt", std::string(219, 'H') + BaseRecord());
  ASSERT_EQ(Run("import ff '" + (dir_ / "a.txt").string() + "' --export-lines"), 0);
  EXPECT_EQ(ReadFile(dir_ / "a.txt_annex2bis.txt"), std::string(219, 'H') + "\r\n" + BaseRecord() + "\r\n");

  WriteFile(dir_ / "b.txt", std::string(219, 'H') + BaseRecord());
  fs::create_directories(dir_ / "b.txt_annex2bis.txt");
  EXPECT_EQ(Run("import sf '" + (dir_ / "b.txt").string() + "'"), 1);
  EXPECT_NE(ReadFile(dir_ / "stderr").find("b.txt_annex2bis.txt cannot be written"), std::string::npos);
}

TEST_F(ExportCommandTest, ExitCodes) {
  EXPECT_EQ(Run("export ff '" + (dir_ / "missing" / "x.txt").string() + "'"), 1);
  EXPECT_NE(ReadFile(dir_ / "stderr").find((dir_ / "missing" / "x.txt").string()), std::string::npos);
  EXPECT_EQ(Run("export xx out.txt"), 2);
  EXPECT_EQ(Run("export ff"), 2);
  EXPECT_EQ(Run("export ff out.txt --bogus"), 2);
}

}  // namespace
}  // namespace twinscan::testing
