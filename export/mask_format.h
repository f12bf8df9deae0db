// The masks that render a stored value into the places of a corrected file.
//
// A mask has one section, or two separated by ";".
//
// Number masks: the first section renders positive values and zero, the
// second (when present) negative values; with one section a negative value is
// "-" followed by the first section's rendering of its magnitude. In a section
// each "0" is a digit place: the value is rounded (half away from zero) to the
// "0" places after the ".", and its whole part is padded with leading zeros to
// the "0" places before it; a whole part with more digits shows all of them,
// so the result can be longer than the mask. Other characters before and after
// the digit places are written as they stand ("-000"). A section without any
// "0" is written as it stands instead of the value ("    ").
//
// Text masks: each "@" is a character place. Without "!" the places are filled
// from the right (a shorter text gets blanks in front); with "!" from the left
// (blanks behind). A text longer than its places is written whole. An empty
// text is written as the second section when there is one, else as blanks in
// every place.
//
// Masks are parsed once and then format any number of values; FormatTo
// appends to a text, so that a whole record is built without allocations.
#pragma once

#include <string>
#include <string_view>

namespace twinscan {

class NumberMask {
 public:
  explicit NumberMask(std::string_view mask);
  void FormatTo(double value, std::string* out) const;

 private:
  struct Section {
    std::string prefix, suffix;  // literal characters around the digit places
    int wholePlaces = 0;         // "0" before the point
    int fractionPlaces = 0;      // "0" after the point
    double scale = 1;            // 10 to the fractionPlaces
    bool point = false;
    bool hasDigits = false;  // false: the section is written as it stands
    std::string literal;     // the whole section
  };
  static Section Parse(std::string_view section);
  static void Render(const Section& s, double magnitude, std::string* out);

  Section positive_, negative_;
  bool hasNegative_ = false;
};

class TextMask {
 public:
  explicit TextMask(std::string_view mask);
  void FormatTo(std::string_view text, std::string* out) const;

 private:
  std::string section_;      // first section
  std::string emptyText_;    // written for an empty value
  bool fromLeft_ = false;    // "!": fill the places from the left
  bool placesOnly_ = false;  // the section holds nothing but "@"
  int places_ = 0;
};

// A date by a mask of "dd", "mm" and "yyyy" (two-digit day and month, four-
// digit year); other characters are written as they stand.
class DateMask {
 public:
  explicit DateMask(std::string_view mask);
  void FormatTo(int day, int month, int year, std::string* out) const;

 private:
  std::string items_;  // 'd', 'm', 'y', or '\'' followed by a literal character
};

}  // namespace twinscan
