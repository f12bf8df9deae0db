// The compare in the window: the full autocompare and its cancel, the manual
// compare by double click, the review of a pair and the decision stored, the
// workbench's filters and linked grids, and the export of the results.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "store/startup.h"
#include "tests/support/results_formats.h"
#include "tests/ui/ui_test_support.h"
#include "ui/data_grid.h"
#include "ui/results_export.h"
#include "ui/review_dialog.h"

namespace twinscan::ui::testing {
namespace {

using twinscan::testing::ReadFile;

// Primary lines 1 and 3 have the secondary lines 1 and 2 as candidates;
// primary line 2 has none.
class CompareRunTest : public WindowTest {
 protected:
  void SetUp() override {
    ImportBoth({BaseRecord(), WithField(BaseRecord(), "4A", "GENT"), WithField(BaseRecord(), "13Z", "OTHER REMARK")},
               {BaseRecord(), WithField(BaseRecord(), "13Z", "CHANGED"), WithField(BaseRecord(), "4A", "LIEGE")});
    ASSERT_EQ(Count("TABLE1"), 3);
    ASSERT_EQ(Count("TABLE2"), 3);
    prompter_.messages.clear();
  }
  std::string Log() { return ReadFile(store::CompareLogPath(dataDir())); }
};

TEST_F(CompareRunTest, FullRunComparesEveryPrimaryRecordAndManualByDoubleClick) {
  ClickHeader(ViewId::Primary, 24);  // sorted by 13Z before the run
  Command("M_AUTOCOMP")->trigger();
  EXPECT_EQ(Count("TABLERESULT"), 4);
  EXPECT_EQ(Count("TABLERESULT WHERE linenumber = 2"), 0);
  EXPECT_NE(Log().find(" 2 CAN NOT BE FOUND IN THE OTHER FILE"), std::string::npos);
  EXPECT_EQ(window_->views().primary().sortColumn, "linenumber");
  EXPECT_EQ(Status(3), "(re)  1 of  4");
  EXPECT_TRUE(prompter_.messages.empty());
  // Manual mode off: a double click only re-reads the views.
  DoubleClickRow(ViewId::Primary, 2);
  EXPECT_EQ(Count("TABLERESULT"), 4);

  Command("M_MANUALCOMP")->trigger();
  DoubleClickRow(ViewId::Primary, 2);
  EXPECT_EQ(Count("TABLERESULT"), 2);
  EXPECT_EQ(Count("TABLERESULT WHERE linenumber = 3"), 2);
  EXPECT_EQ(Status(6), "Comparing line  4 with line  3");
  EXPECT_EQ(Status(3), "(re)  1 of  2");
  EXPECT_EQ(Status(2), "(sf)  1 of  3");
  // A primary record without candidates leaves no result and a log line.
  std::filesystem::remove(store::CompareLogPath(dataDir()));
  DoubleClickRow(ViewId::Primary, 1);
  EXPECT_EQ(Count("TABLERESULT"), 0);
  EXPECT_NE(Log().find(" 2 CAN NOT BE FOUND IN THE OTHER FILE"), std::string::npos);
}

TEST_F(CompareRunTest, CancelStopsBeforeTheNextPrimaryRecordAndLocksTheWindow) {
  Activate();
  struct Case {
    const char* name;
    std::function<void()> start, cancel;
  } cases[] = {{"menu and button", [this] { Command("M_AUTOCOMP")->trigger(); },
                [this] { QTest::mouseClick(CancelButton(), Qt::LeftButton); }},
               {"F5 and Esc", [this] { QTest::keyClick(window_.get(), Qt::Key_F5); },
                [this] { QTest::keyClick(window_.get(), Qt::Key_Escape); }}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window_->database().Execute("DELETE FROM TABLERESULT");
    struct Seen {
      bool cancelVisible = false, cancelEnabled = false, importEnabled = true, optionsEnabled = true, cancelled = false;
    } seen;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
      if (seen.cancelled || Count("TABLERESULT") == 0) return;
      seen.cancelVisible = CancelButton()->isVisible();
      seen.cancelEnabled = Command("M_CANCELCOMP")->isEnabled();
      seen.importEnabled = Command("M_FIRSTFILE")->isEnabled();
      seen.optionsEnabled = Command("M_MISC")->isEnabled();
      // Double clicks and header clicks are ignored while the run runs.
      DoubleClickRow(ViewId::Result, 0);
      ClickHeader(ViewId::Primary, 24);
      c.cancel();
      seen.cancelled = true;
    });
    watcher.start(0);
    c.start();
    watcher.stop();
    ASSERT_TRUE(seen.cancelled);
    EXPECT_TRUE(seen.cancelVisible);
    EXPECT_TRUE(seen.cancelEnabled);
    EXPECT_FALSE(seen.importEnabled);
    EXPECT_FALSE(seen.optionsEnabled);
    EXPECT_EQ(Dialog("TWINSCAN3"), nullptr);
    // Primary line 1 kept both its comparisons; line 2 was never searched. The
    // header click was ignored: the grids keep the run's linenumber order.
    EXPECT_EQ(Count("TABLERESULT"), 2);
    EXPECT_EQ(Count("TABLERESULT WHERE linenumber = 1"), 2);
    EXPECT_EQ(Log().find("CAN NOT BE FOUND"), std::string::npos);
    EXPECT_EQ(window_->views().primary().sortColumn, "linenumber");
    EXPECT_FALSE(CancelButton()->isVisible());
    EXPECT_FALSE(Command("M_CANCELCOMP")->isEnabled());
    EXPECT_TRUE(Command("M_FIRSTFILE")->isEnabled());
    EXPECT_EQ(Status(3), "(re)  1 of  2");
  }
}

