// The import driver: reading both layouts, headers, line ends, the rows it
// writes, the report, and what it leaves alone when it cannot run.
#include <gtest/gtest.h>

#include "import/import_file.h"
#include "store/view.h"
#include "tests/support/test_support.h"

namespace twinscan {
namespace {

using testing::BaseRecord;
using testing::WithField;

struct ImportFixture : ::testing::Test {
  testing::TempDir dir;
  std::unique_ptr<store::Database> db = testing::CreateTestDatabase(dir.path());
  testing::RecordingUserInterface ui;

  ImportResult Import(const std::string& bytes, ImportOptions options = {false, false, false, true},
                      const char* table = store::kTable1, const std::string& name = "in.txt") {
    testing::WriteFile(dir / name, bytes);
    return ImportViennaFile(dir / name, table, options, *db, ui);
  }

  std::vector<std::string> Column(const char* table, const char* column) {
    std::vector<std::string> out;
    store::Statement s = db->Prepare(std::string("SELECT \"") + column + "\" FROM " + table + " ORDER BY linenumber");
    while (s.Step())
      out.push_back(s.ColumnStored(0) == store::Statement::Stored::Null
                        ? "<null>"
                        : store::DisplayText(s.Column(0, store::ColumnKind::Text), store::ColumnKind::Text));
    return out;
  }

  int64_t Count(const char* table) { return db->QueryInt(std::string("SELECT count(*) FROM ") + table); }
};

// Three distinct records.
std::vector<std::string> ThreeRecords() {
  return {WithField(BaseRecord(), "4A", "ONE"), WithField(BaseRecord(), "4A", "TWO"),
          WithField(BaseRecord(), "4A", "THREE")};
}

std::string Join(const std::vector<std::string>& records, const std::string& separator) {
  std::string out;
  for (const std::string& r : records) out += r + separator;
  return out;
}

TEST_F(ImportFixture, EveryLayoutOfTheSameRecordsGivesTheSameRows) {
  auto records = ThreeRecords();
  std::string joined = Join(records, "");
  const std::pair<const char*, std::string> files[] = {
      {"CR LF lines", Join(records, "\r\n")},
      {"LF lines", Join(records, "\n")},
      {"2001 layout without line ends", joined},
      {"records split across lines",
       joined.substr(0, 100) + "\r\n" + joined.substr(100, 300) + "\n\r\n" + joined.substr(400)},
      {"line ends before and after", "\r\n\r\n" + Join(records, "\r\n\r\n")},
      {"an incomplete last record dropped", Join(records, "\r\n") + records[0].substr(0, 218)},
  };
  for (const auto& [what, bytes] : files) {
    ImportResult result = Import(bytes);
    EXPECT_EQ(result.records, 3) << what;
    EXPECT_EQ(Column("TABLE1", "linenumber"), (std::vector<std::string>{"1", "2", "3"})) << what;
    EXPECT_EQ(Column("TABLE1", "4A"),
              (std::vector<std::string>{"ONE                 ", "TWO                 ", "THREE               "}))
        << what;
  }
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ImportFixture, TheHeaderOfEachLayoutIsTakenOff) {
  auto records = ThreeRecords();
  std::string header2001 = "HDR" + std::string(215, '-') + "X";  // 219 characters
  ImportResult r2001 = Import(header2001 + Join(records, ""), {true, true, false, true});
  EXPECT_EQ(r2001.records, 3);
  EXPECT_EQ(r2001.headerText, header2001);

  std::string headerLine(200, 'H');
  ImportResult rLine = Import(headerLine + "\r\n" + Join(records, "\r\n"), {true, false, false, true});
  EXPECT_EQ(rLine.records, 3);
  EXPECT_EQ(rLine.headerText, "");
  EXPECT_EQ(Column("TABLE1", "4A")[0], "ONE                 ");

  // A line-layout header longer than 200 characters shifts the rest of its
  // line into the first record (and every record after it).
  ImportResult rLong = Import(std::string(205, 'H') + "\r\n" + Join(records, "\r\n"), {true, false, false, true});
  EXPECT_EQ(rLong.records, 3);
  EXPECT_EQ(Column("TABLE1", "1A")[0], "<null>");  // "HHHHH00146." is no number
  EXPECT_EQ(Column("TABLE1", "4A")[0], "72001ONE            ");
}

TEST_F(ImportFixture, AHeaderWithALineEndStopsBeforeAnyTableIsTouched) {
  Import(Join(ThreeRecords(), "\r\n"));
  db->Execute("INSERT INTO TABLERESULT (linenumber, linenumber2) VALUES (1, 1)");
  ImportResult result = Import("SHORT HEADER\r\n" + Join(ThreeRecords(), "\r\n"), {true, false, false, true});
  EXPECT_EQ(result.outcome, ImportOutcome::HeaderTooShort);
  EXPECT_EQ(ui.messages, (std::vector<std::string>{"error: header is not long enough"}));
  EXPECT_EQ(Count("TABLE1"), 3);
  EXPECT_EQ(Count("TABLERESULT"), 1);
}

TEST_F(ImportFixture, AFileThatCannotBeOpenedIsNamedAndNothingIsTouched) {
  Import(Join(ThreeRecords(), "\r\n"));
  ImportResult result = ImportViennaFile(dir / "missing.txt", store::kTable1, {}, *db, ui);
  EXPECT_EQ(result.outcome, ImportOutcome::CannotOpen);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].find((dir / "missing.txt").string()), std::string::npos);
  EXPECT_EQ(Count("TABLE1"), 3);
}

