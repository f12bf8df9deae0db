// Fixed layouts meet fonts of every width: a control whose caption does not
// fit its fixed box gets a smaller font, half a point at a time down to six
// points, and its whole caption as a tooltip if even that is too small.
#pragma once

class QWidget;

namespace twinscan::ui {

// For labels (also word-wrapped ones), check boxes and buttons; call after
// the control has its text and its final size.
void FitText(QWidget* control);

// FitText for every label, check box and button below a window.
void FitTextBelow(QWidget* window);

}  // namespace twinscan::ui
