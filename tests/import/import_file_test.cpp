// The import driver: layouts, headers, line ends, the rows it writes, what
// one record leaves to the next, the report, a stop, and what it leaves alone.
#include <gtest/gtest.h>

#include "import/import_file.h"
#include "tests/support/test_support.h"

namespace twinscan {
namespace {

using testing::BaseRecord;
using Texts = std::vector<std::string>;
std::string With(std::string_view fields) { return testing::WithFields(BaseRecord(), fields); }
Texts ThreeRecords() { return {With("4A=ONE"), With("4A=TWO"), With("4A=THREE")}; }
const Texts kThreePlaces{"ONE                 ", "TWO                 ", "THREE               "};
std::string Join(const Texts& records, const std::string& separator = "\r\n") {
  std::string out;
  for (const std::string& r : records) out += r + separator;
  return out;
}

// More records than one commit group of the import holds, so that a stop
// late in the file comes after rows were committed.
constexpr int kLongFile = 6000;
std::string LongFile() { return Join(Texts(kLongFile, BaseRecord())); }

struct ImportFixture : ::testing::Test {
  testing::TempDir dir;
  std::unique_ptr<store::Database> db = testing::CreateTestDatabase(dir.path());
  testing::RecordingUserInterface ui;

  ImportResult Import(const std::string& bytes, ImportOptions options = {false, false, false, true},
                      const char* table = store::kTable1) {
    testing::WriteFile(dir / "in.txt", bytes);
    return ImportViennaFile(dir / "in.txt", table, options, *db, ui);
  }
  // One column in linenumber order, as the grid shows it ("" for Null).
  Texts Column(const char* column, const char* table = store::kTable1) {
    Texts out;
    store::Statement s = db->Prepare("SELECT " + store::QuoteName(column) + " FROM " + table + " ORDER BY linenumber");
    store::ColumnKind kind = s.ColumnKindOf(0);
    while (s.Step()) out.push_back(store::DisplayText(s.Column(0, kind), kind));
    return out;
  }
  // The rows of TABLE1, TABLE2 and TABLERESULT.
  std::string Counts() {
    store::Statement s = db->Prepare(
        "SELECT (SELECT count(*) FROM TABLE1) || ' ' || (SELECT count(*) FROM TABLE2) || ' ' || "
        "(SELECT count(*) FROM TABLERESULT)");
    return s.Step() ? std::string(s.ColumnText(0)) : "";
  }
};

TEST_F(ImportFixture, EveryLayoutOfTheSameRecordsGivesTheSameRows) {
  auto records = ThreeRecords();
  std::string joined = Join(records, "");
  const std::pair<const char*, std::string> files[] = {
      {"CR LF lines", Join(records)},
      {"LF lines", Join(records, "\n")},
      {"2001 layout without line ends", joined},
      {"records split across lines",
       joined.substr(0, 100) + "\r\n" + joined.substr(100, 300) + "\n\r\n" + joined.substr(400)},
      {"line ends before and after", "\r\n\r\n" + Join(records, "\r\n\r\n")},
      {"an incomplete last record dropped", Join(records) + records[0].substr(0, 218)},
  };
  for (const auto& [what, bytes] : files) {
    ImportResult result = Import(bytes);
    EXPECT_EQ(result.records, 3) << what;
    EXPECT_EQ(Column("linenumber"), (Texts{"1", "2", "3"})) << what;
    EXPECT_EQ(Column("4A"), kThreePlaces) << what;
  }
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ImportFixture, TheHeaderOfEachLayoutIsTakenOff) {
  std::string header2001 = "HDR" + std::string(215, '-') + "X";  // 219 characters
  ImportResult r2001 = Import(header2001 + Join(ThreeRecords(), ""), {true, true, false, true});
  EXPECT_EQ(r2001.headerText + std::to_string(r2001.records), header2001 + "3");
  ImportResult rLine = Import(std::string(200, 'H') + "\r\n" + Join(ThreeRecords()), {true, false, false, true});
  EXPECT_EQ(rLine.headerText + std::to_string(rLine.records) + Column("4A")[0], "3ONE                 ");
  // A longer line-layout header shifts the rest of its line into every record ("HHHHH00146." is no number).
  Import(std::string(205, 'H') + "\r\n" + Join(ThreeRecords()), {true, false, false, true});
  EXPECT_EQ(Column("1A")[0] + "|" + Column("4A")[0], "|72001ONE            ");
}

TEST_F(ImportFixture, AShortHeaderOrAFileThatCannotBeOpenedTouchesNothing) {
  Import(Join(ThreeRecords()));
  db->Execute("INSERT INTO TABLERESULT (linenumber, linenumber2) VALUES (1, 1)");
  EXPECT_EQ(Import("SHORT HEADER\r\n" + Join(ThreeRecords()), {true, false, false, true}).outcome,
            ImportOutcome::HeaderTooShort);
  EXPECT_EQ(ImportViennaFile(dir / "missing.txt", store::kTable1, {}, *db, ui).outcome, ImportOutcome::CannotOpen);
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0], "error: header is not long enough");
  EXPECT_NE(ui.messages[1].find((dir / "missing.txt").string()), std::string::npos);
  EXPECT_EQ(Counts(), "3 0 1");
}

