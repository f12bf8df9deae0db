// twinscan-bench [--quick] [CASE...]: runs the registered cases (all by
// default), each in a child process, and prints their figures and peak memory.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "bench/bench.h"

namespace twinscan::bench {
namespace {

std::map<std::string, BenchFunction>& Cases() {
  static std::map<std::string, BenchFunction> cases;
  return cases;
}

}  // namespace

Registrar::Registrar(const char* name, BenchFunction function) { Cases()[name] = function; }

void Report(const std::string& what, double value, const std::string& unit) {
  std::printf("  %-48s %14.1f %s\n", what.c_str(), value, unit.c_str());
  std::fflush(stdout);
}

double PeakMemoryMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

std::filesystem::path FreshDatabase(const std::filesystem::path& dir) {
  std::filesystem::path db = dir / "twinscan.db";
  std::filesystem::copy_file(TWINSCAN_PRISTINE_DB, db, std::filesystem::copy_options::overwrite_existing);
  return db;
}

}  // namespace twinscan::bench

int main(int argc, char** argv) {
  using namespace twinscan::bench;
  BenchArgs args;
  std::vector<std::string> names;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--quick") == 0)
      args.quick = true;
    else
      names.push_back(argv[i]);
  }
  if (names.empty())
    for (auto& [name, function] : Cases()) names.push_back(name);

  int failures = 0;
  for (const std::string& name : names) {
    auto it = Cases().find(name);
    if (it == Cases().end()) {
      std::fprintf(stderr, "no benchmark %s\n", name.c_str());
      return 2;
    }
    std::printf("%s\n", name.c_str());
    std::fflush(stdout);
    std::random_device random;
    args.dir = std::filesystem::temp_directory_path() / ("twinscan-bench-" + std::to_string(random()));
    std::filesystem::create_directories(args.dir);
    pid_t child = fork();
    if (child == 0) {
      it->second(args);
      std::fflush(stdout);
      _exit(0);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    std::filesystem::remove_all(args.dir);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      std::printf("  FAILED\n");
      ++failures;
      continue;
    }
    Report("peak memory", static_cast<double>(usage.ru_maxrss) / 1024.0, "MiB");
  }
  return failures == 0 ? 0 : 1;
}
