// Small stateless routines shared by the field steps, the corrected-file
// writer, the candidate search, the comparison and the review.
//
// Character tests are exact and case-sensitive over raw 8-bit text; the empty
// text passes every class test. Places are 1-based.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace twinscan {

// Character classes: true when every character is in the set.
bool IsAlphanum(std::string_view text);   // A-Z 0-9 - / * . + ( ) = and blank
bool IsPosnum(std::string_view text);     // 0-9 . + and blank
bool IsSignedNum(std::string_view text);  // 0-9 + - and blank
bool IsDigits(std::string_view text);     // 0-9 and blank

// True when every character is a blank (the empty text too).
bool IsBlank(std::string_view text);
// The characters at the 1-based places first..last; shorter, or empty, past
// the end of the text.
std::string_view PlacesOf(std::string_view text, size_t first, size_t last);
// The text without its leading and trailing blanks.
std::string_view TrimBlanks(std::string_view text);

// "Occurs in": the text appears in the list as a run of characters anywhere,
// across separators included (two blanks occur in a double-blank list).
bool OccursIn(std::string_view text, std::string_view list);

// No leading blank once trailing blanks are removed; blanks only give true.
bool IsLeftJustified(std::string_view text);
// The character at the 1-based place is "."; false past the end.
bool HasPointAt(std::string_view text, int place);

bool IsBadEmissionCode(std::string_view text);  // the 9 places of 7A
bool IsBadAntennaCode(std::string_view text);   // the 7 places of 9XH / 9XV
bool IsBadCoordReference(std::string_view text, std::string_view countryList);
// country + "50" + six-digit number + "0111". A number beyond 999999 keeps
// its last six digits, so the reference keeps its width.
std::string RebuildCoordReference(std::string_view country, int number);

bool IsValidDate(int month, int day, int year);

// Every occurrence of what replaced by with, left to right, without
// rescanning the inserted text. An empty what leaves the text as it is.
std::string ReplaceAll(std::string_view text, std::string_view what, std::string_view with);
// Leading blanks moved to the end; the length stays.
std::string LeftJustify(std::string_view text);

// Blanks around, optional sign, digits with at most one "."; else nullopt.
std::optional<double> ParseNumber(std::string_view text);
// ParseNumber rounded half to even; nullopt outside -32768..32767.
std::optional<int> ParseWhole(std::string_view text);
// Blanks ignored anywhere; sign, digits, ".", digits up to the first other
// character; 0 when no digit comes first. Never fails.
double LeadingNumber(std::string_view text);

}  // namespace twinscan
