// The three option dialogs: colours and tips of a click, the refusal message
// and the confirm-or-discard of the misc options; each made once.
#include <gtest/gtest.h>
#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <map>

#include "tests/ui/ui_test_support.h"
#include "ui/colour_label.h"
#include "ui/compare_modes_dialog.h"
#include "ui/misc_options_dialog.h"
#include "ui/search_fields_dialog.h"

namespace twinscan::ui::testing {
namespace {

void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
void PressOk(QDialog* dialog) { Child<QPushButton>(dialog, "Command1")->click(); }
ColourLabel* Label(const QDialog& dialog, int index) {
  return Child<ColourLabel>(&dialog, QString("Label%1").arg(index));
}
QCheckBox* Box(const QDialog& dialog, FileTag file, int row) {
  return Child<QCheckBox>(&dialog, QString("Check%1%2").arg(row).arg(file == FileTag::ff ? "ff" : "sf"));
}

// A click on `label`, then its colour and tip.
std::string ClickLabel(const QDialog& dialog, int label) {
  Click(Label(dialog, label));
  const std::map<QRgb, std::string> names = {
      {Red().rgb(), "red "}, {Yellow().rgb(), "yellow "}, {Grey().rgb(), "grey "}};
  return names.at(Label(dialog, label)->colour().rgb()) + Label(dialog, label)->toolTip().toStdString();
}

// A click cycles the value; the label shows it in colour and tip; the last
// search field in use is refused.
TEST(OptionDialogsTest, LabelsCycleAndTheLastSearchFieldIsRefused) {
  CompareSettings settings;
  AnsweringPrompter prompter;
  CompareModesDialog modes(settings);
  modes.show();
  std::string seen;
  for (int click = 0; click < 3; ++click) seen += ClickLabel(modes, field::k1A) + "|";
  settings.cycleCompareMode(field::k1Z);  // made elsewhere: shows at the next showing
  modes.hide();
  modes.show();
  EXPECT_EQ(seen + (Label(modes, field::k1Z)->colour() == Red() ? "1Z red" : "1Z not red"),
            "grey 1A: Transmitting Frequency: not checked|yellow 1A: Transmitting Frequency: non-critical|"
            "red 1A: Transmitting Frequency: critical|1Z red");
  SearchFieldsDialog search(settings, prompter);
  search.show();
  seen.clear();
  for (int label : {kSearch4A, kSearch4A, kSearch1A, kSearch1A, kSearch1A}) seen += ClickLabel(search, label) + "|";
  EXPECT_EQ(seen, "grey 4A: not used|yellow 4A: used|yellow 1A: tolerant|grey 1A: not used|red 1A: exact|");
  for (int i : {kSearch4A, kSearch6A, kSearch6A, kSearch13Y, kSearch13Y, kSearch4C, kSearch4C}) Click(Label(search, i));
  ASSERT_TRUE(prompter.messages.empty());
  EXPECT_EQ(ClickLabel(search, kSearch1A), "red 1A: exact");
  EXPECT_EQ(prompter.messages, std::vector<std::string>{"At least one Field required"});
}

TEST(OptionDialogsTest, MiscOptionsConfirmOrDiscard) {
  CompareSettings settings;
  MiscOptionsDialog dialog(settings);
  for (bool confirm : {false, true}) {  // closed with the close box, or confirmed
    settings.resetToDefaults();
    dialog.show();
    EXPECT_TRUE(Box(dialog, FileTag::ff, 2)->isChecked() && !Box(dialog, FileTag::sf, 7)->isChecked());
    ClickBox(Box(dialog, FileTag::ff, 2));  // untick "Header" of the first file
    ClickBox(Box(dialog, FileTag::sf, 7));  // tick "Report lines without error or an2bis"
    confirm ? PressOk(&dialog) : void(dialog.close());
    EXPECT_EQ(settings.fileOptions(FileTag::ff).hasHeader, !confirm) << confirm;
    EXPECT_EQ(settings.fileOptions(FileTag::sf).suppressCleanLines, !confirm) << confirm;
    EXPECT_TRUE(settings.fileOptions(FileTag::ff).suppressCleanLines && settings.fileOptions(FileTag::sf).hasHeader);
    dialog.show();  // the next showing shows the settings
    EXPECT_EQ(Box(dialog, FileTag::ff, 2)->isChecked(), !confirm) << confirm;
    dialog.hide();
  }
}

TEST_F(WindowTest, OptionCommandsMakeEachDialogOnceAndReachTheWindowsSettings) {
  for (auto [command, name] :
       {std::pair{"M_COMPMODE", "TWINSCAN5"}, {"M_SEARCHFIELDS", "TWINSCAN6"}, {"M_MISC", "TWINSCAN7"}}) {
    for (int showing = 0; showing < 2; ++showing)
      EXPECT_TRUE(Answering([](QDialog* d) { PressOk(d); }, [&] { Command(command)->trigger(); })) << command;
    EXPECT_EQ(window_->findChildren<QDialog*>(name, Qt::FindDirectChildrenOnly).size(), 1) << name;
  }
  ASSERT_TRUE(Answering([](QDialog* d) { Click(Label(*d, field::k6A)), d->close(); },
                        [this] { Command("M_COMPMODE")->trigger(); }));
  EXPECT_EQ(window_->settings().compareMode(field::k6A), CompareMode::NotChecked);
  ASSERT_TRUE(Answering([](QDialog* d) { Child<QCheckBox>(d, "CheckRestore")->click(), PressOk(d); },
                        [this] { Command("M_MISC")->trigger(); }));
  EXPECT_FALSE(window_->settings().restoreDecisions());
}

}  // namespace
}  // namespace twinscan::ui::testing
