// The review workbench in the window: filters from the bar and the View
// menu with their position labels, result rows leading the record grids, a
// sort that keeps the current record, Enter opening the review of a decided
// pair, the end-of-run line and the misc option that restores decisions.
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "tests/ui/ui_test_support.h"
#include "ui/data_grid.h"

namespace twinscan::ui::testing {
namespace {

using twinscan::testing::BaseRecord;
using twinscan::testing::WithField;

class WorkbenchTest : public WindowTest {
 protected:
  void Choose(const char* box, int index) {
    auto* combo = Child<QComboBox>(window_.get(), box);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
  }
  std::string Summary() { return Child<QLabel>(window_.get(), "RunSummary")->text().toStdString(); }
  int64_t Current(ViewId id) { return window_->views().Get(id).CurrentRow(); }
};

TEST_F(WorkbenchTest, FiltersFromTheBarAndTheMenuNameThemselvesInTheLabel) {
  // Result rows: (critical, noncritical, decided).
  Insert("TABLERESULT", {{"linenumber", "1"}, {"linenumber2", "1"}, {"critical", "1"}});
  Insert("TABLERESULT", {{"linenumber", "2"}, {"linenumber2", "1"}, {"noncritical", "1"}, {"ACCEPTFIRST", "1"}});
  Insert("TABLERESULT", {{"linenumber", "3"}, {"linenumber2", "1"}});
  Insert("TABLE1", {{"linenumber", "1"}, {"error", "1"}});
  Insert("TABLE1", {{"linenumber", "2"}, {"error", "0"}});
  window_->views().RefreshAll();
  struct Step {
    const char* box;  // nullptr: the View menu's item `index` of M_VIEWRE
    int index;
    int panel;
    const char* label;
  } steps[] = {
      {"FilterRe", 1, 3, "(re)  1 of  1, critical"},
      {"FilterRe", 3, 3, "(re)  1 of  1, without differences"},
      {nullptr, 5, 3, "(re)  1 of  1, decided"},
      {nullptr, 4, 3, "(re)  1 of  2, undecided"},
      {"FilterRe", 0, 3, "(re)  1 of  3"},
      {"FilterFf", 1, 1, "(ff)  1 of  1, erroneous"},
      {"FilterFf", 2, 1, "(ff)  1 of  1, error-free"},
  };
  for (const Step& s : steps) {
    if (s.box) {
      Choose(s.box, s.index);
    } else {
      Child<QMenu>(window_.get(), "M_VIEWRE")->actions().at(s.index)->trigger();
      EXPECT_EQ(Child<QComboBox>(window_.get(), "FilterRe")->currentIndex(), s.index);
    }
    EXPECT_EQ(Status(s.panel), s.label);
  }
  // A re-read keeps the filters.
  window_->views().RefreshAll();
  EXPECT_EQ(Status(1), "(ff)  1 of  1, error-free");
}

TEST_F(WorkbenchTest, AResultRowLeadsTheRecordGridsAndASortKeepsTheCurrentRecord) {
  for (auto [line, name] : {std::pair{1, "'C'"}, {2, "'A'"}, {3, "'B'"}}) {
    Insert("TABLE1", {{"linenumber", std::to_string(line)}, {"4A", name}});
    Insert("TABLE2", {{"linenumber", std::to_string(line)}, {"4A", name}});
  }
  Insert("TABLERESULT", {{"linenumber", "1"}, {"linenumber2", "1"}});
  Insert("TABLERESULT", {{"linenumber", "2"}, {"linenumber2", "3"}});
  window_->views().RefreshAll();
  ClickRow(ViewId::Result, 1);
  EXPECT_EQ(Current(ViewId::Primary), 1);
  EXPECT_EQ(Current(ViewId::Secondary), 2);
  EXPECT_EQ(Status(1), "(ff)  2 of  3");

  // Sorted by 4A (A B C) the current records stay current: line 2 is first,
  // line 3 second.
  ClickHeader(ViewId::Primary, 8);
  EXPECT_EQ(window_->views().primary().sortColumn, "4A");
  EXPECT_EQ(Current(ViewId::Primary), 0);
  EXPECT_EQ(Current(ViewId::Secondary), 2);
  EXPECT_EQ(Current(ViewId::Result), 1);
  ClickHeader(ViewId::Primary, 8);  // C B A
  EXPECT_EQ(Current(ViewId::Primary), 2);
  // A double click outside manual mode re-reads and keeps it too.
  ClickRow(ViewId::Primary, 1);
  DoubleClickRow(ViewId::Primary, 1);
  EXPECT_EQ(Current(ViewId::Primary), 1);
}

TEST_F(WorkbenchTest, EnterOpensTheReviewOfADecidedPairWithItsDecision) {
  Insert("TABLE1", {{"linenumber", "1"}, {"4A", "'GENT'"}});
  Insert("TABLE2", {{"linenumber", "4"}, {"4A", "'GENK'"}});
  Insert("TABLERESULT", {{"linenumber", "1"},
                         {"linenumber2", "4"},
                         {"4A", "'GENT <-> GENK'"},
                         {"ACCEPTFIRST", "0"},
                         {"ACCEPTSECOND", "1"},
                         {"REMARK", "'seen'"},
                         {"REFERENCE_TO_DB", "'R1'"}});
  window_->views().RefreshAll();
  EXPECT_EQ(Cell(ViewId::Result, 0, 32), "False");
  EXPECT_EQ(Cell(ViewId::Result, 0, 33), "True");
  EXPECT_EQ(Cell(ViewId::Result, 0, 34), "seen");
  ClickRow(ViewId::Result, 0);
  {
    ModalAnswer answer([](QDialog* d) {
      EXPECT_EQ(Child<QLabel>(d, "PairTitle")->text().toStdString(), "Primary line 1 - secondary line 4");
      auto* pair = Child<QTableView>(d, "PairView");
      EXPECT_EQ(pair->model()->index(7, 1).data().toString().toStdString(), "GENT");
      EXPECT_EQ(pair->model()->index(7, 3).data().toString().toStdString(), "CRITICAL");
      EXPECT_EQ(pair->model()->index(8, 3).data().toString().toStdString(), "");
      EXPECT_EQ(Child<QCheckBox>(d, "Check1ff")->checkState(), Qt::Unchecked);
      EXPECT_EQ(Child<QCheckBox>(d, "Check1sf")->checkState(), Qt::Checked);
      EXPECT_EQ(Child<QLineEdit>(d, "REMARK")->text().toStdString(), "seen");
      EXPECT_EQ(Child<QLineEdit>(d, "REFERENCE")->text().toStdString(), "R1");
      ClickBox(Child<QCheckBox>(d, "Check1ff"));
      Child<QPushButton>(d, "Command1")->click();
    });
    QTest::keyClick(Grid(ViewId::Result)->table(), Qt::Key_Return);
    ASSERT_TRUE(answer.answered());
  }
  // Stored, journaled and shown in the grid at once.
  EXPECT_EQ(Count("TABLERESULT WHERE ACCEPTFIRST = 1 AND ACCEPTSECOND = 1 AND REMARK = 'seen'"), 1);
  EXPECT_EQ(Count("DECISIONS WHERE ACCEPTFIRST = 1"), 1);
  EXPECT_EQ(Cell(ViewId::Result, 0, 32), "True");
}

TEST_F(WorkbenchTest, TheRunsSayHowTheyEndedAndTheManualOneKeepsItsRecord) {
  UsePlainFiles();
  prompter_.files = {
      WriteViennaFile("ff.txt", {BaseRecord(), WithField(BaseRecord(), "4A", "GENT")}),
      WriteViennaFile("sf.txt", {WithField(BaseRecord(), "13Z", "CHANGED")}),
  };
  Command("M_FIRSTFILE")->trigger();
  Command("M_SECFILE")->trigger();
  EXPECT_EQ(Summary(), "");
  Command("M_AUTOCOMP")->trigger();
  EXPECT_EQ(Summary(),
            "Compare finished: 1 pairs, 0 with critical differences, 1 with non-critical differences, 1 primary "
            "records without candidate, 0 decisions restored");

  // Manual: the double-clicked record stays current; its outcome is told.
  Command("M_MANUALCOMP")->trigger();
  ClickRow(ViewId::Primary, 1);
  DoubleClickRow(ViewId::Primary, 1);
  EXPECT_EQ(Current(ViewId::Primary), 1);
  EXPECT_EQ(Summary(), "Manual compare of primary line 2: no candidate found");
}

TEST_F(WorkbenchTest, TheMiscOptionTurnsTheRestoringOff) {
  EXPECT_TRUE(window_->settings().restoreDecisions());
  ModalAnswer answer([](QDialog* d) {
    auto* restore = Child<QCheckBox>(d, "CheckRestore");
    EXPECT_EQ(restore->text().toStdString(), "Restore earlier decisions");
    EXPECT_TRUE(restore->isChecked());
    restore->click();
    Child<QPushButton>(d, "Command1")->click();
  });
  Command("M_MISC")->trigger();
  ASSERT_TRUE(answer.answered());
  EXPECT_FALSE(window_->settings().restoreDecisions());
}

}  // namespace
}  // namespace twinscan::ui::testing
