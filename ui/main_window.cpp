#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "app/import_file_command.h"
#include "app/review_command.h"
#include "store/startup.h"
#include "ui/column_layout.h"
#include "ui/compare_modes_dialog.h"
#include "ui/data_grid.h"
#include "ui/grid_model.h"
#include "ui/misc_options_dialog.h"
#include "ui/position_label.h"
#include "ui/prompter.h"
#include "ui/results_export.h"
#include "ui/review_dialog.h"
#include "ui/search_fields_dialog.h"
#include "ui/status_panels.h"
#include "ui/twips.h"

#ifndef TWINSCAN_VERSION
#define TWINSCAN_VERSION "1.0"
#endif

namespace twinscan::ui {
namespace {

constexpr int kClientWidth = 12765;
constexpr int kClientHeight = 8175;
constexpr qint64 kRepaintEveryMs = 50;

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
  setWindowTitle(QStringLiteral("Comparing Two Vienna Files - twinscan " TWINSCAN_VERSION));
  BuildMenu();

  // The client area: every control at its fixed place; growing the window
  // moves nothing.
  auto* client = new QWidget(this);
  client->setMinimumSize(Twips(kClientWidth), Twips(kClientHeight));
  setCentralWidget(client);

  status_ = AddControl<StatusPanels>(client, "StatusBar1", 0, 7920, 12765, 255);
  cancelButton_ = AddControl<QPushButton>(client, "Command1", 10200, 0, 2415, 255, "Cancel Compare");
  cancelButton_->hide();
  connect(cancelButton_, &QPushButton::clicked, this, [this] {
    if (engine_) engine_->RequestCancel();
  });

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
    if (Idle()) ExportResultsFromWindow(this, *db_, views_->result(), *this);
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

  QAction* about = item(menu("M_HELP", "&Help"), "M_ABOUT", "&About");

