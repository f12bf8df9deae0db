// The Vienna record and its fields: the one table every subsystem reads.
//
// A record is exactly 219 counted characters (line ends never count). Each
// field has a first and a last place (1-based) and is handed to its field step
// when the import has read its last place. The two unit places of 1A and 1Y are
// fields of their own. Each of the 28 items also has its field number (its
// place in the grids and the settings), its stored kind, its caption in the
// compare-modes dialog, how the corrected file renders it, where the
// comparison examines it, whether it starts critical and whether the
// candidate search uses it. The stored tables, the insert, the corrected file,
// the comparison and the batch tool's options are all derived from kRecordFields.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace twinscan {

inline constexpr int kRecordLength = 219;
inline constexpr int kFieldCount = 28;

// Field numbers: the 28 items in grid order. Settings are indexed by them.
namespace field {
enum Number : int {
  kNone = 0,  // the unit places; an unknown code
  k1A,
  k1Z,
  k6A,
  k6B,
  k6Z,
  k10Z,
  k2C,
  k4A,
  k4B,
  k4C,
  k4D,
  k4Z,
  k7A,
  k8B1,
  k8B2,
  k9A,
  k9B,
  k9D,
  k9G,
  k9Y,
  k9XH,
  k9XV,
  k1Y,
  k13Z,
  k13Y,
  k2W,
  k2Z,
  k13X,
};
}  // namespace field

// How a field is stored: a text, a real or whole number, or a date.
enum class FieldKind : uint8_t { Text, Real, Whole, Date };

// How the corrected file renders a field's stored value.
enum class Rendering : uint8_t {
  Number,        // number by a number mask
  NumberAsText,  // the number's plain text by a text mask
  Text,          // text by a text mask
  Date,          // date by a date mask
  Unit,          // the fixed unit letter "M"
};

// The search fields of the candidate search; kNotSearched for all others.
enum SearchFieldIndex : int { kNotSearched = 0, kSearch1A = 1, kSearch6A, kSearch4A, kSearch13Y, kSearch4C };
inline constexpr int kSearchFieldCount = 5;

struct RecordField {
  std::string_view code;  // item code as the format names it, also the stored column ("1A"; units: "1A unit")
  int first;              // first place, 1-based
  int last;               // last place, inclusive
  field::Number number;   // kNone for the unit places
  FieldKind kind;
  std::string_view caption;  // caption in the compare-modes dialog
  Rendering rendering;       // in the corrected file
  std::string_view mask;
  bool leftJustify;  // leading blanks moved to the end after the mask
  int compareRank;   // 1..28: the order in which the comparison examines the items
  bool criticalAtStart;
  SearchFieldIndex search;

  constexpr int width() const { return last - first + 1; }
  constexpr bool isNumber() const { return kind == FieldKind::Real || kind == FieldKind::Whole; }
};

namespace layout_detail {
using F = field::Number;
using K = FieldKind;
using R = Rendering;
constexpr RecordField Unit(std::string_view code, int place) {
  return {code, place, place, F::kNone, K::Text, "", R::Unit, "", false, 0, false, kNotSearched};
}
}  // namespace layout_detail

