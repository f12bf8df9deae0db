// twinscan-cli results after a check of the sample files.
#include <gtest/gtest.h>

#include "tests/cli/cli_run.h"
#include "tests/support/results_formats.h"
#include "tests/support/test_support.h"

namespace twinscan::testing {
namespace {

class ResultsCommand : public ::testing::Test {
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
  CliRun Run(const std::string& arguments) { return RunCli("--data-dir '" + Path("data") + "' " + arguments); }
  std::string Path(const char* name) const { return (dir_ / name).string(); }

  TempDir dir_;
  int pairs_ = 0, withoutCandidate_ = 0;
};

TEST_F(ResultsCommand, WritesCsvToStandardOutputByDefault) {
  CliRun run = Run("results --filter critical");
  ASSERT_EQ(run.code, 0) << run.out;
  auto rows = ParseCsv(run.out);
  ASSERT_TRUE(rows.has_value());
  ASSERT_GT(rows->size(), 1u);
  for (size_t i = 1; i < rows->size(); ++i) EXPECT_EQ((*rows)[i][2], "true");
}

// The filters of the batch tool split the pairs as the grid's filters do,
// and reading the results leaves the run's compare log as it was.
TEST_F(ResultsCommand, FiltersSplitThePairsAndTheCompareLogStays) {
  const std::string log = ReadFile(Path("data/comparelog"));
  ASSERT_FALSE(log.empty());
  auto rowsOf = [&](const char* filter) {
    CliRun run = Run(std::string("results --filter ") + filter);
    EXPECT_EQ(run.code, 0) << filter << ": " << run.out;
    auto rows = ParseCsv(run.out);
    return rows ? static_cast<int>(rows->size()) - 1 : -1;
  };
  EXPECT_EQ(rowsOf("all"), pairs_);
  EXPECT_EQ(rowsOf("differences") + rowsOf("without-differences"), pairs_);
  EXPECT_EQ(rowsOf("decided") + rowsOf("undecided"), pairs_);
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
  EXPECT_NE(html.find(std::to_string(pairs_ - 3) + " more pairs are not shown"), std::string::npos);
}

TEST_F(ResultsCommand, BadArgumentsAndGuardedOutputs) {
  const std::pair<const char*, int> cases[] = {
      {"results --format xml", 2}, {"results --filter none", 2}, {"results --limit -1", 2}, {"results extra", 2}};
  for (const auto& [arguments, code] : cases) EXPECT_EQ(Run(arguments).code, code) << arguments;
  std::string before = ReadFile(Path("data/twinscan.db"));
  CliRun refused = Run("results --output '" + Path("data/twinscan.db") + "'");
  EXPECT_EQ(refused.code, 1);
  EXPECT_NE(refused.out.find("is the working database"), std::string::npos) << refused.out;
  EXPECT_EQ(ReadFile(Path("data/twinscan.db")), before);
  CliRun missing = Run("results --output '" + Path("no/dir/r.csv") + "'");
  EXPECT_EQ(missing.code, 1);
  EXPECT_NE(missing.out.find("cannot be written"), std::string::npos) << missing.out;
}

}  // namespace
}  // namespace twinscan::testing
