// The three option dialogs: colours, clicks, the refusal message and the
// confirm-or-discard of the misc options; each made once and shown again.
#include <gtest/gtest.h>
#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include <set>

#include "tests/ui/ui_test_support.h"
#include "ui/colour_label.h"
#include "ui/compare_modes_dialog.h"
#include "ui/misc_options_dialog.h"
#include "ui/search_fields_dialog.h"

namespace twinscan::ui::testing {
namespace {

void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }

void PressOk(QDialog* dialog) { Child<QPushButton>(dialog, "Command1")->click(); }

// The labels and boxes by their names: "Label3", "Check2ff".
ColourLabel* Label(const QDialog& dialog, int index) {
  return Child<ColourLabel>(&dialog, QString("Label%1").arg(index));
}
QCheckBox* Box(const QDialog& dialog, FileTag file, int row) {
  return Child<QCheckBox>(&dialog, QString("Check%1%2").arg(row).arg(file == FileTag::ff ? "ff" : "sf"));
}

class OptionDialogsTest : public ::testing::Test {
 protected:
  CompareSettings settings_;
  AnsweringPrompter prompter_;
};

TEST_F(OptionDialogsTest, CompareModesShowTheStartValuesAndCycle) {
  CompareModesDialog dialog(settings_);
  dialog.show();
  const std::set<std::string> critical = {"1A", "6A", "4A", "4C", "7A", "8B1", "8B2", "9Y", "1Y", "13Y"};
  for (const RecordField& f : kFields)
    EXPECT_EQ(Label(dialog, f.number)->colour(), critical.count(std::string(f.code)) ? Red() : Yellow()) << f.code;
  // A click cycles grey, yellow, red; the tip says it too, for colour is not the only carrier.
  const std::tuple<CompareMode, QColor, const char*> steps[] = {
      {CompareMode::NotChecked, Grey(), "1A: Transmitting Frequency: not checked"},
      {CompareMode::NonCritical, Yellow(), "1A: Transmitting Frequency: non-critical"},
      {CompareMode::Critical, Red(), "1A: Transmitting Frequency: critical"}};
  for (const auto& [mode, colour, tip] : steps) {
    Click(Label(dialog, field::k1A));
    EXPECT_EQ(settings_.compareMode(field::k1A), mode);
    EXPECT_EQ(Label(dialog, field::k1A)->colour(), colour);
    EXPECT_EQ(Label(dialog, field::k1A)->toolTip().toStdString(), tip);
  }
  // A change made elsewhere shows at the next showing.
  settings_.cycleCompareMode(field::k1Z);
  dialog.hide();
  dialog.show();
  EXPECT_EQ(Label(dialog, field::k1Z)->colour(), Red());
}

TEST_F(OptionDialogsTest, SearchFieldsCycleAndTheLastOneIsRefused) {
  SearchFieldsDialog dialog(settings_, prompter_);
  dialog.show();
  for (int i : {kSearch1A, kSearch6A, kSearch13Y, kSearch4C}) EXPECT_EQ(Label(dialog, i)->colour(), Red()) << i;
  EXPECT_EQ(Label(dialog, kSearch4A)->colour(), Yellow());

  // 4A: grey, yellow, grey, never red; 1A: exact (red), tolerant (yellow), not used (grey), exact.
  const std::tuple<int, QColor, const char*> steps[] = {
      {kSearch4A, Grey(), "4A: not used"},   {kSearch4A, Yellow(), "4A: used"},   {kSearch4A, Grey(), "4A: not used"},
      {kSearch1A, Yellow(), "1A: tolerant"}, {kSearch1A, Grey(), "1A: not used"}, {kSearch1A, Red(), "1A: exact"}};
  for (const auto& [label, colour, tip] : steps) {
    Click(Label(dialog, label));
    EXPECT_EQ(Label(dialog, label)->colour(), colour) << tip;
    EXPECT_EQ(Label(dialog, label)->toolTip().toStdString(), tip);
  }
  // The last field in use is refused: 6A, 13Y and 4C go exact -> tolerant -> not used.
  for (int i : {kSearch6A, kSearch13Y, kSearch4C})
    for (int k = 0; k < 2; ++k) Click(Label(dialog, i));
  ASSERT_TRUE(prompter_.messages.empty());
  for (int attempt = 0; attempt < 2; ++attempt) {
    Click(Label(dialog, kSearch1A));
    EXPECT_EQ(settings_.searchField(kSearch1A), SearchValue::Exact);
    EXPECT_EQ(Label(dialog, kSearch1A)->colour(), Red());
  }
  EXPECT_EQ(prompter_.messages,
            (std::vector<std::string>{"At least one Field required", "At least one Field required"}));
}

TEST_F(OptionDialogsTest, MiscOptionsConfirmOrDiscard) {
  MiscOptionsDialog dialog(settings_);
  EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor(192, 192, 192));
  for (bool confirm : {false, true}) {  // closed with the close box, or confirmed
    settings_.resetToDefaults();
    dialog.show();
    for (FileTag file : {FileTag::ff, FileTag::sf})  // the last row is ticked for a false option
      for (int row = 1; row <= 7; ++row) EXPECT_EQ(Box(dialog, file, row)->isChecked(), row != 7) << row;
    ClickBox(Box(dialog, FileTag::ff, 2));  // untick "Header" of the first file
    ClickBox(Box(dialog, FileTag::sf, 7));  // tick "Report lines without error or an2bis"
    if (confirm)
      PressOk(&dialog);
    else
      dialog.close();
    EXPECT_FALSE(dialog.isVisible()) << confirm;
    EXPECT_EQ(settings_.fileOptions(FileTag::ff).hasHeader, !confirm) << confirm;
    EXPECT_EQ(settings_.fileOptions(FileTag::sf).suppressCleanLines, !confirm) << confirm;
    EXPECT_TRUE(settings_.fileOptions(FileTag::ff).suppressCleanLines && settings_.fileOptions(FileTag::sf).hasHeader);
    dialog.show();  // the next showing shows the settings
    EXPECT_EQ(Box(dialog, FileTag::ff, 2)->isChecked(), !confirm) << confirm;
    dialog.hide();
  }
}