// All 30 fields of a record in place order (28 items and the two unit places).
inline constexpr std::array<RecordField, 30> kRecordFields = [] {
  using namespace layout_detail;
  constexpr bool C = true, N = false;  // critical or non-critical at start
  constexpr bool LJ = true;            // left-justified
  return std::array<RecordField, 30>{{
      {"1A", 1, 11, F::k1A, K::Real, "1A: Transmitting Frequency", R::Number, "00000.00000;           ", false, 1, C,
       kSearch1A},
      Unit("1A unit", 12),
      {"1Z", 13, 13, F::k1Z, K::Text, "1Z: frequency Category", R::Text, "@; ", false, 2, N, kNotSearched},
      {"6A", 14, 15, F::k6A, K::Text, "6A: Class of Station", R::Text, "@@;  ", LJ, 3, C, kSearch6A},
      {"6B", 16, 17, F::k6B, K::Text, "6B: Nature of Service", R::Text, "@@;  ", LJ, 4, N, kNotSearched},
      {"6Z", 18, 19, F::k6Z, K::Text, "6Z: Category of Use", R::Text, "@@;  ", LJ, 5, N, kNotSearched},
      {"10Z", 20, 20, F::k10Z, K::Whole, "10Z: Channel Occupation", R::NumberAsText, "@; ", false, 17, N, kNotSearched},
      {"2C", 21, 28, F::k2C, K::Date, "2C: Date of bringing into use", R::Date, "ddmmyyyy", false, 18, N, kNotSearched},
      {"4A", 29, 48, F::k4A, K::Text, "4A: Name of Station", R::Text, "!@@@@@@@@@@@@@@@@@@@@", LJ, 6, C, kSearch4A},
      {"4B", 49, 51, F::k4B, K::Text, "4B: Country", R::Text, "!@@@", LJ, 7, N, kNotSearched},
      {"4C", 52, 66, F::k4C, K::Text, "4C: geographical Coordinates", R::Text, "!@@@@@@@@@@@@@@@;               ",
       false, 8, C, kSearch4C},
      {"4D", 67, 71, F::k4D, K::Whole, "4D: radius of Service Area", R::Number, "00000;     ", false, 19, N,
       kNotSearched},
      {"4Z", 72, 75, F::k4Z, K::Whole, "4Z: Height above sea level", R::Number, "0000;-000", false, 20, N,
       kNotSearched},
      {"7A", 76, 84, F::k7A, K::Text, "7A: designation of emission", R::Text, "!@@@@@@@@@;         ", LJ, 9, C,
       kNotSearched},
      {"8B1", 85, 90, F::k8B1, K::Real, "8B1: PAR", R::Number, "0000.0;-000.0", false, 21, C, kNotSearched},
      {"8B2", 91, 91, F::k8B2, K::Text, "8B2: Type of reference Antenna", R::Text, "!@; ", false, 10, C, kNotSearched},
      {"9A", 92, 96, F::k9A, K::Real, "9A: Azimuth", R::Number, "000.0", false, 22, N, kNotSearched},
      {"9B", 97, 101, F::k9B, K::Real, "9B: elevation", R::Number, "000.0;-00.0", false, 23, N, kNotSearched},
      {"9D", 102, 103, F::k9D, K::Text, "9D: Polarization", R::Text, "!@@;  ", LJ, 11, N, kNotSearched},
      {"9G", 104, 107, F::k9G, K::Real, "9G: Gain", R::Number, "00.0;    ", false, 24, N, kNotSearched},
      {"9Y", 108, 111, F::k9Y, K::Whole, "9Y: Height antenna", R::Number, "0000;    ", false, 25, C, kNotSearched},
      {"9XH", 112, 118, F::k9XH, K::Text, "9XH: Horizontal antenna code", R::Text, "!@@@@@@@;       ", false, 12, N,
       kNotSearched},
      {"9XV", 119, 125, F::k9XV, K::Text, "9XV: Vertical Antenna Code", R::Text, "!@@@@@@@;       ", false, 13, N,
       kNotSearched},
      {"1Y", 126, 136, F::k1Y, K::Real, "1Y: Receiving Frequency", R::Number, "00000.00000;           ", false, 26, C,
       kNotSearched},
      Unit("1Y unit", 137),
      {"13Z", 138, 187, F::k13Z, K::Text, "13Z: Remarks", R::Text,
       "!@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@;"
       "                                                  ",
       false, 14, N, kNotSearched},
      {"13Y", 188, 188, F::k13Y, K::Text, "13Y: Status of Coordination", R::Text, "!@; ", false, 15, C, kSearch13Y},
      {"2W", 189, 196, F::k2W, K::Date, "2W: Date of Coordination req", R::Date, "ddmmyyyy", false, 27, N,
       kNotSearched},
      {"2Z", 197, 204, F::k2Z, K::Date, "2Z: Date of achieving coord", R::Date, "ddmmyyyy", false, 28, N, kNotSearched},
      {"13X", 205, 219, F::k13X, K::Text, "13X: Coordination reference", R::Text, "@@@@@@@@@@@@@@@", false, 16, N,
       kNotSearched},
  }};
}();

// The 28 items in grid order: kFields[n - 1] is field number n.
inline constexpr std::array<RecordField, kFieldCount> kFields = [] {
  std::array<RecordField, kFieldCount> items{};
  size_t at = 0;
  for (const RecordField& f : kRecordFields)
    if (f.number != field::kNone) items[at++] = f;
  return items;
}();

constexpr const RecordField& Field(field::Number n) { return kFields[static_cast<size_t>(n - 1)]; }

// Field numbers in the order the comparison examines them.
inline constexpr std::array<field::Number, kFieldCount> kCompareOrder = [] {
  std::array<field::Number, kFieldCount> order{};
  for (const RecordField& f : kFields) order[static_cast<size_t>(f.compareRank - 1)] = f.number;
  return order;
}();

// The table's own consistency, checked while compiling.
inline constexpr bool kFieldTableIsConsistent = [] {
  int next = 1;
  for (const RecordField& f : kRecordFields) {
    if (f.first != next || f.last < f.first) return false;
    next = f.last + 1;
  }
  if (next != kRecordLength + 1) return false;
  std::array<bool, kFieldCount + 1> ranked{};
  for (size_t i = 0; i < kFields.size(); ++i) {
    const RecordField& f = kFields[i];
    if (f.number != static_cast<int>(i) + 1 || f.compareRank < 1 || f.compareRank > kFieldCount) return false;
    if (ranked[static_cast<size_t>(f.compareRank)]) return false;
    ranked[static_cast<size_t>(f.compareRank)] = true;
  }
  return true;
}();
static_assert(kFieldTableIsConsistent, "the places follow each other, numbers and compare ranks are 1..28");

// The field text of one field out of a whole 219-character record.
inline std::string_view FieldText(std::string_view record, const RecordField& f) {
  return record.substr(static_cast<size_t>(f.first - 1), static_cast<size_t>(f.width()));
}

// The field number of an item code, case-insensitive; field::kNone when unknown.
field::Number FieldNumberOf(std::string_view code);

}  // namespace twinscan
