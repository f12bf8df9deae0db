#include "ui/twinscan5.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "ui/colour_label.h"
#include "ui/fit_text.h"
#include "ui/twips.h"

namespace twinscan::ui {
namespace {

QColor CompareModeColour(uint8_t mode) {
  switch (mode) {
    case NonCritical: return Yellow();
    case Critical: return Red();
    default: return Grey();
  }
}

}  // namespace

TWINSCAN5::TWINSCAN5(CompareSettings& settings, QWidget* parent) : QDialog(parent), settings_(settings) {
  setObjectName("TWINSCAN5");
  setWindowTitle("Compare Modes");
  setFixedSize(Twips(5250), Twips(6750));

  auto* frame = new QGroupBox("Comparison Mode", this);
  frame->setObjectName("Frame1");
  PlaceTwips(frame, 120, 120, 5055, 5535);
  for (const FieldInfo& field : kFields) {
    int n = field.number;
    auto* label = new ColourLabel(QString::fromUtf8(field.caption.data(), static_cast<int>(field.caption.size())), frame);
    label->setObjectName(QString("Label%1").arg(n));
    if (n <= 14)
      PlaceTwips(label, 240, 360 + 360 * (n - 1), 2200, 255);
    else
      PlaceTwips(label, 2640, 360 + 360 * (n - 15), 2200, 255);
    connect(label, &ColourLabel::clicked, this, [this, n] {
      settings_.cycleCompareMode(n);
      Recolour(n);
    });
    labels_[static_cast<size_t>(n - 1)] = label;
  }

  auto* legend = new QLabel(kCompareModeLegend, this);
  legend->setObjectName("Label29");
  legend->setWordWrap(true);
  PlaceTwips(legend, 120, 5760, 4935, 375);

  auto* ok = new QPushButton("&Ok", this);
  ok->setObjectName("Command1");
  PlaceTwips(ok, 120, 6240, 4935, 375);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  FitTextBelow(this);
}

void TWINSCAN5::showEvent(QShowEvent* event) {
  for (int n = 1; n <= kFieldCount; ++n) Recolour(n);
  QDialog::showEvent(event);
}

void TWINSCAN5::Recolour(int fieldNumber) {
  label(fieldNumber)->SetColour(CompareModeColour(settings_.compareMode(fieldNumber)));
}

}  // namespace twinscan::ui
