// ReviewDialog (object name "TWINSCAN3"): the result review dialog. The
// reviewer decides whether the primary and the secondary record of a compared
// pair are accepted ("Check1ff", "Check1sf") and may add a remark ("REMARK")
// and a reference ("REFERENCE"). Every showing resets the dialog: both boxes
// undecided (greyed), both texts empty, "&Ok" ("Command1") disabled until
// both boxes are decided. "&Ok" fills the review result and hides the dialog
// (exec returns Accepted); closing it another way leaves the review result as
// it was and exec returns Rejected, so the caller writes nothing.
#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace twinscan::ui {

class ReviewDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ReviewDialog(QWidget* parent = nullptr);

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
