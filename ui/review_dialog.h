// ReviewDialog (object name "TWINSCAN3"): the result review dialog. It names
// the pair ("PairTitle") and shows its two records side by side ("PairView");
// the reviewer decides whether the primary and the secondary record are
// accepted ("Check1ff", "Check1sf") and may add a remark ("REMARK") and a
// reference ("REFERENCE"). Every showing starts from the pair given by
// SetPair: a pair decided before shows its stored decision, remark and
// reference with "&Ok" ("Command1") enabled; otherwise both boxes are
// undecided (greyed), both texts empty and "&Ok" is disabled until both
// boxes are decided. "&Ok" fills the review result and hides the dialog
// (exec returns Accepted); closing it another way leaves the review result as
// it was and exec returns Rejected, so the caller writes nothing.
#pragma once

#include <QDialog>
#include <QString>
#include <optional>

#include "compare/pair_details.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace twinscan::ui {

class ReviewDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ReviewDialog(QWidget* parent = nullptr);

  // The pair the next showings are about; nullopt shows no pair.
  void SetPair(std::optional<PairDetails> pair);

  // The review result of the last confirmation.
  bool acceptFirst() const { return acceptFirst_; }
  bool acceptSecond() const { return acceptSecond_; }
  const QString& reviewRemark() const { return reviewRemark_; }
  const QString& reviewReference() const { return reviewReference_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BoxClicked();
  void Confirm();

  QLabel* title_;
  class PairView* pairView_;
  std::optional<PairDetails> pair_;
  QCheckBox* check1ff_;
  QCheckBox* check1sf_;
  QLineEdit* remark_;
  QLineEdit* reference_;
  QPushButton* ok_;
  bool acceptFirst_ = false;
  bool acceptSecond_ = false;
  QString reviewRemark_;
  QString reviewReference_;
};

}  // namespace twinscan::ui
