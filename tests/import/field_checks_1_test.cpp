// The field steps 1A to 4Z over whole records: a valid base record with one
// field (or a few) varied; then what they carry, and must not carry, from one
// record to the next. Mobile classes come without 4Z and 9A, whose steps
// have mobile rules of their own; a blank 1A comes with a blank 8B1.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "import/import_file.h"
#include "import/record_checker.h"
#include "tests/support/test_support.h"

namespace twinscan {
namespace {

using store::Date;
using store::Value;
using RC = RecordColumn;

struct Field {
  std::string_view code, text;
};

std::string Describe(const std::vector<Field>& fields) {
  std::string out;
  for (const Field& f : fields) out += std::string(f.code) + "=\"" + std::string(f.text) + "\" ";
  return out;
}

std::string RecordWith(const std::vector<Field>& fields) {
  std::string record = testing::BaseRecord();
  for (const Field& f : fields) record = testing::WithField(record, f.code, f.text);
  return record;
}

// One record checked, not yet completed.
struct Checked {
  explicit Checked(const std::vector<Field>& fields) { CheckRecord(ctx, RecordWith(fields)); }
  testing::RecordingUserInterface ui;
  ImportContext ctx{ui};
  const ViennaRecord& rec = ctx.rec;
  const RowBuilder& row = ctx.row;
};

const Value kNull{};
Value Text(std::string s) { return Value(std::move(s)); }
Value Whole(int64_t n) { return Value(n); }
std::string Padded(std::string s, size_t width) { return s.resize(width, ' '), s; }

const Field kNoAltitude{"4Z", ""}, kNoAzimuth{"9A", ""}, kNo8b1{"8B1", ""};

TEST(FieldChecks1, MessagesCorrectionsAndStoredValues) {
  struct Case {
    std::vector<Field> fields;
    std::optional<RC> column;  // none: the column is written by a later step
    Value value;
    std::string ermsg, annex2bis;
    bool error;
  };
  const std::string bad1a = "1a not posnum ;1a no explicit dec. point on place 6 ;error in 1a ;";
  const std::string intr = Padded("INTR", 20);
  const std::vector<Case> cases = {
      {{{"1A unit", "m"}}, RC::c1A, 146.5, "", "", false},
      {{{"1A", "00123,45000"}}, RC::c1A, kNull, bad1a, "", true},
      {{{"1A", "0123.450000"}}, RC::c1A, 123.45, "1a no explicit dec. point on place 6 ;", "", true},
      {{{"1A", "00000.00000"}}, RC::c1A, kNull, "", "", false},
      {{{"1A", ""}, kNo8b1, {"1A unit", " "}}, RC::c1A, kNull, "", "", false},
      {{{"1A", ""}, kNo8b1, {"1A unit", "X"}}, RC::c1A, kNull, "1a wrong unit ;", "", true},
      {{{"1A unit", " "}}, RC::c1A, kNull, "no unit in 1a when unit is required ;", "", true},
      {{{"1A", "00123,45000"}, {"1A unit", " "}}, RC::c1A, kNull, bad1a, "", true},
      {{{"1A unit", "g"}}, RC::c1A, kNull, "", "", false},
      {{{"1Z", " "}}, std::nullopt, kNull, "", "1z corrected ;", false},
      {{{"1Z", "7"}}, std::nullopt, kNull, "1z wrong value ;", "", true},
      {{{"6A", "XY"}}, RC::c6A, Text("XY"), "6a wrong value ;", "", true},
      {{{"6A", " F"}}, RC::c6A, Text(" F"), "6a not left justified ;", "", true},  // occurs in "FA  FB"
      {{{"6A", "  "}}, RC::c6A, Text("  "), "6a empty ;", "", true},
      {{{"6A", "fx"}}, RC::c6A, Text("fx"), "6a not alphanum ;6a wrong value ;", "", true},
      {{{"6B", "  "}}, RC::c6B, Text("OT"), "", "6b corrected ;", false},
      {{{"6B", "ZZ"}}, RC::c6B, Text("ZZ"), "6b wrong ;", "", false},  // a warning
      {{{"6B", " C"}}, RC::c6B, Text(" C"), "6b not left justified ;", "", true},
      {{{"6Z", "  "}}, RC::c6Z, Text("XX"), "", "6z corrected ;", false},
      {{{"6Z", "JJ"}}, RC::c6Z, Text("JJ"), "6z wrong value ;", "", true},  // once for both
      {{{"6Z", " A"}}, RC::c6Z, Text(" A"), "6z not left justified ;", "", true},
      {{{"10Z", " "}}, RC::c10Z, Whole(0), "", "", false},
      {{{"10Z", "5"}}, RC::c10Z, Whole(5), "10z wrong value ;", "", false},
      {{{"10Z", "A"}}, RC::c10Z, kNull, "10z wrong value ;error in 10z ;", "", true},
      {{{"2C", "29022000"}}, RC::c2C, Date{2000, 2, 29}, "", "", false},
      {{{"2C", "0107 001"}}, RC::c2C, Date{1, 7, 1}, "", "", false},
      {{{"2C", ""}}, RC::c2C, kNull, "", "", false},
      {{{"2C", "31022001"}}, RC::c2C, kNull, "2c wrong value ;", "", true},
      {{{"2C", "  132001"}}, RC::c2C, kNull, "2c wrong value day ;", "", true},  // no calendar test
      {{{"2C", "01AB2001"}}, RC::c2C, kNull, "2c wrong value month;", "", true},
      {{{"2C", "0107    "}}, RC::c2C, kNull, "2c wrong value year;", "", true},
      {{{"1A", "00123,45000"}}, RC::c2C, kNull, bad1a, "", true},
      {{{"6B", "ZZ"}, {"6Z", "  "}}, RC::c2C, Date{2001, 7, 1}, "6b wrong ;", "6z corrected ;", false},
      {{{"4A", "O'NEIL"}}, RC::c4A, Text(Padded("O'NEIL", 20)), "4a not alphanum ;", "", true},
      {{{"4A", "  INTR"}},
       RC::c4A,
       Text(Padded("  INTR", 20)),
       "4a not left justified ;4c is not empty and 4a is INTR ;",
       "",
       true},
      {{{"4A", "INTR"}, {"4C", ""}}, RC::c4A, Text(intr), "", "", false},
      {{{"4C", ""}}, RC::c4A, Text("INTR"), "", "4a -> INTR because 4c empty ;", false},
      {{{"4B", "D"}}, RC::c4B, Text("D  "), "", "", false},
      {{{"4B", "NL"}}, RC::c4B, Text("NL "), "4b wrong value ;", "", true},
      {{{"4B", "L#H"}}, RC::c4B, Text("L#H"), "4b not alphanum ;", "", true},
      {{{"6A", "ML"}, kNoAzimuth, kNoAltitude, {"4D", ""}}, RC::c4D, Whole(1), "", "4d -> 1 ;", false},
      {{{"4D", ""}}, RC::c4D, Whole(0), "", "4d -> 0 ;", false},
      {{{"6A", "  "}, {"4D", ""}}, RC::c4D, Whole(1), "6a empty ;", "4d -> 1 ;", true},  // blanks are mobile
      {{{"6A", "A "}, {"4D", ""}}, RC::c4D, Whole(1), "", "4d -> 1 ;", false},           // "A " occurs in "MA  ML"
      {{{"6A", "MO"}, kNoAzimuth, kNoAltitude, {"4D", "    0"}},
       RC::c4D,
       Whole(0),
       "4d can not be 0 when 6A mobile ;",
       "",
       true},
      {{{"4D", "ABCDE"}}, RC::c4D, kNull, "error in 4d ;", "", true},
      {{{"4D", " 12.5"}}, RC::c4D, Whole(12), "", "", false},
      {{{"4Z", "-012"}}, RC::c4Z, Whole(-12), "", "", false},
      {{{"4Z", "12.5"}}, RC::c4Z, Whole(12), "4z wrong format ;", "", true},
      {{{"4Z", "ABCD"}}, RC::c4Z, kNull, "4z wrong format ;error in 4z ;", "", true},
      {{{"6A", "MO"}, kNoAzimuth, {"4Z", ""}}, RC::c4Z, kNull, "", "", false},
      {{{"6A", "MX"}, kNoAzimuth, {"4Z", " 100"}},
       RC::c4Z,
       Whole(100),
       "6a wrong value ;4z altitude for Mobile ;",
       "",
       true},  // the first letter decides
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Describe(c.fields));
    Checked got(c.fields);
    EXPECT_EQ(got.rec.ermsg + "|" + got.rec.annex2bis, c.ermsg + "|" + c.annex2bis);
    EXPECT_EQ(got.rec.error, c.error);
    if (c.column) {
      EXPECT_TRUE(got.row.value(*c.column) == c.value);
    }
  }
}

TEST(FieldChecks1, Coordinates) {
  struct Case {
    std::vector<Field> fields;
    Value stored;
    double longitude, latitude;
    std::string ermsg, annex2bis;
  };
  const std::vector<Case> cases = {
      {{}, Text("004E300051N3000"), 4.5, 51.5, "", ""},
      {{{"4C", "004W300051N3000"}}, Text("004W300051N3000"), 355.5, 51.5, "", ""},
      {{{"4C", "040E595990N5959"}},
       Text("040E595990N5959"),
       40 + 59 / 60.0 + 59 / 3600.0,
       90 + 59 / 60.0 + 59 / 3600.0,
       "",
       ""},
      {{{"4C", "004E30  51N30  "}}, Text("004E300051N3000"), 4.5, 51.5, "", "4c longsec -> 00 ;4c latsec -> 00 ;"},
      {{{"4C", "041E000050N0000"}}, Text("041E000050N0000"), -1, -1, "4c wrong longdeg ;", ""},
      {{{"4C", "004E300091N3000"}}, Text("004E300091N3000"), -1, -1, "4c wrong latdeg ;", ""},
      {{{"4C", "004E300051N6000"}}, Text("004E300051N6000"), -1, -1, "4c wrong latmin ;", ""},
      {{{"4C", "004E300051S3000"}}, Text("004E300051S3000"), -1, -1, "4c wrong format ;", ""},
      {{{"4C", "004E30AB51N3000"}}, Text("004E30AB51N3000"), -1, -1, "4c wrong format ;4c error in longsec ;", ""},
      {{{"4C", "   E300051N3000"}}, Text("   E300051N3000"), -1, -1, "4c error in longdeg ;", ""},
      // Every test runs: format, INTR, the seconds, then the ranges.
      {{{"4A", "INTR"}, {"4C", "045E00  50S00  "}},
       Text("045E000050S0000"),
       -1,
       -1,
       "4c wrong format ;4c is not empty and 4a is INTR ;4c wrong longdeg ;",
       "4c longsec -> 00 ;4c latsec -> 00 ;"},
      {{{"4A", "INTR"}}, Text("004E300051N3000"), 4.5, 51.5, "4c is not empty and 4a is INTR ;", ""},
      {{{"4C", ""}}, kNull, 0, 0, "", "4a -> INTR because 4c empty ;"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Describe(c.fields));
    Checked got(c.fields);
    EXPECT_EQ(got.rec.ermsg + "|" + got.rec.annex2bis, c.ermsg + "|" + c.annex2bis);
    EXPECT_TRUE(got.row.value(RC::c4C) == c.stored);
    EXPECT_TRUE(got.row.value(RC::c4CLONG) == Value(c.longitude));
    EXPECT_TRUE(got.row.value(RC::c4CLAT) == Value(c.latitude));
  }
}

TEST(FieldChecks1AcrossRecords, RowsDoNotInheritFromTheRecordBefore) {
  testing::TempDir dir;
  auto db = testing::CreateTestDatabase(dir.path());
  testing::WriteFile(
      dir / "f.txt",
      RecordWith({{"6A", "MO"}, {"9A", ""}, {"4Z", ""}, {"4D", ""}, {"4C", "045E000050N0000"}, {"1A unit", "k"}}) +
          "\r\n" + RecordWith({{"6A", "FX"}, {"4D", ""}, {"2C", ""}, {"1A unit", "K"}}) + "\r\n");
  testing::RecordingUserInterface ui;
  ASSERT_EQ(ImportViennaFile(dir / "f.txt", store::kTable1, {false, false, false, true}, *db, ui).records, 2);
  // One message box per record with a k/K/G/g unit.
  EXPECT_EQ(ui.messages, std::vector<std::string>(2, "error: khz and Ghz not yet implemented"));

  store::Statement rows =
      db->Prepare("SELECT \"2C\", \"4CLONG\", \"4CLAT\", \"4D\", \"1A\" FROM TABLE1 ORDER BY linenumber");
  std::vector<std::vector<Value>> got;
  while (rows.Step()) {
    got.emplace_back();
    for (int c = 0; c < rows.ColumnCount(); ++c) got.back().push_back(rows.Column(c, rows.ColumnKindOf(c)));
  }
  ASSERT_EQ(got.size(), 2u);
  // Malformed 4C, a mobile station with a blank 4D, a date, a kHz frequency.
  EXPECT_EQ(got[0], (std::vector<Value>{store::Date{2001, 7, 1}, -1.0, -1.0, int64_t{1}, Value{}}));
  // valid4c is true again, the station is not mobile, the date is not carried over.
  EXPECT_EQ(got[1], (std::vector<Value>{Value{}, 4.5, 51.5, int64_t{0}, Value{}}));
}

}  // namespace
}  // namespace twinscan
