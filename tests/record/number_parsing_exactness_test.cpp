// The conversions read short field texts without from_chars; their values
// must still be the correctly rounded ones, bit for bit.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

#include "record/value_helpers.h"

namespace twinscan {
namespace {

TEST(NumberParsingExactness, ShortDecimalsMatchTheCorrectlyRoundedValue) {
  std::mt19937_64 random(12345);
  for (int i = 0; i < 200000; ++i) {
    int digits = 1 + static_cast<int>(random() % 18);  // beyond 15 takes the slow road
    std::string text;
    for (int d = 0; d < digits; ++d) text += static_cast<char>('0' + random() % 10);
    if (random() % 4 != 0) text.insert(random() % (text.size() + 1), ".");
    if (random() % 5 == 0) text.insert(0, "-");
    double expected = std::strtod(text.c_str(), nullptr);
    std::optional<double> parsed = ParseNumber(text);
    ASSERT_TRUE(parsed.has_value()) << text;
    ASSERT_EQ(*parsed, expected) << text;
    ASSERT_EQ(LeadingNumber(text), expected) << text;
  }
}

}  // namespace
}  // namespace twinscan
