// The import end to end: a generated file (line layout, 5% faulty records)
// read, checked and stored; then the three views opened over the result.
#include <algorithm>
#include <cstdio>

#include "bench/bench.h"
#include "import/import_file.h"
#include "record/user_interface.h"
#include "store/view.h"
#include "tools/vienna_generator.h"

namespace twinscan::bench {
namespace {

std::filesystem::path GeneratedFile(const BenchArgs& args, int records) {
  // Written in chunks, so that the peak memory reported is the import's own.
  std::filesystem::path file = args.dir / ("primary-" + std::to_string(records) + ".txt");
  std::FILE* f = std::fopen(file.c_str(), "wb");
  constexpr int kChunk = 20000;
  for (int done = 0; done < records; done += kChunk) {
    int count = std::min(kChunk, records - done);
    std::string bytes =
        gen::RenderFile(gen::GenerateRecords({7u + static_cast<uint64_t>(done), count, 0.05, false}), {});
    std::fwrite(bytes.data(), 1, bytes.size(), f);
  }
  std::fclose(f);
  return file;
}

void ImportRecords(const BenchArgs& args, int records) {
  std::filesystem::path file = GeneratedFile(args, records);
  auto db = store::Database::Open(FreshDatabase(args.dir));
  SilentUserInterface ui;
  ImportOptions options{false, false, false, true};
  Stopwatch watch;
  ImportResult result = ImportViennaFile(file, store::kTable1, options, *db, ui);
  double seconds = watch.Seconds();
  Report("import " + std::to_string(result.records) + " records", static_cast<double>(result.records) / seconds,
         "records/s");

  Stopwatch viewWatch;
  store::Views views(*db, ui);
  views.RefreshAll();
  Report("open the views over them", viewWatch.Seconds() * 1000, "ms");
  Stopwatch sortWatch;
  views.primary().sortColumn = "13Z";
  views.RefreshAll();
  Report("re-open sorted by 13Z", sortWatch.Seconds() * 1000, "ms");
  // A grid scrolling through the view, then jumping about in it.
  Stopwatch scrollWatch;
  int64_t n = views.primary().RowCount();
  for (int64_t i = 0; i < std::min<int64_t>(n, 10000); ++i) views.primary().RowAt(i);
  Report("read 10000 consecutive rows", scrollWatch.Seconds() * 1000, "ms");
  Stopwatch jumpWatch;
  for (int64_t i = 1; i <= 100; ++i) views.primary().RowAt(n * i / 101);
  Report("jump to 100 places (each: one screenful)", jumpWatch.Seconds() * 1000 / 100, "ms per jump");
}

TWINSCAN_BENCH(import_100k) { ImportRecords(args, args.quick ? 10000 : 100000); }
TWINSCAN_BENCH(import_1m) { ImportRecords(args, args.quick ? 20000 : 1000000); }

}  // namespace
}  // namespace twinscan::bench
