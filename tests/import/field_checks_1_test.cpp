// The field steps 1A to 4Z, run over whole records: a valid base record with
// one field (or a few) varied.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/coordinates.h"
#include "import/field_steps.h"
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

// One record checked (not yet completed), with the message boxes it showed.
struct Checked {
  ViennaRecord rec;
  RowBuilder row;
  std::string lastValid4b;
  std::vector<std::string> boxes;
};

std::string RecordWith(const std::vector<Field>& fields) {
  std::string record = testing::BaseRecord();
  for (const Field& f : fields) record = testing::WithField(record, f.code, f.text);
  return record;
}

Checked Check(const std::vector<Field>& fields) {
  testing::RecordingUserInterface ui;
  ImportContext ctx(ui);
  CheckRecord(ctx, RecordWith(fields));
  return {ctx.rec, ctx.row, ctx.lastValid4b, ui.messages};
}

std::string Describe(const std::vector<Field>& fields) {
  std::string out;
  for (const Field& f : fields) out += std::string(f.code) + "=\"" + std::string(f.text) + "\" ";
  return out;
}

// Messages, error flag and the value of one column.
struct Case {
  std::vector<Field> fields;
  std::string ermsg;
  std::string annex2bis;
  bool error;
  Value value;  // of the column under test; monostate for Null
  int boxes = 0;
};

void ExpectCases(RC column, const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(Describe(c.fields));
    Checked got = Check(c.fields);
    EXPECT_EQ(got.rec.ermsg, c.ermsg);
    EXPECT_EQ(got.rec.annex2bis, c.annex2bis);
    EXPECT_EQ(got.rec.error, c.error);
    EXPECT_TRUE(got.row.value(column) == c.value) << "column " << store::kRecordColumnNames[store::Index(column)];
    EXPECT_EQ(static_cast<int>(got.boxes.size()), c.boxes);
  }
}

const Value kNull{};
Value Text(std::string_view s) { return Value(std::string(s)); }
Value Whole(int64_t n) { return Value(n); }

TEST(FieldChecks1, BaseRecordIsClean) {
  Checked got = Check({});
  EXPECT_EQ(got.rec.ermsg, "");
  EXPECT_EQ(got.rec.annex2bis, "");
  EXPECT_FALSE(got.rec.error);
}

TEST(FieldChecks1, FrequencyAndUnit) {
  // A blank 1A leaves has1a false, which the 8B1 step reads: its 8B1 is blank too.
  const Field blank1a{"1A", ""}, blank8b1{"8B1", ""};
  const std::string threeErrors = "1a not posnum ;1a no explicit dec. point on place 6 ;error in 1a ;";
  ExpectCases(RC::c1A, {
      {{{"1A", "00123.45000"}}, "", "", false, 123.45},
      {{{"1A", "00123.45000"}, {"1A unit", "m"}}, "", "", false, 123.45},
      {{{"1A", "00123,45000"}}, threeErrors, "", true, kNull},
      {{{"1A", "00123,45000"}, {"1A unit", " "}}, threeErrors, "", true, kNull},
      {{{"1A", "0123.450000"}}, "1a no explicit dec. point on place 6 ;", "", true, 123.45},
      {{{"1A", "00123.4500A"}}, "1a not posnum ;error in 1a ;", "", true, kNull},
      {{{"1A", "00000.00000"}}, "", "", false, kNull},
      {{{"1A", "00000.00000"}, {"1A unit", " "}}, "", "", false, kNull},
      {{blank1a, blank8b1}, "", "", false, kNull},
      {{blank1a, blank8b1, {"1A unit", " "}}, "", "", false, kNull},
      {{blank1a, blank8b1, {"1A unit", "X"}}, "1a wrong unit ;", "", true, kNull},
      {{blank1a, blank8b1, {"1A unit", "K"}}, "", "", false, kNull, 1},
      {{{"1A unit", " "}}, "no unit in 1a when unit is required ;", "", true, kNull},
      {{{"1A unit", "X"}}, "1a wrong unit ;", "", true, kNull},
      {{{"1A unit", "k"}}, "", "", false, kNull, 1},
      {{{"1A unit", "K"}}, "", "", false, kNull, 1},
      {{{"1A unit", "G"}}, "", "", false, kNull, 1},
      {{{"1A unit", "g"}}, "", "", false, kNull, 1},
  });
}

