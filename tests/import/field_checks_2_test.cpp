// The steps 7A to 13X over whole records: the valid base record with a few
// fields varied runs through every field step, and the record's messages,
// error flag and stored value are inspected before the record is completed.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "import/import_context.h"
#include "import/record_checker.h"
#include "tests/support/test_support.h"

namespace twinscan::store {
void PrintTo(const Date& d, std::ostream* os) { *os << d.year << '-' << d.month << '-' << d.day; }
}  // namespace twinscan::store

namespace twinscan {
namespace {

using store::Value;
using testing::BaseRecord;
using testing::RecordingUserInterface;
using testing::WithField;
using RC = RecordColumn;
using Fields = std::vector<std::pair<std::string_view, std::string_view>>;

Value Null() { return Value{}; }
Value Text(const char* text) { return Value{std::string(text)}; }
Value Number(double value) { return Value{value}; }
Value Whole(int64_t value) { return Value{value}; }
// A text column as stored: the field's places, padded with blanks.
Value Padded(std::string text, size_t width) {
  text.resize(width, ' ');
  return Value{text};
}
Value DateOf(int year, int month, int day) { return Value{store::Date{year, month, day}}; }

std::string RecordWith(const Fields& fields) {
  std::string record = BaseRecord();
  for (const auto& [code, text] : fields) record = WithField(record, code, text);
  return record;
}

// One record through every step; the column is read before completion.
struct Case {
  const char* name;
  Fields fields;
  const char* ermsg;
  const char* annex2bis;
  bool error;
  RC column;
  Value stored;
};

void Expect(const Case& c) {
  SCOPED_TRACE(c.name);
  RecordingUserInterface ui;
  ImportContext ctx(ui);
  CheckRecord(ctx, RecordWith(c.fields));
  EXPECT_EQ(ctx.rec.ermsg, c.ermsg);
  EXPECT_EQ(ctx.rec.annex2bis, c.annex2bis);
  EXPECT_EQ(ctx.rec.error, c.error);
  EXPECT_EQ(ctx.row.value(c.column), c.stored);
  EXPECT_TRUE(ui.messages.empty());
}

void ExpectAll(const std::vector<Case>& cases) {
  for (const Case& c : cases) Expect(c);
}

const char* const kBlank = "";  // WithField pads it to the field's width

TEST(FieldChecks2, EmissionDesignation7A) {
  ExpectAll({
      {"blank class filled as F3E",
       {{"7A", "16K0"}},
       "",
       "7a adapted 5th char ;7a adapted 6th char ;7a adapted 7th char ;",
       false,
       RC::c7A,
       Text("16K0F3E  ")},
      {"blank 7A",
       {{"7A", kBlank}},
       "7a wrong format ;",
       "7a adapted 5th char ;7a adapted 6th char ;7a adapted 7th char ;",
       true,
       RC::c7A,
       Text("    F3E  ")},
      {"lower-case unit",
       {{"7A", "16k0F3EJN"}},
       "7a not alphanum ;7a wrong format ;",
       "",
       true,
       RC::c7A,
       Text("16k0F3EJN")},
      {"not left justified",
       {{"7A", " 16K0F3EJ"}},
       "7a not left justified ;7a wrong format ;",
       "",
       true,
       RC::c7A,
       Text(" 16K0F3EJ")},
      {"only the 5th place blank",
       {{"7A", "16K0 3EJN"}},
       "",
       "7a adapted 5th char ;",
       false,
       RC::c7A,
       Text("16K0F3EJN")},
  });
}

TEST(FieldChecks2, Power8B1FollowsHas1a) {
  const Fields no1a = {{"1A", kBlank}, {"1A unit", " "}};
  auto without1a = [&](std::string_view b81) {
    Fields f = no1a;
    f.emplace_back("8B1", b81);
    return f;
  };
  ExpectAll({
      {"blank with 1A", {{"8B1", kBlank}}, "", "8b1 -> 0 ;", false, RC::c8B1, Number(0)},
      {"blank without 1A", without1a(kBlank), "", "", false, RC::c8B1, Null()},
      {"value without 1A", without1a("0010.0"), "8b1 not empty but 1a empty ;", "", true, RC::c8B1, Number(10)},
      {"negative", {{"8B1", "-010.0"}}, "", "", false, RC::c8B1, Number(-10)},
      {"point at place 6",
       {{"8B1", "00100."}},
       "8b1 no explicit dec. point on place 5 ;",
       "",
       true,
       RC::c8B1,
       Number(100)},
      {"does not convert", {{"8B1", "0A10.0"}}, "error in 8b1 ;", "", true, RC::c8B1, Null()},
  });
}

TEST(FieldChecks2, ReferenceAntennaPolarizationAndAntennaHeight) {
  ExpectAll({
      {"I", {{"8B2", "I"}}, "", "", false, RC::c8B2, Text("I")},
      {"lower case", {{"8B2", "e"}}, "8b2 wrong value ;", "", true, RC::c8B2, Text("e")},
      {"blank", {{"8B2", " "}}, "", "8b2 -> E ;", false, RC::c8B2, Text("E")},
  });
}

TEST(FieldChecks2, AzimuthElevationAndGain) {
  ExpectAll({
      {"9A 360.0", {{"9A", "360.0"}}, "", "", false, RC::c9A, Number(360)},
      {"9A 360.1", {{"9A", "360.1"}}, "9a out of range ;", "", true, RC::c9A, Number(360.1)},
      {"9A negative", {{"9A", "-10.0"}}, "9a not posnum ;9a out of range ;", "", true, RC::c9A, Number(-10)},
      {"9A point at 3", {{"9A", "09.00"}}, "9a no explicit dec. point on place 4 ;", "", true, RC::c9A, Number(9)},
      {"9A letters", {{"9A", "0A0.0"}}, "9a not posnum ;error in 9a ;", "", true, RC::c9A, Null()},
      // 4Z is left blank: a mobile station with an altitude has its own error.
      {"9A for a mobile",
       {{"6A", "ML"}, {"4Z", kBlank}, {"9A", "090.0"}},
       "9a not empty for mobile ;",
       "",
       true,
       RC::c9A,
       Number(90)},
      {"blank 9A for a mobile", {{"6A", "ML"}, {"4Z", kBlank}, {"9A", kBlank}}, "", "", false, RC::c9A, Null()},
      {"9B -90.0", {{"9B", "-90.0"}}, "", "", false, RC::c9B, Number(-90)},
      {"9B -90.5", {{"9B", "-90.5"}}, "9b out of range ;", "", true, RC::c9B, Number(-90.5)},
      {"9B point at 3", {{"9B", "00.00"}}, "9b no explicit dec. point on place 4 ;", "", true, RC::c9B, Number(0)},
      {"9B letters", {{"9B", "0A0.0"}}, "error in 9b ;", "", true, RC::c9B, Null()},
      {"9G signed", {{"9G", "-1.0"}}, "9g not posnum ;", "", true, RC::c9G, Number(-1)},
      {"9G point at 2", {{"9G", "1.00"}}, "9g no explicit dec. point on place 3 ;", "", true, RC::c9G, Number(1)},
      {"9G letters", {{"9G", "AB.C"}}, "9g not posnum ;error in 9g ;", "", true, RC::c9G, Null()},
      {"second letter of a pair", {{"9D", "R "}}, "", "", false, RC::c9D, Text("R ")},
      {"right justified", {{"9D", " H"}}, "9d not left justified ;", "", true, RC::c9D, Text(" H")},
      {"unknown", {{"9D", "X "}}, "9d wrong value ;", "", true, RC::c9D, Text("X ")},
      {"lower case", {{"9D", "h "}}, "9d not alphanum ;9d wrong value ;", "", true, RC::c9D, Text("h ")},
      {"blank", {{"9D", kBlank}}, "9d wrong value ;", "9d -> V ;", true, RC::c9D, Text("V ")},
      {"blank", {{"9Y", kBlank}}, "", "9y -> 1 ;", false, RC::c9Y, Whole(1)},
      {"letter", {{"9Y", "12A4"}}, "9y wrong format ;error in 9y ;", "", true, RC::c9Y, Null()},
      {"fraction rounded half to even", {{"9Y", "12.5"}}, "9y wrong format ;", "", true, RC::c9Y, Whole(12)},
  });
}

TEST(FieldChecks2, AntennaCodesAndTheirRemarks) {
  ExpectAll({
      {"blank 9XH with 9A and 9G",
       {{"9XH", kBlank}},
       "",
       "9xh -> 000ND00 ;9xh = 000ND00 when 9a and 9g not empty ;",
       false,
       RC::c9XH,
       Text("000ND00")},
      {"blank 9XH without 9G",
       {{"9XH", kBlank}, {"9G", kBlank}},
       "",
       "9xh -> 000ND00 ;",
       false,
       RC::c9XH,
       Text("000ND00")},
      {"9XH 000ND00 with a 9G that did not convert",
       {{"9XH", "000ND00"}, {"9G", "AB.C"}},
       "9g not posnum ;error in 9g ;",
       "",
       true,
       RC::c9XH,
       Text("000ND00")},
      {"9XH 000ND00 given",
       {{"9XH", "000ND00"}},
       "",
       "9xh = 000ND00 when 9a and 9g not empty ;",
       false,
       RC::c9XH,
       Text("000ND00")},
      {"9XH unknown pattern", {{"9XH", "090ZZ03"}}, "9xh wrong format ;", "", true, RC::c9XH, Text("090ZZ03")},
      {"9XH lower case",
       {{"9XH", "090ea03"}},
       "9xh not alphanum ;9xh wrong format ;",
       "",
       true,
       RC::c9XH,
       Text("090ea03")},
      {"9XV 000ND00 with 9B",
       {{"9XV", "000ND00"}, {"9B", "-05.0"}},
       "",
       "9xv can not be 000ND00 when 9b not empty ;",
       false,
       RC::c9XV,
       Text("000ND00")},
      {"blank 9XV with 9B 0",
       {{"9XV", kBlank}},
       "",
       "9xv -> 000ND00 ;9xv can not be 000ND00 when 9b not empty ;",
       false,
       RC::c9XV,
       Text("000ND00")},
      {"blank 9XV without 9B",
       {{"9XV", kBlank}, {"9B", kBlank}},
       "",
       "9xv -> 000ND00 ;",
       false,
       RC::c9XV,
       Text("000ND00")},
  });
}

TEST(FieldChecks2, ReceiveFrequency1Y) {
  const char* const k450 = "00450.00000";
  ExpectAll({
      {"unit M", {{"1Y", k450}, {"1Y unit", "M"}}, "", "", false, RC::c1Y, Number(450)},
      {"unit m", {{"1Y", k450}, {"1Y unit", "m"}}, "", "", false, RC::c1Y, Number(450)},
      {"no unit", {{"1Y", k450}, {"1Y unit", " "}}, "no unit in 1y when unit is required ;", "", true, RC::c1Y, Null()},
      {"unknown unit", {{"1Y", k450}, {"1Y unit", "X"}}, "1y wrong unit ;", "", true, RC::c1Y, Null()},
      {"blank 1Y with 1A", {{"1Y", kBlank}, {"1Y unit", " "}}, "", "", false, RC::c1Y, Null()},
      {"blank 1Y without 1A",
       {{"1A", kBlank}, {"1A unit", " "}, {"8B1", kBlank}, {"1Y", kBlank}, {"1Y unit", " "}},
       "1a & 1y both empty ;",
       "",
       true,
       RC::c1Y,
       Null()},
      {"no point at place 6",
       {{"1Y", "450"}, {"1Y unit", "M"}},
       "1y no explicit dec. point on place 6 ;",
       "",
       true,
       RC::c1Y,
       Number(450)},
      {"letter, unit M",
       {{"1Y", "0045A.00000"}, {"1Y unit", "M"}},
       "1y not posnum ;error in 1y ;",
       "",
       true,
       RC::c1Y,
       Null()},
      {"letter, no unit",
       {{"1Y", "0045A.00000"}, {"1Y unit", " "}},
       "1y not posnum ;error in 1y ;",
       "",
       true,
       RC::c1Y,
       Null()},
      {"zero is never stored", {{"1Y", "00000.00000"}, {"1Y unit", "M"}}, "", "", false, RC::c1Y, Null()},
  });
}

TEST(FieldChecks2, KiloAndGigaUnitsShowOneMessageBoxPerRecord) {
  for (const char* unit : {"k", "K", "G", "g"}) {
    RecordingUserInterface ui;
    ImportContext ctx(ui);
    CheckRecord(ctx, RecordWith({{"1Y", "00450.00000"}, {"1Y unit", unit}}));
    EXPECT_EQ(ui.messages, std::vector<std::string>{"error: khz and Ghz not yet implemented"}) << unit;
    EXPECT_EQ(ctx.rec.ermsg, "") << unit;
    EXPECT_FALSE(ctx.rec.error) << unit;
    EXPECT_FALSE(ctx.row.IsWritten(RC::c1Y)) << unit;
  }
}

TEST(FieldChecks2, RemarksAndStatusWhichSettlesThe1ZColumn) {
  ExpectAll({
      {"lower case", {{"13Z", "test station"}}, "13z not alphanum ;", "", true, RC::c13Z, Padded("test station", 50)},
      {"apostrophe", {{"13Z", "O'NEIL"}}, "13z not alphanum ;", "", true, RC::c13Z, Padded("O'NEIL", 50)},
      {"A", {{"13Y", "A"}}, "", "", false, RC::c13Y, Text("A")},
      {"not in the list", {{"13Y", "Q"}}, "13y wrong value;", "13y -> A ;", true, RC::c13Y, Text("A")},
      {"not alphanumeric", {{"13Y", "q"}}, "13y not alphanum ;", "13y -> A ;", true, RC::c13Y, Text("A")},
      {"blank is a warning", {{"13Y", " "}}, "13y missing value;", "13y -> A ;", false, RC::c13Y, Text("A")},
      {"blank 1Z, status P",
       {{"1Z", " "}, {"13Y", "P"}},
       "",
       "1z corrected ;1z corrected -> P by f13y ;",
       false,
       RC::c1Z,
       Text("1")},
      {"blank 1Z, status A", {{"1Z", " "}, {"13Y", "A"}}, "", "1z corrected ;", false, RC::c1Z, Text("2")},
      {"given 1Z, status P", {{"1Z", "3"}, {"13Y", "P"}}, "", "", false, RC::c1Z, Text("3")},
      {"blank 1Z, lower-case p",
       {{"1Z", " "}, {"13Y", "p"}},
       "13y not alphanum ;",
       "1z corrected ;13y -> A ;",
       true,
       RC::c1Z,
       Text("2")},
      {"wrong 1Z is stored", {{"1Z", "7"}}, "1z wrong value ;", "", true, RC::c1Z, Text("7")},
  });
}

TEST(FieldChecks2, CoordinationDates) {
  ExpectAll({
      {"2W valid", {{"2W", "31122001"}}, "", "", false, RC::c2W, DateOf(2001, 12, 31)},
      {"2W 31 February", {{"2W", "31022001"}}, "2w wrong value ;", "", true, RC::c2W, Null()},
      {"2W no year", {{"2W", "3112"}}, "2w wrong value year;", "", true, RC::c2W, Null()},
      {"2W no day", {{"2W", "  122001"}}, "2w wrong value day ;", "", true, RC::c2W, Null()},
      {"2W letter in month", {{"2W", "01A12001"}}, "2w wrong value month;", "", true, RC::c2W, Null()},
      {"2W blank inside a part", {{"2W", "01 12001"}}, "", "", false, RC::c2W, DateOf(2001, 1, 1)},
      {"2W blank", {{"2W", kBlank}}, "", "", false, RC::c2W, Null()},
      {"2Z 32nd day", {{"2Z", "32012001"}}, "2z wrong value ;", "", true, RC::c2Z, Null()},
      {"2Z every part wrong",
       {{"2Z", "AABBCCDD"}},
       "2z wrong value day ;2z wrong value month;2z wrong value year;",
       "",
       true,
       RC::c2Z,
       Null()},
  });
}

TEST(FieldChecks2, AnEarlierErrorSuppressesTheDatesAndTheirCalendarTest) {
  ExpectAll({
      {"error in 7A",
       {{"7A", kBlank}, {"2W", "01012001"}},
       "7a wrong format ;",
       "7a adapted 5th char ;7a adapted 6th char ;7a adapted 7th char ;",
       true,
       RC::c2W,
       Null()},
      {"no calendar test after an error",
       {{"9D", "X "}, {"2W", "31022001"}},
       "9d wrong value ;",
       "",
       true,
       RC::c2W,
       Null()},
      {"2W error suppresses 2Z",
       {{"2W", "31022001"}, {"2Z", "32012001"}},
       "2w wrong value ;",
       "",
       true,
       RC::c2Z,
       Null()},
      {"a warning does not",
       {{"13Y", " "}, {"2Z", "02012001"}},
       "13y missing value;",
       "13y -> A ;",
       false,
       RC::c2Z,
       DateOf(2001, 1, 2)},
      {"a correction does not",
       {{"9Y", kBlank}, {"2W", "01012001"}},
       "",
       "9y -> 1 ;",
       false,
       RC::c2W,
       DateOf(2001, 1, 1)},
  });
}

TEST(FieldChecks2, CoordinationReference13X) {
  // A single record is the first of its import: the counter of records
  // before it is 0, and its own valid 4B is the last valid one.
  ExpectAll({
      {"valid", {{"13X", "BEL500001230111"}}, "", "", false, RC::c13X, Text("BEL500001230111")},
      {"unknown country",
       {{"13X", "XXX500001230111"}},
       "13x wrong format ;",
       "13x reconstructed ;",
       true,
       RC::c13X,
       Text("BEL500000000111")},
      {"lower case",
       {{"13X", "bel500001230111"}},
       "13x not alphanum ;13x wrong format ;",
       "13x reconstructed ;",
       true,
       RC::c13X,
       Text("BEL500000000111")},
      {"blank",
       {{"13X", kBlank}},
       "13x wrong format ;",
       "13x reconstructed ;",
       true,
       RC::c13X,
       Text("BEL500000000111")},
      // A quote takes two places: the places 12-15 tested are 11-14 as read.
      {"quote makes it pass",
       {{"13X", "BEL50'AAAA0111X"}},
       "13x not alphanum ;",
       "",
       true,
       RC::c13X,
       Text("BEL50'AAAA0111X")},
      {"quote makes it fail",
       {{"13X", "BEL50'ABCDX0111"}},
       "13x not alphanum ;13x wrong format ;",
       "13x reconstructed ;",
       true,
       RC::c13X,
       Text("BEL500000000111")},
  });
}

}  // namespace
}  // namespace twinscan
