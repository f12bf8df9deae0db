// The import command's corrected file, written from the records on the way:
// byte for byte the one written from the stored table, or nothing of it.
#include "app/import_file_command.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/export/export_fixture.h"
#include "tools/vienna_generator.h"

namespace twinscan::testing {
namespace {

namespace fs = std::filesystem;

class ImportFileCommandTest : public ExportTest {
 protected:
  ImportFileCommandTest() : views_(*db_, ui_) {}

  // Both files read with these options, without a report.
  ImportCommandResult Run(const fs::path& file, FileTag tag, bool layout2001, bool hasHeader, bool noCrlf = false) {
    FileOptions options;
    options.vienna2001Format = layout2001;
    options.hasHeader = hasHeader;
    options.validationReport = false;
    options.export2001NoCrlf = noCrlf;
    settings_.setFileOptions(options, options);
    std::string header;
    return RunImportCommand(file, tag, settings_, *db_, &views_, ui_, &header, OutputGuard(dir_.path()),
                            [](const LayoutFinding&) { return LayoutAnswer::AsOptions; });
  }
  // Temporary files of outputs not yet complete start with a dot.
  bool HiddenFilesLeft() {
    for (const auto& entry : fs::directory_iterator(dir_.path()))
      if (entry.path().filename().string().front() == '.') return true;
    return false;
  }

  CompareSettings settings_;
  store::Views views_;
};

// Faulty records of every kind, Latin-1 letters, blanks and stray bytes.
std::vector<std::string> FaultyRecords(uint64_t seed) {
  std::vector<std::string> records = gen::GenerateRecords({seed, 400, 0.5, true});
  for (size_t i = 0; i < records.size(); i += 7)
    records[i].replace((i * 37) % 200, 12, i % 2 ? "\xE9\xFC\xC4 '\"*.-+9 " : "            ");
  records.push_back(std::string(219, ' '));
  records.push_back(std::string(219, '9'));
  return records;
}

TEST_F(ImportFileCommandTest, TheCorrectedFileIsTheOneWrittenFromTheStoredTable) {
  // The generated file's layout, then the options: 2001 layout, header, no line ends.
  const std::tuple<gen::FileOptions, bool, bool, bool, FileTag> cases[] = {
      {{false, false, false}, false, false, false, FileTag::ff},
      {{false, true, false}, false, true, true, FileTag::sf},
      {{true, true, false}, true, true, true, FileTag::ff},
      {{true, false, false}, true, false, false, FileTag::sf}};
  uint64_t seed = 3;
  for (const auto& [file, layout2001, hasHeader, noCrlf, tag] : cases) {
    SCOPED_TRACE(seed);
    fs::path in = dir_ / "in.txt";
    WriteFile(in, gen::RenderFile(FaultyRecords(seed++), file));
    ui_ = {};
    ImportCommandResult result = Run(in, tag, layout2001, hasHeader, noCrlf);
    ASSERT_TRUE(result.imported() && result.correctedWritten);
    std::string lastStatus = ui_.statuses.back();
    ui_ = {};
    std::string header = hasHeader && layout2001 ? result.import.headerText : "";
    const char* table = tag == FileTag::ff ? store::kTable1 : store::kTable2;
    ASSERT_TRUE(WriteCorrectedFile(dir_ / "from-table.txt", table, noCrlf, header, *db_, ui_).written);
    EXPECT_EQ(ReadFile(CorrectedPathFor(in)), ReadFile(dir_ / "from-table.txt"));
    // The status ends as the writer's own leaves it (after an ff import, "Importing ff done").
    EXPECT_EQ(lastStatus, tag == FileTag::ff ? "Importing ff done" : ui_.statuses.back());
    EXPECT_EQ(ui_.progressItemName, "rows");
  }
}

TEST_F(ImportFileCommandTest, AnImportThatDoesNotCompleteLeavesTheEarlierFile) {
  const std::string records = BaseRecord() + "\r\n" + WithField(BaseRecord(), "4A", "GENT") + "\r\n";
  // The file, the records before the user stops it (-1: never), the outcome.
  const std::tuple<std::string, int, ImportOutcome> cases[] = {
      {records + records + records, 2, ImportOutcome::Cancelled},
      {"short header\r\n" + records, -1, ImportOutcome::HeaderTooShort}};
  for (const auto& [content, stopAt, outcome] : cases) {
    fs::path in = dir_ / "in.txt";
    WriteFile(in, content);
    WriteFile(CorrectedPathFor(in), "earlier corrected file");
    ui_ = {};
    ui_.stopAtItem = stopAt;
    ImportCommandResult result = Run(in, FileTag::ff, false, outcome == ImportOutcome::HeaderTooShort);
    EXPECT_EQ(result.import.outcome, outcome);
    EXPECT_FALSE(result.correctedWritten || result.correctedFailed);
    EXPECT_EQ(ReadFile(CorrectedPathFor(in)), "earlier corrected file");
    EXPECT_FALSE(HiddenFilesLeft());
    EXPECT_TRUE(std::none_of(ui_.statuses.begin(), ui_.statuses.end(),
                             [](const std::string& s) { return s.starts_with("exporting"); }));
  }
}

TEST_F(ImportFileCommandTest, AFileThatCannotBeWrittenIsNamedAfterTheImportsOwnMessagesAndKeepsTheRows) {
  fs::path in = dir_ / "in.txt";
  // A record whose k unit shows a message box while it is imported.
  WriteFile(in, WithField(BaseRecord(), "1A unit", "K") + "\r\n" + BaseRecord() + "\r\n");
  fs::create_directories(CorrectedPathFor(in));  // cannot become a file
  ImportCommandResult result = Run(in, FileTag::ff, false, false);
  EXPECT_TRUE(result.imported() && result.correctedFailed && !result.correctedWritten);
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[1],
            "The corrected file " + CorrectedPathFor(in).string() + " cannot be written: Is a directory");
  EXPECT_EQ(db_->QueryInt("SELECT COUNT(*) FROM TABLE1") * 10 + views_.primary().RowCount(), 22);
  EXPECT_FALSE(HiddenFilesLeft());
}

}  // namespace
}  // namespace twinscan::testing
