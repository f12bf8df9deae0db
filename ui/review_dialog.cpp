#include "ui/review_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/fit_text.h"
#include "ui/twips.h"

namespace twinscan::ui {
namespace {

// A box whose third, undecided state only the dialog sets: a click on an
// undecided box ticks it, and afterwards clicks toggle as usual.
class DecisionBox : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  void nextCheckState() override { setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked); }
};

}  // namespace

ReviewDialog::ReviewDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("TWINSCAN3");
  setWindowTitle("Review Result");
  setFixedSize(Twips(6765), Twips(2580));

  check1ff_ = AddControl<DecisionBox>(this, "Check1ff", 240, 120, 2055, 255, "Accept &First File");
  check1sf_ = AddControl<DecisionBox>(this, "Check1sf", 240, 480, 1935, 375, "Accept &Second File");
  check1ff_->setTristate(true);
  check1sf_->setTristate(true);
  remark_ = AddControl<QLineEdit>(this, "REMARK", 1080, 960, 5535, 285);
  reference_ = AddControl<QLineEdit>(this, "REFERENCE", 1080, 1440, 5535, 285);
  AddControl<QLabel>(this, "Label1", 120, 960, 735, 255, "&Remark:")->setBuddy(remark_);
  AddControl<QLabel>(this, "Label2", 120, 1440, 855, 255, "R&efer.:")->setBuddy(reference_);
  ok_ = AddControl<QPushButton>(this, "Command1", 120, 1920, 6375, 375, "&Ok");

  connect(check1ff_, &QCheckBox::clicked, this, &ReviewDialog::BoxClicked);
  connect(check1sf_, &QCheckBox::clicked, this, &ReviewDialog::BoxClicked);
  connect(ok_, &QPushButton::clicked, this, &ReviewDialog::Confirm);
  FitTextBelow(this);
}

// The reset happens when the dialog is shown, not on every activation, so
// that switching to another window and back keeps what was typed.
void ReviewDialog::showEvent(QShowEvent* event) {
  check1ff_->setCheckState(Qt::PartiallyChecked);
  check1sf_->setCheckState(Qt::PartiallyChecked);
  ok_->setEnabled(false);
  remark_->clear();
  reference_->clear();
  check1ff_->setFocus();
  QDialog::showEvent(event);
}

void ReviewDialog::BoxClicked() {
  if (check1ff_->checkState() != Qt::PartiallyChecked && check1sf_->checkState() != Qt::PartiallyChecked)
    ok_->setEnabled(true);
}

void ReviewDialog::Confirm() {
  acceptFirst_ = check1ff_->checkState() == Qt::Checked;
  acceptSecond_ = check1sf_->checkState() == Qt::Checked;
  reviewRemark_ = remark_->text();
  reviewReference_ = reference_->text();
  accept();
}

}  // namespace twinscan::ui
