// twinscan: the desktop app. Starts like the batch tool (settings at their
// start values, the compare log emptied, the database opened in the data
// directory) and opens the main window.
//
//   twinscan [--data-dir DIR]
#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QStringList>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "store/startup.h"
#include "ui/appearance.h"
#include "ui/main_window.h"
#include "ui/prompter.h"
#include "ui/screenshots.h"

namespace {

int Usage() {
  std::fputs("usage: twinscan [--data-dir DIR]\nThe data directory defaults to $HOME/vienna.\n", stderr);
  return 2;
}

// Without a display Qt aborts with its own message; say what to do instead.
bool HasDisplay(int argc, char** argv) {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
    if (const char* value = std::getenv(name); value && *value) return true;
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "-platform") == 0) return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (!HasDisplay(argc, argv)) {
    std::fputs("twinscan: no display; run it in a desktop session, or headless with xvfb-run -a twinscan\n", stderr);
    return 1;
  }
  std::signal(SIGXFSZ, SIG_IGN);  // a write beyond ulimit -f is reported, not fatal
  QApplication app(argc, argv);
  twinscan::ui::ApplyAppearance(app);

  std::filesystem::path dataDir = twinscan::store::DefaultDataDirectory();
  QString screenshotFolder;
  QStringList screenshotFiles;
  QStringList args = QApplication::arguments().mid(1);
  while (!args.isEmpty()) {
    if (args[0] == "--data-dir" && args.size() >= 2) {
      dataDir = QFile::encodeName(args[1]).toStdString();
      args.remove(0, 2);
    } else if (args[0] == "--screenshots" && args.size() >= 5) {
      // Hidden: --screenshots FOLDER LONG PRIMARY SECONDARY (scripts/screenshots.sh).
      screenshotFolder = args[1];
      screenshotFiles = args.mid(2, 3);
      args.remove(0, 5);
    } else {
      return Usage();
    }
  }

  std::unique_ptr<twinscan::ui::Prompter> prompter;
  if (screenshotFolder.isEmpty()) {
    prompter = std::make_unique<twinscan::ui::DialogPrompter>();
  } else {
    prompter = std::make_unique<twinscan::ui::ScriptedPrompter>(screenshotFiles);
    // A scripted run leaves the user's recent files and window place alone.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QFile::decodeName(dataDir.c_str()));
  }

  twinscan::ui::MainWindow window(*prompter);
  std::filesystem::path executable = QFile::encodeName(QApplication::applicationFilePath()).toStdString();
  if (!window.Start(dataDir, twinscan::store::PristineDatabaseBeside(executable))) return 1;
  if (screenshotFolder.isEmpty()) window.RestoreGeometry();
  window.show();
  if (!screenshotFolder.isEmpty()) return twinscan::ui::TakeScreenshots(window, screenshotFolder);
  return app.exec();
}
