// Runs the built batch tool as other tools drive it.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/test_support.h"

namespace twinscan::testing {

struct CliRun {
  int code;         // the exit code, -1 when killed by a signal
  std::string out;  // stdout and stderr together
};

inline CliRun RunShell(const std::string& command) {
  CliRun run{-1, ""};
  std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
  int status = pclose(pipe);
  run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

inline CliRun RunCli(const std::string& arguments) {
  return RunShell(std::string(TWINSCAN_BUILD_DIR) + "/twinscan-cli " + arguments);
}

inline bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A test with its own directory; Run() works on dir/data, Expect() also
// checks the exit code and each text said.
class CliTest : public ::testing::Test {
 protected:
  CliRun Run(const std::string& arguments) { return RunCli("--data-dir '" + Path("data") + "' " + arguments); }
  CliRun Expect(const std::string& arguments, int code, const std::vector<std::string>& said = {}) {
    CliRun run = Run(arguments);
    EXPECT_EQ(run.code, code) << arguments << "\n" << run.out;
    for (const std::string& text : said) EXPECT_TRUE(Has(run.out, text)) << arguments << "\n" << run.out;
    return run;
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  TempDir dir_;
};

}  // namespace twinscan::testing