// The review dialog's controls by their names.
QCheckBox* First(const QDialog& d) { return Child<QCheckBox>(&d, "Check1ff"); }
QCheckBox* Second(const QDialog& d) { return Child<QCheckBox>(&d, "Check1sf"); }
QLineEdit* Remark(const QDialog& d) { return Child<QLineEdit>(&d, "REMARK"); }
QLineEdit* Reference(const QDialog& d) { return Child<QLineEdit>(&d, "REFERENCE"); }
QPushButton* Ok(const QDialog& d) { return Child<QPushButton>(&d, "Command1"); }

TEST(ReviewDialogTest, OkWaitsUntilBothBoxesAreDecidedAndEachShowingStartsAfresh) {
  ReviewDialog dialog;
  dialog.show();
  EXPECT_EQ(First(dialog)->text().toStdString(), "Accept &First File");
  EXPECT_EQ(Second(dialog)->text().toStdString(), "Accept &Second File");
  for (int showing = 0; showing < 2; ++showing) {
    EXPECT_EQ(First(dialog)->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(Second(dialog)->checkState(), Qt::PartiallyChecked);
    EXPECT_TRUE(Remark(dialog)->text().isEmpty());
    EXPECT_TRUE(Reference(dialog)->text().isEmpty());
    EXPECT_FALSE(Ok(dialog)->isEnabled());
    // Each step clicks a box and expects both boxes' states and OK's. A
    // decided box toggles and never turns undecided again.
    struct Step {
      QCheckBox* click;
      Qt::CheckState first, second;
      bool ok;
    } steps[] = {{First(dialog), Qt::Checked, Qt::PartiallyChecked, false},
                 {First(dialog), Qt::Unchecked, Qt::PartiallyChecked, false},
                 {Second(dialog), Qt::Unchecked, Qt::Checked, true},
                 {Second(dialog), Qt::Unchecked, Qt::Unchecked, true},
                 {First(dialog), Qt::Checked, Qt::Unchecked, true}};
    for (size_t i = 0; i < std::size(steps); ++i) {
      ClickBox(steps[i].click);
      EXPECT_EQ(First(dialog)->checkState(), steps[i].first) << "step " << i;
      EXPECT_EQ(Second(dialog)->checkState(), steps[i].second) << "step " << i;
      EXPECT_EQ(Ok(dialog)->isEnabled(), steps[i].ok) << "step " << i;
    }
    QTest::keyClicks(Remark(dialog), "it's ok");
    QTest::keyClicks(Reference(dialog), "REF 1");
    Ok(dialog)->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    dialog.show();
  }
}

TEST_F(WindowTest, ReviewDecisionGoesIntoTheDoubleClickedRow) {
  for (auto [line1, line2] : {std::pair{1, 4}, {1, 9}, {2, 5}})
    Insert("TABLERESULT", {{"linenumber", std::to_string(line1)}, {"linenumber2", std::to_string(line2)}});
  window_->views().RefreshAll();
  auto reviewed = [this](const std::string& condition) {
    return Count("TABLERESULT WHERE ACCEPTFIRST IS NOT NULL AND " + condition);
  };
  ASSERT_TRUE(Answering(
      [](QDialog* dialog) {
        ClickBox(First(*dialog));
        ClickBox(Second(*dialog));
        ClickBox(Second(*dialog));
        Remark(*dialog)->setText("it's ok");
        Reference(*dialog)->setText("REF 1");
        Ok(*dialog)->click();
      },
      [this] { DoubleClickRow(ViewId::Result, 1); }));
  EXPECT_EQ(reviewed("linenumber = 1 AND linenumber2 = 9 AND ACCEPTFIRST = 1 AND ACCEPTSECOND = 0 AND "
                     "REMARK = 'it''s ok' AND REFERENCE_TO_DB = 'REF 1'"),
            1);
  EXPECT_EQ(reviewed("1"), 1);
  QDialog* dialog = Dialog("TWINSCAN3");
  ASSERT_NE(dialog, nullptr);
  // Closing the dialog another way writes nothing, not even the earlier decision.
  ASSERT_TRUE(Answering([](QDialog* d) { d->close(); }, [this] { DoubleClickRow(ViewId::Result, 0); }));
  EXPECT_EQ(reviewed("1"), 1);
  EXPECT_EQ(Dialog("TWINSCAN3"), dialog);
}

TEST_F(WindowTest, DoubleClickOnAnEmptyResultGridOpensNothing) {
  // A dialog would be shown modally within the double click; it has returned.
  EXPECT_FALSE(Answering([](QDialog* d) { d->close(); }, [this] { DoubleClickRow(ViewId::Result, 0); }));
  EXPECT_EQ(Dialog("TWINSCAN3"), nullptr);
}

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
    int index, panel;
    const char* label;
  } steps[] = {{"FilterRe", 1, 3, "(re)  1 of  1, critical"},
               {"FilterRe", 3, 3, "(re)  1 of  1, without differences"},
               {nullptr, 5, 3, "(re)  1 of  1, decided"},
               {nullptr, 4, 3, "(re)  1 of  2, undecided"},
               {"FilterRe", 0, 3, "(re)  1 of  3"},
               {"FilterFf", 1, 1, "(ff)  1 of  1, erroneous"},
               {"FilterFf", 2, 1, "(ff)  1 of  1, error-free"}};
  for (const Step& s : steps) {
    if (s.box) {
      Choose(s.box, s.index);
    } else {
      Child<QMenu>(window_.get(), "M_VIEWRE")->actions().at(s.index)->trigger();
      EXPECT_EQ(Child<QComboBox>(window_.get(), "FilterRe")->currentIndex(), s.index);
    }
    EXPECT_EQ(Status(s.panel), s.label);
  }
  window_->views().RefreshAll();  // a re-read keeps the filters
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
  // Sorted by 4A (A B C) the current records stay current: line 2 is first.
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
  auto answer = [](QDialog* d) {
    EXPECT_EQ(Child<QLabel>(d, "PairTitle")->text().toStdString(), "Primary line 1 - secondary line 4");
    QAbstractItemModel* pair = Child<QTableView>(d, "PairView")->model();
    EXPECT_EQ(pair->index(7, 1).data().toString().toStdString(), "GENT");
    EXPECT_EQ(pair->index(7, 3).data().toString().toStdString(), "CRITICAL");
    EXPECT_EQ(pair->index(8, 3).data().toString().toStdString(), "");
    EXPECT_EQ(First(*d)->checkState(), Qt::Unchecked);
    EXPECT_EQ(Second(*d)->checkState(), Qt::Checked);
    EXPECT_EQ(Remark(*d)->text().toStdString(), "seen");
    EXPECT_EQ(Reference(*d)->text().toStdString(), "R1");
    ClickBox(First(*d));
    Ok(*d)->click();
  };
  ASSERT_TRUE(Answering(answer, [this] { QTest::keyClick(Grid(ViewId::Result)->table(), Qt::Key_Return); }));
  // Stored, journaled and shown in the grid at once.
  EXPECT_EQ(Count("TABLERESULT WHERE ACCEPTFIRST = 1 AND ACCEPTSECOND = 1 AND REMARK = 'seen'"), 1);
  EXPECT_EQ(Count("DECISIONS WHERE ACCEPTFIRST = 1"), 1);
  EXPECT_EQ(Cell(ViewId::Result, 0, 32), "True");
}

