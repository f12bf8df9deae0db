// MiscOptionsDialog (object name "TWINSCAN7"): seven check boxes per file,
// "Check1ff" .. "Check7ff" and "Check1sf" .. "Check7sf". Every showing ticks
// the boxes from the current FileOptions (the last row is ticked when
// suppressCleanLines is false), and below them "CheckRestore" ("Restore
// earlier decisions"); only "&Ok" copies the boxes into the settings, so
// closing the dialog another way discards the changes.
#pragma once

#include <QDialog>
#include <array>

#include "settings/compare_settings.h"

class QCheckBox;

namespace twinscan::ui {

class MiscOptionsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit MiscOptionsDialog(CompareSettings& settings, QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Rows 1 to 7.
  QCheckBox* box(FileTag file, int row) const;
  void Confirm();

  CompareSettings& settings_;
  std::array<QCheckBox*, 7> ff_{}, sf_{};
  QCheckBox* restore_ = nullptr;
};

}  // namespace twinscan::ui
