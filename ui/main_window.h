// MainWindow: the main window "Comparing Two Vienna Files" and the program's
// side of UserInterface.
//
// It carries the menu, the three grids over the store's views, the six-panel
// status bar and the "Cancel Compare" button. The work behind the menu runs in the core: RunImportCommand for the
// two imports, CompareEngine for the full and the manual compare, StoreReview
// for the reviewer's decision; the window only asks the user, shows and
// re-reads. A file that disagrees with its options is put to the user before
// its import; a record's message box can be silenced for the rest of its
// import, and the status text then ends with how many were not shown. While
// a manual compare runs, the status text still repaints (at most every 50 ms,
// user input held back). An import passes events at most every 50 ms and the
// full compare once per primary record; meanwhile only "Cancel Import" (Esc)
// or "Cancel Compare", scrolling and About take input. Long work shows a
// progress bar in the status bar. Around them it adds the review workbench:
// the filters of the grids (View menu and filter bar), the line that says how
// the last run ended ("RunSummary"), the result grid's rows leading the two
// record grids to their pair, and a current record that stays current through
// a sort. A database failure shows its message and
// ends the program, as at start-up.
//
// At the start size the controls stand at the places given in twips; a
// larger window gives its room to the three grids (GrowLayout).
//
// The window and its controls carry the form's names as object names: the
// window "TWINSCAN1", the menus and commands "M_FILE" .. "M_ABOUT", the
// grids "DataGrid1" .. "DataGrid3", the status bar "StatusBar1" with its
// "ProgressBar1", the cancel buttons "Command1" (compare) and "Command2"
// (import), the dialogs "TWINSCAN3" .. "TWINSCAN7". Tests and the
// screenshot run find them by these names.
#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QMainWindow>
#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "app/output_guard.h"
#include "compare/compare_engine.h"
#include "record/user_interface.h"
#include "settings/compare_settings.h"
#include "store/data_directory_lock.h"
#include "store/database.h"
#include "store/view.h"
#include "ui/header_sort.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;

namespace twinscan::ui {

class DataGrid;
class GrowLayout;
class GridFilters;
class Prompter;
class StatusPanels;
class ProgressDisplay;
class CompareModesDialog;
class MiscOptionsDialog;
class ReviewDialog;
class SearchFieldsDialog;

inline constexpr const char* kCanceledOpeningFile = "canceled opening file";
inline constexpr const char* kPrimaryFilter = "Primary File in Vienna Format (*.txt)";
inline constexpr const char* kSecondaryFilter = "Secondary File in Vienna Format (*.txt)";
inline constexpr const char* kPrimaryCaption = "List of Entries to be Compared (ff)";
inline constexpr const char* kSecondaryCaption = "List of Entries to Compare with (sf)";
inline constexpr const char* kResultCaption = "Result of Compare (re)";

class MainWindow : public QMainWindow, public UserInterface {
  Q_OBJECT

