#include "export/mask_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace twinscan {
namespace {

constexpr int kMaxFractionPlaces = 15;
// Beyond this the scaled value no longer holds every digit exactly.
constexpr double kLargestScaled = 9.0e15;

std::pair<std::string_view, std::string_view> SplitSections(std::string_view mask) {
  size_t semicolon = mask.find(';');
  if (semicolon == std::string_view::npos) return {mask, {}};
  return {mask.substr(0, semicolon), mask.substr(semicolon + 1)};
}

void AppendDigits(uint64_t value, int minimumDigits, std::string* out) {
  char digits[24];
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
  int length = static_cast<int>(end - digits);
  if (length < minimumDigits) out->append(static_cast<size_t>(minimumDigits - length), '0');
  out->append(digits, end);
}

}  // namespace

NumberMask::NumberMask(std::string_view mask) {
  auto [first, second] = SplitSections(mask);
  positive_ = Parse(first);
  hasNegative_ = mask.find(';') != std::string_view::npos;
  if (hasNegative_) negative_ = Parse(second);
}

NumberMask::Section NumberMask::Parse(std::string_view text) {
  Section s;
  s.literal = text;
  size_t firstPlace = text.find_first_of("0.");
  size_t lastPlace = text.find_last_of("0.");
  s.hasDigits = text.find('0') != std::string_view::npos;
  if (!s.hasDigits) return s;
  s.prefix = text.substr(0, firstPlace);
  s.suffix = text.substr(lastPlace + 1);
  for (char c : text.substr(firstPlace, lastPlace - firstPlace + 1)) {
    if (c == '.') {
      s.point = true;
    } else if (c == '0') {
      ++(s.point ? s.fractionPlaces : s.wholePlaces);
    }
  }
  s.fractionPlaces = std::min(s.fractionPlaces, kMaxFractionPlaces);
  return s;
}

void NumberMask::Render(const Section& s, double magnitude, std::string* out) {
  if (!s.hasDigits) {
    *out += s.literal;
    return;
  }
  *out += s.prefix;
  double scale = std::pow(10.0, s.fractionPlaces);
  double scaled = magnitude * scale;
  if (scaled < kLargestScaled) {
    // Half away from zero, taking a value that lies a few units of the last
    // place below a half as the half it was written as (2.675 -> 2.68).
    double whole = std::floor(scaled);
    double tolerance = std::max(scaled, 1.0) * 1e-13;
    auto n = static_cast<uint64_t>(whole) + (scaled - whole >= 0.5 - tolerance ? 1 : 0);
    auto unit = static_cast<uint64_t>(scale);
    uint64_t wholePart = n / unit;
    if (wholePart != 0 || s.wholePlaces > 0) AppendDigits(wholePart, s.wholePlaces, out);
    if (s.point) *out += '.';
    if (s.fractionPlaces > 0) AppendDigits(n % unit, s.fractionPlaces, out);
  } else {
    // Too large to scale exactly: every digit of the whole part is shown anyway.
    char buf[400];
    int length = std::snprintf(buf, sizeof buf, "%.*f", s.fractionPlaces, magnitude);
    std::string_view digits(buf, static_cast<size_t>(std::max(length, 0)));
    size_t point = std::min(digits.find('.'), digits.size());
    if (static_cast<int>(point) < s.wholePlaces) out->append(static_cast<size_t>(s.wholePlaces) - point, '0');
    out->append(digits.substr(0, point));
    if (s.point) *out += '.';
    if (point < digits.size()) out->append(digits.substr(point + 1));
  }
  *out += s.suffix;
}

std::string NumberMask::Format(double value) const {
  std::string out;
  if (!std::isfinite(value)) return out;
  if (value < 0) {
    if (!hasNegative_) out += '-';
    Render(hasNegative_ ? negative_ : positive_, -value, &out);
  } else {
    Render(positive_, value == 0 ? 0.0 : value, &out);
  }
  return out;
}

// ---------------------------------------------------------------------------
TextMask::TextMask(std::string_view mask) {
  auto [first, second] = SplitSections(mask);
  fromLeft_ = first.find('!') != std::string_view::npos;
  for (char c : first)
    if (c != '!') section_ += c;
  places_ = static_cast<int>(std::count(section_.begin(), section_.end(), '@'));
  if (mask.find(';') != std::string_view::npos) {
    emptyText_ = second;
  } else {
    emptyText_ = section_;
    std::replace(emptyText_.begin(), emptyText_.end(), '@', ' ');
  }
}

std::string TextMask::Format(std::string_view text) const {
  if (text.empty()) return emptyText_;
  auto length = static_cast<int>(text.size());
  // Characters of the text per place: an overlong text puts its extra
  // characters into the first place (right fill) or the last (left fill).
  int extra = std::max(length - places_, 0);
  int blanks = std::max(places_ - length, 0);
  std::string out;
  out.reserve(section_.size() + static_cast<size_t>(extra));
  size_t next = 0;  // next character of the text
  int place = 0;
  for (char c : section_) {
    if (c != '@') {
      out += c;
      continue;
    }
    bool blank = fromLeft_ ? place >= length : place < blanks;
    if (blank) {
      out += ' ';
    } else {
      bool takesExtra = fromLeft_ ? place == places_ - 1 : place == 0;
      size_t count = takesExtra ? static_cast<size_t>(extra) + 1 : 1;
      out.append(text.substr(next, count));
      next += count;
    }
    ++place;
  }
  return out;
}

// ---------------------------------------------------------------------------
std::string FormatDate(int day, int month, int year, std::string_view mask) {
  std::string out;
  for (size_t at = 0; at < mask.size();) {
    std::string_view rest = mask.substr(at);
    if (rest.starts_with("yyyy")) {
      char buf[16];
      std::snprintf(buf, sizeof buf, "%04d", year);
      out += buf;
      at += 4;
    } else if (rest.starts_with("dd") || rest.starts_with("mm")) {
      int value = rest[0] == 'd' ? day : month;
      char buf[16];
      std::snprintf(buf, sizeof buf, "%02d", value);
      out += buf;
      at += 2;
    } else {
      out += mask[at++];
    }
  }
  return out;
}

}  // namespace twinscan
