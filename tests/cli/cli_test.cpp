// The batch tool as other tools drive it: arguments, exit codes, messages.
#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

#include "tests/support/test_support.h"

namespace twinscan {
namespace {

struct CliRun {
  int code;
  std::string out;  // stdout and stderr together
};

CliRun RunCli(const std::string& arguments) {
  std::string command = std::string(TWINSCAN_BUILD_DIR) + "/twinscan-cli " + arguments + " 2>&1";
  CliRun run{-1, ""};
  std::FILE* pipe = popen(command.c_str(), "r");
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
  int status = pclose(pipe);
  run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

TEST(Cli, BadArgumentsExitTwoWithTheUsage) {
  testing::TempDir dir;
  const std::string data = "--data-dir " + dir.path().string();
  for (const std::string& args : {std::string(""), data + " frobnicate", data + " import", data + " import xx f.txt",
                                  data + " import ff", data + " import ff f.txt --bogus", std::string("--data-dir")}) {
    CliRun run = RunCli(args);
    EXPECT_EQ(run.code, 2) << args;
    EXPECT_NE(run.out.find("usage: twinscan-cli"), std::string::npos) << args;
  }
}

TEST(Cli, ImportsASampleFileIntoTheDataDirectory) {
  testing::TempDir dir;
  CliRun run = RunCli("--data-dir " + (dir / "data").string() + " import ff " + TWINSCAN_SOURCE_DIR +
                "/samples/primary.txt --no-report --no-corrected");
  EXPECT_EQ(run.code, 0) << run.out;
  EXPECT_NE(run.out.find("Copying original and empty 'twinscan.db'"), std::string::npos);
  EXPECT_NE(run.out.find("50 records"), std::string::npos) << run.out;
  EXPECT_TRUE(std::filesystem::exists(dir / "data" / "twinscan.db"));
  EXPECT_TRUE(std::filesystem::exists(dir / "data" / "comparelog"));
}

TEST(Cli, FailuresExitOneWithAMessage) {
  testing::TempDir dir;
  CliRun missing = RunCli("--data-dir " + dir.path().string() + " import ff " + (dir / "none.txt").string());
  EXPECT_EQ(missing.code, 1);
  EXPECT_NE(missing.out.find("cannot be opened"), std::string::npos) << missing.out;

  testing::WriteFile(dir / "blocker", "x");
  CliRun noDir = RunCli("--data-dir " + (dir / "blocker" / "vienna").string() + " import ff x.txt");
  EXPECT_EQ(noDir.code, 1);
  EXPECT_NE(noDir.out.find("cannot be created"), std::string::npos) << noDir.out;

  testing::WriteFile(dir / "short.txt", "HEADER\r\n");
  CliRun header = RunCli("--data-dir " + dir.path().string() + " import sf " + (dir / "short.txt").string() + " --no-2001");
  EXPECT_EQ(header.code, 1);
  EXPECT_NE(header.out.find("error: header is not long enough"), std::string::npos) << header.out;
}

}  // namespace
}  // namespace twinscan
