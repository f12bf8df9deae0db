// The steps 7A to 13X across the records of one import: what one record
// leaves behind (the last valid 4B, the record counter) and what it must not
// (the antenna flags, the date slots, the 1Y message box).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/import_file.h"
#include "store/database.h"
#include "tests/support/test_support.h"

namespace twinscan {
namespace {

using testing::BaseRecord;
using testing::WithField;

struct RecordsFixture : ::testing::Test {
  testing::TempDir dir;
  std::unique_ptr<store::Database> db = testing::CreateTestDatabase(dir.path());
  testing::RecordingUserInterface ui;

  void Import(const std::vector<std::string>& records) {
    std::string bytes;
    for (const std::string& r : records) bytes += r + "\r\n";
    testing::WriteFile(dir / "in.txt", bytes);
    ImportOptions options{
        .hasHeader = false, .vienna2001Format = false, .validationReport = false, .suppressCleanLines = true};
    ASSERT_EQ(ImportViennaFile(dir / "in.txt", store::kTable1, options, *db, ui).outcome, ImportOutcome::Done);
  }

  // One column of TABLE1 in linenumber order, as the grid shows it ("" for Null).
  std::vector<std::string> Column(const char* column) {
    std::vector<std::string> out;
    store::Statement s = db->Prepare("SELECT " + store::QuoteName(column) + " FROM TABLE1 ORDER BY linenumber");
    store::ColumnKind kind = s.ColumnKindOf(0);
    while (s.Step()) out.push_back(store::DisplayText(s.Column(0, kind), kind));
    return out;
  }
};

std::string With(std::string record, std::initializer_list<std::pair<std::string_view, std::string_view>> fields) {
  for (const auto& [code, text] : fields) record = WithField(record, code, text);
  return record;
}

TEST_F(RecordsFixture, A13XIsRebuiltWithTheLastValidCountryAndTheRecordsBefore) {
  const std::string badReference = "XXX500001230111";
  Import({
      With(BaseRecord(), {{"4B", "NL"}, {"13X", badReference}}),  // no valid 4B yet
      With(BaseRecord(), {{"4B", "HOL"}}), With(BaseRecord(), {{"4B", "NL"}}), With(BaseRecord(), {{"4B", "NL"}}),
      With(BaseRecord(), {{"4B", "NL"}, {"13X", badReference}}),   // fifth: HOL from the second
      With(BaseRecord(), {{"4B", "D"}, {"13X", badReference}}),    // its own 4B counts
      With(BaseRecord(), {{"4B", "L#H"}, {"13X", badReference}}),  // occurs in the list, so it counts too
  });
  EXPECT_EQ(Column("13X"),
            (std::vector<std::string>{"500000000111", "BEL500001230111", "BEL500001230111", "BEL500001230111",
                                      "HOL500000040111", "D  500000050111", "L#H500000060111"}));
  EXPECT_EQ(Column("ermsg")[4], "4b wrong value ;13x wrong format ;");
  EXPECT_EQ(Column("annex2bis")[4], "13x reconstructed ;");
}

TEST_F(RecordsFixture, AntennaFlagsDoNotReachTheNextRecord) {
  Import({
      BaseRecord(),  // 9A, 9B and 9G present
      With(BaseRecord(), {{"9A", ""}, {"9B", ""}, {"9XH", ""}, {"9XV", ""}}),
      With(BaseRecord(), {{"9G", ""}, {"9XH", ""}}),
  });
  EXPECT_EQ(Column("annex2bis"),
            (std::vector<std::string>{"", "9xh -> 000ND00 ;9xv -> 000ND00 ;", "9xh -> 000ND00 ;"}));
}

TEST_F(RecordsFixture, DatesAreNotCarriedOverAfterASuppressedOne) {
  Import({
      With(BaseRecord(), {{"7A", ""}, {"2W", "01012001"}, {"2Z", "02012001"}}),
      With(BaseRecord(), {{"2W", ""}, {"2Z", ""}}),
      BaseRecord(),
  });
  EXPECT_EQ(Column("2W"), (std::vector<std::string>{"", "", "01/01/2001"}));
  EXPECT_EQ(Column("2Z"), (std::vector<std::string>{"", "", "02/01/2001"}));
  EXPECT_EQ(Column("error"), (std::vector<std::string>{"True", "False", "False"}));
}

TEST_F(RecordsFixture, TheFrequencyCategoryIsStoredAfterTheStatusDecided) {
  Import({
      With(BaseRecord(), {{"1Z", " "}, {"13Y", "P"}}), With(BaseRecord(), {{"1Z", " "}, {"13Y", " "}}),
      With(BaseRecord(), {{"1Z", "3"}, {"13Y", "P"}}),  // corrected1z of the first record is gone
  });
  EXPECT_EQ(Column("1Z"), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(Column("13Y"), (std::vector<std::string>{"P", "A", "P"}));
  EXPECT_EQ(Column("ermsg"), (std::vector<std::string>{"", "13y missing value;", ""}));
  EXPECT_EQ(Column("error"), (std::vector<std::string>{"False", "False", "False"}));
}

}  // namespace
}  // namespace twinscan
