#include "ui/fit_text.h"

#include <QAbstractButton>
#include <QLabel>

namespace twinscan::ui {
namespace {

constexpr double kSmallestPoints = 6.0;

bool Fits(QWidget* control) {
  if (auto* label = qobject_cast<QLabel*>(control)) {
    if (label->wordWrap()) return label->heightForWidth(label->width()) <= label->height();
    return label->sizeHint().width() <= label->width();
  }
  return control->sizeHint().width() <= control->width();
}

QString Caption(QWidget* control) {
  if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
  return {};
}

}  // namespace

void FitText(QWidget* control) {
  QFont font = control->font();
  double points = font.pointSizeF();
  while (!Fits(control) && points > kSmallestPoints) {
    points -= 0.5;
    font.setPointSizeF(points);
    control->setFont(font);
  }
  if (!Fits(control)) control->setToolTip(Caption(control).remove('&'));
}

void FitTextBelow(QWidget* window) {
  for (QLabel* label : window->findChildren<QLabel*>()) FitText(label);
  for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) FitText(button);
}

}  // namespace twinscan::ui