TEST_F(WorkbenchTest, TheRunsSayHowTheyEndedAndTheManualOneKeepsItsRecord) {
  ImportBoth({BaseRecord(), WithField(BaseRecord(), "4A", "GENT")}, {WithField(BaseRecord(), "13Z", "CHANGED")});
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

TEST(ResultsExportFilter, TheDialogsFilterChoosesTheFormat) {
  EXPECT_EQ(FormatOfFilter(kCsvFilter), ResultsFormat::Csv);
  EXPECT_EQ(FormatOfFilter(kJsonFilter), ResultsFormat::Json);
  EXPECT_EQ(FormatOfFilter(kHtmlFilter), ResultsFormat::Html);
  EXPECT_EQ(FormatOfFilter("All files (*)"), ResultsFormat::Csv);
}

TEST_F(WindowTest, ExportsTheResultsInTheGridsSortAndShowsThePath) {
  for (const char* line : {"3", "1", "2"}) Insert("TABLERESULT", {{"linenumber", line}, {"linenumber2", "9"}});
  window_->views().RefreshAll();
  ClickHeader(ViewId::Result, 0);  // sorts by linenumber
  ClickHeader(ViewId::Result, 0);  // ... descending
  auto exportTo = [this](const std::filesystem::path& file) {
    ExportResultsWithProgress(window_.get(), window_->database(), file,
                              RequestForView(window_->views().result(), store::ResultFilter::All, ResultsFormat::Csv),
                              *window_);
  };
  std::filesystem::path file = dir_ / "results.csv";
  exportTo(file);
  auto rows = twinscan::testing::ParseCsv(ReadFile(file));
  ASSERT_TRUE(rows.has_value());
  ASSERT_EQ(rows->size(), 4u);
  EXPECT_EQ((*rows)[1][0], "3");
  EXPECT_EQ((*rows)[3][0], "1");
  EXPECT_EQ(Status(6), "Results written to " + file.string());
  exportTo(dataDir() / "twinscan.db");
  ASSERT_FALSE(prompter_.messages.empty());
  EXPECT_NE(prompter_.messages.back().find("is the working database"), std::string::npos);
  EXPECT_FALSE(window_->ended());
}

}  // namespace
}  // namespace twinscan::ui::testing
