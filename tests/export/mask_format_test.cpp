#include "export/mask_format.h"

#include <gtest/gtest.h>

namespace twinscan {
namespace {

// What the corrected file's fields do not reach. FormatTo appends: every case
// starts after a marker that must stay.
TEST(MaskFormat, NumbersTextsAndDates) {
  const char* const kFrequency = "00000.00000;           ";
  const std::tuple<const char*, double, const char*> numbers[] = {
      {kFrequency, 0, "00000.00000"},
      {kFrequency, -12.5, "           "},
      {"0000.0;-000.0", -12.5, "-012.5"},
      {"000.0", -12.5, "-012.5"},
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
      {"0000", 123456789012345678.0, "123456789012345680"},
      {"00;n/a", -1, "n/a"},
      {"<00>", 7, "<07>"},
      {".00", 0.5, ".50"},
  };
  for (const auto& [mask, value, expected] : numbers) {
    std::string out = ">";
    NumberMask(mask).FormatTo(value, &out);
    EXPECT_EQ(out, std::string(">") + expected) << mask << " " << value;
  }
  // Right-aligned without "!"; overlong texts whole; literals stay in place.
  const std::tuple<const char*, const char*, const char*> texts[] = {
      {"@@@@@", "AB", "   AB"},    {"@@", "ABCD", "ABCD"},
      {"!@@@;xyz", "", "xyz"},     {"!@@@@", "", "    "},
      {"(@@)", "7", "( 7)"},       {"!(@@)", "7", "(7 )"},
      {"!(@@)", "ABCD", "(ABCD)"}, {"!@@@@", "\xC4\xD6", "\xC4\xD6  "},
  };
  for (const auto& [mask, text, expected] : texts) {
    std::string out = ">";
    TextMask(mask).FormatTo(text, &out);
    EXPECT_EQ(out, std::string(">") + expected) << mask << " '" << text << "'";
  }
  std::string out;
  DateMask("ddmmyyyy").FormatTo(31, 12, 999, &out);
  DateMask("dd/mm/yyyy").FormatTo(5, 3, 2020, &out);
  EXPECT_EQ(out, "3112099905/03/2020");
}

}  // namespace
}  // namespace twinscan
