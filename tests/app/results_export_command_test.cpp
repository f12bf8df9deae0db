#include "app/results_export_command.h"

#include <gtest/gtest.h>

#include "tests/support/results_formats.h"
#include "tests/support/test_support.h"

namespace twinscan::testing {
namespace {

namespace fs = std::filesystem;

// Result rows 1 to 4: critical; non-critical, both accepted; both, both
// refused; neither, undecided.
class ResultsExport : public ::testing::Test {
 protected:
  ResultsExport() {
    db_->Execute(
        "INSERT INTO TABLERESULT (linenumber, linenumber2, critical, noncritical, ACCEPTFIRST, ACCEPTSECOND) VALUES "
        "(1, 1, 1, NULL, NULL, NULL), (2, 1, NULL, 1, 1, 1), (3, 1, 1, 1, 0, 0), (4, 1, NULL, NULL, NULL, NULL)");
  }
  // The line numbers of the CSV rows the filter selects.
  std::vector<std::string> Lines(ResultFilter filter) {
    std::string out;
    ResultsRequest request;
    request.filter = filter;
    WriteResults(*db_, request, [&](std::string_view b) { out.append(b); });
    std::vector<std::string> lines;
    for (const auto& row : ParseCsv(out).value_or(std::vector<std::vector<std::string>>{})) lines.push_back(row[0]);
    if (!lines.empty()) lines.erase(lines.begin());  // the header
    return lines;
  }

  TempDir dir_;
  std::unique_ptr<store::Database> db_ = CreateTestDatabase(dir_.path());
};

TEST_F(ResultsExport, FiltersSelectByMarksAndDecisions) {
  using L = std::vector<std::string>;
  const std::pair<const char*, L> cases[] = {{"all", {"1", "2", "3", "4"}},    {"critical", {"1", "3"}},
                                             {"noncritical", {"2", "3"}},      {"without-differences", {"4"}},
                                             {"differences", {"1", "2", "3"}}, {"undecided", {"1", "4"}}};
  for (const auto& [name, lines] : cases) {
    SCOPED_TRACE(name);
    std::optional<ResultFilter> filter = ParseResultFilter(name);
    ASSERT_TRUE(filter);
    EXPECT_EQ(ResultFilterName(*filter), name);
    EXPECT_EQ(Lines(*filter), lines);
  }
  EXPECT_FALSE(ParseResultFilter("Critical"));
  EXPECT_FALSE(ParseResultsFormat("xml"));
}

TEST_F(ResultsExport, WritesWholeOrLeavesTheTargetAsItWas) {
  fs::path target = dir_ / "results.json";
  ResultsRequest json;
  json.format = ResultsFormat::Json;
  ResultsFileOutcome written = ExportResultsToFile(*db_, dir_.path(), target, json);
  EXPECT_TRUE(written.written && written.rows == 4 && JsonParser::Parse(ReadFile(target))) << written.error;
  // A cancelled export and one into a missing directory leave nothing behind.
  WriteFile(target, "old");
  ResultsFileOutcome cancelled =
      ExportResultsToFile(*db_, dir_.path(), target, {}, [](int64_t, int64_t) { return false; });
  EXPECT_TRUE(cancelled.cancelled && !cancelled.written && ReadFile(target) == "old");
  ResultsFileOutcome missing = ExportResultsToFile(*db_, dir_.path(), dir_ / "none" / "r.csv", {});
  EXPECT_TRUE(!missing.written && missing.error.find("No such file or directory") != std::string::npos)
      << missing.error;
  size_t files = 0;
  for (const auto& entry : fs::directory_iterator(dir_.path())) files += entry.path().filename().string()[0] == '.';
  EXPECT_EQ(files, 0u);  // no temporary file left
}

}  // namespace
}  // namespace twinscan::testing
