#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "record/number_text.h"
#include "record/value_helpers.h"

namespace twinscan {
namespace {

// The field checks cover the character classes and codes; these are the
// edges they do not reach.
TEST(ValueHelpers, ClassesAndCodesAtTheirEdges) {
  EXPECT_TRUE(IsAlphanum("(1+2)*3=9.") && IsPosnum("12 34") && IsSignedNum("") && IsDigits(""));
  EXPECT_FALSE(IsAlphanum("O'NEIL\xC9") || IsPosnum("-012") || IsSignedNum("00123.45000") || IsDigits("1.5"));
  EXPECT_FALSE(HasPointAt("12", 6) || HasPointAt(".", 0));
  EXPECT_FALSE(IsBadEmissionCode("16K0F3EJ ") || IsBadAntennaCode("000A#00"));
  EXPECT_TRUE(IsBadEmissionCode("1K6KF3EJN") && IsBadAntennaCode("000ND0 "));
  EXPECT_TRUE(IsBadCoordReference("BEL5 0001230111", "BEL") && IsBadCoordReference("BEL50000123011X", "BEL"));
  EXPECT_EQ(RebuildCoordReference("HOL", 1234567), "HOL502345670111");  // keeps its width
  EXPECT_EQ(ReplaceAll("aaa", "a", "aa"), "aaaaaa");                    // the inserted text is not scanned again
  EXPECT_EQ(ReplaceAll("AB", "", "x"), "AB");                           // an empty what must not loop for ever
}

// Against the standard calendar: leap, common and century years, every day of every month and beyond.
TEST(ValueHelpers, ValidDate) {
  namespace cr = std::chrono;
  for (int year : {0, 1900, 2000, 2001, 2004, 9999})
    for (int month = 0; month <= 13; ++month)
      for (int day = 0; day <= 32; ++day)
        EXPECT_EQ(IsValidDate(month, day, year),
                  cr::year_month_day(cr::year(year), cr::month(static_cast<unsigned>(month)),
                                     cr::day(static_cast<unsigned>(day)))
                      .ok())
            << month << '/' << day << '/' << year;
  EXPECT_FALSE(IsValidDate(1, 1, 10000) || IsValidDate(1, 1, -1));
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
}

// The shortcut for short numbers must round as strtod does, long texts too.
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

TEST(NumberText, LeadingBlankAndPlainForms) {
  struct Case {
    double value;
    const char* leading;
    const char* plain;
  };
  const Case cases[] = {
      {-4.5, "-4.5", "-4.5"},
      {0.25, " .25", "0.25"},
      {0, " 0", "0"},
      {-0.5, "-.5", "-0.5"},
      {1e-7, " .0000001", "0.0000001"},
      {51.4836111111111, " 51.4836111111111", "51.4836111111111"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LeadingBlankNumber(c.value), c.leading) << c.value;
    EXPECT_EQ(PlainNumber(c.value), c.plain) << c.value;
  }
}

}  // namespace
}  // namespace twinscan
