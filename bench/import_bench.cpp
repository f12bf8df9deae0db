// The import end to end: a generated file (line layout, 5% faulty records)
// read, checked and stored into either table; the disk the working database
// and its log take while it runs; then the three views opened over the result.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <system_error>
#include <thread>

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

// The bytes the database, its log and its shared memory take on disk.
uintmax_t DiskUse(const std::filesystem::path& db) {
  uintmax_t total = 0;
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
    std::error_code ec;
    uintmax_t size = std::filesystem::file_size(db.string() + suffix, ec);
    if (!ec) total += size;
  }
  return total;
}

// Samples the disk use on a thread of its own every few milliseconds while it lives.
class DiskSampler {
 public:
  explicit DiskSampler(std::filesystem::path db)
      : db_(std::move(db)), thread_([this] {
          while (!stop_) {
            peak_ = std::max<uintmax_t>(peak_, DiskUse(db_));
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
          }
        }) {}
  ~DiskSampler() { Stop(); }
  uintmax_t Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return peak_;
  }

 private:
  std::filesystem::path db_;
  std::atomic<bool> stop_ = false;
  std::atomic<uintmax_t> peak_ = 0;
  std::thread thread_;
};

constexpr double kMiB = 1024.0 * 1024.0;

void BrowseViews(store::Database& db, ViewId id);

void ImportRecords(const BenchArgs& args, int records, const char* table) {
  std::filesystem::path file = GeneratedFile(args, records);
  std::filesystem::path dbFile = FreshDatabase(args.dir);
  auto db = store::Database::Open(dbFile);
  SilentUserInterface ui;
  ImportOptions options{false, false, false, true};
  uintmax_t peak;
  {
    // The grids' views are open while a file is imported, as in the programs.
    store::Views views(*db, ui);
    DiskSampler sampler(dbFile);
    Stopwatch watch;
    ImportResult result = ImportViennaFile(file, table, options, *db, ui, [&views] { views.ReleaseSnapshots(); });
    double seconds = watch.Seconds();
    Report(std::string("import ") + std::to_string(result.records) + " records into " + table,
           static_cast<double>(result.records) / seconds, "records/s");
    views.RefreshAll();
    peak = sampler.Stop();
  }
  BrowseViews(*db, table == std::string(store::kTable1) ? ViewId::Primary : ViewId::Secondary);
  db.reset();  // the database settles when it closes
  uintmax_t final = DiskUse(dbFile);
  Report("disk use during the import, peak", static_cast<double>(peak) / kMiB, "MiB");
  Report("database when closed", static_cast<double>(final) / kMiB, "MiB");
  Report("peak / closed database", static_cast<double>(peak) / static_cast<double>(final), "x");
}

void BrowseViews(store::Database& db, ViewId id) {
  SilentUserInterface ui;
  Stopwatch viewWatch;
  store::Views views(db, ui);
  views.RefreshAll();
  Report("open the views over them", viewWatch.Seconds() * 1000, "ms");
  Stopwatch sortWatch;
  store::View& view = views.Get(id);
  view.sortColumn = "13Z";
  views.RefreshAll();
  Report("re-open sorted by 13Z", sortWatch.Seconds() * 1000, "ms");
  // A grid scrolling through the view, then jumping about in it.
  Stopwatch scrollWatch;
  int64_t n = view.RowCount();
  for (int64_t i = 0; i < std::min<int64_t>(n, 10000); ++i) view.RowAt(i);
  Report("read 10000 consecutive rows", scrollWatch.Seconds() * 1000, "ms");
  Stopwatch jumpWatch;
  for (int64_t i = 1; i <= 100; ++i) view.RowAt(n * i / 101);
  Report("jump to 100 places (each: one screenful)", jumpWatch.Seconds() * 1000 / 100, "ms per jump");
}

TWINSCAN_BENCH(import_100k) { ImportRecords(args, args.quick ? 10000 : 100000, store::kTable1); }
TWINSCAN_BENCH(import_1m) { ImportRecords(args, args.quick ? 20000 : 1000000, store::kTable1); }
TWINSCAN_BENCH(import_secondary_1m) { ImportRecords(args, args.quick ? 20000 : 1000000, store::kTable2); }

}  // namespace
}  // namespace twinscan::bench
