#include "ui/twinscan1.h"

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
#include "ui/data_grid.h"
#include "ui/grid_model.h"
#include "ui/position_label.h"
#include "ui/prompter.h"
#include "ui/status_panels.h"
#include "ui/twinscan3.h"
#include "ui/twinscan5.h"
#include "ui/twinscan6.h"
#include "ui/twinscan7.h"
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

TWINSCAN1::TWINSCAN1(Prompter& prompter, QWidget* parent) : QMainWindow(parent), prompter_(prompter) {
  setObjectName("TWINSCAN1");
  setWindowTitle(QStringLiteral("Comparing Two Vienna Files - twinscan " TWINSCAN_VERSION));
  BuildMenu();

  // The client area: every control at its fixed place; growing the window
  // moves nothing.
  auto* client = new QWidget(this);
  client->setMinimumSize(Twips(kClientWidth), Twips(kClientHeight));
  setCentralWidget(client);

  status_ = AddControl<StatusPanels>(client, "StatusBar1", 0, 7920, 12765, 255);
  command1_ = AddControl<QPushButton>(client, "Command1", 10200, 0, 2415, 255, "Cancel Compare");
  command1_->hide();
  connect(command1_, &QPushButton::clicked, this, [this] {
    if (engine_) engine_->RequestCancel();
  });

  resize(Twips(kClientWidth), Twips(kClientHeight) + menuBar()->sizeHint().height());
  sinceRepaint_.start();
}

TWINSCAN1::~TWINSCAN1() {
  // The grids read the views while they exist; they go first.
  for (DataGrid*& g : grids_) {
    delete g;
    g = nullptr;
  }
}

void TWINSCAN1::BuildMenu() {
  auto item = [this](QMenu* menu, const char* name, const char* caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
  };
  M_FILE = menuBar()->addMenu("&File");
  M_FILE->setObjectName("M_FILE");
  M_FIRSTFILE = item(M_FILE, "M_FIRSTFILE", "Import &Primary File");
  M_SECFILE = item(M_FILE, "M_SECFILE", "Import &Secondary File");

  M_COMP = menuBar()->addMenu("&Compare && Verify");
  M_COMP->setObjectName("M_COMP");
  M_VALCHECK1 = item(M_COMP, "M_VALCHECK1", "Validation Check &Primary File");
  M_VALCHECK2 = item(M_COMP, "M_VALCHECK2", "Validation Check &Secondary File");
  M_AUTOCOMP = item(M_COMP, "M_AUTOCOMP", "&Full Autocompare");
  M_MANUALCOMP = item(M_COMP, "M_MANUALCOMP", "&Manual Compare");
  M_MANUALCOMP->setCheckable(true);
  // The two validation checks have no command; they stay greyed out.
  M_VALCHECK1->setEnabled(false);
  M_VALCHECK2->setEnabled(false);

  M_OPTION = menuBar()->addMenu("&Options");
  M_OPTION->setObjectName("M_OPTION");
  M_COMPMODE = item(M_OPTION, "M_COMPMODE", "Compare &Modes");
  M_SEARCHFIELDS = item(M_OPTION, "M_SEARCHFIELDS", "&Search Fields");
  M_MISC = item(M_OPTION, "M_MISC", "Misc. Options");

  M_HELP = menuBar()->addMenu("&Help");
  M_HELP->setObjectName("M_HELP");
  M_ABOUT = item(M_HELP, "M_ABOUT", "&About");

  connect(M_FIRSTFILE, &QAction::triggered, this, [this] { ImportFile(FileTag::ff); });
  connect(M_SECFILE, &QAction::triggered, this, [this] { ImportFile(FileTag::sf); });
  connect(M_AUTOCOMP, &QAction::triggered, this, &TWINSCAN1::FullAutocompare);
  connect(M_MANUALCOMP, &QAction::triggered, this, &TWINSCAN1::ToggleManualCompare);
  connect(M_COMPMODE, &QAction::triggered, this, &TWINSCAN1::ShowCompareModes);
  connect(M_SEARCHFIELDS, &QAction::triggered, this, &TWINSCAN1::ShowSearchFields);
  connect(M_MISC, &QAction::triggered, this, &TWINSCAN1::ShowMiscOptions);
  connect(M_ABOUT, &QAction::triggered, this, &TWINSCAN1::ShowAbout);
}

