#include "ui/screenshots.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "ui/data_grid.h"
#include "ui/main_window.h"

namespace twinscan::ui {
namespace {

// Lets the windows lay out and paint.
void Settle() {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < 300) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

class Shooter {
 public:
  explicit Shooter(const QString& folder) : folder_(folder) {}

  void Save(QWidget* widget, const QString& name) {
    QString file = QDir(folder_).filePath(name);
    if (!widget || !widget->grab().save(file, "PNG")) {
      Fail("cannot save " + file);
      return;
    }
    std::printf("%s\n", qPrintable(file));
  }

  // Opens a modal dialog with `open`; once it shows, `prepare` may fill it,
  // then it is saved (unless name is empty) and closed without confirming
  // (unless `prepare` closed it).
  void Modal(const QString& name, const std::function<void()>& open,
             const std::function<void(QDialog*)>& prepare = {}) {
    bool fired = false;
    QTimer::singleShot(300, [this, name, prepare, &fired] {
      fired = true;
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!dialog) {
        Fail("no dialog for " + name);
        return;
      }
      if (prepare) prepare(dialog);
      QCoreApplication::processEvents();
      if (!name.isEmpty()) Save(dialog, name);
      if (dialog->isVisible()) dialog->reject();
    });
    open();
    // A command that opened no dialog returns at once; the shot then fails.
    while (!fired) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  }

  void Fail(const QString& what) {
    std::fprintf(stderr, "%s\n", qPrintable(what));
    ok_ = false;
  }

  bool ok() const { return ok_; }

 private:
  QString folder_;
  bool ok_ = true;
};

}  // namespace

void ScriptedPrompter::Message(QWidget*, const QString& text) {
  std::fprintf(stderr, "message: %s\n", qPrintable(text));
}

std::optional<QString> ScriptedPrompter::ChooseFile(QWidget*, const QString&, const QString&) {
  if (files_.isEmpty()) return std::nullopt;
  return files_.takeFirst();
}

int TakeScreenshots(MainWindow& window, const QString& folder) {
  QDir().mkpath(folder);
  Shooter shooter(folder);
  // The menu commands by their object names.
  auto command = [&window, &shooter](const char* name) {
    if (auto* action = window.findChild<QAction*>(name))
      action->trigger();
    else
      shooter.Fail(QString("no command %1").arg(name));
  };
  Settle();
  // The window during a long import once its bar has passed a third; then
  // the import is cancelled.
  QTimer midImport;
  QObject::connect(&midImport, &QTimer::timeout, [&] {
    auto* bar = window.findChild<QProgressBar*>("ProgressBar1");
    if (!bar || bar->isHidden() || bar->value() < 33) return;
    midImport.stop();
    shooter.Save(&window, "main-importing.png");
    window.findChild<QPushButton*>("Command2")->click();
  });
  midImport.start(0);
  command("M_FIRSTFILE");
  if (midImport.isActive()) {
    shooter.Fail("the long import ended before its progress bar showed a third");
    midImport.stop();
  }
  Settle();
  command("M_FIRSTFILE");
  command("M_SECFILE");
  Settle();
  // The window mid-run, once the run has reached the tenth primary record.
  QTimer midRun;
  QObject::connect(&midRun, &QTimer::timeout, [&] {
    if (window.views().primary().CurrentRow() < 9 || window.views().result().RowCount() == 0) return;
    midRun.stop();
    // The run paints only now and then; the picture wants all of it now.
    window.centralWidget()->setUpdatesEnabled(true);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    shooter.Save(&window, "main-comparing.png");
    window.centralWidget()->setUpdatesEnabled(false);
  });
  midRun.start(0);
  command("M_AUTOCOMP");
  if (midRun.isActive()) {
    std::fprintf(stderr, "the run ended before the tenth primary record\n");
    midRun.stop();
  }
  Settle();
  shooter.Save(&window, "main.png");

  shooter.Modal("compare-modes.png", [&] { command("M_COMPMODE"); });
  shooter.Modal("search-fields.png", [&] { command("M_SEARCHFIELDS"); });
  shooter.Modal("misc-options.png", [&] { command("M_MISC"); });
  auto* results = window.findChild<DataGrid*>("DataGrid3");
  // The review of the first pair with critical differences, undecided, then
  // decided and opened again.
  auto* filterRe = window.findChild<QComboBox*>("FilterRe");
  auto chooseFilter = [&](int index) {
    filterRe->setCurrentIndex(index);
    emit filterRe->activated(index);
    Settle();
  };
  chooseFilter(1);  // critical
  shooter.Modal("review.png", [&] { emit results->doubleClicked(0); });
  shooter.Modal(
      "", [&] { emit results->doubleClicked(0); },
      [](QDialog* dialog) {
        dialog->findChild<QCheckBox*>("Check1ff")->click();
        dialog->findChild<QCheckBox*>("Check1sf")->click();
        dialog->findChild<QCheckBox*>("Check1sf")->click();
        dialog->findChild<QLineEdit*>("REMARK")->setText("Same station, new antenna height");
        dialog->findChild<QLineEdit*>("REFERENCE")->setText("BEL/2024/017");
        dialog->findChild<QPushButton*>("Command1")->click();
      });
  shooter.Modal("review-decided.png", [&] { emit results->doubleClicked(0); });
  chooseFilter(2);  // non-critical
  shooter.Save(&window, "main-filtered.png");
  chooseFilter(0);

  // The window grown by half, the primary grid sorted by 4A.
  window.resize(window.size() * 3 / 2);
  auto* primary = window.findChild<DataGrid*>("DataGrid1");
  emit primary->headerClicked(8);
  Settle();
  shooter.Save(&window, "main-resized.png");

  command("M_GUIDE");
  Settle();
  shooter.Save(window.findChild<QWidget*>("UserGuide"), "user-guide.png");
  return shooter.ok() ? 0 : 1;
}

}  // namespace twinscan::ui
