// A small benchmark harness: each case registers itself with a name and runs
// in a child process of its own, so that the peak memory reported for it is
// its own. Cases print their figures with Report().
#pragma once

#include <chrono>
#include <filesystem>
#include <string>

namespace twinscan::bench {

struct BenchArgs {
  std::filesystem::path dir;  // a scratch directory of the case's own
  bool quick = false;         // smaller sizes (a smoke run)
};

using BenchFunction = void (*)(const BenchArgs&);

struct Registrar {
  Registrar(const char* name, BenchFunction function);
};

#define TWINSCAN_BENCH(name)                                         \
  static void name(const ::twinscan::bench::BenchArgs&);             \
  static ::twinscan::bench::Registrar name##_registrar(#name, name); \
  static void name(const ::twinscan::bench::BenchArgs& args)

void Report(const std::string& what, double value, const std::string& unit);

// Seconds since construction.
class Stopwatch {
 public:
  Stopwatch() : start_(std::chrono::steady_clock::now()) {}
  double Seconds() const { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count(); }

 private:
  std::chrono::steady_clock::time_point start_;
};

// The peak resident memory of this process so far, in MiB.
double PeakMemoryMiB();

// A fresh working database in dir (from the build's pristine file).
std::filesystem::path FreshDatabase(const std::filesystem::path& dir);

}  // namespace twinscan::bench
