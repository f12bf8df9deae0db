// The three conversions of field texts into numbers. They work on the bytes
// in place (no allocation) because every numeric field of every record goes
// through them.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

#include "record/value_helpers.h"

namespace twinscan {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits with at most one "." and at least one digit; no sign, no exponent.
bool IsUnsignedDecimal(std::string_view s) {
  bool point = false, digit = false;
  for (char c : s) {
    if (IsDigit(c)) {
      digit = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digit;
}

// Digits and at most one ".", at least one digit.
double ReadUnsignedDecimal(std::string_view s) {
  // Up to 15 digits are exact as a whole number and so is a power of ten up
  // to 1e15, so one division gives the correctly rounded value, the same as
  // from_chars, at a fraction of its cost. Field texts are all this short.
  static constexpr double kPowerOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                           1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  uint64_t whole = 0;
  int digits = 0, fractionDigits = 0;
  bool point = false;
  for (char c : s) {
    if (c == '.') {
      point = true;
      continue;
    }
    whole = whole * 10 + static_cast<uint64_t>(c - '0');
    ++digits;
    fractionDigits += point;
  }
  if (digits <= 15) return static_cast<double>(whole) / kPowerOfTen[fractionDigits];
  double value = 0;
  std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::fixed);
  return value;
}

}  // namespace

std::optional<double> ParseNumber(std::string_view text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  size_t last = text.find_last_not_of(' ');
  std::string_view s = text.substr(first, last - first + 1);
  bool negative = false;
  if (s[0] == '+' || s[0] == '-') {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  if (!IsUnsignedDecimal(s)) return std::nullopt;
  double value = ReadUnsignedDecimal(s);
  return negative ? -value : value;
}

std::optional<int> ParseWhole(std::string_view text) {
  std::optional<double> number = ParseNumber(text);
  if (!number) return std::nullopt;
  double whole = std::floor(*number);
  double fraction = *number - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0)) whole += 1;
  if (whole < -32768 || whole > 32767) return std::nullopt;
  return static_cast<int>(whole);
}

double LeadingNumber(std::string_view text) {
  // Blanks are dropped wherever they stand; the rest is read up to the first
  // character that cannot continue the number.
  char small[64];
  std::string large;
  char* out = small;
  size_t count = 0;
  auto put = [&](char c) {
    if (count < sizeof small) {
      small[count++] = c;
    } else {
      if (large.empty()) large.assign(small, count);
      large += c;
      ++count;
    }
  };
  bool negative = false, signSeen = false, point = false, digit = false;
  for (char c : text) {
    if (c == ' ') continue;
    if (!signSeen && count == 0 && (c == '+' || c == '-')) {
      negative = c == '-';
      signSeen = true;
    } else if (IsDigit(c)) {
      digit = true;
      put(c);
    } else if (c == '.' && !point) {
      point = true;
      put(c);
    } else {
      break;
    }
    signSeen = true;  // a sign may only come first
  }
  if (!digit) return 0;
  std::string_view digits = large.empty() ? std::string_view(out, count) : std::string_view(large);
  double value = ReadUnsignedDecimal(digits);
  return negative ? -value : value;
}

}  // namespace twinscan
