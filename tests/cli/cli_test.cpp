// The batch tool as other tools drive it: arguments, exit codes, messages,
// import and export.
#include <gtest/gtest.h>

#include "tests/cli/cli_run.h"
#include "tests/support/test_support.h"

namespace twinscan::testing {
namespace {

namespace fs = std::filesystem;

class Cli : public ::testing::Test {
 protected:
  CliRun Run(const std::string& arguments) { return RunCli("--data-dir '" + Path("data") + "' " + arguments); }
  std::string Path(const char* name) const { return (dir_ / name).string(); }

  TempDir dir_;
};

TEST_F(Cli, BadArgumentsExitTwoWithTheUsage) {
  EXPECT_EQ(RunCli("").code, 2);
  EXPECT_EQ(RunCli("--data-dir").code, 2);
  EXPECT_EQ(RunCli("--data-dir --help compare").code, 2);
  for (const char* args : {"frobnicate",
                           "import",
                           "import xx f.txt",
                           "import ff",
                           "import ff f.txt --bogus",
                           "export xx out.txt",
                           "export ff",
                           "export ff out.txt --bogus",
                           "compare --mode 9Q=1",
                           "compare --mode 1A=3",
                           "compare --search 4A=2",
                           "compare --search 9A=1",
                           "compare --compare-erroneous xx",
                           "compare --manual x",
                           "review 1",
                           "review 1 2 --first maybe --second no",
                           "review 1 2 --first yes",
                           "check a.txt",
                           "review 1 2 --first yes --second no --remark --reference X",
                           "review 1 2 --first --second no"}) {
    CliRun run = Run(args);
    EXPECT_EQ(run.code, 2) << args << "\n" << run.out;
    EXPECT_NE(run.out.find("usage: twinscan-cli"), std::string::npos) << args;
  }
}

TEST_F(Cli, ImportsASampleFileIntoTheDataDirectory) {
  fs::copy_file(std::string(TWINSCAN_SOURCE_DIR) + "/samples/primary.txt", dir_ / "primary.txt");
  CliRun run = Run("import ff " + (dir_ / "primary.txt").string() + " --no-report --no-corrected");
  EXPECT_EQ(run.code, 0) << run.out;
  EXPECT_NE(run.out.find("Copying original and empty 'twinscan.db'"), std::string::npos);
  EXPECT_NE(run.out.find("50 records"), std::string::npos) << run.out;
  EXPECT_TRUE(fs::exists(dir_ / "data" / "twinscan.db"));
  EXPECT_TRUE(fs::exists(dir_ / "data" / "comparelog"));
  EXPECT_FALSE(fs::exists(dir_ / "primary.txt_annex2bis.txt"));
  EXPECT_FALSE(fs::exists(dir_ / "primary.txt_rep"));
}

TEST_F(Cli, FailuresExitOneWithAMessage) {
  WriteFile(dir_ / "blocker", "x");
  WriteFile(dir_ / "short.txt", "HEADER\r\n");
  WriteFile(dir_ / "b.txt", std::string(219, 'H') + BaseRecord());
  fs::create_directories(dir_ / "b.txt_annex2bis.txt");
  WriteFile(dir_ / "c.txt", BaseRecord());
  fs::create_directories(dir_ / "c.txt_rep");
  const std::pair<std::string, std::string> cases[] = {
      {"import ff '" + Path("c.txt") + "' --no-header --no-corrected", "c.txt_rep cannot be written"},
      {"check '" + Path("c.txt") + "' '" + Path("c.txt") + "' --no-header --no-corrected",
       "c.txt_rep cannot be written"},
      {"import ff '" + Path("none.txt") + "'", "cannot be opened"},
      {"import sf '" + Path("short.txt") + "' --no-2001", "error: header is not long enough"},
      {"import sf '" + Path("b.txt") + "'", "b.txt_annex2bis.txt cannot be written"},
      {"export ff '" + Path("missing") + "/x.txt'", Path("missing") + "/x.txt"},
  };
  for (const auto& [args, message] : cases) {
    CliRun run = Run(args);
    EXPECT_EQ(run.code, 1) << args;
    EXPECT_NE(run.out.find(message), std::string::npos) << run.out;
  }
  CliRun noDir = RunCli("--data-dir '" + Path("blocker") + "/vienna' import ff x.txt");
  EXPECT_EQ(noDir.code, 1);
  EXPECT_NE(noDir.out.find("cannot be created"), std::string::npos) << noDir.out;
}

TEST_F(Cli, ImportWritesTheCorrectedFileAndExportWritesTheTable) {
  std::string records = BaseRecord() + WithField(BaseRecord(), "4A", "GENT");
  WriteFile(dir_ / "a.txt", std::string(219, 'H') + records);
  ASSERT_EQ(Run("import ff '" + Path("a.txt") + "' --export-lines").code, 0);
  EXPECT_EQ(ReadFile(dir_ / "a.txt_annex2bis.txt"),
            std::string(219, 'H') + "\r\n" + BaseRecord() + "\r\n" + WithField(BaseRecord(), "4A", "GENT") + "\r\n");

  // The header lives only within the import that read it.
  ASSERT_EQ(Run("export ff '" + Path("packed.txt") + "'").code, 0);
  EXPECT_EQ(ReadFile(dir_ / "packed.txt"), records);
  ASSERT_EQ(Run("export sf '" + Path("empty.txt") + "'").code, 0);
  EXPECT_EQ(ReadFile(dir_ / "empty.txt"), "");
}

}  // namespace
}  // namespace twinscan::testing
