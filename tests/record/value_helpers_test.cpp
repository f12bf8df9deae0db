#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

#include "record/value_helpers.h"

namespace twinscan {
namespace {

TEST(ValueHelpers, CharacterClassesAreExactAndCaseSensitive) {
  struct Case {
    const char* text;
    bool alphanum, posnum, signedNum, digits;
  };
  const Case cases[] = {
      {"", true, true, true, true},       {"A-B/C", true, false, false, false},
      {"ab", false, false, false, false}, {"(1+2)*3=9.", true, false, false, false},
      {"12 34", true, true, true, true},  {"00123.45000", true, true, false, false},
      {"-012", true, false, true, false}, {"O'NEIL\xC9", false, false, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsAlphanum(c.text), c.alphanum) << '"' << c.text << '"';
    EXPECT_EQ(IsPosnum(c.text), c.posnum) << '"' << c.text << '"';
    EXPECT_EQ(IsSignedNum(c.text), c.signedNum) << '"' << c.text << '"';
    EXPECT_EQ(IsDigits(c.text), c.digits) << '"' << c.text << '"';
  }
  EXPECT_TRUE(IsLeftJustified("  ") && IsLeftJustified("AB  ") && IsLeftJustified(""));
  EXPECT_FALSE(IsLeftJustified(" AB"));
  EXPECT_TRUE(HasPointAt("12345.67890", 6));
  EXPECT_FALSE(HasPointAt("12345.67890", 5) || HasPointAt("12", 6) || HasPointAt(".", 0));
  EXPECT_TRUE(OccursIn("  ", "MA  ML") && OccursIn("L#H", "BEL#HOL") && OccursIn("", "BEL"));
}

TEST(ValueHelpers, CodeTests) {
  struct Case {
    const char* text;
    bool bad;
  };
  const Case kEmission[] = {{"16K0F3EJN", false}, {"16K0F3EJ ", false}, {"    F3EJN", true}, {"16K0Z3EJN", true},
                            {"1K6KF3EJN", true},  {"16k0F3EJN", true},  {"16K0", false}};
  for (const Case& c : kEmission) EXPECT_EQ(IsBadEmissionCode(c.text), c.bad) << c.text;
  const Case kAntenna[] = {
      {"000ND00", false}, {"000ZZ00", true}, {"0 0ND00", true}, {"000A#00", false}, {"000ND0 ", true}};
  for (const Case& c : kAntenna) EXPECT_EQ(IsBadAntennaCode(c.text), c.bad) << c.text;
  const Case kReference[] = {{"BEL50ABCDEF0111", false}, {"NL 500001230111", true}, {"D  500001230111", false},
                             {"BEL5 0001230111", true},  {"BEL50000123011X", true}, {"L#H500001230111", false}};
  for (const Case& c : kReference) EXPECT_EQ(IsBadCoordReference(c.text, "BEL#HOL#D  #F  "), c.bad) << c.text;

  EXPECT_EQ(RebuildCoordReference("BEL", 42), "BEL500000420111");
  EXPECT_EQ(RebuildCoordReference("BEL", 0), "BEL500000000111");
  EXPECT_EQ(RebuildCoordReference("", 7), "500000070111");
  EXPECT_EQ(RebuildCoordReference("HOL", 1234567), "HOL502345670111");  // keeps its width
}

TEST(ValueHelpers, ReplaceAllAndLeftJustify) {
  EXPECT_EQ(ReplaceAll("O'NEIL'S", "'", "''"), "O''NEIL''S");
  EXPECT_EQ(ReplaceAll("aaa", "a", "aa"), "aaaaaa");  // the inserted text is not scanned again
  EXPECT_EQ(ReplaceAll("", "'", "''"), "");
  EXPECT_EQ(ReplaceAll("AB", "", "x"), "AB");  // an empty what must not loop for ever
  EXPECT_EQ(LeftJustify(" AB"), "AB ");
  EXPECT_EQ(LeftJustify("   "), "   ");
  EXPECT_EQ(LeftJustify(""), "");
  EXPECT_EQ(LeftJustify("A B "), "A B ");
}

TEST(ValueHelpers, ValidDate) {
  struct Case {
    int month, day, year;
    bool valid;
  };
  const Case cases[] = {
      {2, 29, 2000, true},  {2, 29, 1900, false}, {2, 29, 2004, true},  {2, 29, 2001, false},
      {13, 1, 2001, false}, {4, 31, 2001, false}, {12, 31, 9999, true}, {1, 1, 0, true},
      {1, 1, 10000, false}, {0, 1, 2001, false},  {1, 0, 2001, false},  {1, 1, -1, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsValidDate(c.month, c.day, c.year), c.valid) << c.month << '/' << c.day << '/' << c.year;
}

TEST(ValueHelpers, Conversions) {
  constexpr std::nullopt_t kNone = std::nullopt;
  const std::pair<const char*, double> kNumbers[] = {{"00123.45000", 123.45}, {"  12 ", 12.0}, {"-4.5", -4.5},
                                                     {"+4.5", 4.5},           {"5.", 5.0},     {".5", 0.5}};
  for (const auto& [text, value] : kNumbers) EXPECT_EQ(ParseNumber(text), value) << '"' << text << '"';
  for (const char* text : {"", "   ", ".", "+", "1.2.3", "1 2", "- 5", "1e3", "00123,45000"})
    EXPECT_EQ(ParseNumber(text), std::nullopt) << '"' << text << '"';

  const std::pair<const char*, std::optional<int>> kWholes[] = {
      {"12.5", 12},         {"13.5", 14},      {"-0.5", 0},           {"-1.5", -2},       {"2.51", 3},
      {"-012", -12},        {" 100 ", 100},    {"32767.4", 32767},    {"32767.5", kNone}, {"32768", kNone},
      {"-32768.5", -32768}, {"-32769", kNone}, {"1234567890", kNone}, {"A", kNone},       {" ", kNone},
      {"4294967306", kNone}};  // ten digits: wrapped into a small int, it would read as 10
  for (const auto& [text, value] : kWholes) EXPECT_EQ(ParseWhole(text), value) << '"' << text << '"';

  const std::pair<const char*, double> kLeading[] = {{" 5", 5},        {"0 01", 1}, {"", 0},      {"AB", 0},
                                                     {"1 2.5X", 12.5}, {"- 3", -3}, {"+.5", 0.5}, {"1.2.3", 1.2},
                                                     {"--5", 0},       {"5-3", 5}};
  for (const auto& [text, value] : kLeading) EXPECT_DOUBLE_EQ(LeadingNumber(text), value) << '"' << text << '"';
  EXPECT_DOUBLE_EQ(LeadingNumber(std::string(30, '1')), 1.1111111111111111e29);
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
    ASSERT_EQ(ParseNumber("-" + text), -expected) << text;
    ASSERT_EQ(LeadingNumber(" " + text + "X"), expected) << text;
  }
}

}  // namespace
}  // namespace twinscan