TEST_F(WindowTest, OptionCommandsMakeEachDialogOnceAndShowItModally) {
  for (auto [command, name] :
       {std::pair{"M_COMPMODE", "TWINSCAN5"}, {"M_SEARCHFIELDS", "TWINSCAN6"}, {"M_MISC", "TWINSCAN7"}}) {
    EXPECT_EQ(Dialog(name), nullptr);
    QDialog* first = nullptr;
    for (int showing = 0; showing < 2; ++showing) {
      EXPECT_TRUE(Answering([](QDialog* d) { PressOk(d); }, [&] { Command(command)->trigger(); })) << command;
      if (!first) first = Dialog(name);
      ASSERT_NE(first, nullptr) << name;
      EXPECT_EQ(Dialog(name), first);
      EXPECT_FALSE(first->isVisible());
    }
  }
  // A click in the dialog reaches the window's settings at once.
  auto cycle6A = [](QDialog* d) {
    Click(Label(*d, field::k6A));
    d->close();
  };
  ASSERT_TRUE(Answering(cycle6A, [this] { Command("M_COMPMODE")->trigger(); }));
  EXPECT_EQ(window_->settings().compareMode(field::k6A), CompareMode::NotChecked);
  // The misc option that restores earlier decisions turns off.
  EXPECT_TRUE(window_->settings().restoreDecisions());
  auto untickRestore = [](QDialog* d) {
    auto* restore = Child<QCheckBox>(d, "CheckRestore");
    EXPECT_TRUE(restore->isChecked());
    restore->click();
    PressOk(d);
  };
  ASSERT_TRUE(Answering(untickRestore, [this] { Command("M_MISC")->trigger(); }));
  EXPECT_FALSE(window_->settings().restoreDecisions());
}

}  // namespace
}  // namespace twinscan::ui::testing