TEST(FieldChecks1, UnitMessageBoxText) {
  Checked got = Check({{"1A unit", "k"}});
  ASSERT_EQ(got.boxes.size(), 1u);
  EXPECT_EQ(got.boxes[0], "error: khz and Ghz not yet implemented");
}

TEST(FieldChecks1, Has1a) {
  EXPECT_TRUE(Check({}).rec.has1a);
  EXPECT_TRUE(Check({{"1A", "00000.00000"}}).rec.has1a);
  EXPECT_TRUE(Check({{"1A", "00123,45000"}}).rec.has1a);  // set although it did not convert
  EXPECT_FALSE(Check({{"1A", ""}, {"8B1", ""}}).rec.has1a);
}

TEST(FieldChecks1, FrequencyCategory) {
  struct Case { std::string_view text; std::string_view slot; const char* ermsg; const char* annex2bis; bool corrected; };
  const Case cases[] = {
      {"1", "1", "", "", false},     {"5", "5", "", "", false},
      {" ", "2", "", "1z corrected ;", true},
      {"7", "7", "1z wrong value ;", "", false}, {"0", "0", "1z wrong value ;", "", false},
      {"A", "A", "1z wrong value ;", "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Checked got = Check({{"1Z", c.text}});
    EXPECT_EQ(got.rec.ermsg, c.ermsg);
    EXPECT_EQ(got.rec.annex2bis, c.annex2bis);
    EXPECT_EQ(got.rec.error, *c.ermsg != '\0');
    EXPECT_EQ(got.rec.corrected1z, c.corrected);

    // The slot as the 13Y step finds it.
    testing::RecordingUserInterface ui;
    ImportContext ctx(ui);
    Check1Z(ctx, c.text);
    EXPECT_EQ(ctx.rec.f1z, c.slot);
  }
}

TEST(FieldChecks1, ClassOfStation) {
  // A 6A beginning with "M" draws the 4Z and 9A mobile rules: those records
  // carry no altitude and no azimuth.
  struct Case { std::vector<Field> fields; const char* ermsg; bool mobile; };
  const std::vector<Case> cases = {
      {{{"6A", "FX"}}, "", false},
      {{{"6A", "MO"}, {"4Z", ""}, {"9A", ""}}, "", true},
      {{{"6A", "MS"}, {"4Z", ""}, {"9A", ""}}, "", true},
      {{{"6A", "XY"}}, "6a wrong value ;", false},
      {{{"6A", " F"}}, "6a not left justified ;", false},  // " F" occurs inside "FA  FB"
      {{{"6A", "  "}}, "6a empty ;", true},                 // two blanks occur in both lists
      {{{"6A", "A "}}, "", true},                           // so does "A "
      {{{"6A", "fx"}}, "6a not alphanum ;6a wrong value ;", false},
      {{{"6A", "F'"}}, "6a not alphanum ;6a wrong value ;", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Describe(c.fields));
    Checked got = Check(c.fields);
    EXPECT_EQ(got.rec.ermsg, c.ermsg);
    EXPECT_EQ(got.rec.error, *c.ermsg != '\0');
    EXPECT_EQ(got.rec.mobile6a, c.mobile);
    EXPECT_TRUE(got.row.value(RC::c6A) == Text(c.fields[0].text));
    EXPECT_EQ(got.rec.f6a, c.fields[0].text);  // kept after the write
  }
}

TEST(FieldChecks1, NatureOfService) {
  ExpectCases(RC::c6B, {
      {{{"6B", "FS"}}, "", "", false, Text("FS")},
      {{{"6B", "  "}}, "", "6b corrected ;", false, Text("OT")},
      {{{"6B", "ZZ"}}, "6b wrong ;", "", false, Text("ZZ")},  // a warning only
      {{{"6B", " C"}}, "6b not left justified ;", "", true, Text(" C")},
      {{{"6B", "cv"}}, "6b not alphanum ;6b wrong ;", "", true, Text("cv")},
  });
}

TEST(FieldChecks1, CategoryOfUse) {
  ExpectCases(RC::c6Z, {
      {{{"6Z", "AB"}}, "", "", false, Text("AB")},
      {{{"6Z", "A "}}, "", "", false, Text("A ")},
      {{{"6Z", "  "}}, "", "6z corrected ;", false, Text("XX")},
      {{{"6Z", "JA"}}, "6z wrong value ;", "", true, Text("JA")},
      {{{"6Z", "AJ"}}, "6z wrong value ;", "", true, Text("AJ")},
      {{{"6Z", "JJ"}}, "6z wrong value ;", "", true, Text("JJ")},  // once for both letters
      {{{"6Z", "ab"}}, "6z wrong value ;", "", true, Text("ab")},
      {{{"6Z", " A"}}, "6z not left justified ;", "", true, Text(" A")},
      {{{"6Z", "'A"}}, "6z wrong value ;", "", true, Text("'A")},  // no alphanumeric test
  });
}

TEST(FieldChecks1, ChannelOccupation) {
  ExpectCases(RC::c10Z, {
      {{{"10Z", "1"}}, "", "", false, Whole(1)},
      {{{"10Z", "0"}}, "", "", false, Whole(0)},
      {{{"10Z", " "}}, "", "", false, Whole(0)},
      {{{"10Z", "5"}}, "10z wrong value ;", "", false, Whole(5)},
      {{{"10Z", "A"}}, "10z wrong value ;error in 10z ;", "", true, kNull},
      {{{"10Z", "."}}, "10z wrong value ;error in 10z ;", "", true, kNull},
  });
}

TEST(FieldChecks1, DateOfBringingIntoUse) {
  ExpectCases(RC::c2C, {
      {{{"2C", "01072001"}}, "", "", false, Date{2001, 7, 1}},
      {{{"2C", "29022000"}}, "", "", false, Date{2000, 2, 29}},
      {{{"2C", "0107 001"}}, "", "", false, Date{1, 7, 1}},
      {{{"2C", " 5072001"}}, "", "", false, Date{2001, 7, 5}},
      {{{"2C", "5 072001"}}, "", "", false, Date{2001, 7, 5}},
      {{{"2C", ""}}, "", "", false, kNull},
      {{{"2C", "31022001"}}, "2c wrong value ;", "", true, kNull},
      {{{"2C", "29021900"}}, "2c wrong value ;", "", true, kNull},
      {{{"2C", "00072001"}}, "2c wrong value ;", "", true, kNull},
      {{{"2C", "01132001"}}, "2c wrong value ;", "", true, kNull},
      {{{"2C", "AB072001"}}, "2c wrong value day ;", "", true, kNull},
      {{{"2C", "  072001"}}, "2c wrong value day ;", "", true, kNull},
      {{{"2C", "01AB2001"}}, "2c wrong value month;", "", true, kNull},
      {{{"2C", "01  2001"}}, "2c wrong value month;", "", true, kNull},
      {{{"2C", "0107    "}}, "2c wrong value year;", "", true, kNull},
      {{{"2C", "0107200X"}}, "2c wrong value year;", "", true, kNull},
      // A faulty part stops the calendar test.
      {{{"2C", "AB132001"}}, "2c wrong value day ;", "", true, kNull},
      // An error of an earlier field stops the calendar test and the write ...
      {{{"1A", "00123,45000"}},
       "1a not posnum ;1a no explicit dec. point on place 6 ;error in 1a ;", "", true, kNull},
      {{{"6A", "XY"}, {"2C", "31022001"}}, "6a wrong value ;", "", true, kNull},
      // ... a warning or a correction does not.
      {{{"6B", "ZZ"}, {"6Z", "  "}}, "6b wrong ;", "6z corrected ;", false, Date{2001, 7, 1}},
  });
}

TEST(FieldChecks1, NameOfStation) {
  const std::string intr = "INTR" + std::string(16, ' ');
  const char* withIntr = "4c is not empty and 4a is INTR ;";
  ExpectCases(RC::c4A, {
      {{{"4A", "ANTWERPEN"}}, "", "", false, Text("ANTWERPEN" + std::string(11, ' '))},
      {{{"4A", ""}}, "", "", false, Text(std::string(20, ' '))},
      {{{"4A", "O'NEIL STATION"}}, "4a not alphanum ;", "", true, Text("O'NEIL STATION      ")},
      {{{"4A", "antwerpen"}}, "4a not alphanum ;", "", true, Text("antwerpen" + std::string(11, ' '))},
      {{{"4A", "INTR"}}, withIntr, "", true, Text(intr)},
      {{{"4A", "  INTR"}}, std::string("4a not left justified ;") + withIntr, "", true, Text("  INTR" + std::string(14, ' '))},
      {{{"4A", "INTRA"}}, "", "", false, Text("INTRA" + std::string(15, ' '))},
      // Without coordinates the station becomes INTR.
      {{{"4A", "INTR"}, {"4C", ""}}, "", "", false, Text(intr)},
      {{{"4A", "  INTR"}, {"4C", ""}}, "4a not left justified ;", "", true, Text("  INTR" + std::string(14, ' '))},
      {{{"4A", "ANTWERPEN"}, {"4C", ""}}, "", "4a -> INTR because 4c empty ;", false, Text("INTR")},
      {{{"4A", ""}, {"4C", ""}}, "", "4a -> INTR because 4c empty ;", false, Text("INTR")},
  });
}

TEST(FieldChecks1, Intr4a) {
  EXPECT_TRUE(Check({{"4A", "INTR"}}).rec.intr4a);
  EXPECT_TRUE(Check({{"4A", "  INTR"}}).rec.intr4a);
  EXPECT_FALSE(Check({{"4A", "INTRA"}}).rec.intr4a);
  EXPECT_FALSE(Check({{"4A", "ANTWERPEN"}, {"4C", ""}}).rec.intr4a);  // made INTR, but not read as INTR
}

TEST(FieldChecks1, Country) {
  struct Case { std::string_view text; const char* ermsg; std::string_view lastValid; };
  const Case cases[] = {
      {"BEL", "", "BEL"},
      {"HOL", "", "HOL"},
      {"D", "", "D  "},
      {"NL", "4b wrong value ;", ""},
      {"L#H", "4b not alphanum ;", "L#H"},  // occurs across a separator
      {" BE", "4b not left justified ;4b wrong value ;", ""},
      {"bel", "4b not alphanum ;4b wrong value ;", ""},
      {"", "4b wrong value ;", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Checked got = Check({{"4B", c.text}});
    EXPECT_EQ(got.rec.ermsg, c.ermsg);
    EXPECT_EQ(got.rec.error, *c.ermsg != '\0');
    EXPECT_EQ(got.lastValid4b, c.lastValid);
    std::string stored(c.text);
    stored.resize(3, ' ');
    EXPECT_TRUE(got.row.value(RC::c4B) == Text(stored));
  }
}

TEST(FieldChecks1, Coordinates) {
  struct Case {
    std::vector<Field> fields;
    std::string ermsg, annex2bis;
    Value stored4c;
    double longitude, latitude;
  };
  const std::vector<Case> cases = {
      {{{"4C", "004E300051N3000"}}, "", "", Text("004E300051N3000"), 4.5, 51.5},
      {{{"4C", "004W300051N3000"}}, "", "", Text("004W300051N3000"), 355.5, 51.5},
      {{{"4C", "040E595990N5959"}}, "", "", Text("040E595990N5959"), 40 + 59 / 60.0 + 59 / 3600.0,
       90 + 59 / 60.0 + 59 / 3600.0},
      {{{"4C", "4  E300051N3000"}}, "", "", Text("4  E300051N3000"), 4.5, 51.5},
      {{{"4C", "004E30  51N30  "}}, "", "4c longsec -> 00 ;4c latsec -> 00 ;", Text("004E300051N3000"), 4.5, 51.5},
      {{{"4C", "004E30  51N3000"}}, "", "4c longsec -> 00 ;", Text("004E300051N3000"), 4.5, 51.5},
      {{{"4C", "045E000050N0000"}}, "4c wrong longdeg ;", "", Text("045E000050N0000"), -1, -1},
      {{{"4C", "041E000050N0000"}}, "4c wrong longdeg ;", "", Text("041E000050N0000"), -1, -1},
      {{{"4C", "004E600051N3000"}}, "4c wrong longmin ;", "", Text("004E600051N3000"), -1, -1},
      {{{"4C", "004E306051N3000"}}, "4c wrong longsec ;", "", Text("004E306051N3000"), -1, -1},
      {{{"4C", "004E300091N3000"}}, "4c wrong latdeg ;", "", Text("004E300091N3000"), -1, -1},
      {{{"4C", "004E300051N6000"}}, "4c wrong latmin ;", "", Text("004E300051N6000"), -1, -1},
      {{{"4C", "004E300051N3060"}}, "4c wrong latsec ;", "", Text("004E300051N3060"), -1, -1},
      {{{"4C", "004E300051S3000"}}, "4c wrong format ;", "", Text("004E300051S3000"), -1, -1},
      {{{"4C", "004X300051N3000"}}, "4c wrong format ;", "", Text("004X300051N3000"), -1, -1},
      {{{"4C", "004e300051N3000"}}, "4c wrong format ;", "", Text("004e300051N3000"), -1, -1},
      {{{"4C", "004E30AB51N3000"}}, "4c wrong format ;4c error in longsec ;", "", Text("004E30AB51N3000"), -1, -1},
      {{{"4C", "   E300051N3000"}}, "4c error in longdeg ;", "", Text("   E300051N3000"), -1, -1},
      {{{"4C", "0 4E300051N3000"}}, "4c error in longdeg ;", "", Text("0 4E300051N3000"), -1, -1},
      {{{"4C", "ABCDEFGHIJKLMNO"}},
       "4c wrong format ;4c error in longdeg ;4c error in longmin ;4c error in longsec ;"
       "4c error in latdeg ;4c error in latmin ;4c error in latsec ;",
       "", Text("ABCDEFGHIJKLMNO"), -1, -1},
      // Messages in check order: format, INTR, seconds, ranges.
      {{{"4A", "INTR"}, {"4C", "045E00  50S00  "}},
       "4c wrong format ;4c is not empty and 4a is INTR ;4c wrong longdeg ;",
       "4c longsec -> 00 ;4c latsec -> 00 ;", Text("045E000050S0000"), -1, -1},
      // A well-formed 4C beside an INTR station is still converted.
      {{{"4A", "INTR"}}, "4c is not empty and 4a is INTR ;", "", Text("004E300051N3000"), 4.5, 51.5},
      {{{"4C", ""}}, "", "4a -> INTR because 4c empty ;", kNull, 0, 0},
      {{{"4A", "INTR"}, {"4C", ""}}, "", "", kNull, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Describe(c.fields));
    Checked got = Check(c.fields);
    EXPECT_EQ(got.rec.ermsg, c.ermsg);
    EXPECT_EQ(got.rec.annex2bis, c.annex2bis);
    EXPECT_EQ(got.rec.error, !c.ermsg.empty());
    EXPECT_EQ(got.rec.valid4c, c.longitude != -1);
    EXPECT_TRUE(got.row.value(RC::c4C) == c.stored4c);
    EXPECT_TRUE(got.row.value(RC::c4CLONG) == Value(c.longitude)) << store::NumberOf(got.row.value(RC::c4CLONG)).value_or(-99);
    EXPECT_TRUE(got.row.value(RC::c4CLAT) == Value(c.latitude)) << store::NumberOf(got.row.value(RC::c4CLAT)).value_or(-99);
  }
}

TEST(FieldChecks1, ConvertCoordinates) {
  Coordinates east = ConvertCoordinates("004E300051N3000");
  EXPECT_FALSE(east.failed);
  EXPECT_DOUBLE_EQ(east.longitude, 4.5);
  EXPECT_DOUBLE_EQ(east.latitude, 51.5);
  EXPECT_DOUBLE_EQ(ConvertCoordinates("004W300051N3000").longitude, 355.5);
  EXPECT_TRUE(ConvertCoordinates("004E300051S3000").failed);
  EXPECT_TRUE(ConvertCoordinates(std::string(15, ' ')).failed);
  EXPECT_TRUE(ConvertCoordinates("").failed);
}

TEST(FieldChecks1, ServiceArea) {
  // Mobile classes without 4Z and 9A (their steps have mobile rules of their own).
  const Field noAzimuth{"9A", ""}, noAltitude{"4Z", ""};
  ExpectCases(RC::c4D, {
      {{{"4D", "00010"}}, "", "", false, Whole(10)},
      {{{"6A", "ML"}, noAzimuth, noAltitude, {"4D", ""}}, "", "4d -> 1 ;", false, Whole(1)},
      {{{"6A", "FX"}, {"4D", ""}}, "", "4d -> 0 ;", false, Whole(0)},
      {{{"6A", "  "}, {"4D", ""}}, "6a empty ;", "4d -> 1 ;", true, Whole(1)},  // two blanks count as mobile
      {{{"6A", "MO"}, noAzimuth, noAltitude, {"4D", "    0"}}, "4d can not be 0 when 6A mobile ;", "", true, Whole(0)},
      {{{"6A", "FX"}, {"4D", "00000"}}, "", "", false, Whole(0)},
      {{{"4D", "ABCDE"}}, "error in 4d ;", "", true, kNull},
      {{{"4D", "99999"}}, "error in 4d ;", "", true, kNull},  // beyond 16 bits
      {{{"4D", "-0005"}}, "", "", false, Whole(-5)},
      {{{"4D", " 12.5"}}, "", "", false, Whole(12)},
      {{{"4D", " 13.5"}}, "", "", false, Whole(14)},
  });
}

TEST(FieldChecks1, Altitude) {
  const Field noAzimuth{"9A", ""};
  ExpectCases(RC::c4Z, {
      {{{"4Z", "0010"}}, "", "", false, Whole(10)},
      {{{"4Z", "-012"}}, "", "", false, Whole(-12)},
      {{{"4Z", "+100"}}, "", "", false, Whole(100)},
      {{{"4Z", "12.5"}}, "4z wrong format ;", "", true, Whole(12)},
      {{{"4Z", "ABCD"}}, "4z wrong format ;error in 4z ;", "", true, kNull},
      {{{"4Z", ""}}, "", "", false, kNull},
      {{{"6A", "MO"}, noAzimuth, {"4Z", " 100"}}, "4z altitude for Mobile ;", "", true, Whole(100)},
      {{{"6A", "MO"}, noAzimuth, {"4Z", ""}}, "", "", false, kNull},
      {{{"6A", "MO"}, noAzimuth, {"4Z", "ABCD"}}, "4z wrong format ;error in 4z ;", "", true, kNull},
      // The rule reads the first letter, not the mobile list.
      {{{"6A", "  "}, {"4Z", " 100"}}, "6a empty ;", "", true, Whole(100)},
      {{{"6A", "MX"}, noAzimuth, {"4Z", " 100"}}, "6a wrong value ;4z altitude for Mobile ;", "", true, Whole(100)},
  });
}

TEST(FieldChecks1, ColumnsInStatementOrder) {
  Checked got = Check({});
  const std::vector<RC> expected = {RC::c1A,  RC::c6A,     RC::c6B,    RC::c6Z, RC::c10Z, RC::c2C, RC::c4B,
                                    RC::c4C,  RC::c4CLONG, RC::c4CLAT, RC::c4A, RC::c4D,  RC::c4Z};
  ASSERT_GE(got.row.order().size(), expected.size());
  EXPECT_EQ(std::vector<RC>(got.row.order().begin(), got.row.order().begin() + expected.size()), expected);
}

TEST(FieldChecks1, SlotsAreEmptiedAfterTheirWrite) {
  Checked got = Check({});
  const ViennaRecord& r = got.rec;
  EXPECT_FALSE(r.f1a || r.f10z || r.f4d || r.f4z);
  EXPECT_EQ(r.f6b + r.f6z + r.f2c + r.f4a + r.f4b + r.f4c, "");
  EXPECT_EQ(r.f6a, "FX");
}

}  // namespace
}  // namespace twinscan
