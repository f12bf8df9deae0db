// CompareModesDialog (object name "TWINSCAN5"): one coloured label per field
// number, "Label1" .. "Label28" (1A to 8B1 on the left, 8B2 to 13X on the
// right); a click steps the field's CompareMode at once: grey not checked,
// yellow non-critical, red critical. Every showing colours the labels from
// the settings; "&Ok" only hides.
#pragma once

#include <QDialog>
#include <array>

#include "record/layout.h"
#include "settings/compare_settings.h"

namespace twinscan::ui {

class ColourLabel;

class CompareModesDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CompareModesDialog(CompareSettings& settings, QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  ColourLabel* label(int fieldNumber) const { return labels_.at(static_cast<size_t>(fieldNumber - 1)); }
  void Recolour(int fieldNumber);

  CompareSettings& settings_;
  std::array<ColourLabel*, kFieldCount> labels_{};
};

}  // namespace twinscan::ui
