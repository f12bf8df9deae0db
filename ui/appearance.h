// The look every window of the program shares: a compact 8 point font, so
// that captions fit the fixed twip layouts, and the message-box title.
#pragma once

class QApplication;
class QString;

namespace twinscan::ui {

// Call once after the QApplication exists and before any window is made.
void ApplyAppearance(QApplication& app);

// The title of message boxes: the program's name.
QString ProgramTitle();

}  // namespace twinscan::ui
