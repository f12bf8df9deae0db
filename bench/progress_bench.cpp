// What showing progress costs: the same import and full compare run with a
// user interface that shows nothing, with one that draws the status line as
// the batch tool does on a terminal, and with one that adds the progress
// figures to it (to /dev/null). The runs alternate and the best CPU time of
// each kind counts, since the machine is shared.
#include <time.h>

#include <algorithm>
#include <cstdio>

#include "bench/bench.h"
#include "compare/compare_engine.h"
#include "import/import_file.h"
#include "record/progress.h"
#include "store/view.h"
#include "tools/vienna_generator.h"

namespace twinscan::bench {
namespace {

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The batch tool's terminal line, drawn into /dev/null.
class LineUserInterface : public UserInterface {
 public:
  explicit LineUserInterface(bool progress) : progress_(progress), out_(std::fopen("/dev/null", "w")) {}
  ~LineUserInterface() override { std::fclose(out_); }
  void SetStatusText(std::string_view text) override {
    status_.assign(text);
    double now = MonotonicSeconds();
    if (now >= next_) Draw(now);
  }
  void ShowMessage(std::string_view) override {}
  void ProgressBegin(std::string_view, int64_t total) override {
    if (progress_) meter_.Begin(total, MonotonicSeconds());
  }
  void ProgressUpdate(int64_t units, int64_t items) override {
    if (!progress_) return;
    units_ = units;
    items_ = items;
    double now = MonotonicSeconds();
    if (now >= next_ && meter_.Due(now)) Draw(now);
  }

 private:
  void Draw(double now) {
    next_ = now + ProgressMeter::kUpdateEvery;
    std::string line = status_;
    if (progress_ && meter_.shown()) line += "  " + ProgressBarText(meter_.Estimate(units_, items_, now));
    std::fprintf(out_, "\r%s\033[K", line.c_str());
    ++draws;
  }

  bool progress_;
  std::FILE* out_;
  std::string status_;
  double next_ = 0;
  ProgressMeter meter_;
  int64_t units_ = 0, items_ = 0;

 public:
  int draws = 0;
};

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::FILE* f = std::fopen(file.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

constexpr const char* kKinds[] = {"nothing shown", "status line", "status line and progress"};

// Runs `work(ui)` `rounds` times for each kind of user interface, alternating;
// reports the best CPU time of each and the cost of the progress.
template <typename Work>
void Measure(const std::string& what, int rounds, Work&& work) {
  double best[3] = {1e9, 1e9, 1e9};
  for (int round = 0; round < rounds; ++round)
    for (int kind = 0; kind < 3; ++kind) {
      SilentUserInterface silent;
      LineUserInterface line(kind == 2);
      UserInterface& ui = kind == 0 ? static_cast<UserInterface&>(silent) : line;
      double start = CpuSeconds();
      work(ui);
      best[kind] = std::min(best[kind], CpuSeconds() - start);
    }
  for (int kind = 0; kind < 3; ++kind) Report(what + ", " + kKinds[kind], best[kind] * 1000, "ms CPU");
  Report(what + ": progress over the status line", (best[2] / best[1] - 1) * 100, "%");
  Report(what + ": progress over nothing shown", (best[2] / best[0] - 1) * 100, "%");
}

TWINSCAN_BENCH(progress_cost) {
  const int records = args.quick ? 10000 : 100000;
  const int compared = args.quick ? 2000 : 10000;
  const int rounds = args.quick ? 2 : 5;
  std::vector<std::string> primary = gen::GenerateRecords({11, records, 0.05, false});
  WriteBytes(args.dir / "primary.txt", gen::RenderFile(primary, {}));
  auto db = store::Database::Open(FreshDatabase(args.dir));
  ImportOptions options{false, false, false, true};
  Measure("import " + std::to_string(records) + " records", rounds,
          [&](UserInterface& ui) { ImportViennaFile(args.dir / "primary.txt", store::kTable1, options, *db, ui); });

  primary.resize(static_cast<size_t>(compared));
  WriteBytes(args.dir / "primary.txt", gen::RenderFile(primary, {}));
  WriteBytes(args.dir / "secondary.txt", gen::RenderFile(gen::DeriveSecondary(primary, {}), {}));
  SilentUserInterface silent;
  ImportViennaFile(args.dir / "primary.txt", store::kTable1, options, *db, silent);
  ImportViennaFile(args.dir / "secondary.txt", store::kTable2, options, *db, silent);
  CompareSettings settings;
  Measure("full compare " + std::to_string(compared) + " records", rounds, [&](UserInterface& ui) {
    store::Views views(*db, ui);
    CompareEngine engine(*db, views, settings, ui, args.dir / "comparelog");
    engine.RunFull();
  });
}

}  // namespace
}  // namespace twinscan::bench
