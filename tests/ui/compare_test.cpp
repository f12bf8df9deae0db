// The compare in the window: the full and the manual compare, the cancel, the
// review of a pair, the workbench's filters and linked grids, the export.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "store/startup.h"
#include "tests/support/results_formats.h"
#include "tests/ui/ui_test_support.h"
#include "ui/data_grid.h"
#include "ui/results_export.h"

namespace twinscan::ui::testing {
namespace {

using twinscan::testing::ReadFile;

// Primary lines 1 and 3 have the secondary lines 1 and 2 as candidates;
// primary line 2 has none.
class CompareRunTest : public WindowTest {
 protected:
  void SetUp() override {
    prompter_.files = {WriteViennaFile("ff.txt", {BaseRecord(), WithField(BaseRecord(), "4A", "GENT"),
                                                  WithField(BaseRecord(), "13Z", "OTHER REMARK")}),
                       WriteViennaFile("sf.txt", {BaseRecord(), WithField(BaseRecord(), "13Z", "CHANGED"),
                                                  WithField(BaseRecord(), "4A", "LIEGE")})};
    Command("M_FIRSTFILE")->trigger();
    Command("M_SECFILE")->trigger();
    ASSERT_EQ(Count("TABLE1") + Count("TABLE2"), 6);
  }
  std::string Log() { return ReadFile(store::CompareLogPath(dataDir())); }
  std::string Summary() { return Child<QLabel>(window_.get(), "RunSummary")->text().toStdString(); }
};

TEST_F(CompareRunTest, FullRunComparesEveryPrimaryRecordAndManualByDoubleClick) {
  ClickHeader(ViewId::Primary, 24);  // sorted by 13Z before the run
  Command("M_AUTOCOMP")->trigger();
  EXPECT_EQ(Count("TABLERESULT WHERE linenumber <> 2"), 4);
  EXPECT_NE(Log().find(" 2 CAN NOT BE FOUND IN THE OTHER FILE"), std::string::npos);
  EXPECT_EQ(window_->views().primary().sortColumn, "linenumber");
  EXPECT_EQ(Panels(), "(ff)  1 of  3 | (sf)  1 of  3 | (re)  1 of  4 | Comparing line  4 with line  3");
  EXPECT_EQ(Summary(),
            "Compare finished: 4 pairs, 0 with critical differences, 3 with non-critical differences, 1 primary "
            "records without candidate, 0 decisions restored");
  EXPECT_TRUE(prompter_.messages.empty());
  Command("M_MANUALCOMP")->trigger();
  ClickRow(ViewId::Primary, 2);
  DoubleClickRow(ViewId::Primary, 2);
  EXPECT_EQ(Count("TABLERESULT WHERE linenumber = 3"), Count("TABLERESULT"));
  EXPECT_EQ(Panels(), "(ff)  3 of  3 | (sf)  1 of  3 | (re)  1 of  2 | Comparing line  4 with line  3");
  // A primary record without candidates leaves no result, a log line and says so.
  std::filesystem::remove(store::CompareLogPath(dataDir()));
  DoubleClickRow(ViewId::Primary, 1);
  EXPECT_EQ(Count("TABLERESULT"), 0);
  EXPECT_NE(Log().find(" 2 CAN NOT BE FOUND IN THE OTHER FILE"), std::string::npos);
  EXPECT_EQ(Summary(), "Manual compare of primary line 2: no candidate found");
}

// While the run runs, double clicks and header clicks are ignored and the
// imports and options are locked; a cancel stops before the next primary record.
TEST_F(CompareRunTest, CancelStopsBeforeTheNextPrimaryRecordAndLocksTheWindow) {
  Activate();
  using Act = std::function<void()>;
  const std::pair<Act, Act> cases[] = {
      {[this] { Command("M_AUTOCOMP")->trigger(); }, [this] { QTest::mouseClick(CancelButton(), Qt::LeftButton); }},
      {[this] { QTest::keyClick(window_.get(), Qt::Key_F5); },
       [this] { QTest::keyClick(window_.get(), Qt::Key_Escape); }}};
  for (const auto& [start, cancel] : cases) {
    window_->database().Execute("DELETE FROM TABLERESULT");
    bool cancelled = false, locked = false;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
      if (cancelled || Count("TABLERESULT") == 0) return;
      locked = CancelButton()->isVisible() && Command("M_CANCELCOMP")->isEnabled() &&
               !Command("M_FIRSTFILE")->isEnabled() && !Command("M_MISC")->isEnabled();
      DoubleClickRow(ViewId::Result, 0);
      ClickHeader(ViewId::Primary, 24);
      cancel();
      cancelled = true;
    });
    watcher.start(0);
    start();
    watcher.stop();
    ASSERT_TRUE(cancelled && locked);
    EXPECT_EQ(Dialog("TWINSCAN3"), nullptr);
    // Primary line 1 kept both its comparisons; line 2 was never searched.
    EXPECT_EQ(Count("TABLERESULT WHERE linenumber = 1") * 10 + Count("TABLERESULT"), 22);
    EXPECT_EQ(Log().find("CAN NOT BE FOUND"), std::string::npos);
    EXPECT_EQ(window_->views().primary().sortColumn, "linenumber");
    EXPECT_FALSE(CancelButton()->isVisible() || Command("M_CANCELCOMP")->isEnabled());
    EXPECT_TRUE(Command("M_FIRSTFILE")->isEnabled());
    EXPECT_EQ(Status(3), "(re)  1 of  2");
  }
}

