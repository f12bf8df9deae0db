#include "app/results_export_command.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "store/run_info.h"
#include "tests/support/results_formats.h"
#include "tests/support/test_support.h"

namespace twinscan::testing {
namespace {

namespace fs = std::filesystem;

class ResultsExport : public ::testing::Test {
 protected:
  ResultsExport() : db_(CreateTestDatabase(dir_.path())) {
    const struct {
      int line;
      const char *critical, *noncritical, *accept;
    } rows[] = {{1, "1", "NULL", "NULL"}, {2, "NULL", "1", "1"}, {3, "1", "1", "0"}, {4, "NULL", "NULL", "NULL"}};
    for (const auto& r : rows)
      db_->Execute(
          "INSERT INTO TABLERESULT (linenumber, linenumber2, critical, noncritical, ACCEPTFIRST, ACCEPTSECOND) "
          "VALUES (" +
          std::to_string(r.line) + ", 1, " + r.critical + ", " + r.noncritical + ", " + r.accept + ", " + r.accept +
          ")");
  }

  std::vector<std::string> Lines(ResultFilter filter) {
    std::string out;
    ResultsRequest request;
    request.filter = filter;
    WriteResults(*db_, request, [&](std::string_view b) { out.append(b); });
    auto rows = ParseCsv(out);
    EXPECT_TRUE(rows.has_value());
    std::vector<std::string> lines;
    for (const auto& row : rows.value_or(std::vector<std::vector<std::string>>{{"header"}})) lines.push_back(row[0]);
    lines.erase(lines.begin());
    return lines;
  }

  TempDir dir_;
  std::unique_ptr<store::Database> db_;
};

TEST_F(ResultsExport, FiltersSelectByMarksAndDecisions) {
  using L = std::vector<std::string>;
  const std::pair<const char*, L> cases[] = {
      {"all", {"1", "2", "3", "4"}},    {"critical", {"1", "3"}},  {"noncritical", {"2", "3"}},
      {"differences", {"1", "2", "3"}}, {"undecided", {"1", "4"}}, {"decided", {"2", "3"}},
  };
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

// The shared output guard, whose every case the batch tool's guards test
// goes through.
TEST_F(ResultsExport, RefusesTheFilesTheProgramKeeps) {
  fs::path data = dir_.path();
  WriteFile(data / "comparelog", "log\n");
  std::string before = ReadFile(data / "twinscan.db");
  for (const char* name : {"twinscan.db", "twinscan.db-wal", "comparelog"}) {
    ResultsFileOutcome outcome = ExportResultsToFile(*db_, data, data / name, {});
    EXPECT_FALSE(outcome.written) << name;
    EXPECT_NE(outcome.error.find(std::string(": it is the ")), std::string::npos) << outcome.error;
  }
  EXPECT_EQ(ReadFile(data / "comparelog"), "log\n");
  EXPECT_EQ(ReadFile(data / "twinscan.db"), before);
  EXPECT_TRUE(ExportResultsToFile(*db_, data, data / "results.csv", {}).written);
}

TEST_F(ResultsExport, WritesWholeOrLeavesTheTargetAsItWas) {
  fs::path target = dir_ / "results.json";
  ResultsRequest json;
  json.format = ResultsFormat::Json;
  ResultsFileOutcome written = ExportResultsToFile(*db_, dir_.path(), target, json);
  ASSERT_TRUE(written.written) << written.error;
  EXPECT_EQ(written.rows, 4);
  EXPECT_TRUE(JsonParser::Parse(ReadFile(target)).has_value());

  // A cancelled export and one into a missing directory leave nothing behind.
  WriteFile(target, "old");
  ResultsFileOutcome cancelled =
      ExportResultsToFile(*db_, dir_.path(), target, {}, [](int64_t, int64_t) { return false; });
  EXPECT_TRUE(cancelled.cancelled);
  EXPECT_FALSE(cancelled.written);
  EXPECT_EQ(ReadFile(target), "old");
  ResultsFileOutcome missing = ExportResultsToFile(*db_, dir_.path(), dir_ / "none" / "r.csv", {});
  EXPECT_FALSE(missing.written);
  EXPECT_NE(missing.error.find("No such file or directory"), std::string::npos) << missing.error;
  size_t files = 0;
  for (const auto& entry : fs::directory_iterator(dir_.path())) files += entry.path().filename().string()[0] == '.';
  EXPECT_EQ(files, 0u);  // no temporary file left
}

}  // namespace
}  // namespace twinscan::testing
