#include <gtest/gtest.h>

#include "record/latin1.h"
#include "record/layout.h"
#include "record/number_text.h"

namespace twinscan {
namespace {

TEST(Layout, FieldsCoverTheRecordWithoutGaps) {
  int next = 1;
  for (const FieldPlaces& f : kRecordFields) {
    EXPECT_EQ(f.first, next) << f.code;
    next = f.last + 1;
  }
  EXPECT_EQ(next, kRecordLength + 1);
}

TEST(Layout, FieldNumbersFollowGridOrder) {
  for (const FieldInfo& f : kFields) EXPECT_EQ(FieldNumberOf(f.code), f.number);
  EXPECT_EQ(FieldNumberOf("8b1"), 14);
  EXPECT_EQ(FieldNumberOf("XX"), 0);
}

TEST(NumberText, LeadingBlankAndPlainForms) {
  struct Case {
    double value;
    const char* leading;
    const char* plain;
  };
  const Case cases[] = {
      {12, " 12", "12"},
      {-4.5, "-4.5", "-4.5"},
      {0.25, " .25", "0.25"},
      {0, " 0", "0"},
      {146.5, " 146.5", "146.5"},
      {-0.5, "-.5", "-0.5"},
      {100000, " 100000", "100000"},
      {51.5 - 59.0 / 3600, " 51.4836111111111", "51.4836111111111"},
      {1e-7, " .0000001", "0.0000001"},
      {32768, " 32768", "32768"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LeadingBlankNumber(c.value), c.leading) << c.value;
    EXPECT_EQ(PlainNumber(c.value), c.plain) << c.value;
  }
}

TEST(Latin1, RoundTripsEveryByte) {
  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  EXPECT_EQ(Utf8ToLatin1(Latin1ToUtf8(all)), all);
  EXPECT_EQ(Latin1ToUtf8("\xE9"), "\xC3\xA9");
  EXPECT_EQ(Utf8ToLatin1("\xE2\x82\xAC"), "?");  // beyond Latin-1
}

}  // namespace
}  // namespace twinscan
