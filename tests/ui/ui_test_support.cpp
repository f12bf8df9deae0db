#include "tests/ui/ui_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "ui/appearance.h"
#include "ui/data_grid.h"
#include "ui/grid_model.h"

namespace twinscan::ui::testing {
namespace {

// One QApplication for the whole test program, on the offscreen platform,
// with a watchdog that closes any modal dialog a test forgot to answer.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = std::make_unique<QApplication>(argc_, argv_);
    ApplyAppearance(*app_);
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
  QWidget* lastModal_ = nullptr;
  int ticks_ = 0;
};

[[maybe_unused]] ::testing::Environment* const kQtEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

WindowTest::WindowTest() {
  window_ = std::make_unique<TWINSCAN1>(prompter_);
  bool started = window_->Start(dataDir(), twinscan::testing::PristineDatabase());
  EXPECT_TRUE(started);
  prompter_.messages.clear();  // the copy of the pristine database
  window_->show();
  QCoreApplication::processEvents();
}

WindowTest::~WindowTest() { window_.reset(); }

QString WindowTest::WriteViennaFile(const std::string& name, const std::vector<std::string>& records) {
  std::string bytes;
  for (const std::string& r : records) bytes += r + "\r\n";
  twinscan::testing::WriteFile(dir_ / name, bytes);
  return QString::fromStdString((dir_ / name).string());
}

void WindowTest::UsePlainFiles() {
  FileOptions plain;
  plain.vienna2001Format = false;
  plain.hasHeader = false;
  plain.validationReport = false;
  plain.correctedFile = false;
  window_->settings().setFileOptions(plain, plain);
}

void WindowTest::Insert(const char* table, const std::vector<std::pair<std::string, std::string>>& row) {
  std::string columns, values;
  for (const auto& [column, literal] : row) {
    columns += (columns.empty() ? "" : ", ") + store::QuoteName(column);
    values += (values.empty() ? "" : ", ") + literal;
  }
  window_->database().Execute(std::string("INSERT INTO ") + table + " (" + columns + ") VALUES (" + values + ")");
}

int64_t WindowTest::Count(const std::string& sqlFrom) {
  return window_->database().QueryInt("SELECT count(*) FROM " + sqlFrom);
}

void WindowTest::ClickHeader(ViewId grid, int column) {
  QTableView* table = window_->grid(grid)->table();
  if (table->model()->rowCount() > 0) table->scrollTo(table->model()->index(0, column));
  QHeaderView* header = table->horizontalHeader();
  QTest::mouseClick(
      header->viewport(), Qt::LeftButton, {},
      QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2));
}

void WindowTest::ClickRow(ViewId grid, int row, bool twice) {
  QTableView* table = window_->grid(grid)->table();
  QModelIndex index = table->model()->index(row, 0);
  table->scrollTo(index);
  QPoint at = table->visualRect(index).center();
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
  if (twice) QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
}

std::string WindowTest::Cell(ViewId grid, int row, int column) {
  GridModel* model = window_->grid(grid)->model();
  return model->data(model->index(row, column)).toString().toStdString();
}

void ClickBox(QAbstractButton* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }

ModalAnswer::ModalAnswer(std::function<void(QDialog*)> answer) : poll_(new QTimer) {
  QObject::connect(poll_, &QTimer::timeout, [this, answer = std::move(answer)] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) return;
    poll_->stop();
    answered_ = true;
    answer(dialog);
  });
  poll_->start(5);
}

ModalAnswer::~ModalAnswer() { delete poll_; }

}  // namespace twinscan::ui::testing
