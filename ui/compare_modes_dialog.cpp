#include "ui/compare_modes_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "ui/colour_label.h"
#include "ui/fit_text.h"
#include "ui/twips.h"

namespace twinscan::ui {
namespace {

QColor CompareModeColour(CompareMode mode) {
  switch (mode) {
    case CompareMode::NonCritical: return Yellow();
    case CompareMode::Critical: return Red();
    case CompareMode::NotChecked: break;
  }
  return Grey();
}

const char* CompareModeMeaning(CompareMode mode) {
  switch (mode) {
    case CompareMode::NonCritical: return "non-critical";
    case CompareMode::Critical: return "critical";
    case CompareMode::NotChecked: break;
  }
  return "not checked";
}

}  // namespace

CompareModesDialog::CompareModesDialog(CompareSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
  setObjectName("TWINSCAN5");
  setWindowTitle("Compare Modes");
  setFixedSize(Twips(5250), Twips(6750));

  auto* frame = AddControl<QGroupBox>(this, "Frame1", 120, 120, 5055, 5535, "Comparison Mode");
  for (const RecordField& field : kFields) {
    int n = field.number;
    auto* label = AddControl<ColourLabel>(
        frame, QString("Label%1").arg(n), n <= 14 ? 240 : 2640, 360 + 360 * ((n - 1) % 14), 2200, 255,
        QString::fromUtf8(field.caption.data(), static_cast<int>(field.caption.size())));
    connect(label, &ColourLabel::clicked, this, [this, n] {
      settings_.cycleCompareMode(n);
      Recolour(n);
    });
    labels_[static_cast<size_t>(n - 1)] = label;
  }
  AddControl<QLabel>(this, "Label29", 120, 5760, 4935, 375, kCompareModeLegend)->setWordWrap(true);
  auto* ok = AddControl<QPushButton>(this, "Command1", 120, 6240, 4935, 375, "&Ok");
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  FitTextBelow(this);
}

void CompareModesDialog::showEvent(QShowEvent* event) {
  for (int n = 1; n <= kFieldCount; ++n) Recolour(n);
  QDialog::showEvent(event);
}

void CompareModesDialog::Recolour(int fieldNumber) {
  CompareMode mode = settings_.compareMode(fieldNumber);
  label(fieldNumber)->SetColour(CompareModeColour(mode), CompareModeMeaning(mode));
}

}  // namespace twinscan::ui
