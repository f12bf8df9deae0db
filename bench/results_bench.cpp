// The results export: CSV and JSON of a million TABLERESULT rows (a tenth
// with differences) written to a file, from the database to the renamed file.
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>

#include "app/results_export_command.h"
#include "bench/bench.h"

namespace twinscan::bench {
namespace {

void FillResults(store::Database& db, int64_t rows) {
  db.Begin();
  store::Statement record1 = db.Prepare(
      "INSERT INTO TABLE1 (linenumber, \"1A\", \"4A\", \"4B\", \"13X\") VALUES (?, 146.5 + ? * 0.0125, "
      "'ANTWERPEN 12', 'BEL', 'B  120000012345')");
  store::Statement record2 = db.Prepare(
      "INSERT INTO TABLE2 (linenumber, \"1A\", \"4A\", \"4B\", \"13X\") VALUES (?, 146.5 + ? * 0.0125, "
      "'ANTWERPEN 12', 'BEL', 'B  120000012345')");
  store::Statement result = db.Prepare(
      "INSERT INTO TABLERESULT (linenumber, linenumber2, critical, noncritical, \"1A\", \"13Z\", ACCEPTFIRST, "
      "ACCEPTSECOND, REMARK) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
  for (int64_t i = 1; i <= rows; ++i) {
    for (store::Statement* s : {&record1, &record2}) {
      s->Reset();
      s->BindInt(1, i);
      s->BindInt(2, i % 1000);
      s->Step();
    }
    result.Reset();
    for (int k = 1; k <= 9; ++k) result.BindNull(k);
    result.BindInt(1, i);
    result.BindInt(2, i);
    if (i % 10 == 0) {
      result.BindInt(3, 1);
      result.BindText(5, "146.5 <-> 146.5125");
      result.BindText(6, "TAXI 729 <-> TAXI, \"CHANGED\"");
      result.BindInt(7, 1);
      result.BindInt(8, 0);
      result.BindText(9, "=checked with the neighbour");
    }
    result.Step();
  }
  db.Commit();
}

// Reports rows per second of wall and of processor time for what runs.
template <typename Run>
void Timed(const std::string& what, int64_t rows, Run run) {
  Stopwatch watch;
  std::clock_t cpuStart = std::clock();
  run();
  double seconds = watch.Seconds();
  double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
  Report(what, static_cast<double>(rows) / seconds, "rows/s");
  Report(what + " (CPU time)", static_cast<double>(rows) / cpuSeconds, "rows/s");
}

// The floor beside the exports: reading every cell of the same result rows
// with a bare SELECT, and writing as many bytes as the CSV file holds.
void Baselines(store::Database& db, const BenchArgs& args, int64_t rows, uintmax_t csvBytes) {
  int64_t cells = 0;
  Timed("baseline: bare SELECT of the rows", rows, [&] {
    store::Statement s = db.Prepare("SELECT * FROM TABLERESULT");
    int columns = s.ColumnCount();
    while (s.Step())
      for (int c = 0; c < columns; ++c)
        if (s.ColumnStored(c) == store::Statement::Stored::Text) cells += static_cast<int64_t>(s.ColumnText(c).size());
  });
  if (cells == 0) std::exit(1);
  Timed("baseline: writing the CSV bytes", rows, [&] {
    std::string block(1 << 16, 'x');
    std::FILE* file = std::fopen((args.dir / "bytes.out").c_str(), "wb");
    if (!file) std::exit(1);
    for (uintmax_t left = csvBytes; left > 0;) {
      size_t piece = static_cast<size_t>(std::min<uintmax_t>(left, block.size()));
      if (std::fwrite(block.data(), 1, piece, file) != piece) std::exit(1);
      left -= piece;
    }
    if (std::fclose(file) != 0) std::exit(1);
  });
}

void ExportResults(const BenchArgs& args, int64_t rows) {
  auto db = store::Database::Open(FreshDatabase(args.dir));
  FillResults(*db, rows);
  uintmax_t csvBytes = 0;
  for (ResultsFormat format : {ResultsFormat::Csv, ResultsFormat::Json}) {
    ResultsRequest request;
    request.format = format;
    std::string what = std::string(format == ResultsFormat::Csv ? "CSV" : "JSON") + " export of " +
                       std::to_string(rows) + " result rows";
    Timed(what, rows, [&] {
      ResultsFileOutcome outcome = ExportResultsToFile(*db, args.dir, args.dir / "results.out", request);
      if (!outcome.written || outcome.rows != rows) std::exit(1);
    });
    if (format == ResultsFormat::Csv) csvBytes = std::filesystem::file_size(args.dir / "results.out");
  }
  Baselines(*db, args, rows, csvBytes);
  Report("peak memory", PeakMemoryMiB(), "MiB");
}

TWINSCAN_BENCH(results_export_1m) { ExportResults(args, args.quick ? 20000 : 1000000); }

}  // namespace
}  // namespace twinscan::bench
