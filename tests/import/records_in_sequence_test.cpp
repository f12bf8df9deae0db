// The field steps across the records of one import: what a record leaves
// behind (the last valid 4B, the record counter) and what it must not (the
// flags its steps pass on, the error flag, the unit message box).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/import_file.h"
#include "store/database.h"
#include "tests/support/test_support.h"

namespace twinscan {
namespace {

using Fields = std::initializer_list<std::pair<std::string_view, std::string_view>>;

std::string With(Fields fields) {
  std::string record = testing::BaseRecord();
  for (const auto& [code, text] : fields) record = testing::WithField(record, code, text);
  return record;
}

struct RecordsInSequence : ::testing::Test {
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

using Texts = std::vector<std::string>;

TEST_F(RecordsInSequence, A13XIsRebuiltWithTheLastValidCountryAndTheRecordsBefore) {
  const std::string_view badReference = "XXX500001230111";
  Import({
      With({{"4B", "NL"}, {"13X", badReference}}),  // no valid 4B yet
      With({{"4B", "HOL"}}), With({{"4B", "NL"}}), With({{"4B", "NL"}}),
      With({{"4B", "NL"}, {"13X", badReference}}),   // fifth: HOL from the second
      With({{"4B", "D"}, {"13X", badReference}}),    // its own 4B counts
      With({{"4B", "L#H"}, {"13X", badReference}}),  // occurs in the list, so it counts too
  });
  EXPECT_EQ(Column("13X"), (Texts{"500000000111", "BEL500001230111", "BEL500001230111", "BEL500001230111",
                                  "HOL500000040111", "D  500000050111", "L#H500000060111"}));
  EXPECT_EQ(Column("ermsg")[4], "4b wrong value ;13x wrong format ;");
  EXPECT_EQ(Column("annex2bis")[4], "13x reconstructed ;");
}

TEST_F(RecordsInSequence, NothingAStepPassesOnReachesTheNextRecord) {
  Import({
      // A mobile station "INTR" with a blank 4D, a malformed 4C, a kHz
      // frequency, a 1Z filled in under status P, and 9A, 9B and 9G present.
      With({{"6A", "MO"},
            {"4A", "INTR"},
            {"4Z", ""},
            {"4D", ""},
            {"4C", "045E000050N0000"},
            {"1A unit", "k"},
            {"1Z", " "},
            {"13Y", "P"}}),
      // Neither mobile nor erroneous; 9A and 9B blank, its 9G present.
      With({{"6A", "FX"},
            {"4D", ""},
            {"1A unit", "K"},
            {"1Z", "3"},
            {"13Y", "P"},
            {"9A", ""},
            {"9B", ""},
            {"9XH", ""},
            {"9XV", ""}}),
      // Without 9G; a blank 1Z under a missing status.
      With({{"9G", ""}, {"9XH", ""}, {"1Z", " "}, {"13Y", " "}}),
  });
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

TEST_F(RecordsInSequence, AnErrorDoesNotSuppressTheDatesOfTheNextRecord) {
  Import({With({{"7A", ""}, {"2W", "01012001"}, {"2Z", "02012001"}}), With({{"2W", ""}, {"2Z", ""}}), With({})});
  EXPECT_EQ(Column("2W"), (Texts{"", "", "01/01/2001"}));
  EXPECT_EQ(Column("2Z"), (Texts{"", "", "02/01/2001"}));
  EXPECT_EQ(Column("error"), (Texts{"True", "False", "False"}));
}

}  // namespace
}  // namespace twinscan
