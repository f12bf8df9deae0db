#include "ui/misc_options_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>

#include "ui/fit_text.h"
#include "ui/twips.h"

namespace twinscan::ui {
namespace {

struct OptionRow {
  const char* caption;
  int topFf, topSf;  // inside the frame, twips
  bool FileOptions::*option;
  bool inverted;  // the box is ticked when the option is false
};

constexpr OptionRow kRows[7] = {
    {"Vienna 2001 Format", 360, 360, &FileOptions::vienna2001Format, false},
    {"Header", 600, 600, &FileOptions::hasHeader, false},
    {"Generate Report of Validation Check", 960, 960, &FileOptions::validationReport, false},
    {"Generate Corrected Vienna File", 1320, 1320, &FileOptions::correctedFile, false},
    {"Only Compare Error Free Lines", 1680, 1680, &FileOptions::onlyErrorFreeLines, false},
    {"Export in 2001 format (no crlf)", 2040, 2160, &FileOptions::export2001NoCrlf, false},
    {"Report lines without error or an2bis", 2400, 2400, &FileOptions::suppressCleanLines, true},
};
constexpr int kBoxHeight = 240;
// The row of "Restore earlier decisions", below the two frames.
constexpr int kRestoreRow = 360;

}  // namespace

MiscOptionsDialog::MiscOptionsDialog(CompareSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
  setObjectName("TWINSCAN7");
  setWindowTitle("Misc. Options");
  setFixedSize(Twips(6795), Twips(3720 + kRestoreRow));
  QPalette lightGrey = palette();
  lightGrey.setColor(QPalette::Window, QColor(192, 192, 192));
  setPalette(lightGrey);
  setAutoFillBackground(true);

  struct Frame {
    const char* name;
    const char* caption;
    int left, width;
    FileTag file;
  };
  for (const Frame& f : {Frame{"Frame1", "First File", 120, 3135, FileTag::ff},
                         Frame{"Frame2", "Second File", 3360, 3255, FileTag::sf}}) {
    auto* frame = AddControl<QGroupBox>(this, f.name, f.left, 120, f.width, 2895, f.caption);
    const char* tag = f.file == FileTag::ff ? "ff" : "sf";
    for (int row = 1; row <= 7; ++row) {
      const OptionRow& r = kRows[row - 1];
      (f.file == FileTag::ff ? ff_ : sf_)[static_cast<size_t>(row - 1)] =
          AddControl<QCheckBox>(frame, QString("Check%1%2").arg(row).arg(tag), 120,
                                f.file == FileTag::ff ? r.topFf : r.topSf, f.width - 180, kBoxHeight, r.caption);
    }
  }

  restore_ = AddControl<QCheckBox>(this, "CheckRestore", 240, 3120, 6375, kBoxHeight, "Restore earlier decisions");
  auto* ok = AddControl<QPushButton>(this, "Command1", 120, 3120 + kRestoreRow, 6495, 375, "&Ok");
  connect(ok, &QPushButton::clicked, this, &MiscOptionsDialog::Confirm);
  FitTextBelow(this);
}

QCheckBox* MiscOptionsDialog::box(FileTag file, int row) const {
  return (file == FileTag::ff ? ff_ : sf_).at(static_cast<size_t>(row - 1));
}

void MiscOptionsDialog::showEvent(QShowEvent* event) {
  for (FileTag file : {FileTag::ff, FileTag::sf}) {
    const FileOptions& options = settings_.fileOptions(file);
    for (int row = 1; row <= 7; ++row) {
      const OptionRow& r = kRows[row - 1];
      box(file, row)->setChecked(options.*r.option != r.inverted);
    }
  }
  restore_->setChecked(settings_.restoreDecisions());
  QDialog::showEvent(event);
}

void MiscOptionsDialog::Confirm() {
  FileOptions ff, sf;
  for (int row = 1; row <= 7; ++row) {
    const OptionRow& r = kRows[row - 1];
    ff.*r.option = box(FileTag::ff, row)->isChecked() != r.inverted;
    sf.*r.option = box(FileTag::sf, row)->isChecked() != r.inverted;
  }
  settings_.setFileOptions(ff, sf);
  settings_.setRestoreDecisions(restore_->isChecked());
  accept();
}

}  // namespace twinscan::ui
