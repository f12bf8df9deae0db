// Runs the built batch tool as other tools drive it.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace twinscan {

struct CliRun {
  int code;
  std::string out;  // stdout and stderr together
};

inline CliRun RunCli(const std::string& arguments) {
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

}  // namespace twinscan
