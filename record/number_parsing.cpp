// The three conversions of field texts into numbers. Every numeric field of
// every record goes through them, so they work on the bytes in place and
// take an exact shortcut for the usual short numbers.
#include <charconv>
#include <cstdint>
#include <string>

#include "record/value_helpers.h"

namespace twinscan {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Decimal digits read one by one. While the digits form a whole number below
// 2^53 and at most 22 of them follow the point, that number and the power of
// ten are exact doubles and one division gives the correctly rounded value,
// the same that from_chars gives; beyond that the caller falls back to it.
class DecimalDigits {
 public:
  void Add(char digit, bool afterPoint) {
    any_ = true;
    if (mantissa_ >= kExactLimit / 10) {
      exact_ = false;
      return;
    }
    mantissa_ = mantissa_ * 10 + static_cast<uint64_t>(digit - '0');
    if (afterPoint && ++fractionDigits_ > kMaxExactPower) exact_ = false;
  }
  bool any() const { return any_; }
  bool exact() const { return exact_; }
  double Value() const { return static_cast<double>(mantissa_) / kPowersOfTen[fractionDigits_]; }

 private:
  static constexpr uint64_t kExactLimit = uint64_t{1} << 53;
  static constexpr int kMaxExactPower = 22;
  static constexpr double kPowersOfTen[kMaxExactPower + 1] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  uint64_t mantissa_ = 0;
  int fractionDigits_ = 0;
  bool any_ = false;
  bool exact_ = true;
};

double FromChars(std::string_view digitsAndPoint) {
  double value = 0;
  std::from_chars(digitsAndPoint.data(), digitsAndPoint.data() + digitsAndPoint.size(), value,
                  std::chars_format::fixed);
  return value;
}

// The text between leading and trailing blanks, and its sign taken off.
struct SignedText {
  std::string_view body;
  bool negative = false;
};

SignedText SplitSign(std::string_view text) {
  size_t first = 0, end = text.size();
  while (first < end && text[first] == ' ') ++first;
  while (end > first && text[end - 1] == ' ') --end;
  SignedText out{text.substr(first, end - first)};
  if (!out.body.empty() && (out.body[0] == '+' || out.body[0] == '-')) {
    out.negative = out.body[0] == '-';
    out.body.remove_prefix(1);
  }
  return out;
}

}  // namespace

std::optional<double> ParseNumber(std::string_view text) {
  const SignedText s = SplitSign(text);
  DecimalDigits digits;
  bool point = false;
  for (char c : s.body) {
    if (IsDigit(c)) {
      digits.Add(c, point);
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return std::nullopt;
    }
  }
  if (!digits.any()) return std::nullopt;
  double value = digits.exact() ? digits.Value() : FromChars(s.body);
  return s.negative ? -value : value;
}

std::optional<int> ParseWhole(std::string_view text) {
  // Most field texts are plain digits: read them as a whole number at once.
  const SignedText s = SplitSign(text);
  if (!s.body.empty() && s.body.size() <= 9) {
    int whole = 0;
    size_t i = 0;
    for (; i < s.body.size() && IsDigit(s.body[i]); ++i) whole = whole * 10 + (s.body[i] - '0');
    if (i == s.body.size()) {
      if (s.negative) whole = -whole;
      if (whole < -32768 || whole > 32767) return std::nullopt;
      return whole;
    }
  }

  std::optional<double> number = ParseNumber(text);
  if (!number) return std::nullopt;
  const double x = *number;
  // Half to even: 32767.5 would become 32768, -32768.5 becomes -32768.
  if (!(x >= -32768.5 && x < 32767.5)) return std::nullopt;
  int whole = static_cast<int>(x);  // toward zero
  if (x < whole) --whole;           // now the floor
  const double fraction = x - whole;
  if (fraction > 0.5 || (fraction == 0.5 && whole % 2 != 0)) ++whole;
  return whole;
}

double LeadingNumber(std::string_view text) {
  // Blanks are dropped wherever they stand; the rest is read up to the first
  // character that cannot continue the number.
  size_t at = 0;
  auto skipBlanks = [&] {
    while (at < text.size() && text[at] == ' ') ++at;
  };
  skipBlanks();
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    negative = text[at] == '-';
    ++at;
  }
  const size_t start = at;
  DecimalDigits digits;
  bool point = false;
  for (; at < text.size(); ++at) {
    char c = text[at];
    if (c == ' ') continue;
    if (IsDigit(c)) {
      digits.Add(c, point);
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (!digits.any()) return 0;
  double value;
  if (digits.exact()) {
    value = digits.Value();
  } else {
    std::string compact;
    for (char c : text.substr(start, at - start))
      if (c != ' ') compact += c;
    value = FromChars(compact);
  }
  return negative ? -value : value;
}

}  // namespace twinscan
