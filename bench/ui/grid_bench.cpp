// The desktop app's grids over a million rows: opening the window on a full
// TABLE1, re-reading the views (after an import or a header sort), and
// scrolling the first grid page by page and by jumps, each with a paint.
#include <QAbstractButton>
#include <QApplication>
#include <QScrollBar>
#include <QTableView>
#include <cstdlib>
#include <random>

#include "bench/bench.h"
#include "store/database.h"
#include "store/startup.h"
#include "ui/appearance.h"
#include "ui/data_grid.h"
#include "ui/prompter.h"
#include "ui/twinscan1.h"

namespace twinscan::bench {
namespace {

class SilentPrompter : public ui::Prompter {
 public:
  void Message(QWidget*, const QString&) override {}
  std::optional<QString> ChooseFile(QWidget*, const QString&) override { return std::nullopt; }
};

void FillPrimaryTable(const std::filesystem::path& dbFile, int rows) {
  auto db = store::Database::Open(dbFile);
  store::Statement insert = db->Prepare(
      "INSERT INTO TABLE1 (linenumber, \"1A\", \"6A\", \"2C\", \"4A\", \"4B\", \"4C\", \"13Z\", error, ermsg, "
      "\"4CLONG\", \"4CLAT\") VALUES (?, ?, 'FX', '2001-07-01', ?, 'BEL', '004E300051N3000', ?, ?, ?, 4.5, 51.5)");
  db->Begin();
  for (int i = 1; i <= rows; ++i) {
    insert.Reset();
    insert.BindInt(1, i);
    insert.BindDouble(2, 100.0 + (i % 400000) * 0.00125);
    insert.BindText(3, "STATION " + std::to_string(i % 9973));
    insert.BindText(4, "REMARK OF RECORD " + std::to_string(i));
    insert.BindInt(5, i % 20 == 0);
    if (i % 20 == 0)
      insert.BindText(6, "4c coordinates are not valid ;");
    else
      insert.BindNull(6);
    insert.Step();
  }
  db->Commit();
}

// Lets the window lay out and paint everything pending.
void Paint(QWidget& window) {
  QCoreApplication::processEvents();
  window.repaint();
}

void GridOverRows(const BenchArgs& args, int rows) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  int argc = 1;
  char name[] = "twinscan-ui-bench";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  ui::ApplyAppearance(app);

  FillPrimaryTable(FreshDatabase(args.dir), rows);
  SilentPrompter prompter;
  ui::TWINSCAN1 window(prompter);
  Stopwatch open;
  if (!window.Start(args.dir, TWINSCAN_PRISTINE_DB)) std::exit(1);
  window.show();
  Paint(window);
  Report("open the window over " + std::to_string(rows) + " rows", open.Seconds() * 1000, "ms");

  Stopwatch refresh;
  window.views().RefreshAll();
  Paint(window);
  Report("re-read the three views and paint", refresh.Seconds() * 1000, "ms");

  Stopwatch sort;
  window.views().primary().sortColumn = "13Z";
  window.views().RefreshAll();
  Paint(window);
  Report("re-read sorted by 13Z and paint", sort.Seconds() * 1000, "ms");

  QTableView* table = window.grid(ViewId::Primary)->table();
  QScrollBar* bar = table->verticalScrollBar();
  constexpr int kPages = 500;
  Stopwatch pages;
  for (int i = 0; i < kPages; ++i) {
    bar->setValue(bar->value() + bar->pageStep());
    table->viewport()->repaint();
  }
  Report("scroll a page and paint", pages.Seconds() * 1000 / kPages, "ms per page");

  std::mt19937 random(7);
  constexpr int kJumps = 200;
  Stopwatch jumps;
  for (int i = 0; i < kJumps; ++i) {
    bar->setValue(static_cast<int>(random() % static_cast<unsigned>(bar->maximum() + 1)));
    table->viewport()->repaint();
  }
  Report("jump to a random place and paint", jumps.Seconds() * 1000 / kJumps, "ms per jump");
}

TWINSCAN_BENCH(ui_grid_100k) { GridOverRows(args, args.quick ? 10000 : 100000); }
TWINSCAN_BENCH(ui_grid_1m) { GridOverRows(args, args.quick ? 20000 : 1000000); }

}  // namespace
}  // namespace twinscan::bench
