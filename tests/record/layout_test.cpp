#include <gtest/gtest.h>

#include "record/latin1.h"
#include "record/layout.h"
#include "record/number_text.h"

namespace twinscan {
namespace {

TEST(Layout, ItemCodesFindTheirFieldNumbersWhateverTheirCase) {
  for (const RecordField& f : kFields) EXPECT_EQ(FieldNumberOf(f.code), f.number);
  EXPECT_EQ(FieldNumberOf("8b1"), field::k8B1);
  EXPECT_EQ(FieldNumberOf("XX"), field::kNone);
  EXPECT_EQ(FieldNumberOf("1A unit"), field::kNone);
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
      {-0.5, "-.5", "-0.5"},
      {100000, " 100000", "100000"},
      {1e-7, " .0000001", "0.0000001"},
      {51.4836111111111, " 51.4836111111111", "51.4836111111111"},
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