TEST_F(ImportFixture, ImportingTheSecondaryFileEmptiesOnlyItsTableAndTheResults) {
  Import(Join(ThreeRecords(), "\r\n"));
  Import(Join(ThreeRecords(), "\r\n"), {false, false, false, true}, store::kTable2);
  db->Execute("INSERT INTO TABLERESULT (linenumber, linenumber2) VALUES (1, 1)");
  Import(BaseRecord(), {false, false, false, true}, store::kTable2);
  EXPECT_EQ(ui.statuses.back(), "Importing sf line  1");
  EXPECT_EQ(Count("TABLE1"), 3);
  EXPECT_EQ(Count("TABLE2"), 1);
  EXPECT_EQ(Count("TABLERESULT"), 0);
}

TEST_F(ImportFixture, LineNumbersGoBeyondSixteenBits) {
  std::string bytes;
  const std::string record = BaseRecord();
  for (int i = 0; i < 100000; ++i) bytes += record;
  ImportResult result = Import(bytes);
  EXPECT_EQ(result.records, 100000);
  EXPECT_EQ(db->QueryInt("SELECT max(linenumber) FROM TABLE1"), 100000);
  EXPECT_EQ(db->QueryInt("SELECT count(DISTINCT linenumber) FROM TABLE1"), 100000);
  EXPECT_EQ(ui.statuses.back(), "Importing ff line  100000");
}

TEST_F(ImportFixture, QuotesAndLatin1BytesAreStoredUnchanged) {
  std::string record = WithField(WithField(BaseRecord(), "4A", "O'NEIL STATION"), "13Z", "Caf\xE9 d'\xE9t\xE9");
  Import(record);
  EXPECT_EQ(Column("TABLE1", "4A")[0], "O'NEIL STATION      ");
  // UTF-8 in the database.
  EXPECT_EQ(Column("TABLE1", "13Z")[0].substr(0, 13), "Caf\xC3\xA9 d'\xC3\xA9t\xC3\xA9");
}

TEST_F(ImportFixture, ReportLinesCarryAllMessagesCleanLinesFollowTheOption) {
  // Messages of more than 255 characters: the column is cut, the report is not.
  std::string faulty = BaseRecord();
  for (auto [code, text] : {std::pair{"1A", "00123,45000"},
                            {"6A", "fx"},
                            {"4A", "o'neil"},
                            {"4B", "nl"},
                            {"7A", "16k0F3EJN"},
                            {"9D", "h "},
                            {"13Z", "lower"},
                            {"13X", "bel500001230111"}})
    faulty = WithField(faulty, code, text);
  std::vector<std::string> records = ThreeRecords();
  records[0] = faulty;
  std::string bytes = Join(records, "\r\n");
  Import(bytes, {false, false, true, false});  // clean lines reported
  Import(bytes, {false, false, true, true});   // clean lines suppressed

  std::string ermsg = Column("TABLE1", "ermsg")[0];
  EXPECT_EQ(ermsg.size(), 255u);
  std::string report = testing::ReadFile(ReportPathFor(dir / "in.txt"));
  const std::string prefix = " 1; ERRORS : " + ermsg, annex = " ; ANNEX2BIS : 13x reconstructed ;\r\n";
  size_t end = report.find(annex);
  ASSERT_EQ(report.compare(0, prefix.size(), prefix), 0) << report;
  ASSERT_NE(end, std::string::npos);
  const std::string faultyLine = report.substr(0, end + annex.size());
  EXPECT_GT(faultyLine.size(), prefix.size() + annex.size());  // the messages beyond 255 characters
  EXPECT_EQ(report, faultyLine + " 2; ERRORS :  ; ANNEX2BIS : \r\n" + " 3; ERRORS :  ; ANNEX2BIS : \r\n" + faultyLine);
}

TEST_F(ImportFixture, NoReportFileWithoutTheOption) {
  Import(Join(ThreeRecords(), "\r\n"), {false, false, false, false});
  EXPECT_FALSE(std::filesystem::exists(ReportPathFor(dir / "in.txt")));
}

}  // namespace
}  // namespace twinscan
