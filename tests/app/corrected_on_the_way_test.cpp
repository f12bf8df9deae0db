// The import writes its corrected file from the records on the way: byte for
// byte the file written from the stored table afterwards, and nothing of it
// when the import does not complete.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/import_file_command.h"
#include "tests/export/export_fixture.h"
#include "tools/vienna_generator.h"

namespace twinscan::testing {
namespace {

namespace fs = std::filesystem;

class CorrectedOnTheWayTest : public ExportTest {
 protected:
  CorrectedOnTheWayTest() : views_(*db_, ui_) {}

  ImportCommandResult Run(const fs::path& file, FileTag tag, const FileOptions& options) {
    settings_.setFileOptions(options, options);
    std::string header;
    return RunImportCommand(file, tag, settings_, *db_, &views_, ui_, &header, OutputGuard(dir_.path()),
                            [](const LayoutFinding&) { return LayoutAnswer::AsOptions; });
  }

  // The files of the test's folder whose names start with a dot (the
  // temporary files of outputs not yet complete).
  std::vector<std::string> HiddenFiles() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_.path()))
      if (entry.path().filename().string().front() == '.') names.push_back(entry.path().filename().string());
    return names;
  }

  CompareSettings settings_;
  store::Views views_;
};

// Faulty records of every kind, Latin-1 letters, blanks and stray bytes.
std::vector<std::string> FaultyRecords(uint64_t seed) {
  std::vector<std::string> records = gen::GenerateRecords({seed, 400, 0.5, true});
  for (size_t i = 0; i < records.size(); i += 7) {
    std::string& r = records[i];
    size_t at = (i * 37) % 200;
    r.replace(at, 12, i % 2 ? "\xE9\xFC\xC4 '\"*.-+9 " : "            ");
  }
  records.push_back(std::string(219, ' '));
  records.push_back(std::string(219, '9'));
  return records;
}

TEST_F(CorrectedOnTheWayTest, TheFileIsTheOneWrittenFromTheStoredTable) {
  struct Case {
    const char* name;
    gen::FileOptions file;
    bool hasHeader, layout2001, export2001NoCrlf;
    FileTag tag;
  };
  const Case cases[] = {
      {"line layout", {false, false, false}, false, false, false, FileTag::ff},
      {"line layout with header", {false, true, false}, true, false, true, FileTag::sf},
      {"2001 layout with header", {true, true, false}, true, true, true, FileTag::ff},
      {"2001 layout", {true, false, false}, false, true, false, FileTag::sf},
  };
  uint64_t seed = 3;
  for (const Case& c : cases) {
    fs::path in = dir_ / "in.txt";
    WriteFile(in, gen::RenderFile(FaultyRecords(seed++), c.file));
    FileOptions options;
    options.hasHeader = c.hasHeader;
    options.vienna2001Format = c.layout2001;
    options.validationReport = false;
    options.export2001NoCrlf = c.export2001NoCrlf;
    ui_ = {};
    ImportCommandResult result = Run(in, c.tag, options);
    ASSERT_TRUE(result.imported() && result.correctedWritten) << c.name;

    const std::string table = c.tag == FileTag::ff ? store::kTable1 : store::kTable2;
    std::string lastStatus = ui_.statuses.back();
    ui_ = {};
    std::string header = c.hasHeader && c.layout2001 ? result.import.headerText : "";
    ASSERT_TRUE(WriteCorrectedFile(dir_ / "from-table.txt", table, c.export2001NoCrlf, header, *db_, ui_).written);
    EXPECT_EQ(ReadFile(CorrectedPathFor(in)), ReadFile(dir_ / "from-table.txt")) << c.name;
    // The status text ends as the writer's own leaves it (after an ff import, "Importing ff done").
    EXPECT_EQ(lastStatus, c.tag == FileTag::ff ? "Importing ff done" : ui_.statuses.back()) << c.name;
    EXPECT_EQ(ui_.progressItemName, "rows") << c.name;
  }
}

TEST_F(CorrectedOnTheWayTest, AnImportThatDoesNotCompleteLeavesTheEarlierFile) {
  struct Case {
    const char* name;
    std::string content;
    int stopAt;  // records before the user stops it; -1: never
    ImportOutcome outcome;
  };
  const std::string records = BaseRecord() + "\r\n" + WithField(BaseRecord(), "4A", "GENT") + "\r\n";
  const Case cases[] = {
      {"stopped by the user", records + records + records, 2, ImportOutcome::Cancelled},
      {"header too short", "short header\r\n" + records, -1, ImportOutcome::HeaderTooShort},
  };
  for (const Case& c : cases) {
    fs::path in = dir_ / "in.txt";
    WriteFile(in, c.content);
    WriteFile(CorrectedPathFor(in), "earlier corrected file");
    FileOptions options;
    options.vienna2001Format = false;
    options.hasHeader = c.outcome == ImportOutcome::HeaderTooShort;
    options.validationReport = false;
    ui_ = {};
    ui_.stopAtItem = c.stopAt;
    ImportCommandResult result = Run(in, FileTag::ff, options);
    EXPECT_EQ(result.import.outcome, c.outcome) << c.name;
    EXPECT_FALSE(result.correctedWritten || result.correctedFailed) << c.name;
    EXPECT_EQ(ReadFile(CorrectedPathFor(in)), "earlier corrected file") << c.name;
    EXPECT_TRUE(HiddenFiles().empty()) << c.name << ": no temporary file is left";
    EXPECT_TRUE(std::none_of(ui_.statuses.begin(), ui_.statuses.end(), [](const std::string& s) {
      return s.starts_with("exporting");
    })) << c.name;
  }
}

TEST_F(CorrectedOnTheWayTest, AFileThatCannotBeWrittenIsNamedAfterTheImportsOwnMessages) {
  fs::path in = dir_ / "in.txt";
  // A record whose k unit shows a message box while it is imported.
  WriteFile(in, WithField(BaseRecord(), "1A unit", "K") + "\r\n" + BaseRecord() + "\r\n");
  fs::create_directories(CorrectedPathFor(in));  // cannot become a file
  FileOptions options;
  options.vienna2001Format = false;
  options.hasHeader = false;
  options.validationReport = false;
  ImportCommandResult result = Run(in, FileTag::ff, options);
  EXPECT_TRUE(result.imported() && result.correctedFailed && !result.correctedWritten);
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[1],
            "The corrected file " + CorrectedPathFor(in).string() + " cannot be written: Is a directory");
  EXPECT_EQ(db_->QueryInt("SELECT COUNT(*) FROM TABLE1"), 2);
  EXPECT_TRUE(HiddenFiles().empty());
}

}  // namespace
}  // namespace twinscan::testing
