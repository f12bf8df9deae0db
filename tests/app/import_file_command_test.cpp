// The import command writes the corrected file when the file's option asks,
// and keeps the imported rows when it cannot.
#include <gtest/gtest.h>

#include "app/import_file_command.h"
#include "tests/export/export_fixture.h"

namespace twinscan::testing {
namespace {

namespace fs = std::filesystem;

class ImportFileCommandTest : public ExportTest {
 protected:
  ImportFileCommandTest() : views_(*db_, ui_) {}

  ImportCommandResult Run(const fs::path& file, FileTag tag, LayoutAnswer answer = LayoutAnswer::Cancel) {
    std::string header;
    return RunImportCommand(file, tag, settings_, *db_, &views_, ui_, &header, OutputGuard(dir_.path()),
                            [&](const LayoutFinding& finding) {
                              questions.push_back(finding);
                              return answer;
                            });
  }

  CompareSettings settings_;
  store::Views views_;
  std::vector<LayoutFinding> questions;
};

TEST_F(ImportFileCommandTest, EachFileFollowsItsOwnOptions) {
  const std::string header(219, 'H'), second = WithField(BaseRecord(), "4A", "GENT");
  WriteFile(dir_ / "a.txt", header + BaseRecord() + second);
  WriteFile(dir_ / "b.txt", header + BaseRecord() + second);
  FileOptions ff, sf;  // start values: 2001 layout with header, no line ends
  sf.correctedFile = false;
  settings_.setFileOptions(ff, sf);

  ImportCommandResult primary = Run(dir_ / "a.txt", FileTag::ff);
  EXPECT_TRUE(primary.correctedWritten && !primary.correctedFailed);
  EXPECT_EQ(ReadFile(dir_ / "a.txt_annex2bis.txt"), header + BaseRecord() + second);
  EXPECT_NE(std::find(ui_.statuses.begin(), ui_.statuses.end(), "exporting  2"), ui_.statuses.end());
  EXPECT_FALSE(Run(dir_ / "b.txt", FileTag::sf).correctedWritten);
  EXPECT_FALSE(fs::exists(dir_ / "b.txt_annex2bis.txt"));

  // The option is read when the import runs, not when the settings were made.
  sf.correctedFile = true;
  sf.export2001NoCrlf = false;
  settings_.setFileOptions(ff, sf);
  EXPECT_TRUE(Run(dir_ / "b.txt", FileTag::sf).correctedWritten);
  EXPECT_EQ(ReadFile(dir_ / "b.txt_annex2bis.txt"), header + "\r\n" + BaseRecord() + "\r\n" + second + "\r\n");
}

TEST_F(ImportFileCommandTest, AFailedCorrectedFileKeepsTheImportedRows) {
  WriteFile(dir_ / "a.txt", std::string(219, 'H') + BaseRecord());
  fs::create_directories(dir_ / "a.txt_annex2bis.txt");  // cannot become a file
  ImportCommandResult result = Run(dir_ / "a.txt", FileTag::ff);
  EXPECT_EQ(result.import.outcome, ImportOutcome::Done);
  EXPECT_TRUE(result.correctedFailed && !result.correctedWritten);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].find("a.txt_annex2bis.txt"), std::string::npos);
  EXPECT_EQ(db_->QueryInt("SELECT COUNT(*) FROM TABLE1"), 1);
  EXPECT_EQ(views_.primary().RowCount(), 1);
}

}  // namespace
}  // namespace twinscan::testing
