// The batch tool's progress line, and SIGINT raised from the progress
// callback stopping an import or a full compare cleanly.
#include <gtest/gtest.h>

#include <csignal>

#include "cli/cli.h"
#include "store/tables.h"
#include "tests/cli/cli_run.h"

namespace twinscan::testing {
namespace {

namespace fs = std::filesystem;

TEST(CliProgressLine, StatusPercentRateAndTimeLeft) {
  EXPECT_EQ(cli::ProgressLine("Importing ff line  48907", EstimateProgress(370, 1000, 52104, 7.0), "records"),
            "Importing ff line  48907  37%  7443 records/s  about 12 s left");
  EXPECT_EQ(cli::ProgressLine("", EstimateProgress(0, 50, 0, 1.0), "pairs"), "0%  0 pairs/s");
}

class CliInterrupt : public CliTest {
 protected:
  CliInterrupt() {
    for (const char* name : {"primary.txt", "secondary.txt"})
      fs::copy_file(std::string(TWINSCAN_SOURCE_DIR) + "/samples/" + name, dir_ / name);
  }

  struct InProcess {
    int code;
    std::string out, err;
  };
  // Runs a command in this process, raising SIGINT once `raiseAt` says so.
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
  std::unique_ptr<store::Database> Db() { return store::Database::Open(dir_ / "data" / "twinscan.db"); }
};

// Stopped before the next record: no summary, no corrected file, and the
// earlier table and report stay as they were.
TEST_F(CliInterrupt, AStoppedImportLeavesTheEarlierTableAndReport) {
  auto atTen = [](int64_t, int64_t records) { return records == 10; };
  InProcess run = Run(cli::RunImport, {"ff", Path("primary.txt")}, atTen);
  EXPECT_EQ(run.code, cli::kInterruptedExitCode);
  EXPECT_TRUE(run.out.empty() && Has(run.err, "Import cancelled, nothing changed\n")) << run.err;
  EXPECT_FALSE(fs::exists(dir_ / "primary.txt_annex2bis.txt"));
  EXPECT_LE(Db()->QueryInt("SELECT count(*) FROM TABLE1"), 10);
  ASSERT_EQ(Run(cli::RunImport, {"ff", Path("primary.txt")}).code, 0);
  const std::string report = ReadFile(dir_ / "primary.txt_rep");
  EXPECT_EQ(Run(cli::RunImport, {"ff", Path("primary.txt")}, atTen).code, cli::kInterruptedExitCode);
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
  InProcess run = Run(cli::RunCompare, {}, [](int64_t primary, int64_t) { return primary == 12; });
  EXPECT_EQ(run.code, cli::kInterruptedExitCode);
  EXPECT_TRUE(Has(run.err, "interrupted after 12 of 50 primary records; the result rows compared so far are kept"));
  EXPECT_EQ(Db()->QueryInt("SELECT count(*) FROM TABLERESULT"), firstTwelve);
  EXPECT_TRUE(Has(run.out, "compared pairs: " + std::to_string(firstTwelve) + "\n")) << run.out;
}

// Scripts and logs get no progress line.
TEST_F(CliInterrupt, PrintsNoProgressWhenStderrIsNoTerminal) {
  const std::string data = Path("data");
  CliRun run = RunCli("--data-dir '" + data + "' check '" + Path("primary.txt") + "' '" + Path("secondary.txt") + "'");
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.out, "twinscan-cli: created the data directory " + data +
                         "\ntwinscan-cli: Copying original and empty 'twinscan.db' to " + data +
                         " directory\nComparing line  51 with line  2\nprimary " + Path("primary.txt") +
                         ": 50 records, 5 erroneous\nsecondary " + Path("secondary.txt") +
                         ": 51 records, 5 erroneous\ncompared pairs: 40\npairs with critical differences: 5\n" +
                         "pairs with non-critical differences: 6\nprimary records without candidates: 8\n" +
                         "decisions restored: 0\n");
}

}  // namespace
}  // namespace twinscan::testing