QCheckBox* First(const QDialog& d) { return Child<QCheckBox>(&d, "Check1ff"); }
QCheckBox* Second(const QDialog& d) { return Child<QCheckBox>(&d, "Check1sf"); }
QLineEdit* Remark(const QDialog& d) { return Child<QLineEdit>(&d, "REMARK"); }
QLineEdit* Reference(const QDialog& d) { return Child<QLineEdit>(&d, "REFERENCE"); }
QPushButton* Ok(const QDialog& d) { return Child<QPushButton>(&d, "Command1"); }

// A double click or Enter opens the review of that row, with its decision;
// OK stores, journals and shows it.
TEST_F(WindowTest, ReviewDecisionGoesIntoTheChosenRow) {
  EXPECT_FALSE(Answering([](QDialog* d) { d->close(); }, [this] { DoubleClickRow(ViewId::Result, 0); }));
  EXPECT_EQ(Dialog("TWINSCAN3"), nullptr);  // an empty grid opens nothing
  window_->database().Execute(
      "INSERT INTO TABLE1 (linenumber, \"4A\") VALUES (1, 'GENT'); INSERT INTO TABLE2 "
      "(linenumber, \"4A\") VALUES (4, 'GENK')");
  Insert("TABLERESULT", {{"linenumber", "1"},
                         {"linenumber2", "4"},
                         {"4A", "'GENT <-> GENK'"},
                         {"ACCEPTFIRST", "0"},
                         {"ACCEPTSECOND", "1"},
                         {"REMARK", "'seen'"},
                         {"REFERENCE_TO_DB", "'R1'"}});
  window_->database().Execute("INSERT INTO TABLERESULT (linenumber, linenumber2) VALUES (1, 9), (2, 5)");
  window_->views().RefreshAll();
  EXPECT_EQ(Cell(ViewId::Result, 0, 32) + Cell(ViewId::Result, 0, 33) + Cell(ViewId::Result, 0, 34), "FalseTrueseen");
  auto decide = [](QDialog* dialog) {
    ClickBox(First(*dialog));
    EXPECT_FALSE(Ok(*dialog)->isEnabled());  // until both boxes are decided
    ClickBox(Second(*dialog));
    ClickBox(Second(*dialog));
    Remark(*dialog)->setText("it's ok");
    Reference(*dialog)->setText("REF 1");
    Ok(*dialog)->click();
  };
  ASSERT_TRUE(Answering(decide, [this] { DoubleClickRow(ViewId::Result, 1); }));
  EXPECT_EQ(Count("TABLERESULT WHERE linenumber = 1 AND linenumber2 = 9 AND ACCEPTFIRST = 1 AND ACCEPTSECOND = 0 AND "
                  "REMARK = 'it''s ok' AND REFERENCE_TO_DB = 'REF 1'"),
            1);
  // Closing another way writes nothing.
  ASSERT_TRUE(
      Answering([](QDialog* d) { ClickBox(Second(*d)), d->close(); }, [this] { DoubleClickRow(ViewId::Result, 1); }));
  EXPECT_EQ(Count("TABLERESULT WHERE ACCEPTSECOND = 0 AND linenumber2 = 9"), 1);
  ClickRow(ViewId::Result, 0);
  auto reviewDecided = [](QDialog* d) {
    EXPECT_EQ(Child<QLabel>(d, "PairTitle")->text().toStdString(), "Primary line 1 - secondary line 4");
    QAbstractItemModel* pair = Child<QTableView>(d, "PairView")->model();
    EXPECT_EQ((pair->index(7, 1).data().toString() + "|" + pair->index(7, 3).data().toString() + "|" +
               pair->index(8, 3).data().toString() + "|" + Remark(*d)->text() + "|" + Reference(*d)->text())
                  .toStdString(),
              "GENT|CRITICAL||seen|R1");
    EXPECT_TRUE(First(*d)->checkState() == Qt::Unchecked && Second(*d)->checkState() == Qt::Checked);
    ClickBox(First(*d));
    Ok(*d)->click();
  };
  ASSERT_TRUE(Answering(reviewDecided, [this] { QTest::keyClick(Grid(ViewId::Result)->table(), Qt::Key_Return); }));
  EXPECT_EQ(Count("TABLERESULT WHERE ACCEPTFIRST = 1 AND ACCEPTSECOND = 1 AND REMARK = 'seen'"), 1);
  EXPECT_EQ(Count("DECISIONS WHERE ACCEPTFIRST = 1 AND ACCEPTSECOND = 1"), 1);
  EXPECT_EQ(Cell(ViewId::Result, 0, 32), "True");
}

