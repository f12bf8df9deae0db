#include "ui/prompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "ui/appearance.h"

namespace twinscan::ui {

void DialogPrompter::Message(QWidget* parent, const QString& text) {
  // A box raised during an import must not wear the hourglass.
  bool busyCursor = QApplication::overrideCursor() != nullptr;
  if (busyCursor) QApplication::setOverrideCursor(Qt::ArrowCursor);
  QMessageBox box(QMessageBox::NoIcon, ProgramTitle(), text, QMessageBox::Ok, parent);
  box.exec();
  if (busyCursor) QApplication::restoreOverrideCursor();
}

std::optional<QString> DialogPrompter::ChooseFile(QWidget* parent, const QString& filter, const QString& directory) {
  QString file = QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), directory, filter);
  if (file.isEmpty()) return std::nullopt;
  return file;
}

}  // namespace twinscan::ui