TEST_F(ImportFixture, ImportingTheSecondaryFileEmptiesOnlyItsTableAndTheResults) {
  Import(Join(ThreeRecords()));
  Import(Join(ThreeRecords()), {false, false, false, true}, store::kTable2);
  db->Execute("INSERT INTO TABLERESULT (linenumber, linenumber2) VALUES (1, 1)");
  Import(BaseRecord(), {false, false, false, true}, store::kTable2);
  EXPECT_EQ(ui.statuses.back(), "Importing sf line  1");
  EXPECT_EQ(Counts(), "3 1 0");
}

TEST_F(ImportFixture, LineNumbersGoBeyondSixteenBits) {
  std::string bytes;
  const std::string record = BaseRecord();
  for (int i = 0; i < 100000; ++i) bytes += record;
  EXPECT_EQ(Import(bytes).records, 100000);
  EXPECT_EQ(db->QueryInt("SELECT count(DISTINCT linenumber) + max(linenumber) FROM TABLE1"), 200000);
  EXPECT_EQ(ui.statuses.back(), "Importing ff line  100000");
}

TEST_F(ImportFixture, ReportLinesCarryAllMessagesCleanLinesFollowTheOption) {
  // Messages of more than 255 characters: the column is cut, the report is not.
  std::string faulty = With("1A=00123,45000|6A=fx|4A=o'neil|4B=nl|7A=16k0F3EJN|9D=h |13Z=lower|13X=bel500001230111");
  Texts records = ThreeRecords();
  records[0] = faulty;
  std::string bytes = Join(records);
  Import(bytes, {false, false, false, false});
  EXPECT_FALSE(std::filesystem::exists(ReportPathFor(dir / "in.txt")));
  Import(bytes, {false, false, true, false});  // clean lines reported
  Import(bytes, {false, false, true, true});   // clean lines suppressed

  std::string ermsg = Column("ermsg")[0];
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

// What one record leaves to the next (the last valid 4B, the record counter)
// and what it must not (the flags its steps pass on, the error flag, the unit
// message box).
TEST_F(ImportFixture, A13XIsRebuiltWithTheLastValidCountryAndTheRecordsBefore) {
  Import(Join({
      With("4B=NL|13X=XXX500001230111"),  // no valid 4B yet
      With("4B=HOL"), With("4B=NL"), With("4B=NL"),
      With("4B=NL|13X=XXX500001230111"),   // fifth: HOL from the second
      With("4B=D|13X=XXX500001230111"),    // its own 4B counts
      With("4B=L#H|13X=XXX500001230111"),  // occurs in the list, so it counts too
  }));
  EXPECT_EQ(Column("13X"), (Texts{"500000000111", "BEL500001230111", "BEL500001230111", "BEL500001230111",
                                  "HOL500000040111", "D  500000050111", "L#H500000060111"}));
  EXPECT_EQ(Column("ermsg")[4], "4b wrong value ;13x wrong format ;");
  EXPECT_EQ(Column("annex2bis")[4], "13x reconstructed ;");
}

TEST_F(ImportFixture, NothingAStepPassesOnReachesTheNextRecord) {
  Import(Join({
      // A mobile station "INTR" with a blank 4D, a malformed 4C, a kHz
      // frequency, a 1Z filled in under status P, and 9A, 9B and 9G present.
      With("6A=MO|4A=INTR|4Z=|4D=|4C=045E000050N0000|1A unit=k|1Z= |13Y=P"),
      // Neither mobile nor erroneous; 9A and 9B blank, its 9G present.
      With("6A=FX|4D=|1A unit=K|1Z=3|13Y=P|9A=|9B=|9XH=|9XV="),
      // Without 9G; a blank 1Z under a missing status.
      With("9G=|9XH=|1Z= |13Y= "),
  }));
  // One message box per record with a k/K/G/g unit.
  EXPECT_EQ(ui.messages, Texts(2, "error: khz and Ghz not yet implemented"));
  EXPECT_EQ(Column("4CLONG"), (Texts{"-1", "4.5", "4.5"}));
  EXPECT_EQ(Column("4D"), (Texts{"1", "0", "10"}));
  EXPECT_EQ(Column("1A"), (Texts{"", "", "146.5"}));
  EXPECT_EQ(Column("1Z"), (Texts{"1", "3", "2"}));
  EXPECT_EQ(Column("error"), (Texts{"True", "False", "False"}));
  EXPECT_EQ(Column("annex2bis"),
            (Texts{"1z corrected ;4d -> 1 ;1z corrected -> P by f13y ;", "4d -> 0 ;9xh -> 000ND00 ;9xv -> 000ND00 ;",
                   "1z corrected ;9xh -> 000ND00 ;13y -> A ;"}));
}

TEST_F(ImportFixture, AnErrorDoesNotSuppressTheDatesOfTheNextRecord) {
  Import(Join({With("7A=|2W=01012001|2Z=02012001"), With("2W=|2Z="), BaseRecord()}));
  EXPECT_EQ(Column("2W"), (Texts{"", "", "01/01/2001"}));
  EXPECT_EQ(Column("2Z"), (Texts{"", "", "02/01/2001"}));
  EXPECT_EQ(Column("error"), (Texts{"True", "False", "False"}));
}

// Progress counts the bytes read (the last line end still unread) and the
// records; a stop ends before the next record and says so.
TEST_F(ImportFixture, ProgressCountsBytesAndRecordsAndAStopEndsBeforeTheNextRecord) {
  const std::string longFile = LongFile();
  ASSERT_EQ(Import(longFile).outcome, ImportOutcome::Done);
  EXPECT_EQ(ui.progressItemName, "records");
  EXPECT_EQ(ui.progressTotal, static_cast<int64_t>(longFile.size()));
  EXPECT_EQ(ui.progressUnits, static_cast<int64_t>(longFile.size()) - 2);
  EXPECT_EQ(ui.progressItems, kLongFile);
  for (int64_t stopAt : {0, 1, 2999, kLongFile - 1}) {
    SCOPED_TRACE(stopAt);
    ui = {};
    ui.stopAtItem = stopAt;
    ui.stop = stopAt == 0;
    ImportResult result = Import(longFile);
    EXPECT_EQ(result.outcome, ImportOutcome::Cancelled);
    EXPECT_EQ(result.records, stopAt);
    if (stopAt > 0) {  // the last status names the last record taken, none after it
      EXPECT_EQ(ui.statuses.back(), "Importing ff line  " + std::to_string(stopAt));
      EXPECT_EQ(ui.progressUnits, stopAt * 221 - 2);
    }
    EXPECT_EQ(ui.progressBegins, 1);
    EXPECT_EQ(ui.progressEnds, 1);
  }
}

}  // namespace
}  // namespace twinscan
