// The corrected-file writer: a stored table of generated records written to
// a file in both layouts, from the database to the closed file.
#include <cstdio>
#include <ctime>

#include "bench/bench.h"
#include "export/corrected_file.h"
#include "import/import_file.h"
#include "record/user_interface.h"
#include "tools/vienna_generator.h"

namespace twinscan::bench {
namespace {

// Takes every status text, as a user interface that shows them would.
class StatusUserInterface : public UserInterface {
 public:
  void SetStatusText(std::string_view text) override { last.assign(text); }
  void ShowMessage(std::string_view text) override {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
  }
  std::string last;
};

void ExportRecords(const BenchArgs& args, int records) {
  std::filesystem::path file = args.dir / "primary.txt";
  {
    std::string bytes = gen::RenderFile(gen::GenerateRecords({7, records, 0.05, false}), {});
    std::FILE* f = std::fopen(file.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  auto db = store::Database::Open(FreshDatabase(args.dir));
  SilentUserInterface silent;
  ImportResult imported = ImportViennaFile(file, store::kTable1, {false, false, false, true}, *db, silent);

  for (bool layout2001 : {true, false}) {
    StatusUserInterface ui;
    Stopwatch watch;
    std::clock_t cpuStart = std::clock();
    CorrectedFileResult result =
        WriteCorrectedFile(args.dir / "primary.txt_annex2bis.txt", store::kTable1, layout2001, "", *db, ui);
    double seconds = watch.Seconds();
    double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    if (!result.written || result.records != imported.records) std::exit(1);
    auto records = static_cast<double>(result.records);
    std::string what =
        "export " + std::to_string(result.records) + " records, " + (layout2001 ? "2001 layout" : "line layout");
    Report(what, records / seconds, "records/s");
    // The machine may be shared: the rate per second of processor time
    // shows what the writer needs of one core.
    Report(what + " (CPU time)", records / cpuSeconds, "records/s");
  }
}

TWINSCAN_BENCH(export_100k) { ExportRecords(args, args.quick ? 10000 : 100000); }
TWINSCAN_BENCH(export_1m) { ExportRecords(args, args.quick ? 20000 : 1000000); }

}  // namespace
}  // namespace twinscan::bench