// ---------------------------------------------------------------------------
// Start-up

bool TWINSCAN1::Start(const std::filesystem::path& dataDir, const std::filesystem::path& pristineDb) {
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

void TWINSCAN1::BindGrids() {
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
  connect(grid(ViewId::Primary), &DataGrid::doubleClicked, this, &TWINSCAN1::PrimaryDoubleClicked);
  connect(grid(ViewId::Result), &DataGrid::doubleClicked, this, [this](int) { ResultDoubleClicked(); });
  grid(ViewId::Result)->SetColumnWidths({kResultGridWidths.begin(), kResultGridWidths.end()});
  command1_->raise();
  UpdatePositionLabels();
}

void TWINSCAN1::ApplyColumnWidths() {
  for (ViewId id : {ViewId::Primary, ViewId::Secondary})
    grid(id)->SetColumnWidths({kRecordGridWidths.begin(), kRecordGridWidths.end()});
}

// ---------------------------------------------------------------------------
// UserInterface

void TWINSCAN1::SetStatusText(std::string_view text) {
  status_->SetText(6, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  PaintSoon();
}

void TWINSCAN1::ShowMessage(std::string_view text) {
  prompter_.Message(this, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void TWINSCAN1::Redraw() { PaintSoon(); }

void TWINSCAN1::Yield() { PassEvents(QEventLoop::AllEvents, true); }

void TWINSCAN1::ViewReopened(ViewId id) {
  if (!grid(id)) return;
  grid(id)->ViewReopened();
  UpdatePositionLabel(id);
}

void TWINSCAN1::CurrentRowChanged(ViewId id) {
  if (!grid(id)) return;
  grid(id)->ShowCurrentRow();
  UpdatePositionLabel(id);
}

// Long commands take no user input, but their progress must show: pending
// paints are let through now and then.
void TWINSCAN1::PaintSoon() { PassEvents(QEventLoop::ExcludeUserInputEvents, false); }

// While the full compare runs, the client area paints only every 50 ms: a
// paint per primary record would cost more than the comparison itself.
void TWINSCAN1::PassEvents(QEventLoop::ProcessEventsFlags flags, bool always) {
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

void TWINSCAN1::UpdatePositionLabel(ViewId id) {
  if (!views_) return;
  status_->SetText(PanelOf(id), QString::fromStdString(PositionLabel(views_->Get(id))));
}

void TWINSCAN1::UpdatePositionLabels() {
  for (ViewId id : kViewIds) UpdatePositionLabel(id);
}

QString TWINSCAN1::statusText(int panel) const { return status_->text(panel); }

void TWINSCAN1::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) UpdatePositionLabels();
  QMainWindow::changeEvent(event);
}

void TWINSCAN1::closeEvent(QCloseEvent* event) {
  // A running full compare stops before its next primary record; the
  // program ends when it has.
  if (activity_ == Activity::Comparing && engine_) engine_->RequestCancel();
  QMainWindow::closeEvent(event);
}

void TWINSCAN1::GridRowChanged(ViewId id, int row) {
  views_->Get(id).SetCurrentRow(row);
  UpdatePositionLabel(id);
}

void TWINSCAN1::HeaderClicked(ViewId id, int column) {
  if (!Idle()) return;
  sorts_[static_cast<size_t>(id)].Click(views_->Get(id), grid(id)->model()->ColumnName(column).toStdString());
  Guarded([this] { views_->RefreshAll(); }, store::kConnectErrorMessage);
}

// ---------------------------------------------------------------------------
// Commands

template <typename Work>
bool TWINSCAN1::Guarded(Work&& work, const char* failureText) {
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

void TWINSCAN1::EndProgram(const std::string& message) {
  ShowMessage(message);
  ended_ = true;
  for (QAction* a : {M_FIRSTFILE, M_SECFILE, M_AUTOCOMP, M_MANUALCOMP, M_COMPMODE, M_SEARCHFIELDS, M_MISC})
    a->setEnabled(false);
  close();
  QCoreApplication::exit(1);
}

void TWINSCAN1::ImportFile(FileTag file) {
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
      result = RunImportCommand(QFile::encodeName(*chosen).toStdString(), file, settings_, *db_, *views_, *this,
                                primary ? &headerTextFf_ : &headerTextSf_);
    });
  }
  activity_ = Activity::Idle;
  // A file that could not be read leaves its table, and so the caption, as it was.
  if (ok && result.import.outcome == ImportOutcome::Done)
    grid(primary ? ViewId::Primary : ViewId::Secondary)
        ->SetCaption(QString(primary ? kPrimaryCaption : kSecondaryCaption) + " " + *chosen);
}

void TWINSCAN1::SetComparing(bool comparing) {
  activity_ = comparing ? Activity::Comparing : Activity::Idle;
  command1_->setVisible(comparing);
  centralWidget()->setUpdatesEnabled(!comparing);
  for (QAction* a : {M_FIRSTFILE, M_SECFILE, M_MANUALCOMP, M_COMPMODE, M_SEARCHFIELDS, M_MISC})
    a->setEnabled(!comparing && !ended_);
  M_AUTOCOMP->setEnabled(!comparing && !ended_ && !M_MANUALCOMP->isChecked());
  for (DataGrid* g : grids_) g->SetInputBlocked(comparing);
}

void TWINSCAN1::FullAutocompare() {
  if (!Idle() || M_MANUALCOMP->isChecked()) return;
  SetComparing(true);
  Guarded([this] { engine_->RunFull(); });
  SetComparing(false);
}

void TWINSCAN1::ToggleManualCompare() {
  // The action ticks itself; the full compare is offered exactly when it is not ticked.
  M_AUTOCOMP->setEnabled(!M_MANUALCOMP->isChecked());
}

void TWINSCAN1::PrimaryDoubleClicked(int row) {
  if (!Idle() || views_->primary().RowCount() == 0) return;
  if (!M_MANUALCOMP->isChecked()) {
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

void TWINSCAN1::ResultDoubleClicked() {
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
  if (!twinscan3_) twinscan3_ = new TWINSCAN3(this);
  if (twinscan3_->exec() != QDialog::Accepted) return;
  Guarded([&] {
    StoreReview(*db_, *views_, line1, line2, twinscan3_->acceptFirst(), twinscan3_->acceptSecond(),
                twinscan3_->reviewRemark().toStdString(), twinscan3_->reviewReference().toStdString());
  });
}

void TWINSCAN1::ShowCompareModes() {
  if (!Idle()) return;
  if (!twinscan5_) twinscan5_ = new TWINSCAN5(settings_, this);
  twinscan5_->exec();
}

void TWINSCAN1::ShowSearchFields() {
  if (!Idle()) return;
  if (!twinscan6_) twinscan6_ = new TWINSCAN6(settings_, prompter_, this);
  twinscan6_->exec();
}

void TWINSCAN1::ShowMiscOptions() {
  if (!Idle()) return;
  if (!twinscan7_) twinscan7_ = new TWINSCAN7(settings_, this);
  twinscan7_->exec();
}

void TWINSCAN1::ShowAbout() {
  prompter_.Message(this, QStringLiteral("twinscan " TWINSCAN_VERSION "\nComparing Two Vienna Files\n"
                                         "Written by the twinscan developers.\n\n"
                                         "Help not yet implemented."));
}

}  // namespace twinscan::ui
