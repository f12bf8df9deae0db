// The result review dialog: its undecided start, OK enabling, the reset on
// every showing, and the decision stored in the double-clicked result row.
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "tests/ui/ui_test_support.h"
#include "ui/twinscan3.h"

namespace twinscan::ui::testing {
namespace {

TEST(ReviewDialogTest, OkWaitsUntilBothBoxesAreDecided) {
  TWINSCAN3 dialog;
  dialog.show();
  EXPECT_EQ(dialog.firstBox()->checkState(), Qt::PartiallyChecked);
  EXPECT_EQ(dialog.secondBox()->checkState(), Qt::PartiallyChecked);
  EXPECT_FALSE(dialog.okButton()->isEnabled());
  EXPECT_EQ(dialog.firstBox()->text().toStdString(), "Accept &First File");
  EXPECT_EQ(dialog.secondBox()->text().toStdString(), "Accept &Second File");

  ClickBox(dialog.firstBox());
  EXPECT_EQ(dialog.firstBox()->checkState(), Qt::Checked);
  EXPECT_FALSE(dialog.okButton()->isEnabled());
  ClickBox(dialog.firstBox());  // a decided box toggles and never turns undecided again
  EXPECT_EQ(dialog.firstBox()->checkState(), Qt::Unchecked);
  EXPECT_FALSE(dialog.okButton()->isEnabled());
  ClickBox(dialog.secondBox());
  EXPECT_TRUE(dialog.okButton()->isEnabled());
  ClickBox(dialog.secondBox());
  EXPECT_EQ(dialog.secondBox()->checkState(), Qt::Unchecked);
  EXPECT_TRUE(dialog.okButton()->isEnabled());
}

TEST(ReviewDialogTest, OkGivesTheResultAndTheNextShowingStartsAfresh) {
  TWINSCAN3 dialog;
  dialog.show();
  ClickBox(dialog.firstBox());
  ClickBox(dialog.secondBox());
  ClickBox(dialog.secondBox());
  QTest::keyClicks(dialog.remarkEdit(), "it's ok");
  QTest::keyClicks(dialog.referenceEdit(), "REF 1");
  dialog.okButton()->click();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(dialog.acceptFirst());
  EXPECT_FALSE(dialog.acceptSecond());
  EXPECT_EQ(dialog.reviewRemark().toStdString(), "it's ok");
  EXPECT_EQ(dialog.reviewReference().toStdString(), "REF 1");

  dialog.show();
  EXPECT_EQ(dialog.firstBox()->checkState(), Qt::PartiallyChecked);
  EXPECT_EQ(dialog.secondBox()->checkState(), Qt::PartiallyChecked);
  EXPECT_TRUE(dialog.remarkEdit()->text().isEmpty());
  EXPECT_TRUE(dialog.referenceEdit()->text().isEmpty());
  EXPECT_FALSE(dialog.okButton()->isEnabled());
}

TEST_F(WindowTest, ReviewDecisionGoesIntoTheDoubleClickedRow) {
  for (auto [line1, line2] : {std::pair{1, 4}, {1, 9}, {2, 5}})
    Insert("TABLERESULT", {{"linenumber", std::to_string(line1)}, {"linenumber2", std::to_string(line2)}});
  window_->views().RefreshAll();
  auto reviewed = [this](const std::string& condition) {
    return Count("TABLERESULT WHERE ACCEPTFIRST IS NOT NULL AND " + condition);
  };
  {
    ModalAnswer answer([](QDialog* d) {
      auto* dialog = static_cast<TWINSCAN3*>(d);
      ClickBox(dialog->firstBox());
      ClickBox(dialog->secondBox());
      ClickBox(dialog->secondBox());
      dialog->remarkEdit()->setText("it's ok");
      dialog->okButton()->click();
    });
    DoubleClickRow(ViewId::Result, 1);
    ASSERT_TRUE(answer.answered());
  }
  EXPECT_EQ(reviewed("linenumber = 1 AND linenumber2 = 9 AND ACCEPTFIRST = 1 AND ACCEPTSECOND = 0 AND "
                     "REMARK = 'it''s ok' AND REFERENCE_TO_DB = ''"),
            1);
  EXPECT_EQ(reviewed("1"), 1);
  TWINSCAN3* dialog = window_->reviewDialog();
  ASSERT_NE(dialog, nullptr);

  // Closing the dialog another way writes nothing, not even the earlier decision.
  {
    ModalAnswer answer([](QDialog* d) { d->close(); });
    DoubleClickRow(ViewId::Result, 0);
    ASSERT_TRUE(answer.answered());
  }
  EXPECT_EQ(reviewed("1"), 1);
  EXPECT_EQ(window_->reviewDialog(), dialog);
}

TEST_F(WindowTest, DoubleClickOnAnEmptyResultGridOpensNothing) {
  ModalAnswer answer([](QDialog* d) { d->close(); });
  DoubleClickRow(ViewId::Result, 0);
  QTest::qWait(50);
  EXPECT_FALSE(answer.answered());
  EXPECT_EQ(window_->reviewDialog(), nullptr);
}

}  // namespace
}  // namespace twinscan::ui::testing
