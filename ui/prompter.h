// Prompter: the two questions the windows put to the user that must wait for
// an answer: a modal message box with an OK button, and the choice of a file
// to open. The desktop app asks with Qt's dialogs; tests answer themselves.
#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace twinscan::ui {

class Prompter {
 public:
  virtual ~Prompter() = default;
  // Shows the text modally with an OK button only; returns when answered.
  virtual void Message(QWidget* parent, const QString& text) = 0;
  // The chosen file, or nullopt when the user cancelled.
  // filter is a Qt name filter such as "Primary File in Vienna Format (*.txt)";
  // the dialog opens in `directory` ("" for the current one).
  virtual std::optional<QString> ChooseFile(QWidget* parent, const QString& filter, const QString& directory) = 0;
};

// Qt's modal message box and file-open dialog.
class DialogPrompter : public Prompter {
 public:
  void Message(QWidget* parent, const QString& text) override;
  std::optional<QString> ChooseFile(QWidget* parent, const QString& filter, const QString& directory) override;
};

}  // namespace twinscan::ui
