#include "record/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace twinscan {
namespace {

// Digits and point of |value| in fixed notation, 15 significant digits,
// trailing zeros removed; "0" for zero.
std::string FixedDigits(double value) {
  value = std::fabs(value);
  if (value == 0 || !std::isfinite(value)) return "0";
  // Whole numbers (line numbers, counters) are the common case: no printf.
  if (value < 1e15 && value == std::floor(value)) return std::to_string(static_cast<long long>(value));
  // d.dddddddddddddde+XX, as printf's "%.14e" writes it (to_chars with a
  // precision is specified to), without printf's cost.
  char buf[64];
  char* end = std::to_chars(buf, buf + sizeof buf - 1, value, std::chars_format::scientific, 14).ptr;
  *end = '\0';
  std::string mantissa;
  for (const char* p = buf; *p && *p != 'e'; ++p)
    if (*p != '.') mantissa += *p;
  int exponent = std::atoi(std::strchr(buf, 'e') + 1);
  while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();

  std::string out;
  if (exponent < 0) {
    out = "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + mantissa;
  } else if (static_cast<size_t>(exponent) + 1 >= mantissa.size()) {
    out = mantissa + std::string(static_cast<size_t>(exponent) + 1 - mantissa.size(), '0');
  } else {
    out = mantissa.substr(0, static_cast<size_t>(exponent) + 1) + "." +
          mantissa.substr(static_cast<size_t>(exponent) + 1);
  }
  return out;
}

}  // namespace

std::string LeadingBlankNumber(double value) {
  std::string digits = FixedDigits(value);
  if (digits.size() > 1 && digits[0] == '0' && digits[1] == '.') digits.erase(0, 1);
  bool negative = value < 0 && digits != "0";
  return (negative ? "-" : " ") + digits;
}

std::string PlainNumber(double value) {
  std::string digits = FixedDigits(value);
  bool negative = value < 0 && digits != "0";
  return negative ? "-" + digits : digits;
}

}  // namespace twinscan
