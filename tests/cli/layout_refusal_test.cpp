// The batch tool refuses a file that disagrees with its flags, or is no
// Vienna file at all, before anything is touched: exit 1 with what the file
// looks like and the flags that fit; --force imports it as the flags say.
#include <gtest/gtest.h>

#include "tests/cli/cli_run.h"
#include "tests/support/test_support.h"

namespace twinscan::testing {
namespace {

namespace fs = std::filesystem;

class LayoutRefusal : public ::testing::Test {
 protected:
  LayoutRefusal() {
    std::string records;
    for (const char* name : {"GENT", "BRUGGE", "LIEGE"}) records += WithField(BaseRecord(), "4A", name) + "\r\n";
    WriteFile(dir_ / "lines.txt", std::string(200, 'H') + "\r\n" + records);
    fs::copy_file(std::string(TWINSCAN_SOURCE_DIR) + "/README.md", dir_ / "README.txt");
    fs::copy_file(std::string(TWINSCAN_SOURCE_DIR) + "/samples/primary.txt", dir_ / "primary.txt");
    WriteFile(dir_ / "zeros.txt", std::string(4096, '\0'));
  }
  CliRun Run(const std::string& arguments) { return RunCli("--data-dir '" + Path("data") + "' " + arguments); }
  std::string Path(const char* name) const { return (dir_ / name).string(); }

  TempDir dir_;
};

TEST_F(LayoutRefusal, NamesWhatItDetectedAndTheFlagsThatFit) {
  struct Case {
    std::string args;
    std::vector<std::string> said;
  };
  const Case cases[] = {
      {"import ff '" + Path("lines.txt") + "'",
       {"The file " + Path("lines.txt") +
            " looks like the line layout with a header, but its options read it as the "
            "2001 layout with a header",
        "The flags that fit: --no-2001.", "--force imports it as the options say."}},
      {"import sf '" + Path("lines.txt") + "' --no-header --no-report",
       {"looks like the line layout with a header, but its options read it as a file without a header",
        "The flags that fit: --no-2001."}},
      {"import ff '" + Path("primary.txt") + "' --no-2001",
       {"looks like the line layout with a 219-character header", "neither --no-2001 nor --no-header"}},
      {"import ff '" + Path("README.txt") + "'",
       {"The file " + Path("README.txt") + " does not look like Vienna records (text without Vienna records).",
        "--force"}},
      {"import sf '" + Path("zeros.txt") + "' --no-header", {"(a run of zero bytes)"}},
      // check judges both files before it starts: the primary file is not imported either.
      {"check '" + Path("primary.txt") + "' '" + Path("README.txt") + "'", {"does not look like Vienna records"}},
  };
  for (const Case& c : cases) {
    CliRun run = Run(c.args);
    EXPECT_EQ(run.code, 1) << c.args << "\n" << run.out;
    for (const std::string& text : c.said)
      EXPECT_NE(run.out.find(text), std::string::npos) << c.args << "\n" << run.out;
    EXPECT_FALSE(fs::exists(dir_ / "data")) << c.args << ": the program was started";
  }
  EXPECT_FALSE(fs::exists(dir_ / "lines.txt_rep"));
  EXPECT_FALSE(fs::exists(dir_ / "lines.txt_annex2bis.txt"));
}

TEST_F(LayoutRefusal, TheFlagsThatFitOrForceImport) {
  struct Case {
    std::string args;
    std::string said;
  };
  const Case cases[] = {
      {"import ff '" + Path("lines.txt") + "' --no-2001 --no-report --no-corrected", "3 records, 0 erroneous"},
      // As the options say: every record read 17 places early.
      {"import ff '" + Path("lines.txt") + "' --force --no-report --no-corrected", "2 records, 2 erroneous"},
      {"check '" + Path("primary.txt") + "' '" + Path("lines.txt") + "' --force --no-report --no-corrected",
       "secondary " + Path("lines.txt") + ": 2 records"},
  };
  for (const Case& c : cases) {
    CliRun run = Run(c.args);
    EXPECT_EQ(run.code, 0) << c.args << "\n" << run.out;
    EXPECT_NE(run.out.find(c.said), std::string::npos) << c.args << "\n" << run.out;
  }
}

TEST_F(LayoutRefusal, EveryUnitMessageIsPrinted) {
  std::string records;
  for (int i = 0; i < 3; ++i) records += WithField(BaseRecord(), "1A unit", "k");
  WriteFile(dir_ / "units.txt", std::string(219, 'H') + records);
  CliRun run = Run("import ff '" + Path("units.txt") + "' --no-report --no-corrected");
  EXPECT_EQ(run.code, 0) << run.out;
  size_t shown = 0;
  for (size_t at = run.out.find("error: khz and Ghz not yet implemented\n"); at != std::string::npos;
       at = run.out.find("error: khz and Ghz not yet implemented\n", at + 1))
    ++shown;
  EXPECT_EQ(shown, 3u) << run.out;
}

}  // namespace
}  // namespace twinscan::testing
