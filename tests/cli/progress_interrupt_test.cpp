// The batch tool's progress and Ctrl+C: the progress line's text, no progress
// at all when stderr is no terminal, and SIGINT raised from the progress
// callback at a chosen record stopping an import or a full compare cleanly.
#include <gtest/gtest.h>

#include <csignal>

#include "cli/cli.h"
#include "store/tables.h"
#include "tests/cli/cli_run.h"
#include "tests/support/test_support.h"

namespace twinscan::testing {
namespace {

namespace fs = std::filesystem;

TEST(CliProgressLine, StatusPercentRateAndTimeLeft) {
  EXPECT_EQ(cli::ProgressLine("Importing ff line  48907", EstimateProgress(370, 1000, 52104, 7.0), "records"),
            "Importing ff line  48907  37%  7443 records/s  about 12 s left");
  EXPECT_EQ(cli::ProgressLine("", EstimateProgress(0, 50, 0, 1.0), "pairs"), "0%  0 pairs/s");
}

class CliInterrupt : public ::testing::Test {
 protected:
  CliInterrupt() {
    for (const char* name : {"primary.txt", "secondary.txt"})
      fs::copy_file(std::string(TWINSCAN_SOURCE_DIR) + "/samples/" + name, dir_ / name);
  }

  struct InProcess {
    int code;
    std::string out, err;
  };
  // Runs a command of the tool in this process; SIGINT is raised from the
  // progress callback once `raiseAt(units, items)` says so.
  InProcess Run(int (*command)(cli::Cli&), std::vector<std::string> args,
                std::function<bool(int64_t units, int64_t items)> raiseAt = {}) {
    InProcess run{};
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    {
      cli::Cli cli(dir_ / "data", std::string(TWINSCAN_BUILD_DIR) + "/twinscan-cli", std::move(args));
      cli.ui.onProgress = [&](int64_t units, int64_t items) {
        if (raiseAt && raiseAt(units, items)) std::raise(SIGINT);
      };
      run.code = command(cli);
    }
    run.out = ::testing::internal::GetCapturedStdout();
    run.err = ::testing::internal::GetCapturedStderr();
    return run;
  }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  std::unique_ptr<store::Database> Db() { return store::Database::Open(dir_ / "data" / "twinscan.db"); }

  TempDir dir_;
};

TEST_F(CliInterrupt, StopsAnImportBeforeTheNextRecordWithoutACorrectedFile) {
  InProcess run =
      Run(cli::RunImport, {"ff", Path("primary.txt")}, [](int64_t, int64_t records) { return records == 10; });
  EXPECT_EQ(run.code, cli::kInterruptedExitCode);
  EXPECT_EQ(run.out, "");  // no summary of a complete import
  EXPECT_NE(run.err.find("Import cancelled, nothing changed\n"), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(dir_ / "primary.txt_annex2bis.txt"));
  EXPECT_LE(Db()->QueryInt("SELECT count(*) FROM TABLE1"), 10);
}

TEST_F(CliInterrupt, AStoppedImportLeavesTheEarlierTableAndReport) {
  ASSERT_EQ(Run(cli::RunImport, {"ff", Path("primary.txt")}).code, 0);
  const std::string report = ReadFile(dir_ / "primary.txt_rep");
  InProcess run =
      Run(cli::RunImport, {"ff", Path("primary.txt")}, [](int64_t, int64_t records) { return records == 10; });
  EXPECT_EQ(run.code, cli::kInterruptedExitCode);
  EXPECT_EQ(Db()->QueryInt("SELECT count(*) FROM TABLE1"), 50);
  EXPECT_EQ(ReadFile(dir_ / "primary.txt_rep"), report);
}

TEST_F(CliInterrupt, StopsACompareKeepingTheRowsComparedSoFar) {
  const std::vector<std::string> check = {Path("primary.txt"), Path("secondary.txt"), "--no-report", "--no-corrected"};
  ASSERT_EQ(Run(cli::RunCheck, check).code, 0);
  auto rowsUpTo = [this](int line) {
    return Db()->QueryInt("SELECT count(*) FROM TABLERESULT WHERE linenumber <= " + std::to_string(line));
  };
  const int64_t firstTwelve = rowsUpTo(12);
  ASSERT_GT(firstTwelve, 0);

  // The compare's units are primary records.
  InProcess run = Run(cli::RunCompare, {}, [](int64_t primary, int64_t) { return primary == 12; });
  EXPECT_EQ(run.code, cli::kInterruptedExitCode);
  EXPECT_NE(run.err.find("interrupted after 12 of 50 primary records; the result rows compared so far are kept"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(rowsUpTo(12), firstTwelve);
  EXPECT_EQ(Db()->QueryInt("SELECT count(*) FROM TABLERESULT"), firstTwelve);
  EXPECT_NE(run.out.find("compared pairs: " + std::to_string(firstTwelve) + "\n"), std::string::npos) << run.out;

  // check stops the same way.
  run = Run(cli::RunCheck, check, [](int64_t primary, int64_t pairs) { return primary == 12 && pairs > 0; });
  EXPECT_EQ(run.code, cli::kInterruptedExitCode);
  EXPECT_EQ(Db()->QueryInt("SELECT count(*) FROM TABLERESULT"), firstTwelve);
}

// Scripts and logs get the messages the tool always printed, and nothing of
// the progress line.
TEST_F(CliInterrupt, PrintsNoProgressWhenStderrIsNoTerminal) {
  CliRun run =
      RunCli("--data-dir '" + Path("data") + "' check '" + Path("primary.txt") + "' '" + Path("secondary.txt") + "'");
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.out, "twinscan-cli: created the data directory " + Path("data") +
                         "\n"
                         "twinscan-cli: Copying original and empty 'twinscan.db' to " +
                         Path("data") +
                         " directory\n"
                         "Comparing line  51 with line  2\n"
                         "primary " +
                         Path("primary.txt") +
                         ": 50 records, 5 erroneous\n"
                         "secondary " +
                         Path("secondary.txt") +
                         ": 51 records, 5 erroneous\n"
                         "compared pairs: 40\n"
                         "pairs with critical differences: 5\n"
                         "pairs with non-critical differences: 6\n"
                         "primary records without candidates: 8\n"
                         "decisions restored: 0\n");
}

}  // namespace
}  // namespace twinscan::testing
