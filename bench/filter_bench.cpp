// The grid filters and the linked grids over a million rows: TABLE1, TABLE2
// and TABLERESULT are filled straight with SQL (records of full width, one
// in twenty erroneous; pairs with marks and a few decisions), the three views
// opened, then every filter applied to its open view and the record grids
// moved to the pair of result rows spread over the table.
#include <cstdio>

#include "bench/bench.h"
#include "compare/decision_restore.h"
#include "record/user_interface.h"
#include "store/decision_journal.h"
#include "store/view.h"
#include "store/view_filter.h"

namespace twinscan::bench {
namespace {

void Fill(store::Database& db, int64_t rows) {
  db.Begin();
  for (const char* table : {"TABLE1", "TABLE2"})
    db.Execute(std::string("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ") +
               std::to_string(rows) + ") INSERT INTO " + table +
               " (linenumber, \"1A\", \"4A\", \"13Z\", fullline, error) "
               "SELECT i, 100 + (i % 9000) / 16.0, 'STATION ' || (i % 5000), printf('%050d', i), "
               "printf('%0219d', i), (i % 20 = 0) FROM n");
  db.Execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(rows) +
             ") INSERT INTO TABLERESULT (linenumber, linenumber2, critical, noncritical, \"4A\", ACCEPTFIRST, "
             "ACCEPTSECOND) SELECT i, (i * 7919) % " +
             std::to_string(rows) +
             " + 1, CASE WHEN i % 7 = 0 THEN 1 END, CASE WHEN i % 3 = 0 THEN 1 END, "
             "CASE WHEN i % 11 = 0 THEN 'A <-> B' END, CASE WHEN i % 50 = 0 THEN 1 END, "
             "CASE WHEN i % 50 = 0 THEN 0 END FROM n");
  db.Commit();
}

void FilterAndLink(const BenchArgs& args, int64_t rows) {
  auto db = store::Database::Open(FreshDatabase(args.dir));
  Fill(*db, rows);
  SilentUserInterface ui;
  Stopwatch open;
  store::Views views(*db, ui);
  Report("open the three views over " + std::to_string(rows) + " rows each", open.Seconds(), "s");
  // The result grid sorted by a difference column, as a reviewer would.
  views.result().sortColumn = "4A";
  views.result().Refresh();

  double slowest = 0;
  for (store::ResultFilter f : store::kResultFilters) {
    views.result().SetFilter(store::SelectionOf(f));
    Stopwatch watch;
    views.result().ApplyFilter();
    double seconds = watch.Seconds();
    slowest = std::max(slowest, seconds);
    Report(
        "result filter " + std::string(store::NameOf(f)) + " (" + std::to_string(views.result().RowCount()) + " rows)",
        seconds * 1000, "ms");
  }
  for (store::RecordFilter f : store::kRecordFilters) {
    views.primary().SetFilter(store::SelectionOf(f));
    Stopwatch watch;
    views.primary().ApplyFilter();
    double seconds = watch.Seconds();
    slowest = std::max(slowest, seconds);
    Report(
        "record filter " + std::string(store::NameOf(f)) + " (" + std::to_string(views.primary().RowCount()) + " rows)",
        seconds * 1000, "ms");
  }
  Report("slowest filter (target 300 ms)", slowest * 1000, "ms");
  views.primary().SetFilter({});
  views.primary().ApplyFilter();
  views.result().SetFilter({});
  views.result().ApplyFilter();

  // A selected result row leads both record grids to its pair.
  constexpr int kMoves = 200;
  Stopwatch watch;
  int64_t found = 0;
  for (int k = 0; k < kMoves; ++k) {
    const store::Row& pair = views.result().RowAt((rows / kMoves) * k);
    for (auto [view, column] : {std::pair{&views.primary(), 0}, std::pair{&views.secondary(), 1}}) {
      int64_t position = view->PositionOfLine(std::get<int64_t>(pair[static_cast<size_t>(column)]));
      view->SetCurrentRow(position);
      view->RowAt(position);  // the grid paints the row it moved to
      found += position >= 0;
    }
  }
  Report("linked grids, one move (two grids)", watch.Seconds() / kMoves * 1000, "ms");
  Report("records found", static_cast<double>(found), "");
}

// The decisions given back after a run over a million result rows, with a
// thousand decisions in the journal.
void Restore(const BenchArgs& args, int64_t rows) {
  auto db = store::Database::Open(FreshDatabase(args.dir));
  Fill(*db, rows);
  db->Begin();
  for (int64_t k = 1; k <= 1000; ++k)
    store::JournalDecision(*db, k * (rows / 1000), (k * (rows / 1000) * 7919) % rows + 1, {true, false, "r", ""});
  db->Commit();
  Stopwatch watch;
  int64_t restored = RestoreDecisions(*db);
  Report("restore over " + std::to_string(rows) + " result rows", watch.Seconds(), "s");
  Report("decisions restored", static_cast<double>(restored), "");
}

TWINSCAN_BENCH(restore_1m) { Restore(args, args.quick ? 50000 : 1000000); }

TWINSCAN_BENCH(filter_1m) { FilterAndLink(args, args.quick ? 50000 : 1000000); }

}  // namespace
}  // namespace twinscan::bench
