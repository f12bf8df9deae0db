// The batch tool refuses a file that disagrees with its flags, or is no
// Vienna file at all, before anything is touched: exit 1 with what the file
// looks like and the flags that fit; --force imports it as the flags say.
#include <gtest/gtest.h>

#include "tests/cli/cli_run.h"

namespace twinscan::testing {
namespace {

namespace fs = std::filesystem;

TEST_F(CliTest, ALayoutThatDisagreesIsRefusedWithTheFlagsThatFit) {
  std::string records;
  for (const char* name : {"GENT", "BRUGGE", "LIEGE"}) records += WithField(BaseRecord(), "4A", name) + "\r\n";
  WriteFile(dir_ / "lines.txt", std::string(200, 'H') + "\r\n" + records);
  fs::copy_file(std::string(TWINSCAN_SOURCE_DIR) + "/README.md", dir_ / "README.txt");
  fs::copy_file(std::string(TWINSCAN_SOURCE_DIR) + "/samples/primary.txt", dir_ / "primary.txt");
  WriteFile(dir_ / "zeros.txt", std::string(4096, '\0'));
  const std::string lines = Path("lines.txt"), quiet = " --no-report --no-corrected";
  const struct {
    std::string args;
    int code;
    std::vector<std::string> said;
  } cases[] = {
      {"import ff '" + lines + "'",
       1,
       {"The file " + lines +
            " looks like the line layout with a header, but its options read it as the 2001 layout with a header",
        "The flags that fit: --no-2001.", "--force imports it as the options say."}},
      {"import sf '" + lines + "' --no-header --no-report",
       1,
       {"looks like the line layout with a header, but its options read it as a file without a header",
        "The flags that fit: --no-2001."}},
      {"import ff '" + Path("primary.txt") + "' --no-2001",
       1,
       {"looks like the line layout with a 219-character header", "neither --no-2001 nor --no-header"}},
      {"import ff '" + Path("README.txt") + "'",
       1,
       {"The file " + Path("README.txt") + " does not look like Vienna records (text without Vienna records).",
        "--force"}},
      {"import sf '" + Path("zeros.txt") + "' --no-header", 1, {"(a run of zero bytes)"}},
      // check judges both files before it starts: the primary file is not imported either.
      {"check '" + Path("primary.txt") + "' '" + Path("README.txt") + "'", 1, {"does not look like Vienna records"}},
      {"import ff '" + lines + "' --no-2001" + quiet, 0, {"3 records, 0 erroneous"}},
      // As the options say: every record read 17 places early.
      {"import ff '" + lines + "' --force" + quiet, 0, {"2 records, 2 erroneous"}},
      {"check '" + Path("primary.txt") + "' '" + lines + "' --force" + quiet,
       0,
       {"secondary " + lines + ": 2 records"}},
  };
  for (const auto& c : cases) {
    CliRun run = Run(c.args);
    EXPECT_EQ(run.code, c.code) << c.args << "\n" << run.out;
    for (const std::string& text : c.said) EXPECT_TRUE(Has(run.out, text)) << c.args << "\n" << run.out;
    EXPECT_EQ(fs::exists(dir_ / "data"), c.code == 0) << c.args << ": whether the program was started";
  }
  EXPECT_FALSE(fs::exists(dir_ / "lines.txt_rep"));
  EXPECT_FALSE(fs::exists(dir_ / "lines.txt_annex2bis.txt"));
}

TEST_F(CliTest, EveryUnitMessageIsPrinted) {
  std::string records;
  for (int i = 0; i < 3; ++i) records += WithField(BaseRecord(), "1A unit", "k");
  WriteFile(dir_ / "units.txt", std::string(219, 'H') + records);
  CliRun run = Run("import ff '" + Path("units.txt") + "' --no-report --no-corrected");
  EXPECT_EQ(run.code, 0) << run.out;
  size_t shown = 0;
  for (size_t at = 0; (at = run.out.find("error: khz and Ghz not yet implemented\n", at)) != std::string::npos; ++at)
    ++shown;
  EXPECT_EQ(shown, 3u) << run.out;
}

}  // namespace
}  // namespace twinscan::testing
