#include "ui/search_fields_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "ui/colour_label.h"
#include "ui/fit_text.h"
#include "ui/prompter.h"
#include "ui/twips.h"

namespace twinscan::ui {
namespace {

struct SearchLabel {
  int index;
  const char* caption;
  int left, top;  // inside the frame, twips
};

constexpr SearchLabel kSearchLabels[kSearchFieldCount] = {
    {kSearch1A, "1A", 240, 360},    {kSearch6A, "6A", 240, 720},  {kSearch4A, "4A", 240, 1080},
    {kSearch13Y, "13Y", 2280, 360}, {kSearch4C, "4C", 2280, 720},
};

// 4A is only used or not; the others are exact (red) or tolerant (yellow).
QColor SearchFieldColour(int index, SearchValue value) {
  if (value == SearchValue::NotUsed) return Grey();
  if (index == kSearch4A) return Yellow();
  return value == SearchValue::Exact ? Red() : Yellow();
}

const char* SearchFieldMeaning(int index, SearchValue value) {
  if (value == SearchValue::NotUsed) return "not used";
  if (index == kSearch4A) return "used";
  return value == SearchValue::Exact ? "exact" : "tolerant";
}

}  // namespace

SearchFieldsDialog::SearchFieldsDialog(CompareSettings& settings, Prompter& prompter, QWidget* parent)
    : QDialog(parent), settings_(settings), prompter_(prompter) {
  setObjectName("TWINSCAN6");
  setWindowTitle("Search Fields");
  setFixedSize(Twips(4365), Twips(3525));

  auto* frame =
      AddControl<QGroupBox>(this, "Frame1", 120, 120, 4095, 1575, "Search Fields for Comparison / Tolerances");
  for (const SearchLabel& s : kSearchLabels) {
    int index = s.index;
    auto* label = AddControl<ColourLabel>(frame, QString("Label%1").arg(index), s.left, s.top, 495, 255, s.caption);
    connect(label, &ColourLabel::clicked, this, [this, index] { Click(index); });
    labels_[static_cast<size_t>(index - 1)] = label;
  }
  auto* legend = AddControl<QLabel>(this, "Label6", 120, 1800, 4095, 1215, kSearchFieldsLegend);
  legend->setWordWrap(true);
  legend->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  auto* ok = AddControl<QPushButton>(this, "Command1", 120, 3000, 4095, 375, "&Ok");
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  FitTextBelow(this);
}

void SearchFieldsDialog::showEvent(QShowEvent* event) {
  for (int i = 1; i <= kSearchFieldCount; ++i) Recolour(i);
  QDialog::showEvent(event);
}

void SearchFieldsDialog::Click(int index) {
  if (!settings_.cycleSearchField(index)) {
    prompter_.Message(this, kAtLeastOneFieldMessage);
    return;
  }
  Recolour(index);
}

void SearchFieldsDialog::Recolour(int index) {
  SearchValue value = settings_.searchField(index);
  label(index)->SetColour(SearchFieldColour(index, value), SearchFieldMeaning(index, value));
}

}  // namespace twinscan::ui
