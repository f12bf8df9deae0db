#include "ui/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace twinscan::ui {

int Twips(int twips) {
  double dpi = 96.0;
  if (QScreen* screen = QGuiApplication::primaryScreen()) dpi = screen->logicalDotsPerInch();
  return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

void PlaceTwips(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(Twips(left), Twips(top), Twips(width), Twips(height));
}

}  // namespace twinscan::ui
