#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

#include "record/value_helpers.h"

namespace twinscan {
namespace {

TEST(ValueHelpers, CharacterClassesAreExactAndCaseSensitive) {
  struct Case { const char* text; bool alphanum, posnum, signedNum, digits; };
  const Case cases[] = {
      {"", true, true, true, true},
      {"A-B/C", true, false, false, false},
      {"ab", false, false, false, false},
      {"O'NEIL", false, false, false, false},
      {"(1+2)*3=9.", true, false, false, false},
      {"12 34", true, true, true, true},
      {"00123.45000", true, true, false, false},
      {"00123,45000", false, false, false, false},
      {"+12", true, true, true, false},
      {"-012", true, false, true, false},
      {"\xC9", false, false, false, false},  // Latin-1 E acute
      {"12\t", false, false, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsAlphanum(c.text), c.alphanum) << '"' << c.text << '"';
    EXPECT_EQ(IsPosnum(c.text), c.posnum) << '"' << c.text << '"';
    EXPECT_EQ(IsSignedNum(c.text), c.signedNum) << '"' << c.text << '"';
    EXPECT_EQ(IsDigits(c.text), c.digits) << '"' << c.text << '"';
  }
}

TEST(ValueHelpers, LeftJustifiedAndPointAt) {
  EXPECT_TRUE(IsLeftJustified("  "));
  EXPECT_TRUE(IsLeftJustified(""));
  EXPECT_TRUE(IsLeftJustified("AB  "));
  EXPECT_FALSE(IsLeftJustified(" AB"));
  EXPECT_FALSE(IsLeftJustified(" F"));

  EXPECT_TRUE(HasPointAt("12345.67890", 6));
  EXPECT_FALSE(HasPointAt("12345.67890", 5));
  EXPECT_FALSE(HasPointAt("12", 6));
  EXPECT_FALSE(HasPointAt(".", 0));
}

TEST(ValueHelpers, EmissionCode) {
  struct Case { const char* text; bool bad; };
  const Case cases[] = {
      {"16K0F3EJN", false}, {"16K0F3EJ ", false}, {"    F3EJN", true},  {"16K0Z3EJN", true},
      {"1K6KF3EJN", true},  // two unit letters
      {"100HA3EJN", false}, {"2M50G7WXX", false}, {"16K0F4EJN", true},  {"16K0F3ZJN", true},
      {"16K0F3EIN", true},  {"16K0F3EJA", true},  {"16K0     ", false}, {"16K0", false},
      {"16k0F3EJN", true},  // lower-case unit letter stays a letter
  };
  for (const Case& c : cases) EXPECT_EQ(IsBadEmissionCode(c.text), c.bad) << '"' << c.text << '"';
}

TEST(ValueHelpers, AntennaCode) {
  struct Case { const char* text; bool bad; };
  const Case cases[] = {
      {"000ND00", false}, {"090EA03", false}, {"000ZZ00", true}, {"0 0ND00", true},
      {"000ND0 ", true},  {"000nd00", true},  {"000A#00", false},  // the pair occurs across a separator
      {"A00ND00", true},
  };
  for (const Case& c : cases) EXPECT_EQ(IsBadAntennaCode(c.text), c.bad) << '"' << c.text << '"';
}

TEST(ValueHelpers, CoordReference) {
  constexpr std::string_view kCountries = "BEL#HOL#D  #F  #LUX";
  struct Case { const char* text; bool bad; };
  const Case cases[] = {
      {"BEL500001230111", false}, {"BEL50ABCDEF0111", false},  // places 6-11 are not tested
      {"NL 500001230111", true},  {"D  500001230111", false},  {"BEL5 0001230111", true},
      {"BEL50000123011X", true},  {"L#H500001230111", false},  {"bel500001230111", true},
  };
  for (const Case& c : cases) EXPECT_EQ(IsBadCoordReference(c.text, kCountries), c.bad) << c.text;
}

TEST(ValueHelpers, RebuildCoordReferenceKeepsSixDigits) {
  EXPECT_EQ(RebuildCoordReference("BEL", 42), "BEL500000420111");
  EXPECT_EQ(RebuildCoordReference("BEL", 0), "BEL500000000111");
  EXPECT_EQ(RebuildCoordReference("D  ", 999999), "D  509999990111");
  EXPECT_EQ(RebuildCoordReference("", 7), "500000070111");
  EXPECT_EQ(RebuildCoordReference("HOL", 1234567), "HOL502345670111");
}

TEST(ValueHelpers, ValidDate) {
  struct Case { int month, day, year; bool valid; };
  const Case cases[] = {
      {2, 29, 2000, true},  {2, 29, 1900, false}, {2, 29, 2004, true}, {2, 29, 2001, false},
      {13, 1, 2001, false}, {4, 31, 2001, false}, {12, 31, 9999, true}, {1, 1, 0, true},
      {1, 1, 10000, false}, {0, 1, 2001, false},  {1, 0, 2001, false}, {1, 32, 2001, false},
      {-1, 1, 2001, false}, {1, 1, -1, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsValidDate(c.month, c.day, c.year), c.valid) << c.month << '/' << c.day << '/' << c.year;
}

TEST(ValueHelpers, ReplaceAllAndLeftJustify) {
  EXPECT_EQ(ReplaceAll("O'NEIL'S", "'", "''"), "O''NEIL''S");
  EXPECT_EQ(ReplaceAll("", "'", "''"), "");
  EXPECT_EQ(ReplaceAll("aaa", "aa", "a"), "aa");
  EXPECT_TRUE(OccursIn("  ", "MA  ML"));
  EXPECT_TRUE(OccursIn("L#H", "BEL#HOL"));
  EXPECT_FALSE(OccursIn("NL ", "BEL#HOL"));
  EXPECT_EQ(LeftJustify(" AB"), "AB ");
  EXPECT_EQ(LeftJustify("   "), "   ");
  EXPECT_EQ(LeftJustify(""), "");
  EXPECT_EQ(LeftJustify("A B"), "A B");
}

TEST(ValueHelpers, ParseNumber) {
  struct Case { const char* text; std::optional<double> value; };
  const Case cases[] = {
      {"00123.45000", 123.45}, {"  12 ", 12.0},  {"-4.5", -4.5},   {"+4.5", 4.5}, {"5.", 5.0},
      {".5", 0.5},             {" -.25 ", -0.25}, {"", std::nullopt}, {"   ", std::nullopt},
      {".", std::nullopt},     {"+", std::nullopt}, {"1.2.3", std::nullopt}, {"1 2", std::nullopt},
      {"- 5", std::nullopt},   {"1e3", std::nullopt}, {"00123,45000", std::nullopt}, {"12A", std::nullopt},
      {"--5", std::nullopt},   {"0x10", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseNumber(c.text), c.value) << '"' << c.text << '"';
}

// The conversions take a shortcut for short numbers; it must give the
// correctly rounded value that strtod gives, for short and long texts alike.
TEST(ValueHelpers, ConversionsAreCorrectlyRounded) {
  std::mt19937 random(42);
  auto digits = [&](int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += static_cast<char>('0' + random() % 10);
    return s;
  };
  for (int i = 0; i < 20000; ++i) {
    std::string text = digits(static_cast<int>(random() % 20)) + "." + digits(1 + static_cast<int>(random() % 26));
    double expected = std::strtod(text.c_str(), nullptr);
    ASSERT_EQ(ParseNumber(text), expected) << text;
    ASSERT_EQ(LeadingNumber(" " + text + "X"), expected) << text;
    ASSERT_EQ(ParseNumber("-" + text), -expected) << text;
  }
}

TEST(ValueHelpers, ParseWholeRoundsHalfToEvenWithin16Bits) {
  struct Case { const char* text; std::optional<int> value; };
  const Case cases[] = {
      {"12.5", 12},       {"13.5", 14},        {"0.5", 0},          {"1.5", 2},        {"-0.5", 0},
      {"-1.5", -2},       {"-2.5", -2},        {"2.4999", 2},       {"2.51", 3},       {"-012", -12},
      {" 100", 100},      {"32767", 32767},    {"32767.4", 32767},  {"32767.5", std::nullopt},
      {"32768", std::nullopt}, {"-32768", -32768}, {"-32768.5", -32768}, {"-32769", std::nullopt},
      {"99999", std::nullopt}, {"A", std::nullopt}, {" ", std::nullopt}, {"+0", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseWhole(c.text), c.value) << '"' << c.text << '"';
}

TEST(ValueHelpers, LeadingNumberIgnoresBlanksAndStopsAtOtherCharacters) {
  struct Case { std::string text; double value; };
  const Case cases[] = {
      {" 5", 5},     {"5 ", 5},    {"0 01", 1},    {"004", 4},     {"", 0},       {"  ", 0},
      {"AB", 0},     {"12AB", 12}, {"1 2.5X", 12.5}, {"-3", -3},   {"- 3", -3},   {"+.5", 0.5},
      {"1.2.3", 1.2}, {"--5", 0},  {"5-3", 5},     {".", 0},       {"30", 30},
      {std::string(100, '1'), 1.1111111111111111e99},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.value) << '"' << c.text << '"';
}

}  // namespace
}  // namespace twinscan
