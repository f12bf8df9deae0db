// Sizes and positions of the windows are given in twips (1440 to the inch).
// They become pixels at 15 twips per pixel at 96 dpi, scaled by the screen's
// logical dpi, so that the fixed layouts keep their proportions on any screen.
#pragma once

#include <QString>
#include <QWidget>
#include <utility>

namespace twinscan::ui {

// Pixels for a length in twips on the primary screen.
int Twips(int twips);

// Places a widget at (left, top) with the given size, all in twips, relative
// to its parent's client area.
void PlaceTwips(QWidget* widget, int left, int top, int width, int height);

// A control of a window, made as W(args..., parent), named as the windows
// name their controls ("Command1", "Check1ff") and placed in twips.
template <typename W, typename... Args>
W* AddControl(QWidget* parent, const QString& name, int left, int top, int width, int height, Args&&... args) {
  auto* control = new W(std::forward<Args>(args)..., parent);
  control->setObjectName(name);
  PlaceTwips(control, left, top, width, height);
  return control;
}

}  // namespace twinscan::ui
