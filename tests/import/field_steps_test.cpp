// The field steps over whole records: the base record with a few fields varied
// ("code=text|...", blanks for an empty text) runs through every step.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "import/import_context.h"
#include "import/record_checker.h"
#include "tests/support/test_support.h"

namespace twinscan {
namespace {

using store::Value;
using RC = RecordColumn;

const Value kNull{};
Value T(std::string text, size_t width = 0) {  // a text column, padded to width
  if (text.size() < width) text.resize(width, ' ');
  return Value{std::move(text)};
}
Value N(double value) { return Value{value}; }
Value W(int64_t value) { return Value{value}; }
Value D(int year, int month, int day) { return Value{store::Date{year, month, day}}; }

const char* const kBad1A = "1a not posnum ;1a no explicit dec. point on place 6 ;error in 1a ;|";
const char* const kLower13X = "13x not alphanum ;13x wrong format ;|13x reconstructed ;";

struct Checked {
  explicit Checked(std::string_view fields) { CheckRecord(ctx, testing::WithFields(testing::BaseRecord(), fields)); }
  testing::RecordingUserInterface ui;
  ImportContext ctx{ui};
  std::string Messages() const { return ctx.rec.ermsg + "|" + ctx.rec.annex2bis; }
};

struct Case {
  const char* fields;
  std::string messages;  // ermsg, "|", annex2bis
  bool error;
  RC column;
  Value stored;
};

void ExpectAll(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fields);
    Checked got(c.fields);
    EXPECT_EQ(got.Messages(), c.messages);
    EXPECT_EQ(got.ctx.rec.error, c.error);
    EXPECT_EQ(got.ctx.row.value(c.column), c.stored);
    EXPECT_TRUE(got.ui.messages.empty());
  }
}

