// The results export: CSV and JSON of a million TABLERESULT rows (a tenth
// with differences) written to a file, from the database to the renamed file.
#include <cstdio>
#include <ctime>

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

void ExportResults(const BenchArgs& args, int64_t rows) {
  auto db = store::Database::Open(FreshDatabase(args.dir));
  FillResults(*db, rows);
  for (ResultsFormat format : {ResultsFormat::Csv, ResultsFormat::Json}) {
    ResultsRequest request;
    request.format = format;
    Stopwatch watch;
    std::clock_t cpuStart = std::clock();
    ResultsFileOutcome outcome = ExportResultsToFile(*db, args.dir, args.dir / "results.out", request);
    double seconds = watch.Seconds();
    double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    if (!outcome.written || outcome.rows != rows) std::exit(1);
    std::string what = std::string(format == ResultsFormat::Csv ? "CSV" : "JSON") + " export of " +
                       std::to_string(rows) + " result rows";
    Report(what, static_cast<double>(rows) / seconds, "rows/s");
    Report(what + " (CPU time)", static_cast<double>(rows) / cpuSeconds, "rows/s");
  }
  Report("peak memory", PeakMemoryMiB(), "MiB");
}

TWINSCAN_BENCH(results_export_1m) { ExportResults(args, args.quick ? 20000 : 1000000); }

}  // namespace
}  // namespace twinscan::bench
