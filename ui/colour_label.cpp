#include "ui/colour_label.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPalette>

namespace twinscan::ui {

QColor Grey() { return QApplication::palette().color(QPalette::Button); }
QColor Yellow() { return QColor(255, 255, 0); }
QColor Red() { return QColor(255, 0, 0); }

ColourLabel::ColourLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setAutoFillBackground(true);
  setTextFormat(Qt::PlainText);
  setIndent(3);
  SetColour(Grey());
}

void ColourLabel::SetColour(const QColor& colour, const QString& meaning) {
  setToolTip(meaning.isEmpty() ? QString() : text() + ": " + meaning);
  QPalette p = palette();
  p.setColor(QPalette::Window, colour);
  // Black on yellow and red, the platform's text colour on grey.
  p.setColor(QPalette::WindowText,
             colour == Grey() ? QApplication::palette().color(QPalette::ButtonText) : QColor(Qt::black));
  setPalette(p);
}

QColor ColourLabel::colour() const { return palette().color(QPalette::Window); }

void ColourLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressed_ = true;
}

// A click is a press and a release on the label, as on a button.
void ColourLabel::mouseReleaseEvent(QMouseEvent* event) {
  bool wasPressed = pressed_;
  pressed_ = false;
  if (wasPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

}  // namespace twinscan::ui