TEST(FieldSteps, OneRecordThroughEveryStep) {
  const char* const filled = "|7a adapted 5th char ;7a adapted 6th char ;7a adapted 7th char ;";
  const std::string nd9xh = "9xh = 000ND00 when 9a and 9g not empty ;",
                    nd9xv = "9xv can not be 000ND00 when 9b not empty ;";
  ExpectAll({
      {"1A unit=m", "|", false, RC::c1A, N(146.5)},
      {"1A=0123.450000", "1a no explicit dec. point on place 6 ;|", true, RC::c1A, N(123.45)},
      {"1A=00000.00000", "|", false, RC::c1A, kNull},  // 0 is never stored
      {"1A=|8B1=|1A unit=X", "1a wrong unit ;|", true, RC::c1A, kNull},
      {"1A unit= ", "no unit in 1a when unit is required ;|", true, RC::c1A, kNull},
      {"1A=00123,45000|1A unit= ", kBad1A, true, RC::c1A, kNull},  // no unit asked of no number
      {"1Y=00450.00000|1Y unit=M", "|", false, RC::c1Y, N(450)},
      {"1Y=00450.00000|1Y unit= ", "no unit in 1y when unit is required ;|", true, RC::c1Y, kNull},
      {"1A=|8B1=|1Y=|1Y unit= ", "1a & 1y both empty ;|", true, RC::c1Y, kNull},
      {"1Y=450|1Y unit=M", "1y no explicit dec. point on place 6 ;|", true, RC::c1Y, N(450)},
      {"1Y=0045A.00000|1Y unit= ", "1y not posnum ;error in 1y ;|", true, RC::c1Y, kNull},
      {"6A= F", "6a not left justified ;|", true, RC::c6A, T(" F")},  // occurs in "FA  FB"
      {"6A=  ", "6a empty ;|", true, RC::c6A, T("  ")},
      {"6A=fx", "6a not alphanum ;6a wrong value ;|", true, RC::c6A, T("fx")},
      {"6B=  ", "|6b corrected ;", false, RC::c6B, T("OT")},
      {"6B=ZZ", "6b wrong ;|", false, RC::c6B, T("ZZ")},  // a warning
      {"6Z=  ", "|6z corrected ;", false, RC::c6Z, T("XX")},
      {"6Z=JJ", "6z wrong value ;|", true, RC::c6Z, T("JJ")},  // once for both
      {"10Z= ", "|", false, RC::c10Z, W(0)},
      {"10Z=5", "10z wrong value ;|", false, RC::c10Z, W(5)},
      {"10Z=A", "10z wrong value ;error in 10z ;|", true, RC::c10Z, kNull},
      {"1Z=7", "1z wrong value ;|", true, RC::c1Z, T("7")},
      {"2C=29022000", "|", false, RC::c2C, D(2000, 2, 29)},
      {"2C=31022001", "2c wrong value ;|", true, RC::c2C, kNull},
      {"2W=AABBCCDD", "2w wrong value day ;2w wrong value month;2w wrong value year;|", true, RC::c2W, kNull},
      // An error anywhere before suppresses a date and its calendar test; a warning or a correction does not.
      {"1A=00123,45000", kBad1A, true, RC::c2C, kNull},
      {"2W=31022001|2Z=32012001", "2w wrong value ;|", true, RC::c2Z, kNull},
      {"6B=ZZ|6Z=  ", "6b wrong ;|6z corrected ;", false, RC::c2C, D(2001, 7, 1)},
      {"4A=  INTR", "4a not left justified ;4c is not empty and 4a is INTR ;|", true, RC::c4A, T("  INTR", 20)},
      {"4C=", "|4a -> INTR because 4c empty ;", false, RC::c4A, T("INTR")},
      {"4B=NL", "4b wrong value ;|", true, RC::c4B, T("NL ")},
      {"9A=|4Z=|6A=ML|4D=", "|4d -> 1 ;", false, RC::c4D, W(1)},
      {"4D=", "|4d -> 0 ;", false, RC::c4D, W(0)},
      {"6A=  |4D=", "6a empty ;|4d -> 1 ;", true, RC::c4D, W(1)},  // blanks are mobile
      {"6A=A |4D=", "|4d -> 1 ;", false, RC::c4D, W(1)},           // "A " occurs in "MA  ML"
      {"9A=|4Z=|6A=MO|4D=    0", "4d can not be 0 when 6A mobile ;|", true, RC::c4D, W(0)},
      {"4D=ABCDE", "error in 4d ;|", true, RC::c4D, kNull},
      {"4Z=12.5", "4z wrong format ;|", true, RC::c4Z, W(12)},
      {"9A=|4Z=|6A=MX|4Z= 100", "6a wrong value ;4z altitude for Mobile ;|", true, RC::c4Z,
       W(100)},  // the first letter
      {"7A=16K0", filled, false, RC::c7A, T("16K0F3E  ")},
      {"7A=", std::string("7a wrong format ;") + filled, true, RC::c7A, T("    F3E  ")},
      {"8B1=", "|8b1 -> 0 ;", false, RC::c8B1, N(0)},
      {"1A=|1A unit= |8B1=", "|", false, RC::c8B1, kNull},
      {"1A=|1A unit= |8B1=0010.0", "8b1 not empty but 1a empty ;|", true, RC::c8B1, N(10)},
      {"8B1=00100.", "8b1 no explicit dec. point on place 5 ;|", true, RC::c8B1, N(100)},
      {"8B2= ", "|8b2 -> E ;", false, RC::c8B2, T("E")},
      {"9D=R ", "|", false, RC::c9D, T("R ")},  // the second letter of a pair
      {"9D=", "9d wrong value ;|9d -> V ;", true, RC::c9D, T("V ")},
      {"9Y=", "|9y -> 1 ;", false, RC::c9Y, W(1)},
      {"9Y=12.5", "9y wrong format ;|", true, RC::c9Y, W(12)},  // rounded half to even
      {"9A=360.0", "|", false, RC::c9A, N(360)},
      {"9A=000.0", "|", false, RC::c9A, N(0)},
      {"9A=360.1", "9a out of range ;|", true, RC::c9A, N(360.1)},
      {"9A=-10.0", "9a not posnum ;9a out of range ;|", true, RC::c9A, N(-10)},
      {"9A=09.00", "9a no explicit dec. point on place 4 ;|", true, RC::c9A, N(9)},
      {"6A=ML|4Z=|9A=090.0", "9a not empty for mobile ;|", true, RC::c9A, N(90)},
      {"9B=-90.0", "|", false, RC::c9B, N(-90)},
      {"9B=090.0", "|", false, RC::c9B, N(90)},
      {"9B=-90.5", "9b out of range ;|", true, RC::c9B, N(-90.5)},
      {"9G=-1.0", "9g not posnum ;|", true, RC::c9G, N(-1)},
      {"9XH=", "|9xh -> 000ND00 ;" + nd9xh, false, RC::c9XH, T("000ND00")},
      {"9XH=|9G=", "|9xh -> 000ND00 ;", false, RC::c9XH, T("000ND00")},
      {"9XH=000ND00|9G=AB.C", "9g not posnum ;error in 9g ;|", true, RC::c9XH, T("000ND00")},
      {"9XH=090ZZ03", "9xh wrong format ;|", true, RC::c9XH, T("090ZZ03")},
      {"9XV=000ND00|9B=-05.0", "|" + nd9xv, false, RC::c9XV, T("000ND00")},
      {"13Z=test station", "13z not alphanum ;|", true, RC::c13Z, T("test station", 50)},
      {"13Y=Q", "13y wrong value;|13y -> A ;", true, RC::c13Y, T("A")},
      {"13Y= ", "13y missing value;|13y -> A ;", false, RC::c13Y, T("A")},  // a warning
      {"1Z= |13Y=P", "|1z corrected ;1z corrected -> P by f13y ;", false, RC::c1Z, T("1")},
      {"1Z= |13Y=A", "|1z corrected ;", false, RC::c1Z, T("2")},
      // The first record of its import: no records before it, its own 4B the last valid one.
      {"13X=XXX500001230111", "13x wrong format ;|13x reconstructed ;", true, RC::c13X, T("BEL500000000111")},
      {"13X=bel500001230111", kLower13X, true, RC::c13X, T("BEL500000000111")},
      // A quote takes two places: the places 12-15 tested are 11-14 as read.
      {"13X=BEL50'AAAA0111X", "13x not alphanum ;|", true, RC::c13X, T("BEL50'AAAA0111X")},
      {"13X=BEL50'ABCDX0111", kLower13X, true, RC::c13X, T("BEL500000000111")},
  });
}

