// twinscan-cli check, compare, review and results, run as the batch tool they are.
#include <gtest/gtest.h>

#include "store/compare_run_marker.h"
#include "tests/cli/cli_run.h"
#include "tests/compare/compare_rows.h"
#include "tests/support/results_formats.h"

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
  Expect("check " + Path("a.txt") + " " + Path("b.txt") + " --no-header --no-report --no-corrected", 0,
         {"3 records, 0 erroneous",
          "compared pairs: 3\npairs with critical differences: 1\n"
          "pairs with non-critical differences: 1\nprimary records without candidates: 1\n"});
  EXPECT_EQ(results("linenumber, linenumber2, critical, noncritical"),
            (std::vector<std::string>{"1|1||1", "1|2||", "3|3|1|"}));
  EXPECT_TRUE(Has(ReadFile(dir_ / "data" / "comparelog"), " 2 CAN NOT BE FOUND IN THE OTHER FILE\r\n"));
  // Clearing the last search field in use is refused; any order that keeps one in use is not.
  Expect("compare --search 1A=0 --search 6A=0 --search 4A=0 --search 13Y=0 --search 4C=0", 2,
         {"At least one Field required"});
  Expect("compare --search 1A=0 --search 6A=0 --search 4A=0 --search 13Y=0 --search 4C=2", 0);
  Expect("compare --search 4A=0 --search 1a=2 --mode 13Z=0", 0,
         {"compared pairs: 6\npairs with critical differences: 4\npairs with non-critical differences: 0\n"});
  Expect("compare --manual 3", 0);
  EXPECT_EQ(results("linenumber, linenumber2"), std::vector<std::string>{"3|3"});
  Expect("review 3 3 --first yes --second no --remark \"it's\" --reference \"A'B\"", 0);
  EXPECT_EQ(results("ACCEPTFIRST, ACCEPTSECOND, REMARK, REFERENCE_TO_DB"), std::vector<std::string>{"1|0|it's|A'B"});
  Expect("review 3 4 --first yes --second yes", 1, {"no compared pair"});
  // The decision comes back with every run over the same records unless the run forgets it.
  const std::tuple<const char*, const char*, std::vector<std::string>> reruns[] = {
      {"compare", "without candidates: 1\ndecisions restored: 1\n", {"1|1||", "1|2||", "3|3|1|0"}},
      {"compare --forget-decisions", "without candidates: 1\ndecisions restored: 0\n", {"1|1||", "1|2||", "3|3||"}},
      {"compare --manual 3", "without candidates: 0\ndecisions restored: 1\n", {"3|3|1|0"}}};
  for (const auto& [arguments, summaryEnd, decisions] : reruns) {
    Expect(arguments, 0, {summaryEnd});
    EXPECT_EQ(results("linenumber, linenumber2, ACCEPTFIRST, ACCEPTSECOND"), decisions) << arguments;
  }
}

// CSV to standard output, JSON to a file; reading the results leaves the
// run's compare log.
TEST_F(CompareCommands, ResultsAfterACheckOfTheSamples) {
  CliRun check = Expect("check '" + std::string(TWINSCAN_SOURCE_DIR) + "/samples/primary.txt' '" + TWINSCAN_SOURCE_DIR +
                            "/samples/secondary.txt' --no-report --no-corrected --mode 1Z=2 --search 4C=0",
                        0);
  ASSERT_TRUE(Has(check.out, "compared pairs: "));
  const int pairs = std::stoi(check.out.substr(check.out.find("compared pairs: ") + 16));
  const std::string log = ReadFile(Path("data/comparelog"));
  ASSERT_FALSE(log.empty());
  auto critical = ParseCsv(Run("results --filter critical").out).value_or(std::vector<std::vector<std::string>>{});
  ASSERT_GT(critical.size(), 1u);
  for (size_t i = 1; i < critical.size(); ++i) EXPECT_EQ(critical[i][2], "true");
  EXPECT_EQ(ReadFile(Path("data/comparelog")), log);
  Expect("results --format json --output '" + Path("r.json") + "'", 0);
  std::optional<Json> json = JsonParser::Parse(ReadFile(Path("r.json")));
  ASSERT_TRUE(json.has_value());
  const Json& d = *json;
  EXPECT_EQ(d["files"][0]["name"].String(), "primary.txt");
  EXPECT_EQ(d["files"][1]["erroneous"].Number(), 5);
  EXPECT_EQ(d["settings"]["mode"]["1Z"].Number(), 2);
  EXPECT_EQ(d["settings"]["search"]["4C"].Number(), 0);
  EXPECT_EQ(d["pairs"].Array().size(), static_cast<size_t>(pairs));
  Expect("results --output '" + Path("data/twinscan.db") + "'", 1, {"is the working database"});
  // A killed run leaves its mark; the next compare says so, once. An import
  // empties the results: an unfinished run leaves nothing behind.
  store::MarkCompareRunning(*store::Database::Open(dir_ / "data" / "twinscan.db"));
  Expect("results", 0, {"The last compare did not finish"});
  Expect("compare", 0, {"The last compare did not finish: the results are incomplete"});
  EXPECT_FALSE(Has(Run("compare").out, "did not finish"));
  store::MarkCompareRunning(*store::Database::Open(dir_ / "data" / "twinscan.db"));
  Expect("import sf " + std::string(TWINSCAN_SOURCE_DIR) + "/samples/primary.txt --no-report --no-corrected", 0);
  EXPECT_FALSE(Has(Run("compare").out, "did not finish"));
}

}  // namespace
}  // namespace twinscan::testing
