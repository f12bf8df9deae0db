#include "export/mask_format.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <utility>

namespace twinscan {
namespace {

// Digit places beyond these are ignored (no mask comes near them).
constexpr int kMaxWholePlaces = 40;
constexpr int kMaxFractionPlaces = 15;
// Beyond this the scaled value no longer holds every digit exactly.
constexpr double kLargestScaled = 9.0e15;

std::pair<std::string_view, std::string_view> SplitSections(std::string_view mask) {
  size_t semicolon = mask.find(';');
  if (semicolon == std::string_view::npos) return {mask, {}};
  return {mask.substr(0, semicolon), mask.substr(semicolon + 1)};
}

// "00" to "99", for writing two digits at a time.
constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (int i = 0; i < 100; ++i) {
    pairs[static_cast<size_t>(2 * i)] = static_cast<char>('0' + i / 10);
    pairs[static_cast<size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// Writes the digits of value at p, padded with leading zeros to places;
// returns the end. p must have room for max(places, 20) characters.
char* PutDigits(char* p, uint64_t value, int places) {
  char digits[20];
  char* end = digits + sizeof digits;
  char* first = end;
  while (value >= 100) {
    first -= 2;
    std::memcpy(first, &kDigitPairs[static_cast<size_t>(value % 100) * 2], 2);
    value /= 100;
  }
  if (value >= 10) {
    first -= 2;
    std::memcpy(first, &kDigitPairs[static_cast<size_t>(value) * 2], 2);
  } else {
    *--first = static_cast<char>('0' + value);
  }
  for (auto count = end - first; count < places; ++count) *p++ = '0';
  std::memcpy(p, first, static_cast<size_t>(end - first));
  return p + (end - first);
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
  s.wholePlaces = std::min(s.wholePlaces, kMaxWholePlaces);
  s.fractionPlaces = std::min(s.fractionPlaces, kMaxFractionPlaces);
  s.scale = std::pow(10.0, s.fractionPlaces);
  return s;
}

void NumberMask::Render(const Section& s, double magnitude, std::string* out) {
  if (!s.hasDigits) {
    *out += s.literal;
    return;
  }
  if (!s.prefix.empty()) *out += s.prefix;
  double scaled = magnitude * s.scale;
  if (scaled < kLargestScaled) {
    // Half away from zero, taking a value that lies a few units of the last
    // place below a half as the half it was written as (2.675 -> 2.68).
    auto truncated = static_cast<uint64_t>(scaled);  // the floor: scaled is not negative
    double tolerance = std::max(scaled, 1.0) * 1e-13;
    uint64_t n = truncated + (scaled - static_cast<double>(truncated) >= 0.5 - tolerance ? 1 : 0);
    auto unit = static_cast<uint64_t>(s.scale);
    uint64_t wholePart = n / unit;
    char buf[kMaxWholePlaces + kMaxFractionPlaces + 24];
    char* p = buf;
    if (wholePart != 0 || s.wholePlaces > 0) p = PutDigits(p, wholePart, s.wholePlaces);
    if (s.point) *p++ = '.';
    if (s.fractionPlaces > 0) p = PutDigits(p, n % unit, s.fractionPlaces);
    out->append(buf, static_cast<size_t>(p - buf));
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
  if (!s.suffix.empty()) *out += s.suffix;
}

void NumberMask::FormatTo(double value, std::string* out) const {
  if (!std::isfinite(value)) return;
  if (value < 0) {
    if (!hasNegative_) *out += '-';
    Render(hasNegative_ ? negative_ : positive_, -value, out);
  } else {
    Render(positive_, value, out);
  }
}

// ---------------------------------------------------------------------------
TextMask::TextMask(std::string_view mask) {
  auto [first, second] = SplitSections(mask);
  fromLeft_ = first.find('!') != std::string_view::npos;
  for (char c : first)
    if (c != '!') section_ += c;
  places_ = static_cast<int>(std::count(section_.begin(), section_.end(), '@'));
  placesOnly_ = places_ == static_cast<int>(section_.size());
  if (mask.find(';') != std::string_view::npos) {
    emptyText_ = second;
  } else {
    emptyText_ = section_;
    std::replace(emptyText_.begin(), emptyText_.end(), '@', ' ');
  }
}

void TextMask::FormatTo(std::string_view text, std::string* out) const {
  if (text.empty()) {
    *out += emptyText_;
    return;
  }
  auto length = static_cast<int>(text.size());
  int blanks = std::max(places_ - length, 0);
  if (placesOnly_) {
    if (blanks > 0 && !fromLeft_) out->append(static_cast<size_t>(blanks), ' ');
    out->append(text);
    if (blanks > 0 && fromLeft_) out->append(static_cast<size_t>(blanks), ' ');
    return;
  }
  // Characters of the text per place: an overlong text puts its extra
  // characters into the first place (right fill) or the last (left fill).
  int extra = std::max(length - places_, 0);
  size_t next = 0;  // next character of the text
  int place = 0;
  for (char c : section_) {
    if (c != '@') {
      *out += c;
      continue;
    }
    bool blank = fromLeft_ ? place >= length : place < blanks;
    if (blank) {
      *out += ' ';
    } else {
      bool takesExtra = fromLeft_ ? place == places_ - 1 : place == 0;
      size_t count = takesExtra ? static_cast<size_t>(extra) + 1 : 1;
      out->append(text.substr(next, count));
      next += count;
    }
    ++place;
  }
}

// ---------------------------------------------------------------------------
DateMask::DateMask(std::string_view mask) {
  for (size_t at = 0; at < mask.size();) {
    std::string_view rest = mask.substr(at);
    if (rest.starts_with("yyyy")) {
      items_.push_back('y');
      at += 4;
    } else if (rest.starts_with("dd") || rest.starts_with("mm")) {
      items_.push_back(rest[0]);
      at += 2;
    } else {
      items_.push_back('\'');
      items_.push_back(mask[at++]);
    }
  }
}

void DateMask::FormatTo(int day, int month, int year, std::string* out) const {
  char buf[32];
  char* p = buf;
  for (size_t i = 0; i < items_.size(); ++i) {
    if (p - buf > 8) {  // keep room for the next item
      out->append(buf, static_cast<size_t>(p - buf));
      p = buf;
    }
    char item = items_[i];
    if (item == '\'') {
      *p++ = items_[++i];
      continue;
    }
    int value = item == 'y' ? year : item == 'd' ? day : month;
    if (value < 0) *p++ = '-';
    p = PutDigits(p, static_cast<uint64_t>(value < 0 ? -int64_t{value} : value), item == 'y' ? 4 : 2);
  }
  out->append(buf, static_cast<size_t>(p - buf));
}

}  // namespace twinscan
