// Where the programs look for the pristine database: beside them in the
// build tree, in ../share/twinscan when installed.
#include <gtest/gtest.h>

#include "store/startup.h"
#include "tests/support/test_support.h"

namespace twinscan::testing {
namespace {

namespace fs = std::filesystem;

TEST(PristinePlace, BesideTheProgramElseInShare) {
  struct Case {
    bool beside, installed;
    const char* expected;
  } cases[] = {
      {true, false, "bin/twinscan.db"},
      {true, true, "bin/twinscan.db"},
      {false, true, "share/twinscan/twinscan.db"},
      {false, false, "bin/twinscan.db"},  // named in the "MUST be in" message
  };
  for (const Case& c : cases) {
    TempDir dir;
    fs::create_directories(dir / "bin");
    fs::create_directories(dir / "share/twinscan");
    WriteFile(dir / "bin/twinscan-cli", "");
    if (c.beside) WriteFile(dir / "bin/twinscan.db", "");
    if (c.installed) WriteFile(dir / "share/twinscan/twinscan.db", "");
    EXPECT_EQ(store::PristineDatabaseBeside(dir / "bin/twinscan-cli"), fs::canonical(dir.path()) / c.expected)
        << c.beside << c.installed;
  }
}

}  // namespace
}  // namespace twinscan::testing
