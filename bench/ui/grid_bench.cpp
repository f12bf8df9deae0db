// The desktop app over large tables: opening the window on a million rows,
// re-reading the views (after an import or a header sort), scrolling the
// first grid page by page and by jumps, each with a paint; and the full
// compare run from the menu, grids, labels and yields included.
#include <QAction>
#include <QApplication>
#include <QScrollBar>
#include <QTableView>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>

#include <QDir>
#include <QSettings>
#include "bench/bench.h"
#include "compare/compare_engine.h"
#include "store/database.h"
#include "store/startup.h"
#include "tools/vienna_generator.h"
#include "ui/appearance.h"
#include "ui/data_grid.h"

#include "ui/main_window.h"
#include "ui/prompter.h"

namespace twinscan::bench {
namespace {

// Answers file choices from a list; message boxes are not expected.
class ListPrompter : public ui::Prompter {
 public:
  void Message(QWidget*, const QString& text) override { std::fprintf(stderr, "message: %s\n", qPrintable(text)); }
  std::optional<QString> ChooseFile(QWidget*, const QString&, const QString&) override {
    if (files.isEmpty()) return std::nullopt;
    return files.takeFirst();
  }
  QStringList files;
};

struct OffscreenApp {
  OffscreenApp() {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    app = std::make_unique<QApplication>(argc, argv);
    ui::ApplyAppearance(*app);
    // The imports' recent files go to a scratch place, not the user's settings.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QDir::tempPath() + "/twinscan-ui-bench");
  }
  int argc = 1;
  char name[18] = "twinscan-ui-bench";
  char* argv[2] = {name, nullptr};
  std::unique_ptr<QApplication> app;
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
  OffscreenApp app;
  FillPrimaryTable(FreshDatabase(args.dir), rows);
  ListPrompter prompter;
  ui::MainWindow window(prompter);
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

  QTableView* table = window.findChild<ui::DataGrid*>("DataGrid1")->table();
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

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::FILE* f = std::fopen(file.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

void FullCompareFromTheMenu(const BenchArgs& args, int records) {
  OffscreenApp app;
  std::vector<std::string> primary = gen::GenerateRecords({11, records, 0.05, false});
  WriteBytes(args.dir / "ff.txt", gen::RenderFile(primary, {}));
  WriteBytes(args.dir / "sf.txt", gen::RenderFile(gen::DeriveSecondary(primary, {}), {}));
  FreshDatabase(args.dir);
  ListPrompter prompter;
  prompter.files = {QString::fromStdString((args.dir / "ff.txt").string()),
                    QString::fromStdString((args.dir / "sf.txt").string())};
  ui::MainWindow window(prompter);
  if (!window.Start(args.dir, TWINSCAN_PRISTINE_DB)) std::exit(1);
  FileOptions plain;
  plain.vienna2001Format = plain.hasHeader = plain.validationReport = plain.correctedFile = false;
  window.settings().setFileOptions(plain, plain);
  window.show();
  Paint(window);
  Stopwatch imports;
  window.findChild<QAction*>("M_FIRSTFILE")->trigger();
  window.findChild<QAction*>("M_SECFILE")->trigger();
  Report("import both files from the menu", imports.Seconds() * 1000, "ms");
  // Beside it, the batch tool's run: the same engine on the same database
  // with a user interface that shows nothing, once before and once after the
  // menu's run, so that neither comes first to a cold cache alone.
  struct NothingShown : SilentUserInterface {
    bool WantsDisplay() override { return false; }
  } nothing;
  store::Views views(window.database(), nothing);
  CompareEngine engine(window.database(), views, window.settings(), nothing, args.dir / "batch-comparelog");
  auto batch = [&engine] {
    Stopwatch watch;
    engine.RunFull();
    return watch.Seconds();
  };
  double batchSeconds = batch();
  Stopwatch run;
  window.findChild<QAction*>("M_AUTOCOMP")->trigger();
  double seconds = run.Seconds();
  batchSeconds = (batchSeconds + batch()) / 2;
  Report("full compare of " + std::to_string(records) + " primary records", seconds * 1000, "ms");
  Report("pairs compared", static_cast<double>(engine.lastRun().comparedPairs), "rows");
  Report("the same compare without a window", batchSeconds * 1000, "ms");
  Report("menu / without a window", 100 * seconds / batchSeconds, "%");
}

TWINSCAN_BENCH(ui_full_compare_10k) { FullCompareFromTheMenu(args, args.quick ? 1000 : 10000); }
TWINSCAN_BENCH(ui_full_compare_30k) { FullCompareFromTheMenu(args, args.quick ? 3000 : 30000); }
TWINSCAN_BENCH(ui_full_compare_100k) { FullCompareFromTheMenu(args, args.quick ? 5000 : 100000); }
TWINSCAN_BENCH(ui_grid_100k) { GridOverRows(args, args.quick ? 10000 : 100000); }
TWINSCAN_BENCH(ui_grid_1m) { GridOverRows(args, args.quick ? 20000 : 1000000); }

}  // namespace
}  // namespace twinscan::bench
