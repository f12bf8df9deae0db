// Shared parts of the desktop app's tests: a prompter answering for the
// user, a started main window on a fresh data directory, and the modal
// dialogs it opens answered.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QStringList>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/test_support.h"
#include "ui/main_window.h"
#include "ui/prompter.h"

namespace twinscan::ui {
class DataGrid;
}

namespace twinscan::ui::testing {

using twinscan::testing::BaseRecord;
using twinscan::testing::WithField;

// The control named `name` below `parent`; a missing one fails the test.
template <typename T>
T* Child(const QObject* parent, const QString& name) {
  T* child = parent->findChild<T*>(name);
  if (!child) throw std::runtime_error("no control named " + name.toStdString());
  return child;
}

// Records every message (and a record's detail); answers file choices from
// `files` (cancelled once used up) and the questions as told.
class AnsweringPrompter : public Prompter {
 public:
  void Message(QWidget*, const QString& text) override { messages.push_back(text.toStdString()); }
  std::optional<QString> ChooseFile(QWidget*, const QString& filter, const QString& directory) override {
    filters.push_back(filter.toStdString());
    directories.push_back(directory);
    return files.isEmpty() ? std::nullopt : std::optional<QString>(files.takeFirst());
  }
  bool RecordMessage(QWidget*, const QString& text, const QString& detail) override {
    messages.push_back(text.toStdString());
    details.push_back(detail.toStdString());
    return silenceRecordMessages;
  }
  LayoutAnswer AskLayout(QWidget*, const QString& text, bool offerDetected) override {
    questions.push_back(text.toStdString());
    offeredDetected.push_back(offerDetected);
    return layoutAnswer;
  }

  std::vector<std::string> messages, details, filters, questions;
  std::vector<bool> offeredDetected;
  QStringList directories, files;
  LayoutAnswer layoutAnswer = LayoutAnswer::Cancel;
  bool silenceRecordMessages = false;
};

// A shown main window on a fresh data directory, both files' options the
// line layout without header, report or corrected file.
class WindowTest : public ::testing::Test {
 protected:
  WindowTest();

  std::filesystem::path dataDir() const { return dir_ / "data"; }
  QAction* Command(const char* name) { return Child<QAction>(window_.get(), name); }
  DataGrid* Grid(ViewId grid);
  std::string Status(int panel);
  QAbstractButton* CancelButton();  // the window's "Cancel Compare"
  // A dialog the window made ("TWINSCAN3" .. "TWINSCAN7"), or nullptr.
  QDialog* Dialog(const char* name) { return window_->findChild<QDialog*>(name, Qt::FindDirectChildrenOnly); }
  QString WriteViennaFile(const std::string& name, const std::vector<std::string>& records);
  void Activate();  // so that the window's shortcuts receive keys
  void Insert(const char* table, const std::vector<std::pair<std::string, std::string>>& row);
  int64_t Count(const std::string& sqlFrom) { return window_->database().QueryInt("SELECT count(*) FROM " + sqlFrom); }
  std::string Tables() {  // "ff 2, sf 1, re 0"
    return "ff " + std::to_string(Count("TABLE1")) + ", sf " + std::to_string(Count("TABLE2")) + ", re " +
           std::to_string(Count("TABLERESULT"));
  }
  // "(ff)  1 of  2 | (sf) 0 | (re) 0 | Importing ff done"
  std::string Panels() { return Status(1) + " | " + Status(2) + " | " + Status(3) + " | " + Status(6); }
  void ClickHeader(ViewId grid, int column);
  void ClickRow(ViewId grid, int row, bool twice = false);
  void DoubleClickRow(ViewId grid, int row) { ClickRow(grid, row, true); }
  std::string Cell(ViewId grid, int row, int column);

  twinscan::testing::TempDir dir_;
  AnsweringPrompter prompter_;
  std::unique_ptr<MainWindow> window_;
};

void ClickBox(QAbstractButton* box);  // on its indicator: a click beside a short caption misses

// Runs `act`, answering the next modal dialog it opens with `answer` (which
// must close it); true when a dialog was answered.
bool Answering(std::function<void(QDialog*)> answer, const std::function<void()>& act);

}  // namespace twinscan::ui::testing
