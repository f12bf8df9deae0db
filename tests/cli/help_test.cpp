// The batch tool's help, version and the messages of its run-time failures.
#include <gtest/gtest.h>

#include "tests/cli/cli_run.h"
#include "tests/support/test_support.h"

namespace twinscan::testing {
namespace {

namespace fs = std::filesystem;

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(CliHelp, HelpAndVersionExitZero) {
  struct Case {
    std::string args, expected;
  } cases[] = {
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
  for (const Case& c : cases) {
    TempDir dir;
    CliRun run = RunCli("--data-dir '" + (dir / "data").string() + "' " + c.args);
    EXPECT_EQ(run.code, 0) << c.args;
    EXPECT_TRUE(Has(run.out, c.expected)) << c.args << "\n" << run.out;
    // Help starts nothing: no data directory appears.
    EXPECT_FALSE(fs::exists(dir / "data")) << c.args;
  }
}

TEST(CliHelp, GeneratorHelpExitsZero) {
  std::string command = std::string(TWINSCAN_BUILD_DIR) + "/vienna-gen --help >/dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0);
}

TEST(CliMessages, RunTimeFailuresNameTheToolAndLeaveNoFalseStatus) {
  TempDir dir;
  fs::path data = dir / "data";
  WriteFile(dir / "short.txt", "HEADER\r\n");
  WriteFile(dir / "one.txt", BaseRecord() + "\r\n");
  auto run = [&](const std::string& args) { return RunCli("--data-dir '" + data.string() + "' " + args); };

  // The first run creates the data directory and says so.
  CliRun created = run("compare");
  EXPECT_EQ(created.code, 1);
  EXPECT_TRUE(Has(created.out, "twinscan-cli: created the data directory " + data.string() + "\n")) << created.out;
  EXPECT_FALSE(Has(run("compare").out, "created the data directory"));

  struct Case {
    std::string args, message;
  } cases[] = {
      {"compare",
       "twinscan-cli: nothing to compare: no primary records in " + data.string() + " (import a primary file first)\n"},
      {"import ff '" + (dir / "none.txt").string() + "'", "twinscan-cli: The file "},
      {"import ff '" + (dir / "short.txt").string() + "' --no-2001",
       "twinscan-cli: error: header is not long enough\n"},
      {"check '" + (dir / "none.txt").string() + "' x.txt", "cannot be opened"},
  };
  for (const Case& c : cases) {
    CliRun failed = run(c.args);
    EXPECT_EQ(failed.code, 1) << c.args;
    EXPECT_TRUE(Has(failed.out, c.message)) << c.args << "\n" << failed.out;
    EXPECT_FALSE(Has(failed.out, "Importing ff")) << c.args << "\n" << failed.out;
  }

  // With primary records only, the secondary table is named.
  ASSERT_EQ(run("import ff '" + (dir / "one.txt").string() + "' --no-header --no-report --no-corrected").code, 0);
  CliRun noSecondary = run("compare --manual 1");
  EXPECT_EQ(noSecondary.code, 1);
  EXPECT_TRUE(Has(noSecondary.out,
                  "nothing to compare: no secondary records in " + data.string() + " (import a secondary file first)"))
      << noSecondary.out;
}

}  // namespace
}  // namespace twinscan::testing
