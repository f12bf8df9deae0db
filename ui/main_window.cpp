#include "ui/main_window.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <algorithm>

#include "app/import_file_command.h"
#include "app/review_command.h"
#include "compare/pair_details.h"
#include "compare/run_summary.h"
#include "store/compare_run_marker.h"
#include "store/imports.h"
#include "store/sqlite_version.h"
#include "store/startup.h"
#include "twinscan_version.h"
#include "ui/column_layout.h"
#include "ui/compare_modes_dialog.h"
#include "ui/data_grid.h"
#include "ui/filter_bar.h"
#include "ui/grid_model.h"
#include "ui/grow_layout.h"
#include "ui/misc_options_dialog.h"
#include "ui/position_label.h"
#include "ui/progress_display.h"
#include "ui/prompter.h"
#include "ui/results_export.h"
#include "ui/review_dialog.h"
#include "ui/search_fields_dialog.h"
#include "ui/status_panels.h"
#include "ui/twips.h"
#include "ui/user_guide.h"
#include "ui/user_settings.h"

namespace twinscan::ui {
namespace {

constexpr int kClientWidth = 12765;
// Two lines above the result grid hold the end-of-run line and the filter bar.
constexpr int kSummaryLine = 270;
constexpr int kFilterLine = 330;
constexpr int kWorkbenchLines = kSummaryLine + kFilterLine;
constexpr int kClientHeight = 8175 + kWorkbenchLines;
constexpr qint64 kRepaintEveryMs = 50;
constexpr qint64 kQuietYieldMs = 5;

constexpr ViewId kViewIds[] = {ViewId::Primary, ViewId::Secondary, ViewId::Result};

int PanelOf(ViewId id) { return static_cast<int>(id) + 1; }

// The hourglass for the time of a command that takes no input.
class HourglassCursor {
 public:
  HourglassCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~HourglassCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

MainWindow::MainWindow(Prompter& prompter, QWidget* parent) : QMainWindow(parent), prompter_(prompter) {
  setObjectName("TWINSCAN1");
  setWindowTitle(QStringLiteral("Comparing Two Vienna Files - twinscan ") + kVersion);
  BuildMenu();

  // The client area: every control at its start place at the start size,
  // which is also the least size; a larger window gives its room to the grids.
  auto* client = new QWidget(this);
  client->setMinimumSize(Twips(kClientWidth), Twips(kClientHeight));
  setCentralWidget(client);
  grow_ = new GrowLayout(client, client->minimumSize());

  status_ = AddControl<StatusPanels>(client, "StatusBar1", 0, 7920 + kWorkbenchLines, 12765, 255);
  grow_->Add(status_, {.top = 1, .width = 1});
  // The run line and the filter bar stand between the secondary and the
  // result grid and move down with the secondary grid's lower edge.
  constexpr double kAboveResults = 5550.0 / (2775 + 2775 + 2415);
  runSummary_ = AddControl<QLabel>(client, "RunSummary", 60, 5520, 12675, kSummaryLine);
  runSummary_->setTextFormat(Qt::PlainText);
  grow_->Add(runSummary_, {.top = kAboveResults, .width = 1});
  filters_ = new GridFilters(client, viewMenu_);
  PlaceTwips(filters_->bar(), 60, 5520 + kSummaryLine, 6600, kFilterLine);
  grow_->Add(filters_->bar(), {.top = kAboveResults});
  connect(filters_, &GridFilters::changed, this, &MainWindow::FilterChanged);
  cancelButton_ = AddControl<QPushButton>(client, "Command1", 10200, 0, 2415, 255, "Cancel Compare");
  grow_->Add(cancelButton_, {.left = 1});
  cancelButton_->hide();
  connect(cancelButton_, &QPushButton::clicked, this, [this] {
    if (engine_) engine_->RequestCancel();
  });
  // In the place of "Cancel Compare": only one of the two ever shows.
  cancelImportButton_ = AddControl<QPushButton>(client, "Command2", 10200, 0, 2415, 255, "Cancel Import");
  cancelImportButton_->setShortcut(Qt::Key_Escape);
  cancelImportButton_->hide();
  // On the press: Esc "clicks" only a tenth of a second later, and the
  // import may be past many records by then.
  connect(cancelImportButton_, &QPushButton::pressed, this, [this] {
    if (activity_ == Activity::Importing) stopRequested_ = true;
  });
  progress_ = std::make_unique<ProgressDisplay>(status_->progressBar());

  resize(Twips(kClientWidth), Twips(kClientHeight) + menuBar()->sizeHint().height());
  sinceRepaint_.start();
}

MainWindow::~MainWindow() {
  // The grids read the views while they exist; they go first.
  for (DataGrid*& g : grids_) {
    delete g;
    g = nullptr;
  }
}

void MainWindow::BuildMenu() {
  auto menu = [this](const char* name, const char* caption) {
    QMenu* m = menuBar()->addMenu(caption);
    m->setObjectName(name);
    return m;
  };
  auto item = [](QMenu* menu, const char* name, const char* caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
  };
  QMenu* file = menu("M_FILE", "&File");
  importPrimary_ = item(file, "M_FIRSTFILE", "Import &Primary File");
  importSecondary_ = item(file, "M_SECFILE", "Import &Secondary File");
  QAction* exportResults = item(file, "M_EXPORTRESULTS", "&Export Results...");
  connect(exportResults, &QAction::triggered, this, [this] {
    if (Idle())
      ExportResultsFromWindow(this, *db_, views_->result(),
                              store::kResultFilters[static_cast<size_t>(filters_->chosen(ViewId::Result))], *this);
  });

  QMenu* compare = menu("M_COMP", "&Compare && Verify");
  // The two validation checks have no command; they stay greyed out.
  item(compare, "M_VALCHECK1", "Validation Check &Primary File")->setEnabled(false);
  item(compare, "M_VALCHECK2", "Validation Check &Secondary File")->setEnabled(false);
  fullCompare_ = item(compare, "M_AUTOCOMP", "&Full Autocompare");
  manualCompare_ = item(compare, "M_MANUALCOMP", "&Manual Compare");
  manualCompare_->setCheckable(true);

  QMenu* options = menu("M_OPTION", "&Options");
  compareModes_ = item(options, "M_COMPMODE", "Compare &Modes");
  searchFields_ = item(options, "M_SEARCHFIELDS", "&Search Fields");
  miscOptions_ = item(options, "M_MISC", "Misc. Options");

  viewMenu_ = menu("M_VIEW", "&View");
  QMenu* help = menu("M_HELP", "&Help");
  QAction* about = item(help, "M_ABOUT", "&About");
  AddPlatformCommands(file, compare, help);

  connect(importPrimary_, &QAction::triggered, this, [this] { ImportFile(FileTag::ff); });
  connect(importSecondary_, &QAction::triggered, this, [this] { ImportFile(FileTag::sf); });
  connect(fullCompare_, &QAction::triggered, this, &MainWindow::FullAutocompare);
  connect(manualCompare_, &QAction::triggered, this, &MainWindow::ToggleManualCompare);
  connect(compareModes_, &QAction::triggered, this, &MainWindow::ShowCompareModes);
  connect(searchFields_, &QAction::triggered, this, &MainWindow::ShowSearchFields);
  connect(miscOptions_, &QAction::triggered, this, &MainWindow::ShowMiscOptions);
  connect(about, &QAction::triggered, this, &MainWindow::ShowAbout);
}

void MainWindow::AddPlatformCommands(QMenu* file, QMenu* compare, QMenu* help) {
  importPrimary_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  importSecondary_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
  fullCompare_->setShortcut(QKeySequence(Qt::Key_F5));

  QMenu* recent = file->addMenu("&Recent Files");
  recent->setObjectName("M_RECENT");
  connect(recent, &QMenu::aboutToShow, this, [this, recent] { FillRecentFiles(recent); });
  FillRecentFiles(recent);
  file->addSeparator();
  QAction* exit = file->addAction("E&xit");
  exit->setObjectName("M_EXIT");
  exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  exit->setMenuRole(QAction::QuitRole);
  connect(exit, &QAction::triggered, this, &QWidget::close);

  cancelCompare_ = compare->addAction("&Cancel Compare");
  cancelCompare_->setObjectName("M_CANCELCOMP");
  cancelCompare_->setShortcut(QKeySequence(Qt::Key_Escape));
  cancelCompare_->setEnabled(false);
  connect(cancelCompare_, &QAction::triggered, this, [this] {
    if (activity_ == Activity::Comparing && engine_) engine_->RequestCancel();
  });

  QAction* guide = new QAction("&User Guide", help);
  guide->setObjectName("M_GUIDE");
  guide->setShortcut(QKeySequence(Qt::Key_F1));
  help->insertAction(help->actions().value(0), guide);
  connect(guide, &QAction::triggered, this, &MainWindow::ShowUserGuide);
}

void MainWindow::FillRecentFiles(QMenu* menu) {
  menu->clear();
  UserSettings user;
  for (FileTag tag : {FileTag::ff, FileTag::sf}) {
    QStringList files = user.RecentFiles(tag);
    menu->addSection(tag == FileTag::ff ? "Primary (ff)" : "Secondary (sf)");
    if (files.isEmpty()) menu->addAction("(none)")->setEnabled(false);
    for (const QString& path : files) {
      QAction* action = menu->addAction(QString(path).replace('&', "&&"));
      action->setObjectName(tag == FileTag::ff ? "M_RECENT_FF" : "M_RECENT_SF");
      action->setEnabled(Idle());
      connect(action, &QAction::triggered, this, [this, tag, path] { ImportPath(tag, path); });
    }
  }
}

void MainWindow::ShowUserGuide() {
  if (!userGuide_) userGuide_ = new UserGuideWindow(this);
  userGuide_->show();
  userGuide_->raise();
  userGuide_->activateWindow();
}

void MainWindow::RestoreGeometry() {
  QByteArray geometry = UserSettings().WindowGeometry();
  if (!geometry.isEmpty()) restoreGeometry(geometry);
}

void MainWindow::ShowImportedFiles() {
  for (FileTag tag : {FileTag::ff, FileTag::sf}) {
    bool primary = tag == FileTag::ff;
    std::optional<std::string> path;
    Guarded([&] { path = store::ImportedPath(*db_, primary ? "ff" : "sf"); });
    if (path)
      grid(primary ? ViewId::Primary : ViewId::Secondary)
          ->SetCaption(QString(primary ? kPrimaryCaption : kSecondaryCaption) + " " + QString::fromStdString(*path));
  }
}

// ---------------------------------------------------------------------------
// Start-up

bool MainWindow::Start(const std::filesystem::path& dataDir, const std::filesystem::path& pristineDb) {
  settings_.resetToDefaults();
  dataDir_ = dataDir;
  db_ = store::StartUp(dataDir, pristineDb, *this, lock_);
  if (!db_) return false;
  outputs_.emplace(dataDir);
  bool lastCompareUnfinished = false;
  try {
    views_ = std::make_unique<store::Views>(*db_, *this);
    engine_ = std::make_unique<CompareEngine>(*db_, *views_, settings_, *this, store::CompareLogPath(dataDir));
    lastCompareUnfinished = store::LastCompareUnfinished(*db_);
  } catch (const std::exception&) {
    ShowMessage(store::kConnectErrorMessage);
    return false;
  }
  BindGrids();
  ApplyColumnWidths();
  ShowImportedFiles();
  if (lastCompareUnfinished) SetStatusText(store::kLastCompareUnfinishedMessage);
  return true;
}

void MainWindow::BindGrids() {
  struct GridPlace {
    ViewId id;
    const char* name;
    const char* caption;
    int columns, top, height;
    double growTop, growHeight;  // shares of the height a larger window gains, by start height
  };
  constexpr double kStacked = 2775 + 2775 + 2415;
  constexpr GridPlace kGrids[] = {
      {ViewId::Primary, "DataGrid1", kPrimaryCaption, store::kRecordColumnCount, 0, 2775, 0, 2775 / kStacked},
      {ViewId::Secondary, "DataGrid2", kSecondaryCaption, store::kRecordColumnCount, 2760, 2775, 2775 / kStacked,
       2775 / kStacked},
      {ViewId::Result, "DataGrid3", kResultCaption, store::kResultGridColumnCount, 5520 + kWorkbenchLines, 2415,
       5550 / kStacked, 2415 / kStacked},
  };
  for (const GridPlace& g : kGrids) {
    auto* grid = AddControl<DataGrid>(centralWidget(), g.name, 0, g.top, 12735, g.height, views_->Get(g.id), g.columns);
    grow_->Add(grid, {.top = g.growTop, .width = 1, .height = g.growHeight});
    grid->SetCaption(g.caption);
    // The row the position label counts from is the grid's current row.
    grid->ShowCurrentRow();
    grid->show();
    ViewId id = g.id;
    connect(grid, &DataGrid::headerClicked, this, [this, id](int column) { HeaderClicked(id, column); });
    connect(grid, &DataGrid::currentRowChanged, this, [this, id](int row) { GridRowChanged(id, row); });
    grids_[static_cast<size_t>(id)] = grid;
  }
  connect(grid(ViewId::Primary), &DataGrid::doubleClicked, this, &MainWindow::PrimaryDoubleClicked);
  connect(grid(ViewId::Result), &DataGrid::doubleClicked, this, [this](int) { ResultDoubleClicked(); });
  connect(grid(ViewId::Result), &DataGrid::enterPressed, this, [this](int) { ResultDoubleClicked(); });
  grid(ViewId::Result)->SetColumnWidths({kResultGridWidths.begin(), kResultGridWidths.end()});
  cancelButton_->raise();
  SetEmptyHints();
  cancelImportButton_->raise();
  UpdatePositionLabels();
}

void MainWindow::SetEmptyHints() {
  grid(ViewId::Primary)
      ->SetEmptyHint("No primary records yet: import the primary file (ff) with File > Import Primary File.");
  grid(ViewId::Secondary)
      ->SetEmptyHint("No secondary records yet: import the secondary file (sf) with File > Import Secondary File.");
  grid(ViewId::Result)
      ->SetEmptyHint("No results yet: import both files, then run Compare & Verify > Full Autocompare (F5).");
}

void MainWindow::ApplyColumnWidths() {
  for (ViewId id : {ViewId::Primary, ViewId::Secondary})
    grid(id)->SetColumnWidths({kRecordGridWidths.begin(), kRecordGridWidths.end()});
}

// ---------------------------------------------------------------------------
// UserInterface

void MainWindow::SetStatusText(std::string_view text) {
  status_->SetText(6, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  PaintSoon();
}

void MainWindow::ShowMessage(std::string_view text) {
  prompter_.Message(this, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void MainWindow::ShowRecordMessage(std::string_view text, int64_t lineNumber) {
  std::string key(text);
  if (silencedMessages_.count(key)) {
    ++notShown_;
    return;
  }
  if (prompter_.RecordMessage(this, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                              QStringLiteral("Line number %1").arg(lineNumber)))
    silencedMessages_.insert(key);
}

void MainWindow::Redraw() { PaintSoon(); }

// The full compare yields once per primary record, thousands of times a
// second, and an empty pass of the event loop costs about as much as a
// record's comparison. After a pass that found nothing to do, the next
// few milliseconds' yields are let by; once anything comes (a click, a
// timer), every yield passes again until the loop is quiet.
void MainWindow::Yield() {
  if (quietSince_.isValid() && quietSince_.elapsed() < kQuietYieldMs) return;
  if (PassEvents(QEventLoop::AllEvents, true))
    quietSince_.invalidate();
  else
    quietSince_.start();
}

// The full compare's grids and status text show only at the repaint rate.
bool MainWindow::WantsDisplay() {
  return activity_ != Activity::Comparing || sinceRepaint_.elapsed() >= kRepaintEveryMs;
}

void MainWindow::ViewReopened(ViewId id) {
  if (!grid(id)) return;
  grid(id)->ViewReopened();
  UpdatePositionLabel(id);
  UpdateSortIndicator(id);
}

void MainWindow::UpdateSortIndicator(ViewId id) {
  store::View& view = views_->Get(id);
  std::string column = sorts_[static_cast<size_t>(id)].SortedColumn(view);
  int index = -1;
  for (int c = 0; !column.empty() && c < grid(id)->model()->columnCount(); ++c)
    if (store::SameName(grid(id)->model()->ColumnName(c).toStdString(), column)) index = c;
  grid(id)->SetSortIndicator(index, view.sortDirection == store::SortDirection::Descending);
}

void MainWindow::CurrentRowChanged(ViewId id) {
  if (!grid(id)) return;
  grid(id)->ShowCurrentRow();
  UpdatePositionLabel(id);
}

void MainWindow::ProgressBegin(std::string_view, int64_t totalUnits) { progress_->Begin(totalUnits); }

void MainWindow::ProgressUpdate(int64_t doneUnits, int64_t doneItems) { progress_->Update(doneUnits, doneItems); }

void MainWindow::ProgressEnd() { progress_->End(); }

// Long commands take no user input, but their progress must show: pending
// paints are let through now and then. An import takes the click (or Esc)
// on "Cancel Import"; everything else that takes input is locked meanwhile.
void MainWindow::PaintSoon() {
  PassEvents(activity_ == Activity::Importing ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents, false);
}

// While the full compare runs, the client area paints only every 50 ms: a
// paint per primary record would cost more than the comparison itself.
bool MainWindow::PassEvents(QEventLoop::ProcessEventsFlags flags, bool always) {
  bool paint = sinceRepaint_.elapsed() >= kRepaintEveryMs;
  if (!paint && !always) return false;
  if (paint) centralWidget()->setUpdatesEnabled(true);
  // What QCoreApplication::processEvents does, telling whether anything came.
  QAbstractEventDispatcher* loop = QAbstractEventDispatcher::instance();
  bool any = loop && loop->processEvents(flags);
  if (!paint) return any;
  sinceRepaint_.restart();
  if (activity_ == Activity::Comparing) centralWidget()->setUpdatesEnabled(false);
  return true;
}

// ---------------------------------------------------------------------------
// Labels and events

void MainWindow::UpdatePositionLabel(ViewId id) {
  if (!views_) return;
  status_->SetText(PanelOf(id), QString::fromStdString(PositionLabel(views_->Get(id), filters_->LabelSuffix(id))));
}

void MainWindow::UpdatePositionLabels() {
  for (ViewId id : kViewIds) UpdatePositionLabel(id);
}

void MainWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) UpdatePositionLabels();
  QMainWindow::changeEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // A running full compare stops before its next primary record; the
  // program ends when it has.
  if (activity_ == Activity::Comparing && engine_) engine_->RequestCancel();
  UserSettings().SetWindowGeometry(saveGeometry());
  if (userGuide_) userGuide_->close();
  if (activity_ == Activity::Importing) stopRequested_ = true;
  QMainWindow::closeEvent(event);
}

void MainWindow::GridRowChanged(ViewId id, int row) {
  views_->Get(id).SetCurrentRow(row);
  UpdatePositionLabel(id);
  if (id == ViewId::Result && Idle()) FollowResultRow(row);
}

void MainWindow::HeaderClicked(ViewId id, int column) {
  if (!Idle()) return;
  sorts_[static_cast<size_t>(id)].Click(views_->Get(id), grid(id)->model()->ColumnName(column).toStdString());
  RefreshKeepingCurrent();
}

void MainWindow::FilterChanged(ViewId id) {
  if (!Idle()) return;
  store::View& view = views_->Get(id);
  view.SetFilter(filters_->Selection(id));
  if (Guarded([&view] { view.ApplyFilter(); }, store::kConnectErrorMessage)) ViewReopened(id);
}

void MainWindow::FollowResultRow(int64_t row) {
  store::View& results = views_->result();
  if (row < 0 || row >= results.RowCount()) return;
  Guarded(
      [&] {
        const store::Row& pair = results.RowAt(row);
        std::optional<double> lines[2] = {store::NumberOf(pair[0]), store::NumberOf(pair[1])};
        for (ViewId id : {ViewId::Primary, ViewId::Secondary}) {
          std::optional<double> line = lines[id == ViewId::Primary ? 0 : 1];
          int64_t position = line ? views_->Get(id).PositionOfLine(static_cast<int64_t>(*line)) : -1;
          // A record the grid's filter hides leaves that grid where it is.
          if (position >= 0) views_->SetCurrentRow(id, position);
        }
      },
      store::kConnectErrorMessage);
}

void MainWindow::RefreshKeepingCurrent() {
  std::array<int64_t, 3> ids{};
  for (ViewId id : kViewIds) ids[static_cast<size_t>(id)] = views_->Get(id).CurrentRowId();
  if (!Guarded([this] { views_->RefreshAll(); }, store::kConnectErrorMessage)) return;
  for (ViewId id : kViewIds) Reselect(id, ids[static_cast<size_t>(id)], 0);
}

void MainWindow::Reselect(ViewId id, int64_t rowId, int64_t fallback) {
  store::View& view = views_->Get(id);
  if (view.RowCount() == 0) return;
  int64_t position = rowId < 0 ? -1 : view.PositionOfRowId(rowId);
  if (position < 0) position = std::clamp<int64_t>(fallback, 0, view.RowCount() - 1);
  if (position != view.CurrentRow()) views_->SetCurrentRow(id, position);
}

void MainWindow::ShowRunSummary() { runSummary_->setText(QString::fromStdString(RunSummaryText(engine_->lastRun()))); }

// ---------------------------------------------------------------------------
// Commands

template <typename Work>
bool MainWindow::Guarded(Work&& work, const char* failureText) {
  try {
    work();
    return true;
  } catch (const store::ViewError&) {
    EndProgram(store::kConnectErrorMessage);
    return false;
  } catch (const std::exception& e) {
    EndProgram(failureText ? failureText : e.what());
    return false;
  }
}

void MainWindow::EndProgram(const std::string& message) {
  ShowMessage(message);
  ended_ = true;
  for (QAction* a :
       {importPrimary_, importSecondary_, fullCompare_, manualCompare_, compareModes_, searchFields_, miscOptions_})
    a->setEnabled(false);
  close();
  QCoreApplication::exit(1);
}

void MainWindow::ImportFile(FileTag file) {
  if (!Idle()) return;
  bool primary = file == FileTag::ff;
  std::optional<QString> chosen =
      prompter_.ChooseFile(this, primary ? kPrimaryFilter : kSecondaryFilter, UserSettings().LastDirectory(file));
  if (!chosen) {
    ShowMessage(kCanceledOpeningFile);
    return;
  }
  ImportPath(file, *chosen);
}

void MainWindow::ImportPath(FileTag file, const QString& path) {
  if (!Idle()) return;
  bool primary = file == FileTag::ff;
  std::optional<QString> chosen = QFileInfo(path).absoluteFilePath();
  std::filesystem::path filePath = QFile::encodeName(*chosen).toStdString();
  auto ask = [this, &filePath](const LayoutFinding& finding) {
    QString text = QString::fromStdString(LayoutFindingText(filePath, finding));
    return prompter_.AskLayout(this, text, finding.fitting.has_value());
  };
  ImportCommandResult result;
  SetBusy(Activity::Importing);
  silencedMessages_.clear();
  notShown_ = 0;
  bool ok;
  {
    HourglassCursor hourglass;
    ok = Guarded([&] {
      // The header is written into the corrected file by the command itself.
      std::string headerText;
      result = RunImportCommand(filePath, file, settings_, *db_, views_.get(), *this, &headerText, *outputs_, ask);
    });
  }
  SetBusy(Activity::Idle);
  if (notShown_ > 0)
    status_->SetText(
        6, status_->text(6) + QStringLiteral("; %1 message%2 not shown").arg(notShown_).arg(notShown_ == 1 ? "" : "s"));
  silencedMessages_.clear();
  // A file that could not be read, was refused or stopped leaves its table, and so the caption, as it was.
  if (!ok || !result.imported()) return;
  grid(primary ? ViewId::Primary : ViewId::Secondary)
      ->SetCaption(QString(primary ? kPrimaryCaption : kSecondaryCaption) + " " + *chosen);
  UserSettings().Imported(file, *chosen);
}

void MainWindow::SetBusy(Activity busy) {
  activity_ = busy;
  const bool comparing = busy == Activity::Comparing, working = busy != Activity::Idle;
  stopRequested_ = false;
  cancelButton_->setVisible(comparing);
  cancelCompare_->setEnabled(comparing);
  cancelImportButton_->setVisible(busy == Activity::Importing);
  centralWidget()->setUpdatesEnabled(!comparing);
  for (QAction* a : {importPrimary_, importSecondary_, manualCompare_, compareModes_, searchFields_, miscOptions_})
    a->setEnabled(!working && !ended_);
  fullCompare_->setEnabled(!working && !ended_ && !manualCompare_->isChecked());
  for (DataGrid* g : grids_) g->SetInputBlocked(working);
  filters_->SetEnabled(!working && !ended_);
}

void MainWindow::FullAutocompare() {
  if (!Idle() || manualCompare_->isChecked()) return;
  SetBusy(Activity::Comparing);
  bool ran = Guarded([this] { engine_->RunFull(); });
  SetBusy(Activity::Idle);
  if (!ran) return;
  ShowRunSummary();
  // The run read the record views unfiltered; the grids' filters come back.
  for (ViewId id : {ViewId::Primary, ViewId::Secondary})
    if (filters_->Filtered(id)) FilterChanged(id);
}

void MainWindow::ToggleManualCompare() {
  // The action ticks itself; the full compare is offered exactly when it is not ticked.
  fullCompare_->setEnabled(!manualCompare_->isChecked());
}

void MainWindow::PrimaryDoubleClicked(int row) {
  if (!Idle() || views_->primary().RowCount() == 0) return;
  if (!manualCompare_->isChecked()) {
    RefreshKeepingCurrent();
    return;
  }
  // The compared record stays current once the run has re-read the views.
  int64_t compared = views_->primary().RowIdAt(row);
  activity_ = Activity::ManualComparing;
  bool ran;
  {
    HourglassCursor hourglass;
    ran = Guarded([this, row] { engine_->RunManual(row); });
  }
  activity_ = Activity::Idle;
  if (!ran) return;
  Reselect(ViewId::Primary, compared, 0);
  if (compared >= 0) ShowRunSummary();
}

void MainWindow::ResultDoubleClicked() {
  if (!Idle()) return;
  store::View& results = views_->result();
  if (results.RowCount() == 0 || results.CurrentRow() < 0) return;
  int64_t line1 = 0, line2 = 0;
  if (!Guarded([&] {
        const store::Row& row = results.Current();
        line1 = static_cast<int64_t>(store::NumberOf(row[0]).value_or(0));
        line2 = static_cast<int64_t>(store::NumberOf(row[1]).value_or(0));
      }))
    return;
  std::optional<PairDetails> pair;
  if (!Guarded([&] {
        const CompareSettings* modes = engine_->lastRunSettings();
        pair = ReadPairDetails(*db_, line1, line2, modes ? *modes : settings_);
      }))
    return;
  if (!reviewDialog_) reviewDialog_ = new ReviewDialog(this);
  reviewDialog_->SetPair(std::move(pair));
  if (reviewDialog_->exec() != QDialog::Accepted) return;
  int64_t reviewed = results.CurrentRowId(), position = results.CurrentRow();
  if (!Guarded([&] {
        StoreReview(*db_, *views_, line1, line2, reviewDialog_->acceptFirst(), reviewDialog_->acceptSecond(),
                    reviewDialog_->reviewRemark().toStdString(), reviewDialog_->reviewReference().toStdString());
        // The grid shows the decision: the result view is read again.
        results.Refresh();
      }))
    return;
  ViewReopened(ViewId::Result);
  // A row the filter no longer keeps (an undecided one) gives its place to the next.
  Reselect(ViewId::Result, reviewed, position);
}

void MainWindow::ShowCompareModes() {
  if (!Idle()) return;
  if (!compareModesDialog_) compareModesDialog_ = new CompareModesDialog(settings_, this);
  compareModesDialog_->exec();
}

void MainWindow::ShowSearchFields() {
  if (!Idle()) return;
  if (!searchFieldsDialog_) searchFieldsDialog_ = new SearchFieldsDialog(settings_, prompter_, this);
  searchFieldsDialog_->exec();
}

void MainWindow::ShowMiscOptions() {
  if (!Idle()) return;
  if (!miscOptionsDialog_) miscOptionsDialog_ = new MiscOptionsDialog(settings_, this);
  miscOptionsDialog_->exec();
}

void MainWindow::ShowAbout() {
  prompter_.Message(this,
                    QString("twinscan %1\nComparing Two Vienna Files\n"
                            "Written by the twinscan developers.\n\n"
                            "The user guide is under Help > User Guide (F1).\n"
                            "Version %1, Qt %2, SQLite %3\nData directory: %4")
                        .arg(kVersion, qVersion(), store::SqliteVersion(), QString::fromStdString(dataDir_.string())));
}

}  // namespace twinscan::ui
