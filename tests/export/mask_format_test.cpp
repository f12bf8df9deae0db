#include "export/mask_format.h"

#include <gtest/gtest.h>

namespace twinscan {
namespace {

// FormatTo appends: every case starts after a marker that must stay.
std::string Number(const char* mask, double value) {
  std::string out = ">";
  NumberMask(mask).FormatTo(value, &out);
  return out.substr(1);
}
std::string Text(const char* mask, const char* text) {
  std::string out = ">";
  TextMask(mask).FormatTo(text, &out);
  return out.substr(1);
}

TEST(MaskFormat, Numbers) {
  struct Case {
    const char* mask;
    double value;
    const char* expected;
  };
  const Case cases[] = {
      // The masks of the corrected file.
      {"00000.00000;           ", 12.5, "00012.50000"},
      {"00000.00000;           ", 0, "00000.00000"},
      {"00000.00000;           ", -12.5, "           "},
      {"0000.0;-000.0", -12.5, "-012.5"},
      {"000.0", -12.5, "-012.5"},
      {"000.0;-00.0", -5, "-05.0"},
      {"00000;     ", 13, "00013"},
      {"0000;-000", -5, "-005"},
      // Rounded half away from zero, as the value was written.
      {"0.0", 0.25, "0.3"},
      {"0.0", 0.35, "0.4"},
      {"0.00", 2.675, "2.68"},
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
  for (const Case& c : cases) EXPECT_EQ(Number(c.mask, c.value), c.expected) << c.mask << " " << c.value;
}

TEST(MaskFormat, Texts) {
  struct Case {
    const char* mask;
    const char* text;
    const char* expected;
  };
  const Case cases[] = {
      // Right-aligned without "!", left-aligned with it.
      {"@@@@@", "AB", "   AB"},
      {"!@@@;   ", "BE", "BE "},
      // Exactly fitting and overlong texts are written whole.
      {"@@", "FX", "FX"},
      {"@@", "ABCD", "ABCD"},
      {"!@@", "ABCD", "ABCD"},
      // Empty: the second section, else blanks in every place.
      {"!@@@;xyz", "", "xyz"},
      {"!@@@@", "", "    "},
      // Literal characters stay in place; an overlong text fills the outer place.
      {"(@@)", "7", "( 7)"},
      {"!(@@)", "7", "(7 )"},
      {"(@@)", "ABCD", "(ABCD)"},
      {"!(@@)", "ABCD", "(ABCD)"},
      // Latin-1 bytes count as one place each.
      {"!@@@@", "\xC4\xD6", "\xC4\xD6  "},
  };
  for (const Case& c : cases) EXPECT_EQ(Text(c.mask, c.text), c.expected) << c.mask << " '" << c.text << "'";
}

TEST(MaskFormat, Dates) {
  std::string out;
  DateMask("ddmmyyyy").FormatTo(1, 7, 2001, &out);
  DateMask("ddmmyyyy").FormatTo(31, 12, 999, &out);
  DateMask("dd/mm/yyyy").FormatTo(5, 3, 2020, &out);
  EXPECT_EQ(out,
            "0107200131120999"
            "05/03/2020");
}

}  // namespace
}  // namespace twinscan
