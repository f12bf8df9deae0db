// The full autocompare: a generated primary file and a secondary file
// derived from it (kept, changed, moved inside and outside the tolerances,
// dropped, added), both imported, then compared with the start settings.
#include <time.h>

#include <cstdio>

#include "bench/bench.h"
#include "compare/compare_engine.h"
#include "import/import_file.h"
#include "record/user_interface.h"
#include "store/view.h"
#include "tools/vienna_generator.h"

namespace twinscan::bench {
namespace {

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::FILE* f = std::fopen(file.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

// CPU seconds of this process: the machine is shared, wall time alone varies.
double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void CompareRecords(const BenchArgs& args, int records) {
  std::vector<std::string> primary = gen::GenerateRecords({11, records, 0.05, false});
  std::vector<std::string> secondary = gen::DeriveSecondary(primary, {});
  WriteBytes(args.dir / "primary.txt", gen::RenderFile(primary, {}));
  WriteBytes(args.dir / "secondary.txt", gen::RenderFile(secondary, {}));

  auto db = store::Database::Open(FreshDatabase(args.dir));
  SilentUserInterface ui;
  ImportOptions options{false, false, false, true};
  ImportViennaFile(args.dir / "primary.txt", store::kTable1, options, *db, ui);
  ImportViennaFile(args.dir / "secondary.txt", store::kTable2, options, *db, ui);
  store::Views views(*db, ui);
  CompareSettings settings;
  CompareEngine engine(*db, views, settings, ui, args.dir / "comparelog");

  Stopwatch watch;
  double cpuStart = CpuSeconds();
  engine.RunFull();
  double seconds = watch.Seconds();
  double cpu = CpuSeconds() - cpuStart;
  const CompareCounts& c = engine.lastRun();
  Report("full compare " + std::to_string(primary.size()) + " x " + std::to_string(secondary.size()), seconds, "s");
  Report("  of which CPU time", cpu, "s");
  Report("compared pairs", static_cast<double>(c.comparedPairs), "");
  Report("primary records without candidates", static_cast<double>(c.withoutCandidates), "");
  Report("erroneous primary records skipped", static_cast<double>(c.skippedPrimary), "");
  Report("primary records per second", static_cast<double>(c.primaryRecords) / seconds, "records/s");
}

TWINSCAN_BENCH(compare_10k) { CompareRecords(args, args.quick ? 2000 : 10000); }
TWINSCAN_BENCH(compare_30k) { CompareRecords(args, args.quick ? 3000 : 30000); }
TWINSCAN_BENCH(compare_100k) { CompareRecords(args, args.quick ? 5000 : 100000); }

}  // namespace
}  // namespace twinscan::bench
