// The result review dialog: its undecided start, OK enabling, the reset on
// every showing, and the decision stored in the double-clicked result row.
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "tests/ui/ui_test_support.h"
#include "ui/review_dialog.h"

namespace twinscan::ui::testing {
namespace {

// The dialog's controls by their names.
QCheckBox* First(const QDialog& d) { return Child<QCheckBox>(&d, "Check1ff"); }
QCheckBox* Second(const QDialog& d) { return Child<QCheckBox>(&d, "Check1sf"); }
QLineEdit* Remark(const QDialog& d) { return Child<QLineEdit>(&d, "REMARK"); }
QLineEdit* Reference(const QDialog& d) { return Child<QLineEdit>(&d, "REFERENCE"); }
QPushButton* Ok(const QDialog& d) { return Child<QPushButton>(&d, "Command1"); }

TEST(ReviewDialogTest, OkWaitsUntilBothBoxesAreDecided) {
  ReviewDialog dialog;
  dialog.show();
  EXPECT_EQ(First(dialog)->checkState(), Qt::PartiallyChecked);
  EXPECT_EQ(Second(dialog)->checkState(), Qt::PartiallyChecked);
  EXPECT_FALSE(Ok(dialog)->isEnabled());
  EXPECT_EQ(First(dialog)->text().toStdString(), "Accept &First File");
  EXPECT_EQ(Second(dialog)->text().toStdString(), "Accept &Second File");

  // Each step clicks a box and expects both boxes' states and OK's. A decided
  // box toggles and never turns undecided again.
  struct Step {
    QCheckBox* click;
    Qt::CheckState first, second;
    bool ok;
  } steps[] = {
      {First(dialog), Qt::Checked, Qt::PartiallyChecked, false},
      {First(dialog), Qt::Unchecked, Qt::PartiallyChecked, false},
      {Second(dialog), Qt::Unchecked, Qt::Checked, true},
      {Second(dialog), Qt::Unchecked, Qt::Unchecked, true},
      {First(dialog), Qt::Checked, Qt::Unchecked, true},
  };
  for (size_t i = 0; i < std::size(steps); ++i) {
    ClickBox(steps[i].click);
    EXPECT_EQ(First(dialog)->checkState(), steps[i].first) << "step " << i;
    EXPECT_EQ(Second(dialog)->checkState(), steps[i].second) << "step " << i;
    EXPECT_EQ(Ok(dialog)->isEnabled(), steps[i].ok) << "step " << i;
  }
}

TEST(ReviewDialogTest, OkGivesTheResultAndTheNextShowingStartsAfresh) {
  ReviewDialog dialog;
  dialog.show();
  ClickBox(First(dialog));
  ClickBox(Second(dialog));
  ClickBox(Second(dialog));
  QTest::keyClicks(Remark(dialog), "it's ok");
  QTest::keyClicks(Reference(dialog), "REF 1");
  Ok(dialog)->click();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(dialog.acceptFirst());
  EXPECT_FALSE(dialog.acceptSecond());
  EXPECT_EQ(dialog.reviewRemark().toStdString(), "it's ok");
  EXPECT_EQ(dialog.reviewReference().toStdString(), "REF 1");

  dialog.show();
  EXPECT_EQ(First(dialog)->checkState(), Qt::PartiallyChecked);
  EXPECT_EQ(Second(dialog)->checkState(), Qt::PartiallyChecked);
  EXPECT_TRUE(Remark(dialog)->text().isEmpty());
  EXPECT_TRUE(Reference(dialog)->text().isEmpty());
  EXPECT_FALSE(Ok(dialog)->isEnabled());
}

TEST_F(WindowTest, ReviewDecisionGoesIntoTheDoubleClickedRow) {
  for (auto [line1, line2] : {std::pair{1, 4}, {1, 9}, {2, 5}})
    Insert("TABLERESULT", {{"linenumber", std::to_string(line1)}, {"linenumber2", std::to_string(line2)}});
  window_->views().RefreshAll();
  auto reviewed = [this](const std::string& condition) {
    return Count("TABLERESULT WHERE ACCEPTFIRST IS NOT NULL AND " + condition);
  };
  {
    ModalAnswer answer([](QDialog* dialog) {
      ClickBox(First(*dialog));
      ClickBox(Second(*dialog));
      ClickBox(Second(*dialog));
      Remark(*dialog)->setText("it's ok");
      Ok(*dialog)->click();
    });
    DoubleClickRow(ViewId::Result, 1);
    ASSERT_TRUE(answer.answered());
  }
  EXPECT_EQ(reviewed("linenumber = 1 AND linenumber2 = 9 AND ACCEPTFIRST = 1 AND ACCEPTSECOND = 0 AND "
                     "REMARK = 'it''s ok' AND REFERENCE_TO_DB = ''"),
            1);
  EXPECT_EQ(reviewed("1"), 1);
  QDialog* dialog = Dialog("TWINSCAN3");
  ASSERT_NE(dialog, nullptr);

  // Closing the dialog another way writes nothing, not even the earlier decision.
  {
    ModalAnswer answer([](QDialog* d) { d->close(); });
    DoubleClickRow(ViewId::Result, 0);
    ASSERT_TRUE(answer.answered());
  }
  EXPECT_EQ(reviewed("1"), 1);
  EXPECT_EQ(Dialog("TWINSCAN3"), dialog);
}

TEST_F(WindowTest, DoubleClickOnAnEmptyResultGridOpensNothing) {
  // A dialog would be shown modally within the double click; it has returned.
  ModalAnswer answer([](QDialog* d) { d->close(); });
  DoubleClickRow(ViewId::Result, 0);
  EXPECT_FALSE(answer.answered());
  EXPECT_EQ(Dialog("TWINSCAN3"), nullptr);
}

}  // namespace
}  // namespace twinscan::ui::testing
