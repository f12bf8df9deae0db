// twinscan-cli results after a check of the sample files.
#include <gtest/gtest.h>

#include "tests/cli/cli_run.h"
#include "tests/support/results_formats.h"

namespace twinscan::testing {
namespace {

class ResultsCommand : public CliTest {
 protected:
  ResultsCommand() {
    CliRun check = Run("check '" + std::string(TWINSCAN_SOURCE_DIR) + "/samples/primary.txt' '" + TWINSCAN_SOURCE_DIR +
                       "/samples/secondary.txt' --no-report --no-corrected --mode 1Z=2 --search 4C=0");
    EXPECT_EQ(check.code, 0) << check.out;
    pairs_ = Count(check.out, "compared pairs: ");
    withoutCandidate_ = Count(check.out, "primary records without candidates: ");
  }
  // The number after `label` in the compare summary.
  static int Count(const std::string& out, const std::string& label) {
    size_t at = out.find(label);
    EXPECT_NE(at, std::string::npos) << out;
    return at == std::string::npos ? -1 : std::stoi(out.substr(at + label.size()));
  }
  int pairs_ = 0, withoutCandidate_ = 0;
};

// CSV to standard output by default; the filters split the pairs as the
// grid's filters do; reading the results leaves the run's compare log.
TEST_F(ResultsCommand, FiltersSplitThePairsAndTheCompareLogStays) {
  const std::string log = ReadFile(Path("data/comparelog"));
  ASSERT_FALSE(log.empty());
  auto rowsOf = [&](const char* filter) {
    CliRun run = Run(std::string("results --filter ") + filter);
    EXPECT_EQ(run.code, 0) << filter << ": " << run.out;
    return ParseCsv(run.out).value_or(std::vector<std::vector<std::string>>{});
  };
  auto critical = rowsOf("critical");
  ASSERT_GT(critical.size(), 1u);
  for (size_t i = 1; i < critical.size(); ++i) EXPECT_EQ(critical[i][2], "true");
  auto count = [&](const char* filter) { return static_cast<int>(rowsOf(filter).size()) - 1; };
  EXPECT_EQ(count("all"), pairs_);
  EXPECT_EQ(count("differences") + count("without-differences"), pairs_);
  EXPECT_EQ(count("decided") + count("undecided"), pairs_);
  EXPECT_EQ(ReadFile(Path("data/comparelog")), log);
}

TEST_F(ResultsCommand, JsonCarriesTheRunsFilesSettingsAndCounts) {
  ASSERT_EQ(Run("results --format json --output '" + Path("r.json") + "'").code, 0);
  std::optional<Json> json = JsonParser::Parse(ReadFile(Path("r.json")));
  ASSERT_TRUE(json.has_value());
  const Json& d = *json;
  EXPECT_EQ(d["files"][0]["name"].String(), "primary.txt");
  EXPECT_EQ(d["files"][1]["records"].Number(), 51);
  EXPECT_EQ(d["files"][1]["erroneous"].Number(), 5);
  EXPECT_EQ(d["settings"]["mode"]["1Z"].Number(), 2);
  EXPECT_EQ(d["settings"]["search"]["4C"].Number(), 0);
  EXPECT_EQ(d["summary"]["pairs"].Number(), pairs_);
  EXPECT_EQ(d["summary"]["without-candidate"].Number(), withoutCandidate_);
  EXPECT_EQ(d["pairs"].Array().size(), static_cast<size_t>(pairs_));
}

TEST_F(ResultsCommand, HtmlIsLimitedAndSaysSo) {
  ASSERT_EQ(Run("results --format html --limit 3 --output '" + Path("r.html") + "'").code, 0);
  std::string html = ReadFile(Path("r.html"));
  EXPECT_EQ(HtmlStructureFault(html), "");
  EXPECT_TRUE(Has(html, std::to_string(pairs_ - 3) + " more pairs are not shown"));
}

TEST_F(ResultsCommand, BadArgumentsAndGuardedOutputs) {
  const std::pair<const char*, int> cases[] = {
      {"results --format xml", 2}, {"results --filter none", 2}, {"results --limit -1", 2}, {"results extra", 2}};
  for (const auto& [arguments, code] : cases) EXPECT_EQ(Run(arguments).code, code) << arguments;
  std::string before = ReadFile(Path("data/twinscan.db"));
  CliRun refused = Run("results --output '" + Path("data/twinscan.db") + "'");
  EXPECT_EQ(refused.code, 1);
  EXPECT_TRUE(Has(refused.out, "is the working database")) << refused.out;
  EXPECT_EQ(ReadFile(Path("data/twinscan.db")), before);
  CliRun missing = Run("results --output '" + Path("no/dir/r.csv") + "'");
  EXPECT_EQ(missing.code, 1);
  EXPECT_TRUE(Has(missing.out, "cannot be written")) << missing.out;
}

}  // namespace
}  // namespace twinscan::testing
