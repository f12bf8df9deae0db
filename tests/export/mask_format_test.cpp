#include "export/mask_format.h"

#include <gtest/gtest.h>

namespace twinscan {
namespace {

struct NumberCase {
  const char* mask;
  double value;
  const char* expected;
};

TEST(MaskFormatTest, NumberMasksOfTheCorrectedFile) {
  const NumberCase cases[] = {
      {"00000.00000;           ", 12.5, "00012.50000"},
      {"00000.00000;           ", 0, "00000.00000"},
      {"00000.00000;           ", -12.5, "           "},
      {"00000.00000;           ", 450, "00450.00000"},
      {"0000.0;-000.0", 12.5, "0012.5"},
      {"0000.0;-000.0", 0, "0000.0"},
      {"0000.0;-000.0", -12.5, "-012.5"},
      {"0000.0;-000.0", -10, "-010.0"},
      {"000.0", 12.5, "012.5"},
      {"000.0", 0, "000.0"},
      {"000.0", -12.5, "-012.5"},
      {"000.0;-00.0", 12.5, "012.5"},
      {"000.0;-00.0", 0, "000.0"},
      {"000.0;-00.0", -12.5, "-12.5"},
      {"000.0;-00.0", -5, "-05.0"},
      {"00.0;    ", 12.5, "12.5"},
      {"00.0;    ", 0, "00.0"},
      {"00.0;    ", -12.5, "    "},
      {"00000;     ", 13, "00013"},
      {"00000;     ", 0, "00000"},
      {"00000;     ", -13, "     "},
      {"0000;-000", 13, "0013"},
      {"0000;-000", 0, "0000"},
      {"0000;-000", -13, "-013"},
      {"0000;-000", -5, "-005"},
      {"0000;    ", 13, "0013"},
      {"0000;    ", 0, "0000"},
      {"0000;    ", -13, "    "},
  };
  for (const NumberCase& c : cases)
    EXPECT_EQ(NumberMask(c.mask).Format(c.value), c.expected) << c.mask << " " << c.value;
}

TEST(MaskFormatTest, NumberRoundingAndOverflow) {
  const NumberCase cases[] = {
      // Rounded half away from zero, as the value was written.
      {"0.0", 0.25, "0.3"},
      {"0.0", 0.35, "0.4"},
      {"0.00", 2.675, "2.68"},
      {"0", 2.5, "3"},
      {"0", -2.5, "-3"},
      {"0.0", 0.04999, "0.0"},
      {"00000.00000", 146.123456, "00146.12346"},
      {"00000.00000", 99999.999996, "100000.00000"},
      // A whole part longer than the places shows every digit.
      {"00.0;    ", 100, "100.0"},
      {"000.0", -1234.5, "-1234.5"},
      {"0000", 123456789012345678.0, "123456789012345680"},
      // A section without digit places is written as it stands.
      {"00;n/a", -1, "n/a"},
      // Literals around the places; no places before the point.
      {"<00>", 7, "<07>"},
      {".00", 0.5, ".50"},
  };
  for (const NumberCase& c : cases)
    EXPECT_EQ(NumberMask(c.mask).Format(c.value), c.expected) << c.mask << " " << c.value;
}

TEST(MaskFormatTest, TextMasks) {
  struct Case {
    const char* mask;
    const char* text;
    const char* expected;
  };
  const Case cases[] = {
      // Right-aligned without "!", left-aligned with it.
      {"@@@@@", "AB", "   AB"},
      {"!@@@@@", "AB", "AB   "},
      {"@@;  ", "M", " M"},
      {"!@@@;   ", "BE", "BE "},
      // Exactly fitting and overlong texts are written whole.
      {"@@", "FX", "FX"},
      {"@@", "ABCD", "ABCD"},
      {"!@@", "ABCD", "ABCD"},
      // Empty: the second section, else blanks in every place.
      {"@; ", "", " "},
      {"!@@@;xyz", "", "xyz"},
      {"@@@@@@@@@@@@@@@", "", "               "},
      {"!@@@@", "", "    "},
      // Literal characters stay in place.
      {"(@@)", "7", "( 7)"},
      {"!(@@)", "7", "(7 )"},
      // Latin-1 bytes count as one place each.
      {"!@@@@", "\xC4\xD6", "\xC4\xD6  "},
  };
  for (const Case& c : cases) EXPECT_EQ(TextMask(c.mask).Format(c.text), c.expected) << c.mask << " '" << c.text << "'";
}

TEST(MaskFormatTest, Dates) {
  EXPECT_EQ(DateMask("ddmmyyyy").Format(1, 7, 2001), "01072001");
  EXPECT_EQ(DateMask("ddmmyyyy").Format(31, 12, 999), "31120999");
  EXPECT_EQ(DateMask("dd/mm/yyyy").Format(5, 3, 2020), "05/03/2020");
}

}  // namespace
}  // namespace twinscan
