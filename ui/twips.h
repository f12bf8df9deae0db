// Sizes and positions of the windows are given in twips (1440 to the inch).
// They become pixels at 15 twips per pixel at 96 dpi, scaled by the screen's
// logical dpi, so that the fixed layouts keep their proportions on any screen.
#pragma once

class QWidget;

namespace twinscan::ui {

// Pixels for a length in twips on the primary screen.
int Twips(int twips);

// Places a widget at (left, top) with the given size, all in twips, relative
// to its parent's client area.
void PlaceTwips(QWidget* widget, int left, int top, int width, int height);

}  // namespace twinscan::ui