 public:
  explicit MainWindow(Prompter& prompter, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The start-up: settings at their start values, the compare log emptied,
  // the database and its views opened, the grids bound with their column
  // widths. false when it failed (its message was shown): the program ends.
  bool Start(const std::filesystem::path& dataDir, const std::filesystem::path& pristineDb);

  // UserInterface.
  void SetStatusText(std::string_view text) override;
  void ShowMessage(std::string_view text) override;
  void ShowRecordMessage(std::string_view text, int64_t lineNumber) override;
  void Redraw() override;
  bool WantsDisplay() override;
  void Yield() override;
  void ViewReopened(ViewId id) override;
  void CurrentRowChanged(ViewId id) override;
  void ProgressBegin(std::string_view itemName, int64_t totalUnits) override;
  void ProgressUpdate(int64_t doneUnits, int64_t doneItems) override;
  void ProgressEnd() override;
  bool StopRequested() override { return stopRequested_; }

  // The state the commands work on, for scripted runs and tests.
  CompareSettings& settings() { return settings_; }
  store::Database& database() { return *db_; }
  store::Views& views() { return *views_; }
  // True once a failure ended the program.
  bool ended() const { return ended_; }

  // The window's size and place as the user left them last time (UserSettings).
  void RestoreGeometry();
  // Imports `path` as the primary (ff) or secondary (sf) file, as the File
  // menu does once the file is chosen.
  void ImportPath(FileTag file, const QString& path);

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  enum class Activity { Idle, Importing, Comparing, ManualComparing };

  void BuildMenu();
  // File > Recent Files, Exit; shortcuts; Compare > Cancel Compare; Help > User Guide.
  void AddPlatformCommands(QMenu* file, QMenu* compare, QMenu* help);
  void FillRecentFiles(QMenu* menu);
  // The grid captions name the files the database says were imported last.
  void ShowImportedFiles();
  void ShowUserGuide();
  void BindGrids();
  void ApplyColumnWidths();
  // Rewrites the grid's panel (1 to 3) from its view.
  void UpdatePositionLabel(ViewId id);
  void UpdatePositionLabels();
  // The header's sort indicator on the column a header click sorted by.
  void UpdateSortIndicator(ViewId id);
  // What an empty grid tells the user to do first.
  void SetEmptyHints();
  DataGrid* grid(ViewId id) const { return grids_[static_cast<size_t>(id)]; }

  void ImportFile(FileTag file);
  void FullAutocompare();
  void ToggleManualCompare();
  void ShowCompareModes();
  void ShowSearchFields();
  void ShowMiscOptions();
  void ShowAbout();
  void HeaderClicked(ViewId id, int column);
  void PrimaryDoubleClicked(int row);
  void ResultDoubleClicked();
  void GridRowChanged(ViewId id, int row);
  void FilterChanged(ViewId id);
  // Moves the primary and the secondary grid to the records of the result row.
  void FollowResultRow(int64_t row);
  // Re-reads the views; each keeps its current record when it still shows it.
  void RefreshKeepingCurrent();
  // Makes the row with the id current, or else the row at `fallback` (clamped).
  void Reselect(ViewId id, int64_t rowId, int64_t fallback);
  void ShowRunSummary();

  bool Idle() const { return activity_ == Activity::Idle && !ended_; }
  // Enters or leaves a full compare or an import: its cancel button shows,
  // the commands and the grids' input are locked meanwhile.
  void SetBusy(Activity busy);
  // Runs a piece of work of the core; a failure shows its message (or
  // `failureText` when given) and ends the program. false on failure.
  template <typename Work>
  bool Guarded(Work&& work, const char* failureText = nullptr);
  void EndProgram(const std::string& message);
  void PaintSoon();
  // Passes the event loop (always, or only when a repaint is due); true when
  // anything was processed or painted.
  bool PassEvents(QEventLoop::ProcessEventsFlags flags, bool always);

  Prompter& prompter_;
  CompareSettings settings_;
  store::DataDirectoryLock lock_;       // released after the database is closed
  std::optional<OutputGuard> outputs_;  // set by Start
  std::unique_ptr<store::Database> db_;
  std::unique_ptr<store::Views> views_;
  std::unique_ptr<CompareEngine> engine_;
  std::array<DataGrid*, 3> grids_{};
  std::array<HeaderSort, 3> sorts_;
  GrowLayout* grow_;
  StatusPanels* status_;
  QPushButton* cancelButton_;
  QPushButton* cancelImportButton_;
  std::unique_ptr<ProgressDisplay> progress_;
  bool stopRequested_ = false;  // "Cancel Import" was pressed during the running import
  QLabel* runSummary_;
  QMenu* viewMenu_;
  GridFilters* filters_;
  // The menu commands the window enables and disables.
  QAction *importPrimary_, *importSecondary_, *fullCompare_, *manualCompare_, *compareModes_, *searchFields_,
      *miscOptions_;
  QAction* cancelCompare_ = nullptr;
  std::filesystem::path dataDir_;
  // The dialogs, made when first used.
  ReviewDialog* reviewDialog_ = nullptr;
  CompareModesDialog* compareModesDialog_ = nullptr;
  SearchFieldsDialog* searchFieldsDialog_ = nullptr;
  MiscOptionsDialog* miscOptionsDialog_ = nullptr;
  QWidget* userGuide_ = nullptr;
  Activity activity_ = Activity::Idle;
  bool ended_ = false;
  // The record message texts the user silenced in the running import, and
  // how many boxes were not shown since.
  std::set<std::string> silencedMessages_;
  int64_t notShown_ = 0;
  QElapsedTimer sinceRepaint_;
  QElapsedTimer quietSince_;  // the last yield's pass found nothing to do
};

}  // namespace twinscan::ui
