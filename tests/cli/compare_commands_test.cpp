// twinscan-cli check, compare and review, run as the batch tool they are.
#include <gtest/gtest.h>

#include "store/compare_run_marker.h"
#include "tests/cli/cli_run.h"
#include "tests/compare/compare_rows.h"
#include "tests/support/test_support.h"

namespace twinscan::testing {
namespace {

TEST(CompareCommands, CheckCompareAndReview) {
  TempDir dir;
  std::string base = BaseRecord();
  WriteFile(dir / "a.txt",
            base + "\r\n" + WithField(base, "1A", "00150.00000") + "\r\n" + WithField(base, "4A", "GENT") + "\r\n");
  WriteFile(dir / "b.txt", WithField(base, "13Z", "OTHER") + "\r\n" + base + "\r\n" +
                               WithField(WithField(base, "4A", "GENT"), "1Y", "00146.60000") + "\r\n");
  auto run = [&](const std::string& arguments) {
    return RunCli("--data-dir " + (dir / "data").string() + " " + arguments);
  };
  auto results = [&](const std::string& columns) {
    return ResultRows(*store::Database::Open(dir / "data" / "twinscan.db"), columns);
  };

  CliRun check = run("check " + (dir / "a.txt").string() + " " + (dir / "b.txt").string() +
                     " --no-header --no-report --no-corrected");
  ASSERT_EQ(check.code, 0) << check.out;
  EXPECT_NE(check.out.find("3 records, 0 erroneous"), std::string::npos) << check.out;
  EXPECT_NE(check.out.find("compared pairs: 3\npairs with critical differences: 1\n"
                           "pairs with non-critical differences: 1\nprimary records without candidates: 1\n"),
            std::string::npos)
      << check.out;
  EXPECT_EQ(results("linenumber, linenumber2, critical, noncritical"),
            (std::vector<std::string>{"1|1||1", "1|2||", "3|3|1|"}));
  EXPECT_NE(ReadFile(dir / "data" / "comparelog").find(" 2 CAN NOT BE FOUND IN THE OTHER FILE\r\n"), std::string::npos);

  // The search fields change through the settings' own steps: clearing the
  // last field in use is refused; any order reaches a state with one in use.
  CliRun refused = run("compare --search 1A=0 --search 6A=0 --search 4A=0 --search 13Y=0 --search 4C=0");
  EXPECT_EQ(refused.code, 2);
  EXPECT_NE(refused.out.find("At least one Field required"), std::string::npos) << refused.out;
  EXPECT_EQ(run("compare --search 1A=0 --search 6A=0 --search 4A=0 --search 13Y=0 --search 4C=2").code, 0);
  CliRun accepted = run("compare --search 4A=0 --search 1a=2 --mode 13Z=0");
  ASSERT_EQ(accepted.code, 0) << accepted.out;
  EXPECT_NE(accepted.out.find("compared pairs: 6\npairs with critical differences: 4\n"
                              "pairs with non-critical differences: 0\n"),
            std::string::npos)
      << accepted.out;

  ASSERT_EQ(run("compare --manual 3").code, 0);
  EXPECT_EQ(results("linenumber, linenumber2"), std::vector<std::string>{"3|3"});
  EXPECT_EQ(run("compare --manual 99").code, 1);

  CliRun review = run("review 3 3 --first yes --second no --remark \"it's\" --reference \"A'B\"");
  ASSERT_EQ(review.code, 0) << review.out;
  EXPECT_EQ(results("ACCEPTFIRST, ACCEPTSECOND, REMARK, REFERENCE_TO_DB"), std::vector<std::string>{"1|0|it's|A'B"});
  CliRun unknown = run("review 3 4 --first yes --second yes");
  EXPECT_EQ(unknown.code, 1);
  EXPECT_NE(unknown.out.find("no compared pair"), std::string::npos) << unknown.out;

  // The decision comes back with every run over the same records, unless
  // the run forgets it; the journal keeps it either way.
  struct Rerun {
    const char* arguments;
    const char* summaryEnd;
    std::vector<std::string> decisions;
  } reruns[] = {
      {"compare", "without candidates: 1\ndecisions restored: 1\n", {"1|1||", "1|2||", "3|3|1|0"}},
      {"compare --forget-decisions", "without candidates: 1\ndecisions restored: 0\n", {"1|1||", "1|2||", "3|3||"}},
      {"compare --manual 3", "without candidates: 0\ndecisions restored: 1\n", {"3|3|1|0"}},
  };
  for (const Rerun& r : reruns) {
    CliRun rerun = run(r.arguments);
    ASSERT_EQ(rerun.code, 0) << rerun.out;
    EXPECT_NE(rerun.out.find(r.summaryEnd), std::string::npos) << r.arguments << rerun.out;
    EXPECT_EQ(results("linenumber, linenumber2, ACCEPTFIRST, ACCEPTSECOND"), r.decisions) << r.arguments;
  }
}

TEST(CompareCommands, TheNextCompareSaysThatTheLastOneDidNotFinish) {
  TempDir dir;
  auto run = [&](const std::string& arguments) {
    return RunCli("--data-dir " + (dir / "data").string() + " " + arguments);
  };
  for (const char* tag : {"ff", "sf"})
    ASSERT_EQ(run(std::string("import ") + tag + " " + TWINSCAN_SOURCE_DIR +
                  "/samples/primary.txt --no-report --no-corrected")
                  .code,
              0);
  // As a killed run leaves the database.
  store::MarkCompareRunning(*store::Database::Open(dir / "data" / "twinscan.db"));
  CliRun next = run("compare");
  EXPECT_EQ(next.code, 0);
  EXPECT_NE(next.out.find("The last compare did not finish: the results are incomplete"), std::string::npos)
      << next.out;
  CliRun after = run("compare");
  EXPECT_EQ(after.out.find("did not finish"), std::string::npos) << after.out;
  // An import empties the results: an unfinished run leaves nothing behind.
  store::MarkCompareRunning(*store::Database::Open(dir / "data" / "twinscan.db"));
  ASSERT_EQ(
      run(std::string("import sf ") + TWINSCAN_SOURCE_DIR + "/samples/primary.txt --no-report --no-corrected").code, 0);
  EXPECT_EQ(run("compare").out.find("did not finish"), std::string::npos);
}

}  // namespace
}  // namespace twinscan::testing
