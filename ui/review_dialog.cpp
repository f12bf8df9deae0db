#include "ui/review_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/fit_text.h"
#include "ui/pair_view.h"
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

// The pair view sits above the decision controls, which keep their places
// relative to each other.
constexpr int kWidth = 12900;
constexpr int kPairBlock = 8160;

}  // namespace

ReviewDialog::ReviewDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("TWINSCAN3");
  setWindowTitle("Review Result");
  setFixedSize(Twips(kWidth), Twips(kPairBlock + 2580));

  title_ = AddControl<QLabel>(this, "PairTitle", 120, 120, kWidth - 240, 300);
  title_->setTextFormat(Qt::PlainText);
  QFont bold = title_->font();
  bold.setBold(true);
  title_->setFont(bold);
  pairView_ = AddControl<PairView>(this, "PairView", 120, 480, kWidth - 240, kPairBlock - 600);
  pairView_->hide();

  const int y = kPairBlock;
  check1ff_ = AddControl<DecisionBox>(this, "Check1ff", 240, y + 120, 2055, 255, "Accept &First File");
  check1sf_ = AddControl<DecisionBox>(this, "Check1sf", 240, y + 480, 1935, 375, "Accept &Second File");
  check1ff_->setTristate(true);
  check1sf_->setTristate(true);
  remark_ = AddControl<QLineEdit>(this, "REMARK", 1080, y + 960, 5535, 285);
  reference_ = AddControl<QLineEdit>(this, "REFERENCE", 1080, y + 1440, 5535, 285);
  AddControl<QLabel>(this, "Label1", 120, y + 960, 735, 255, "&Remark:")->setBuddy(remark_);
  AddControl<QLabel>(this, "Label2", 120, y + 1440, 855, 255, "R&efer.:")->setBuddy(reference_);
  ok_ = AddControl<QPushButton>(this, "Command1", 120, y + 1920, 6375, 375, "&Ok");

  connect(check1ff_, &QCheckBox::clicked, this, &ReviewDialog::BoxClicked);
  connect(check1sf_, &QCheckBox::clicked, this, &ReviewDialog::BoxClicked);
  connect(ok_, &QPushButton::clicked, this, &ReviewDialog::Confirm);
  FitTextBelow(this);
}

// The reset happens when the dialog is shown, not on every activation, so
// that switching to another window and back keeps what was typed.
void ReviewDialog::showEvent(QShowEvent* event) {
  const std::optional<store::Decision> decided = pair_ ? pair_->decision : std::nullopt;
  auto state = [&decided](bool accepted) {
    return !decided ? Qt::PartiallyChecked : accepted ? Qt::Checked : Qt::Unchecked;
  };
  check1ff_->setCheckState(state(decided && decided->acceptFirst));
  check1sf_->setCheckState(state(decided && decided->acceptSecond));
  ok_->setEnabled(decided.has_value());
  remark_->setText(decided ? QString::fromStdString(decided->remark) : QString());
  reference_->setText(decided ? QString::fromStdString(decided->reference) : QString());
  check1ff_->setFocus();
  QDialog::showEvent(event);
}

void ReviewDialog::SetPair(std::optional<PairDetails> pair) {
  pair_ = std::move(pair);
  title_->setText(pair_ ? QString::fromStdString(PairTitle(*pair_)) : QString());
  pairView_->setVisible(pair_.has_value());
  if (pair_) pairView_->ShowPair(*pair_);
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
