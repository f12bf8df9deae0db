// Character classes, the code tests of 7A, 9XH/9XV and 13X, and the calendar
// test.
#include <array>
#include <string>

#include "record/value_helpers.h"

namespace twinscan {
namespace {

// A 256-entry membership table, so that a class test is one lookup per byte.
struct CharSet {
  std::array<bool, 256> in{};
  constexpr explicit CharSet(std::string_view members) {
    for (char c : members) in[static_cast<unsigned char>(c)] = true;
  }
  constexpr bool Has(char c) const { return in[static_cast<unsigned char>(c)]; }
  // The empty text passes: a place past the end of a field is found in every set.
  constexpr bool HasAll(std::string_view text) const {
    for (char c : text)
      if (!Has(c)) return false;
    return true;
  }
};

constexpr CharSet kAlphanum("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-/*.+()= ");
constexpr CharSet kPosnum("0123456789.+ ");
constexpr CharSet kSignedNum("0123456789+- ");
constexpr CharSet kDigitsOrBlank("0123456789 ");
constexpr CharSet kDigits("0123456789");

// 7A places 5 to 9, each with its own set.
constexpr std::array<CharSet, 5> kEmissionClassSets{
    CharSet("NAHRJBCFGDPKLMQVWX "), CharSet("0123789X "), CharSet("NABCDEFWX "),
    CharSet("ABCDEFGHJKLMNWX "),    CharSet("NCFTWX "),
};

constexpr std::string_view kAntennaPatterns =
    "EA#EB#EC#DE#LA#KA#CA#CB#CC#VA#VB#VC#VD#VE#VG#VH#VI#WA#WB#WC#WD#WE#WF#WG#WH#WI#ND#XX";

}  // namespace

bool IsAlphanum(std::string_view text) { return kAlphanum.HasAll(text); }
bool IsPosnum(std::string_view text) { return kPosnum.HasAll(text); }
bool IsSignedNum(std::string_view text) { return kSignedNum.HasAll(text); }
bool IsDigits(std::string_view text) { return kDigitsOrBlank.HasAll(text); }

bool IsLeftJustified(std::string_view text) {
  size_t last = text.find_last_not_of(' ');
  return last == std::string_view::npos || text[0] != ' ';
}

bool HasPointAt(std::string_view text, int place) {
  return place >= 1 && static_cast<size_t>(place) <= text.size() && text[static_cast<size_t>(place) - 1] == '.';
}

bool IsBadEmissionCode(std::string_view text) {
  // The unit letter of the bandwidth stands where the decimal point would be.
  char bandwidth[4];
  std::string_view head = PlacesOf(text, 1, 4);
  for (size_t i = 0; i < head.size(); ++i) {
    char c = head[i];
    bandwidth[i] = (c == 'H' || c == 'K' || c == 'M' || c == 'G') ? '.' : c;
  }
  if (!ParseNumber(std::string_view(bandwidth, head.size()))) return true;
  for (size_t i = 0; i < kEmissionClassSets.size(); ++i)
    if (!kEmissionClassSets[i].HasAll(PlacesOf(text, 5 + i, 5 + i))) return true;
  return false;
}

bool IsBadAntennaCode(std::string_view text) {
  for (size_t place : {1, 2, 3, 6, 7})
    if (!kDigits.HasAll(PlacesOf(text, place, place))) return true;
  return !OccursIn(PlacesOf(text, 4, 5), kAntennaPatterns);
}

bool IsBadCoordReference(std::string_view text, std::string_view countryList) {
  if (!OccursIn(PlacesOf(text, 1, 3), countryList)) return true;
  for (size_t place : {4, 5, 12, 13, 14, 15})
    if (!kDigits.HasAll(PlacesOf(text, place, place))) return true;
  return false;
}

std::string RebuildCoordReference(std::string_view country, int number) {
  // Six digits exactly: a record number beyond 999999 keeps its last six
  // digits, so that the reference keeps its width.
  constexpr int kModulus = 1000000;
  int n = ((number % kModulus) + kModulus) % kModulus;
  std::string out(country);
  out += "50";
  char digits[6];
  for (int i = 5; i >= 0; --i, n /= 10) digits[i] = static_cast<char>('0' + n % 10);
  out.append(digits, 6);
  out += "0111";
  return out;
}

bool IsValidDate(int month, int day, int year) {
  if (month < 1 || month > 12 || year < 0 || year > 9999 || day < 1) return false;
  static constexpr int kDaysIn[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  int days = kDaysIn[month - 1] + (month == 2 && leap ? 1 : 0);
  return day <= days;
}

}  // namespace twinscan