class WorkbenchTest : public WindowTest {
 protected:
  int64_t Current(ViewId id) { return window_->views().Get(id).CurrentRow(); }
};

TEST_F(WorkbenchTest, FiltersFromTheBarAndTheMenuNameThemselvesInTheLabel) {
  // Result rows: critical; non-critical and decided; neither.
  window_->database().Execute(
      "INSERT INTO TABLERESULT (linenumber, linenumber2, critical, noncritical, ACCEPTFIRST) VALUES (1, 1, 1, NULL, "
      "NULL), (2, 1, NULL, 1, 1), (3, 1, NULL, NULL, NULL); INSERT INTO TABLE1 (linenumber, error) VALUES (1, 1), (2, "
      "0)");
  window_->views().RefreshAll();
  // The bar's box (nullptr: the View menu's item `index` of M_VIEWRE), the index, the label's panel and text.
  const std::tuple<const char*, int, int, const char*> steps[] = {{"FilterRe", 1, 3, "(re)  1 of  1, critical"},
                                                                  {nullptr, 4, 3, "(re)  1 of  2, undecided"},
                                                                  {"FilterRe", 0, 3, "(re)  1 of  3"},
                                                                  {"FilterFf", 2, 1, "(ff)  1 of  1, error-free"}};
  for (const auto& [box, index, panel, label] : steps) {
    if (box) {
      auto* combo = Child<QComboBox>(window_.get(), box);
      combo->setCurrentIndex(index);
      emit combo->activated(index);
    } else {
      Child<QMenu>(window_.get(), "M_VIEWRE")->actions().at(index)->trigger();
      EXPECT_EQ(Child<QComboBox>(window_.get(), "FilterRe")->currentIndex(), index);
    }
    EXPECT_EQ(Status(panel), label);
  }
  window_->views().RefreshAll();  // a re-read keeps the filters
  EXPECT_EQ(Status(1), "(ff)  1 of  1, error-free");
}

// A result row leads the record grids; a sort or a double click outside
// manual mode keeps the current records.
TEST_F(WorkbenchTest, AResultRowLeadsTheRecordGridsAndASortKeepsTheCurrentRecord) {
  for (const char* table : {"TABLE1", "TABLE2"})
    window_->database().Execute(std::string("INSERT INTO ") + table +
                                " (linenumber, \"4A\") VALUES (1, 'C'), (2, 'A'), (3, 'B')");
  window_->database().Execute("INSERT INTO TABLERESULT (linenumber, linenumber2) VALUES (1, 1), (2, 3)");
  window_->views().RefreshAll();
  ClickRow(ViewId::Result, 1);
  EXPECT_EQ(Current(ViewId::Primary) * 10 + Current(ViewId::Secondary), 12);
  EXPECT_EQ(Status(1), "(ff)  2 of  3");
  ClickHeader(ViewId::Primary, 8);  // 4A: A B C, line 2 first
  EXPECT_EQ(Current(ViewId::Primary) * 100 + Current(ViewId::Secondary) * 10 + Current(ViewId::Result), 21);
  ClickHeader(ViewId::Primary, 8);  // C B A
  EXPECT_EQ(Current(ViewId::Primary), 2);
  ClickRow(ViewId::Primary, 1);
  DoubleClickRow(ViewId::Primary, 1);
  EXPECT_EQ(Current(ViewId::Primary), 1);
}

// In the grid's sort, the dialog's filter choosing the format; the path in the
// status, a refused target in a message.
TEST_F(WindowTest, ExportsTheResultsInTheGridsSortAndShowsThePath) {
  EXPECT_EQ(FormatOfFilter(kHtmlFilter), ResultsFormat::Html);
  EXPECT_EQ(FormatOfFilter("All files (*)"), ResultsFormat::Csv);
  for (const char* line : {"3", "1", "2"}) Insert("TABLERESULT", {{"linenumber", line}, {"linenumber2", "9"}});
  window_->views().RefreshAll();
  ClickHeader(ViewId::Result, 0);  // linenumber ...
  ClickHeader(ViewId::Result, 0);  // ... descending
  auto exportTo = [this](const std::filesystem::path& file) {
    ExportResultsWithProgress(window_.get(), window_->database(), file,
                              RequestForView(window_->views().result(), store::ResultFilter::All, ResultsFormat::Csv),
                              *window_);
  };
  std::filesystem::path file = dir_ / "results.csv";
  exportTo(file);
  auto rows = twinscan::testing::ParseCsv(ReadFile(file)).value_or(std::vector<std::vector<std::string>>{});
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[1][0] + rows[3][0] + " " + Status(6), "31 Results written to " + file.string());
  exportTo(dataDir() / "twinscan.db");
  EXPECT_NE(prompter_.messages.at(0).find("is the working database"), std::string::npos);
  EXPECT_FALSE(window_->ended());
}

}  // namespace
}  // namespace twinscan::ui::testing
