// twinscan-cli check, compare and review, run as the batch tool they are.
#include <gtest/gtest.h>

#include "store/compare_run_marker.h"
#include "tests/cli/cli_run.h"
#include "tests/compare/compare_rows.h"

namespace twinscan::testing {
namespace {

using CompareCommands = CliTest;

TEST_F(CompareCommands, CheckCompareAndReview) {
  std::string base = BaseRecord();
  WriteFile(dir_ / "a.txt",
            base + "\r\n" + WithField(base, "1A", "00150.00000") + "\r\n" + WithField(base, "4A", "GENT") + "\r\n");
  WriteFile(dir_ / "b.txt", WithField(base, "13Z", "OTHER") + "\r\n" + base + "\r\n" +
                                WithField(WithField(base, "4A", "GENT"), "1Y", "00146.60000") + "\r\n");
  auto results = [&](const std::string& columns) {
    return ResultRows(*store::Database::Open(dir_ / "data" / "twinscan.db"), columns);
  };

  CliRun check = Run("check " + (dir_ / "a.txt").string() + " " + (dir_ / "b.txt").string() +
                     " --no-header --no-report --no-corrected");
  ASSERT_EQ(check.code, 0) << check.out;
  EXPECT_TRUE(Has(check.out, "3 records, 0 erroneous")) << check.out;
  EXPECT_TRUE(Has(check.out,
                  "compared pairs: 3\npairs with critical differences: 1\n"
                  "pairs with non-critical differences: 1\nprimary records without candidates: 1\n"))
      << check.out;
  EXPECT_EQ(results("linenumber, linenumber2, critical, noncritical"),
            (std::vector<std::string>{"1|1||1", "1|2||", "3|3|1|"}));
  EXPECT_TRUE(Has(ReadFile(dir_ / "data" / "comparelog"), " 2 CAN NOT BE FOUND IN THE OTHER FILE\r\n"));

  // The search fields change through the settings' own steps: clearing the
  // last field in use is refused; any order reaches a state with one in use.
  CliRun refused = Run("compare --search 1A=0 --search 6A=0 --search 4A=0 --search 13Y=0 --search 4C=0");
  EXPECT_EQ(refused.code, 2);
  EXPECT_TRUE(Has(refused.out, "At least one Field required")) << refused.out;
  EXPECT_EQ(Run("compare --search 1A=0 --search 6A=0 --search 4A=0 --search 13Y=0 --search 4C=2").code, 0);
  CliRun accepted = Run("compare --search 4A=0 --search 1a=2 --mode 13Z=0");
  ASSERT_EQ(accepted.code, 0) << accepted.out;
  EXPECT_TRUE(Has(accepted.out,
                  "compared pairs: 6\npairs with critical differences: 4\n"
                  "pairs with non-critical differences: 0\n"))
      << accepted.out;

  ASSERT_EQ(Run("compare --manual 3").code, 0);
  EXPECT_EQ(results("linenumber, linenumber2"), std::vector<std::string>{"3|3"});
  EXPECT_EQ(Run("compare --manual 99").code, 1);

  CliRun review = Run("review 3 3 --first yes --second no --remark \"it's\" --reference \"A'B\"");
  ASSERT_EQ(review.code, 0) << review.out;
  EXPECT_EQ(results("ACCEPTFIRST, ACCEPTSECOND, REMARK, REFERENCE_TO_DB"), std::vector<std::string>{"1|0|it's|A'B"});
  CliRun unknown = Run("review 3 4 --first yes --second yes");
  EXPECT_EQ(unknown.code, 1);
  EXPECT_TRUE(Has(unknown.out, "no compared pair")) << unknown.out;

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
    CliRun rerun = Run(r.arguments);
    ASSERT_EQ(rerun.code, 0) << rerun.out;
    EXPECT_TRUE(Has(rerun.out, r.summaryEnd)) << r.arguments << rerun.out;
    EXPECT_EQ(results("linenumber, linenumber2, ACCEPTFIRST, ACCEPTSECOND"), r.decisions) << r.arguments;
  }
}

TEST_F(CompareCommands, TheNextCompareSaysThatTheLastOneDidNotFinish) {
  for (const char* tag : {"ff", "sf"})
    ASSERT_EQ(Run(std::string("import ") + tag + " " + TWINSCAN_SOURCE_DIR +
                  "/samples/primary.txt --no-report --no-corrected")
                  .code,
              0);
  // As a killed run leaves the database.
  store::MarkCompareRunning(*store::Database::Open(dir_ / "data" / "twinscan.db"));
  EXPECT_TRUE(Has(Run("results").out, "The last compare did not finish"));
  CliRun next = Run("compare");
  EXPECT_EQ(next.code, 0);
  EXPECT_TRUE(Has(next.out, "The last compare did not finish: the results are incomplete")) << next.out;
  CliRun after = Run("compare");
  EXPECT_EQ(after.out.find("did not finish"), std::string::npos) << after.out;
  // An import empties the results: an unfinished run leaves nothing behind.
  store::MarkCompareRunning(*store::Database::Open(dir_ / "data" / "twinscan.db"));
  ASSERT_EQ(
      Run(std::string("import sf ") + TWINSCAN_SOURCE_DIR + "/samples/primary.txt --no-report --no-corrected").code, 0);
  EXPECT_EQ(Run("compare").out.find("did not finish"), std::string::npos);
}

}  // namespace
}  // namespace twinscan::testing
