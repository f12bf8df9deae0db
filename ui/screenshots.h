// The hidden --screenshots option of the desktop app: starts the import of a
// long file and cancels it once its progress bar shows, imports the two given
// files through the menu, runs the full compare and saves PNG pictures of the
// main window (during the import, during and after the run, then grown with a
// sorted grid), of every dialog and of the user guide into a folder.
// Files are chosen and message boxes answered by a script instead of the user.
#pragma once

#include <QString>
#include <QStringList>

#include "ui/prompter.h"

namespace twinscan::ui {

class MainWindow;

// Answers file choices from a list and prints message boxes to stderr.
class ScriptedPrompter : public Prompter {
 public:
  explicit ScriptedPrompter(QStringList files) : files_(std::move(files)) {}
  void Message(QWidget* parent, const QString& text) override;
  std::optional<QString> ChooseFile(QWidget* parent, const QString& filter, const QString& directory) override;

 private:
  QStringList files_;
};

// Drives the started, shown window; returns the program's exit code.
int TakeScreenshots(MainWindow& window, const QString& folder);

}  // namespace twinscan::ui
