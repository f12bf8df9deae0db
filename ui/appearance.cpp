#include "ui/appearance.h"

#include <QApplication>
#include <QFont>

namespace twinscan::ui {

void ApplyAppearance(QApplication& app) {
  QApplication::setApplicationName("twinscan");
  QApplication::setApplicationDisplayName("twinscan");
  QFont font = app.font();
  font.setPointSize(8);
  // Narrow faces come closest to the fonts the twip layouts were drawn for;
  // where the family has none, the normal face is used.
  font.setStretch(QFont::SemiCondensed);
  QApplication::setFont(font);
}

QString ProgramTitle() { return QStringLiteral("twinscan"); }

}  // namespace twinscan::ui
