// The import command writes the corrected file when the file's option asks,
// and puts a file that disagrees with its options to the question first.
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
  std::string header(219, 'H');
  std::string records = BaseRecord() + WithField(BaseRecord(), "4A", "GENT");
  fs::path a = dir_ / "a.txt", b = dir_ / "b.txt";
  WriteFile(a, header + records);
  WriteFile(b, header + records);
  FileOptions ff, sf;  // start values: 2001 layout with header, no line ends
  sf.correctedFile = false;
  settings_.setFileOptions(ff, sf);

  ImportCommandResult primary = Run(a, FileTag::ff);
  EXPECT_TRUE(primary.correctedWritten && !primary.correctedFailed);
  EXPECT_EQ(ReadFile(dir_ / "a.txt_annex2bis.txt"), header + records);
  EXPECT_NE(std::find(ui_.statuses.begin(), ui_.statuses.end(), "exporting  2"), ui_.statuses.end());

  EXPECT_FALSE(Run(b, FileTag::sf).correctedWritten);
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
  EXPECT_TRUE(result.correctedFailed && !result.correctedWritten);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].find("a.txt_annex2bis.txt"), std::string::npos);
  EXPECT_EQ(db_->QueryInt("SELECT COUNT(*) FROM TABLE1"), 1);
  EXPECT_EQ(views_.primary().RowCount(), 1);
}

// The line layout read with the 2001 options: each answer does what it says,
// and a refusal leaves every table, the report and the corrected file.
struct AnswerCase {
  LayoutAnswer answer;
  const char* name;
  bool imported;
  int64_t records;      // rows of TABLE1 afterwards
  const char* first4A;  // 4A of the first row, when it is known
};

class LayoutQuestionTest : public ImportFileCommandTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(LayoutQuestionTest, TheAnswerDecides) {
  const AnswerCase& c = GetParam();
  std::string records;
  for (const char* name : {"GENT", "BRUGGE", "LIEGE"}) records += WithField(BaseRecord(), "4A", name) + "\r\n";
  fs::path file = dir_ / "lines.txt";
  WriteFile(file, std::string(200, 'H') + "\r\n" + records);
  db_->Execute("INSERT INTO TABLE1 (linenumber, \"4a\") VALUES (1, 'EARLIER')");
  db_->Execute("INSERT INTO TABLERESULT (linenumber, linenumber2) VALUES (1, 1)");

  ImportCommandResult result = Run(file, FileTag::ff, c.answer);
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questions[0].verdict, LayoutVerdict::Misaligned);
  EXPECT_EQ(questions[0].detected, "the line layout with a header");
  EXPECT_EQ(LayoutFindingText(file, questions[0]),
            "The file " + file.string() +
                " looks like the line layout with a header, but its options read it as the 2001 layout with a "
                "header: every record would be read shifted.");
  EXPECT_EQ(result.imported(), c.imported);
  EXPECT_EQ(result.refused, !c.imported);
  EXPECT_EQ(db_->QueryInt("SELECT COUNT(*) FROM TABLE1"), c.records);
  if (c.first4A) {
    store::Statement first = db_->Prepare("SELECT \"4a\" FROM TABLE1 ORDER BY linenumber LIMIT 1");
    ASSERT_TRUE(first.Step());
    EXPECT_EQ(first.ColumnText(0).substr(0, std::string_view(c.first4A).size()), c.first4A);
  }
  EXPECT_EQ(db_->QueryInt("SELECT COUNT(*) FROM TABLERESULT"), c.imported ? 0 : 1);
  EXPECT_EQ(fs::exists(dir_ / "lines.txt_rep"), c.imported);
  EXPECT_EQ(fs::exists(dir_ / "lines.txt_annex2bis.txt"), c.imported);
  EXPECT_EQ(ui_.statuses.empty(), !c.imported);
}

INSTANTIATE_TEST_SUITE_P(ThreeAnswers, LayoutQuestionTest,
                         ::testing::Values(AnswerCase{LayoutAnswer::AsDetected, "AsDetected", true, 3, "GENT"},
                                           // Every record read 17 places early: two whole records.
                                           AnswerCase{LayoutAnswer::AsOptions, "AsOptions", true, 2, nullptr},
                                           AnswerCase{LayoutAnswer::Cancel, "Cancel", false, 1, "EARLIER"}),
                         [](const ::testing::TestParamInfo<AnswerCase>& info) { return std::string(info.param.name); });

TEST_F(ImportFileCommandTest, NotViennaRecordsAreAskedWithoutADetectedChoice) {
  fs::path readme = dir_ / "README.txt";
  fs::copy_file(std::string(TWINSCAN_SOURCE_DIR) + "/README.md", readme);
  // "As detected" has nothing to import by: it is taken for a refusal.
  ImportCommandResult result = Run(readme, FileTag::sf, LayoutAnswer::AsDetected);
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questions[0].verdict, LayoutVerdict::NotVienna);
  EXPECT_FALSE(questions[0].fitting.has_value());
  EXPECT_EQ(LayoutFindingText(readme, questions[0]),
            "The file " + readme.string() + " does not look like Vienna records (text without Vienna records).");
  EXPECT_TRUE(result.refused);
  EXPECT_FALSE(fs::exists(dir_ / "README.txt_rep"));
}

}  // namespace
}  // namespace twinscan::testing
