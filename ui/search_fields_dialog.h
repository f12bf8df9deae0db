// SearchFieldsDialog (object name "TWINSCAN6"): one coloured label per search
// field, "Label1" .. "Label5" by search-field index (1A, 6A, 4A on the left,
// 13Y, 4C on the right); a click steps the field's SearchField at once, or is
// refused with "At least one Field required" when it is the last field in
// use. Red is exact, yellow tolerant (for 4A: used), grey not used. Every
// showing colours the labels from the settings.
#pragma once

#include <QDialog>
#include <array>

#include "settings/compare_settings.h"

namespace twinscan::ui {

class ColourLabel;
class Prompter;

class SearchFieldsDialog : public QDialog {
  Q_OBJECT

 public:
  SearchFieldsDialog(CompareSettings& settings, Prompter& prompter, QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  ColourLabel* label(int index) const { return labels_.at(static_cast<size_t>(index - 1)); }
  void Click(int index);
  void Recolour(int index);

  CompareSettings& settings_;
  Prompter& prompter_;
  std::array<ColourLabel*, kSearchFieldCount> labels_{};
};

inline constexpr const char* kSearchFieldsLegend =
    "Red: used in searchcriteria (without tolerance); Yellow: used in searchcriteria (with tolerance); Grey: "
    "not used in criteria for search; yellow for 4C: coordinates in a zone, yellow for 1A uses tolerance of "
    "100Hz, yellow for 6A uses only fix/mob distinction, yellow for 13Y allows everywhere value A";

}  // namespace twinscan::ui
