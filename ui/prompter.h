// Prompter: the questions the windows put to the user that must wait for an
// answer: a modal message box with an OK button (also one with a check box
// that silences its text), the choice of a file to open, and what to do with
// a file that disagrees with its options. The desktop app asks with Qt's
// dialogs; tests answer themselves.
#pragma once

#include <QString>
#include <optional>

#include "app/import_file_command.h"

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
  // A message of one record of an import: the text as Message shows it, the
  // detail naming the record, and the check box "Do not show this message
  // again during this import"; true when the user ticked it.
  virtual bool RecordMessage(QWidget* parent, const QString& text, const QString& detail) {
    (void)detail;
    Message(parent, text);
    return false;
  }
  // "Import it as detected / as the options say / Cancel" for a file whose
  // start disagrees with its options; AsDetected is offered only when
  // `offerDetected`. A prompter that cannot ask cancels.
  virtual LayoutAnswer AskLayout(QWidget* parent, const QString& text, bool offerDetected) {
    (void)parent, (void)text, (void)offerDetected;
    return LayoutAnswer::Cancel;
  }
};

// Qt's modal message box and file-open dialog.
class DialogPrompter : public Prompter {
 public:
  void Message(QWidget* parent, const QString& text) override;
  std::optional<QString> ChooseFile(QWidget* parent, const QString& filter, const QString& directory) override;
  bool RecordMessage(QWidget* parent, const QString& text, const QString& detail) override;
  LayoutAnswer AskLayout(QWidget* parent, const QString& text, bool offerDetected) override;
};

inline constexpr const char* kDoNotShowAgain = "Do not show this message again during this import";

}  // namespace twinscan::ui