TEST(FieldSteps, KiloAndGigaUnitsShowOneMessageBoxAndStoreNothing) {
  for (const char* unit : {"k", "K", "G", "g"}) {
    Checked got(std::string("1A unit=") + unit + "|1Y=00450.00000|1Y unit=" + unit);
    EXPECT_EQ(got.ui.messages, std::vector<std::string>(2, "error: khz and Ghz not yet implemented")) << unit;
    EXPECT_TRUE(got.ctx.rec.ermsg.empty() && !got.ctx.rec.error) << unit;
    EXPECT_FALSE(got.ctx.row.IsWritten(RC::c1A) || got.ctx.row.IsWritten(RC::c1Y)) << unit;
  }
}

TEST(FieldSteps, Coordinates) {
  struct Case {
    const char* fields;
    Value stored;
    double longitude, latitude;
    const char* messages;
  };
  const double maxLong = 40 + 59 / 60.0 + 59 / 3600.0, maxLat = 90 + 59 / 60.0 + 59 / 3600.0;
  const std::vector<Case> cases = {
      {"", T("004E300051N3000"), 4.5, 51.5, "|"},
      {"4C=040E595990N5959", T("040E595990N5959"), maxLong, maxLat, "|"},
      {"4C=004E30  51N30  ", T("004E300051N3000"), 4.5, 51.5, "|4c longsec -> 00 ;4c latsec -> 00 ;"},
      {"4C=041E606091N6060", T("041E606091N6060"), -1, -1,  // every range just passed
       "4c wrong longdeg ;4c wrong longmin ;4c wrong longsec ;4c wrong latdeg ;4c wrong latmin ;4c wrong latsec ;|"},
      {"4C=004E300051S3000", T("004E300051S3000"), -1, -1, "4c wrong format ;|"},
      {"4C=004E30AB51N3000", T("004E30AB51N3000"), -1, -1, "4c wrong format ;4c error in longsec ;|"},
      // Every test runs: format, INTR, the seconds, then the ranges.
      {"4A=INTR|4C=045E00  50S00  ", T("045E000050S0000"), -1, -1,
       "4c wrong format ;4c is not empty and 4a is INTR ;4c wrong longdeg ;|4c longsec -> 00 ;4c latsec -> 00 ;"},
      {"4A=INTR", T("004E300051N3000"), 4.5, 51.5, "4c is not empty and 4a is INTR ;|"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fields);
    Checked got(c.fields);
    EXPECT_EQ(got.Messages(), c.messages);
    EXPECT_EQ(got.ctx.row.value(RC::c4C), c.stored);
    EXPECT_EQ(got.ctx.row.value(RC::c4CLONG), N(c.longitude));
    EXPECT_EQ(got.ctx.row.value(RC::c4CLAT), N(c.latitude));
  }
}

}  // namespace
}  // namespace twinscan
