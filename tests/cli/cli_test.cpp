// The batch tool as other tools drive it: arguments, help, exit codes,
// messages, import and export.
#include <gtest/gtest.h>

#include "tests/cli/cli_run.h"

namespace twinscan::testing {
namespace {

namespace fs = std::filesystem;

using Cli = CliTest;

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
    EXPECT_TRUE(Has(run.out, "usage: twinscan-cli")) << args;
  }
}

TEST_F(Cli, HelpAndVersionExitZeroAndStartNothing) {
  const std::pair<const char*, const char*> cases[] = {
      {"--help", "usage: twinscan-cli [--data-dir DIR] COMMAND"},
      {"-h", "usage: twinscan-cli [--data-dir DIR] COMMAND"},
      {"--version", "twinscan-cli 1.0\n"},
      {"import --help", "usage: twinscan-cli [--data-dir DIR] import ff|sf FILE"},
      {"import ff x.txt -h", "--no-corrected  write no corrected file"},
      {"export --help", "export ff|sf OUTFILE [--export-lines]\nWrites"},
      {"compare --help", "--compare-erroneous ff|sf  compare"},
      {"review --help", "review LINE1 LINE2 --first yes|no"},
      {"check --help", "check PRIMARY SECONDARY [import flags]"},
      {"help compare", "usage: twinscan-cli [--data-dir DIR] compare"},
  };
  for (const auto& [args, expected] : cases) {
    CliRun run = Run(args);
    EXPECT_EQ(run.code, 0) << args;
    EXPECT_TRUE(Has(run.out, expected)) << args << "\n" << run.out;
    EXPECT_FALSE(fs::exists(dir_ / "data")) << args;
  }
  EXPECT_EQ(RunShell(std::string(TWINSCAN_BUILD_DIR) + "/vienna-gen --help").code, 0);
}

TEST_F(Cli, ImportsASampleFileIntoTheDataDirectory) {
  fs::copy_file(std::string(TWINSCAN_SOURCE_DIR) + "/samples/primary.txt", dir_ / "primary.txt");
  CliRun run = Run("import ff '" + Path("primary.txt") + "' --no-report --no-corrected");
  EXPECT_EQ(run.code, 0) << run.out;
  EXPECT_TRUE(Has(run.out, "Copying original and empty 'twinscan.db'"));
  EXPECT_TRUE(Has(run.out, "50 records")) << run.out;
  EXPECT_TRUE(fs::exists(dir_ / "data" / "comparelog"));
  EXPECT_FALSE(fs::exists(dir_ / "primary.txt_annex2bis.txt"));
  EXPECT_FALSE(fs::exists(dir_ / "primary.txt_rep"));
}

// Run-time failures exit 1, name the tool and leave no false status.
TEST_F(Cli, FailuresExitOneWithAMessage) {
  const std::string data = Path("data");
  CliRun created = Run("compare");  // the first run creates the data directory and says so
  EXPECT_EQ(created.code, 1);
  EXPECT_TRUE(Has(created.out, "twinscan-cli: created the data directory " + data + "\n")) << created.out;
  EXPECT_TRUE(Has(created.out, "twinscan-cli: nothing to compare: no primary records in " + data +
                                   " (import a primary file first)\n"))
      << created.out;
  EXPECT_FALSE(Has(Run("compare").out, "created the data directory"));

  WriteFile(dir_ / "one.txt", BaseRecord() + "\r\n");
  ASSERT_EQ(Run("import ff '" + Path("one.txt") + "' --no-header --no-report --no-corrected").code, 0);
  CliRun noSecondary = Run("compare --manual 1");
  EXPECT_EQ(noSecondary.code, 1);
  EXPECT_TRUE(
      Has(noSecondary.out, "nothing to compare: no secondary records in " + data + " (import a secondary file first)"))
      << noSecondary.out;

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
      {"import ff '" + Path("none.txt") + "'", "twinscan-cli: The file "},
      {"import ff '" + Path("none.txt") + "'", "cannot be opened"},
      {"check '" + Path("none.txt") + "' x.txt", "cannot be opened"},
      {"import sf '" + Path("short.txt") + "' --no-2001", "twinscan-cli: error: header is not long enough\n"},
      {"import sf '" + Path("b.txt") + "'", "b.txt_annex2bis.txt cannot be written"},
      {"export ff '" + Path("missing") + "/x.txt'", Path("missing") + "/x.txt"},
  };
  for (const auto& [args, message] : cases) {
    CliRun run = Run(args);
    EXPECT_EQ(run.code, 1) << args;
    EXPECT_TRUE(Has(run.out, message)) << args << "\n" << run.out;
    if (!Has(message, "cannot be written")) {  // failed before the import began
      EXPECT_FALSE(Has(run.out, "Importing ")) << args << "\n" << run.out;
    }
  }
  CliRun noDir = RunCli("--data-dir '" + Path("blocker") + "/vienna' import ff x.txt");
  EXPECT_EQ(noDir.code, 1);
  EXPECT_TRUE(Has(noDir.out, "cannot be created")) << noDir.out;
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
