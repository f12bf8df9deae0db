#include "ui/prompter.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "ui/appearance.h"

namespace twinscan::ui {
namespace {

// A box raised during an import must not wear the hourglass.
class ArrowWhileAsking {
 public:
  ArrowWhileAsking() : busy_(QApplication::overrideCursor() != nullptr) {
    if (busy_) QApplication::setOverrideCursor(Qt::ArrowCursor);
  }
  ~ArrowWhileAsking() {
    if (busy_) QApplication::restoreOverrideCursor();
  }

 private:
  bool busy_;
};

}  // namespace

void DialogPrompter::Message(QWidget* parent, const QString& text) {
  ArrowWhileAsking arrow;
  QMessageBox box(QMessageBox::NoIcon, ProgramTitle(), text, QMessageBox::Ok, parent);
  box.exec();
}

bool DialogPrompter::RecordMessage(QWidget* parent, const QString& text, const QString& detail) {
  ArrowWhileAsking arrow;
  QMessageBox box(QMessageBox::NoIcon, ProgramTitle(), text, QMessageBox::Ok, parent);
  box.setDetailedText(detail);
  box.setCheckBox(new QCheckBox(kDoNotShowAgain));
  box.exec();
  return box.checkBox()->isChecked();
}

LayoutAnswer DialogPrompter::AskLayout(QWidget* parent, const QString& text, bool offerDetected) {
  ArrowWhileAsking arrow;
  QMessageBox box(QMessageBox::Warning, ProgramTitle(), text, QMessageBox::NoButton, parent);
  QPushButton* detected = offerDetected ? box.addButton("Import it as &detected", QMessageBox::AcceptRole) : nullptr;
  QPushButton* asOptions = box.addButton("Import it as the &options say", QMessageBox::DestructiveRole);
  QPushButton* cancel = box.addButton(QMessageBox::Cancel);
  box.setDefaultButton(detected ? detected : cancel);
  box.setEscapeButton(cancel);
  box.exec();
  if (detected && box.clickedButton() == detected) return LayoutAnswer::AsDetected;
  if (box.clickedButton() == asOptions) return LayoutAnswer::AsOptions;
  return LayoutAnswer::Cancel;
}

std::optional<QString> DialogPrompter::ChooseFile(QWidget* parent, const QString& filter, const QString& directory) {
  QString file = QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), directory, filter);
  if (file.isEmpty()) return std::nullopt;
  return file;
}

}  // namespace twinscan::ui
