#include "tests/ui/ui_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QSettings>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "ui/appearance.h"
#include "ui/data_grid.h"
#include "ui/grid_model.h"
#include "ui/status_panels.h"

namespace twinscan::ui::testing {
namespace {

// One QApplication for the test program, with a watchdog that closes any
// modal dialog a test forgot to answer.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = std::make_unique<QApplication>(argc_, argv_);
    ApplyAppearance(*app_);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromStdString(settingsDir_.path().string()));
    auto* watchdog = new QTimer(app_.get());
    QObject::connect(watchdog, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal != lastModal_) {
        lastModal_ = modal;
        ticks_ = 0;
      } else if (modal && ++ticks_ > 50) {
        ADD_FAILURE() << "a modal dialog was left waiting: " << modal->objectName().toStdString();
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
      }
    });
    watchdog->start(100);
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[9] = "ui_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
  twinscan::testing::TempDir settingsDir_;
  QWidget* lastModal_ = nullptr;
  int ticks_ = 0;
};

[[maybe_unused]] ::testing::Environment* const kQtEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

WindowTest::WindowTest() {
  window_ = std::make_unique<MainWindow>(prompter_);
  EXPECT_TRUE(window_->Start(dataDir(), twinscan::testing::PristineDatabase()));
  prompter_.messages.clear();  // the copy of the pristine database
  FileOptions plain;
  plain.vienna2001Format = plain.hasHeader = plain.validationReport = plain.correctedFile = false;
  window_->settings().setFileOptions(plain, plain);
  window_->show();
  QCoreApplication::processEvents();
}

void WindowTest::Activate() {
  window_->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
}

DataGrid* WindowTest::Grid(ViewId grid) {
  return Child<DataGrid>(window_.get(), QString("DataGrid%1").arg(static_cast<int>(grid) + 1));
}

std::string WindowTest::Status(int panel) {
  return Child<StatusPanels>(window_.get(), "StatusBar1")->text(panel).toStdString();
}

// The window's own "Command1", not a dialog's.
QAbstractButton* WindowTest::CancelButton() { return Child<QAbstractButton>(window_->centralWidget(), "Command1"); }

QString WindowTest::WriteViennaFile(const std::string& name, const std::vector<std::string>& records) {
  std::string bytes;
  for (const std::string& r : records) bytes += r + "\r\n";
  twinscan::testing::WriteFile(dir_ / name, bytes);
  return QString::fromStdString((dir_ / name).string());
}

void WindowTest::Insert(const char* table, const std::vector<std::pair<std::string, std::string>>& row) {
  std::string columns, values;
  for (const auto& [column, literal] : row) {
    columns += (columns.empty() ? "" : ", ") + store::QuoteName(column);
    values += (values.empty() ? "" : ", ") + literal;
  }
  window_->database().Execute(std::string("INSERT INTO ") + table + " (" + columns + ") VALUES (" + values + ")");
}

void WindowTest::ClickHeader(ViewId grid, int column) {
  QTableView* table = Grid(grid)->table();
  if (table->model()->rowCount() > 0) table->scrollTo(table->model()->index(0, column));
  QHeaderView* header = table->horizontalHeader();
  QTest::mouseClick(
      header->viewport(), Qt::LeftButton, {},
      QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2));
}

void WindowTest::ClickRow(ViewId grid, int row, bool twice) {
  QTableView* table = Grid(grid)->table();
  QModelIndex index = table->model()->index(row, 0);
  table->scrollTo(index);
  QPoint at = table->visualRect(index).center();
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
  if (twice) QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
}

std::string WindowTest::Cell(ViewId grid, int row, int column) {
  GridModel* model = Grid(grid)->model();
  return model->data(model->index(row, column)).toString().toStdString();
}

void ClickBox(QAbstractButton* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }

// The timer fires inside the dialog's own event loop, which closing it ends.
bool Answering(std::function<void(QDialog*)> answer, const std::function<void()>& act) {
  bool answered = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) return;
    poll.stop();
    answered = true;
    answer(dialog);
  });
  poll.start(0);
  act();
  return answered;
}

}  // namespace twinscan::ui::testing
