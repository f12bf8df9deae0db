// The import command writes the corrected file when the file's option asks.
#include <gtest/gtest.h>

#include "app/import_file_command.h"
#include "tests/export/export_fixture.h"

namespace twinscan::testing {
namespace {

namespace fs = std::filesystem;

class ImportFileCommandTest : public ExportTest {
 protected:
  ImportFileCommandTest() : views_(*db_, ui_) {}

  ImportCommandResult Run(const fs::path& file, FileTag tag) {
    std::string header;
    return RunImportCommand(file, tag, settings_, *db_, views_, ui_, &header, OutputGuard(dir_.path()));
  }

  CompareSettings settings_;
  store::Views views_;
};

TEST_F(ImportFileCommandTest, EachFileFollowsItsOwnOptions) {
  std::string header(219, 'H');
  std::string records = BaseRecord() + WithField(BaseRecord(), "4A", "GENT");
  fs::path a = dir_ / "a.txt", b = dir_ / "b.txt";
  WriteFile(a, header + records);
  WriteFile(b, header + records);
  FileOptions ff, sf;  // start values: 2001 layout with header, no line ends
  sf.correctedFile = false;
  settings_.setFileOptions(ff, sf);

  ImportCommandResult primary = Run(a, FileTag::ff);
  EXPECT_TRUE(primary.correctedWritten);
  EXPECT_FALSE(primary.correctedFailed);
  EXPECT_EQ(ReadFile(dir_ / "a.txt_annex2bis.txt"), header + records);
  EXPECT_NE(std::find(ui_.statuses.begin(), ui_.statuses.end(), "exporting  2"), ui_.statuses.end());

  ImportCommandResult secondary = Run(b, FileTag::sf);
  EXPECT_FALSE(secondary.correctedWritten);
  EXPECT_FALSE(fs::exists(dir_ / "b.txt_annex2bis.txt"));

  // The option is read when the import runs, not when the settings were made.
  sf.correctedFile = true;
  sf.export2001NoCrlf = false;
  settings_.setFileOptions(ff, sf);
  EXPECT_TRUE(Run(b, FileTag::sf).correctedWritten);
  EXPECT_EQ(ReadFile(dir_ / "b.txt_annex2bis.txt"),
            header + "\r\n" + BaseRecord() + "\r\n" + WithField(BaseRecord(), "4A", "GENT") + "\r\n");
}

TEST_F(ImportFileCommandTest, AFailedCorrectedFileKeepsTheImportedRows) {
  fs::path a = dir_ / "a.txt";
  WriteFile(a, std::string(219, 'H') + BaseRecord());
  fs::create_directories(dir_ / "a.txt_annex2bis.txt");  // cannot become a file

  ImportCommandResult result = Run(a, FileTag::ff);
  EXPECT_EQ(result.import.outcome, ImportOutcome::Done);
  EXPECT_TRUE(result.correctedFailed);
  EXPECT_FALSE(result.correctedWritten);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].find("a.txt_annex2bis.txt"), std::string::npos);
  EXPECT_EQ(db_->QueryInt("SELECT COUNT(*) FROM TABLE1"), 1);
  EXPECT_EQ(views_.primary().RowCount(), 1);
}

}  // namespace
}  // namespace twinscan::testing