  connect(importPrimary_, &QAction::triggered, this, [this] { ImportFile(FileTag::ff); });
  connect(importSecondary_, &QAction::triggered, this, [this] { ImportFile(FileTag::sf); });
  connect(fullCompare_, &QAction::triggered, this, &MainWindow::FullAutocompare);
  connect(manualCompare_, &QAction::triggered, this, &MainWindow::ToggleManualCompare);
  connect(compareModes_, &QAction::triggered, this, &MainWindow::ShowCompareModes);
  connect(searchFields_, &QAction::triggered, this, &MainWindow::ShowSearchFields);
  connect(miscOptions_, &QAction::triggered, this, &MainWindow::ShowMiscOptions);
  connect(about, &QAction::triggered, this, &MainWindow::ShowAbout);
}

// ---------------------------------------------------------------------------
// Start-up

bool MainWindow::Start(const std::filesystem::path& dataDir, const std::filesystem::path& pristineDb) {
  settings_.resetToDefaults();
  db_ = store::StartUp(dataDir, pristineDb, *this);
  if (!db_) return false;
  try {
    views_ = std::make_unique<store::Views>(*db_, *this);
    engine_ = std::make_unique<CompareEngine>(*db_, *views_, settings_, *this, store::CompareLogPath(dataDir));
  } catch (const std::exception&) {
    ShowMessage(store::kConnectErrorMessage);
    return false;
  }
  BindGrids();
  ApplyColumnWidths();
  return true;
}

void MainWindow::BindGrids() {
  struct GridPlace {
    ViewId id;
    const char* name;
    const char* caption;
    int columns, top, height;
  };
  constexpr GridPlace kGrids[] = {
      {ViewId::Primary, "DataGrid1", kPrimaryCaption, store::kRecordColumnCount, 0, 2775},
      {ViewId::Secondary, "DataGrid2", kSecondaryCaption, store::kRecordColumnCount, 2760, 2775},
      {ViewId::Result, "DataGrid3", kResultCaption, store::kResultGridColumnCount, 5520, 2415},
  };
  for (const GridPlace& g : kGrids) {
    auto* grid = AddControl<DataGrid>(centralWidget(), g.name, 0, g.top, 12735, g.height, views_->Get(g.id), g.columns);
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
  grid(ViewId::Result)->SetColumnWidths({kResultGridWidths.begin(), kResultGridWidths.end()});
  cancelButton_->raise();
  UpdatePositionLabels();
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

void MainWindow::Redraw() { PaintSoon(); }

void MainWindow::Yield() { PassEvents(QEventLoop::AllEvents, true); }

void MainWindow::ViewReopened(ViewId id) {
  if (!grid(id)) return;
  grid(id)->ViewReopened();
  UpdatePositionLabel(id);
}

void MainWindow::CurrentRowChanged(ViewId id) {
  if (!grid(id)) return;
  grid(id)->ShowCurrentRow();
  UpdatePositionLabel(id);
}

// Long commands take no user input, but their progress must show: pending
// paints are let through now and then.
void MainWindow::PaintSoon() { PassEvents(QEventLoop::ExcludeUserInputEvents, false); }

// While the full compare runs, the client area paints only every 50 ms: a
// paint per primary record would cost more than the comparison itself.
void MainWindow::PassEvents(QEventLoop::ProcessEventsFlags flags, bool always) {
  bool paint = sinceRepaint_.elapsed() >= kRepaintEveryMs;
  if (!paint && !always) return;
  if (paint) centralWidget()->setUpdatesEnabled(true);
  QCoreApplication::processEvents(flags);
  if (!paint) return;
  sinceRepaint_.restart();
  if (activity_ == Activity::Comparing) centralWidget()->setUpdatesEnabled(false);
}

// ---------------------------------------------------------------------------
// Labels and events

void MainWindow::UpdatePositionLabel(ViewId id) {
  if (!views_) return;
  status_->SetText(PanelOf(id), QString::fromStdString(PositionLabel(views_->Get(id))));
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
  QMainWindow::closeEvent(event);
}

void MainWindow::GridRowChanged(ViewId id, int row) {
  views_->Get(id).SetCurrentRow(row);
  UpdatePositionLabel(id);
}

void MainWindow::HeaderClicked(ViewId id, int column) {
  if (!Idle()) return;
  sorts_[static_cast<size_t>(id)].Click(views_->Get(id), grid(id)->model()->ColumnName(column).toStdString());
  Guarded([this] { views_->RefreshAll(); }, store::kConnectErrorMessage);
}

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
  std::optional<QString> chosen = prompter_.ChooseFile(this, primary ? kPrimaryFilter : kSecondaryFilter);
  if (!chosen) {
    ShowMessage(kCanceledOpeningFile);
    return;
  }
  chosen = QFileInfo(*chosen).absoluteFilePath();
  ImportCommandResult result;
  activity_ = Activity::Importing;
  bool ok;
  {
    HourglassCursor hourglass;
    ok = Guarded([&] {
      // The header is written into the corrected file by the command itself.
      std::string headerText;
      result = RunImportCommand(QFile::encodeName(*chosen).toStdString(), file, settings_, *db_, *views_, *this,
                                &headerText);
    });
  }
  activity_ = Activity::Idle;
  // A file that could not be read leaves its table, and so the caption, as it was.
  if (ok && result.import.outcome == ImportOutcome::Done)
    grid(primary ? ViewId::Primary : ViewId::Secondary)
        ->SetCaption(QString(primary ? kPrimaryCaption : kSecondaryCaption) + " " + *chosen);
}

void MainWindow::SetComparing(bool comparing) {
  activity_ = comparing ? Activity::Comparing : Activity::Idle;
  cancelButton_->setVisible(comparing);
  centralWidget()->setUpdatesEnabled(!comparing);
  for (QAction* a : {importPrimary_, importSecondary_, manualCompare_, compareModes_, searchFields_, miscOptions_})
    a->setEnabled(!comparing && !ended_);
  fullCompare_->setEnabled(!comparing && !ended_ && !manualCompare_->isChecked());
  for (DataGrid* g : grids_) g->SetInputBlocked(comparing);
}

void MainWindow::FullAutocompare() {
  if (!Idle() || manualCompare_->isChecked()) return;
  SetComparing(true);
  Guarded([this] { engine_->RunFull(); });
  SetComparing(false);
}

void MainWindow::ToggleManualCompare() {
  // The action ticks itself; the full compare is offered exactly when it is not ticked.
  fullCompare_->setEnabled(!manualCompare_->isChecked());
}

void MainWindow::PrimaryDoubleClicked(int row) {
  if (!Idle() || views_->primary().RowCount() == 0) return;
  if (!manualCompare_->isChecked()) {
    Guarded([this] { views_->RefreshAll(); }, store::kConnectErrorMessage);
    return;
  }
  activity_ = Activity::ManualComparing;
  {
    HourglassCursor hourglass;
    Guarded([this, row] { engine_->RunManual(row); });
  }
  activity_ = Activity::Idle;
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
  if (!reviewDialog_) reviewDialog_ = new ReviewDialog(this);
  if (reviewDialog_->exec() != QDialog::Accepted) return;
  Guarded([&] {
    StoreReview(*db_, *views_, line1, line2, reviewDialog_->acceptFirst(), reviewDialog_->acceptSecond(),
                reviewDialog_->reviewRemark().toStdString(), reviewDialog_->reviewReference().toStdString());
  });
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
  prompter_.Message(this, QStringLiteral("twinscan " TWINSCAN_VERSION "\nComparing Two Vienna Files\n"
                                         "Written by the twinscan developers.\n\n"
                                         "Help not yet implemented."));
}

}  // namespace twinscan::ui
