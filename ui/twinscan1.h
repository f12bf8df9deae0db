// TWINSCAN1: the main window "Comparing Two Vienna Files" and the program's
// side of UserInterface.
//
// It carries the menu, the three grids over the store's views, the six-panel
// status bar and the "Cancel Compare" button, all at fixed places given in
// twips. The work behind the menu runs in the core: RunImportCommand for the
// two imports, CompareEngine for the full and the manual compare, StoreReview
// for the reviewer's decision; the window only asks the user, shows and
// re-reads. While an import or a manual compare runs, the status text still
// repaints (at most every 50 ms, user input held back); the full compare
// yields once per primary record, and meanwhile only "Cancel Compare",
// scrolling and About take input. A database failure shows its message and
// ends the program, as at start-up.
#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QMainWindow>
#include <array>
#include <filesystem>
#include <memory>
#include <string>

#include "compare/compare_engine.h"
#include "record/user_interface.h"
#include "settings/compare_settings.h"
#include "store/database.h"
#include "store/view.h"
#include "ui/header_sort.h"

class QAction;
class QMenu;
class QPushButton;

namespace twinscan::ui {

class DataGrid;
class Prompter;
class StatusPanels;
class TWINSCAN3;
class TWINSCAN5;
class TWINSCAN6;
class TWINSCAN7;

inline constexpr const char* kCanceledOpeningFile = "canceled opening file";
inline constexpr const char* kPrimaryFilter = "Primary File in Vienna Format (*.txt)";
inline constexpr const char* kSecondaryFilter = "Secondary File in Vienna Format (*.txt)";
inline constexpr const char* kPrimaryCaption = "List of Entries to be Compared (ff)";
inline constexpr const char* kSecondaryCaption = "List of Entries to Compare with (sf)";
inline constexpr const char* kResultCaption = "Result of Compare (re)";

class TWINSCAN1 : public QMainWindow, public UserInterface {
  Q_OBJECT

 public:
  explicit TWINSCAN1(Prompter& prompter, QWidget* parent = nullptr);
  ~TWINSCAN1() override;

  // The start-up: settings at their start values, the compare log emptied,
  // the database and its views opened, the grids bound with their column
  // widths. false when it failed (its message was shown): the program ends.
  bool Start(const std::filesystem::path& dataDir, const std::filesystem::path& pristineDb);

  // UserInterface.
  void SetStatusText(std::string_view text) override;
  void ShowMessage(std::string_view text) override;
  void Redraw() override;
  void Yield() override;
  void ViewReopened(ViewId id) override;
  void CurrentRowChanged(ViewId id) override;

  // Rewrites the grid's panel (1 to 3) from its view.
  void UpdatePositionLabel(ViewId id);

  DataGrid* grid(ViewId id) const { return grids_[static_cast<size_t>(id)]; }
  QString statusText(int panel) const;
  QPushButton* cancelButton() const { return command1_; }
  CompareSettings& settings() { return settings_; }
  store::Database& database() { return *db_; }
  store::Views& views() { return *views_; }
  // True once a failure ended the program.
  bool ended() const { return ended_; }

  // The dialogs, nullptr until first used.
  TWINSCAN3* reviewDialog() const { return twinscan3_; }
  TWINSCAN5* compareModesDialog() const { return twinscan5_; }
  TWINSCAN6* searchFieldsDialog() const { return twinscan6_; }
  TWINSCAN7* miscOptionsDialog() const { return twinscan7_; }

  // The menu, named as the menu table names it.
  QMenu *M_FILE, *M_COMP, *M_OPTION, *M_HELP;
  QAction *M_FIRSTFILE, *M_SECFILE, *M_VALCHECK1, *M_VALCHECK2, *M_AUTOCOMP, *M_MANUALCOMP, *M_COMPMODE,
      *M_SEARCHFIELDS, *M_MISC, *M_ABOUT;

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  enum class Activity { Idle, Importing, Comparing, ManualComparing };

  void BuildMenu();
  void BindGrids();
  void ApplyColumnWidths();
  void UpdatePositionLabels();

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

  bool Idle() const { return activity_ == Activity::Idle && !ended_; }
  void SetComparing(bool comparing);
  // Runs a piece of work of the core; a failure shows its message (or
  // `failureText` when given) and ends the program. false on failure.
  template <typename Work>
  bool Guarded(Work&& work, const char* failureText = nullptr);
  void EndProgram(const std::string& message);
  void PaintSoon();
  void PassEvents(QEventLoop::ProcessEventsFlags flags, bool always);

  Prompter& prompter_;
  CompareSettings settings_;
  std::unique_ptr<store::Database> db_;
  std::unique_ptr<store::Views> views_;
  std::unique_ptr<CompareEngine> engine_;
  std::array<DataGrid*, 3> grids_{};
  std::array<HeaderSort, 3> sorts_;
  StatusPanels* status_;
  QPushButton* command1_;
  TWINSCAN3* twinscan3_ = nullptr;
  TWINSCAN5* twinscan5_ = nullptr;
  TWINSCAN6* twinscan6_ = nullptr;
  TWINSCAN7* twinscan7_ = nullptr;
  // The header texts of the last imports, handed to the corrected file.
  std::string headerTextFf_, headerTextSf_;
  Activity activity_ = Activity::Idle;
  bool ended_ = false;
  QElapsedTimer sinceRepaint_;
};

}  // namespace twinscan::ui
