// The Vienna record: 219 places, one fixed field per item code.
//
// A record is exactly 219 counted characters (line ends never count). Each
// field has a first and a last place (1-based) and is handed to its field step
// when the import has read its last place. The two unit places of 1A and 1Y are
// fields of their own.
#pragma once

#include <array>
#include <string_view>

namespace twinscan {

inline constexpr int kRecordLength = 219;

struct FieldPlaces {
  std::string_view code;  // item code as the format names it ("1A", "9XH"; units: "1A unit")
  int first;              // first place, 1-based
  int last;               // last place, inclusive
  int width() const { return last - first + 1; }
};

// All 30 fields of a record in place order (28 items and the two unit places).
inline constexpr std::array<FieldPlaces, 30> kRecordFields{{
    {"1A", 1, 11},     {"1A unit", 12, 12}, {"1Z", 13, 13},    {"6A", 14, 15},   {"6B", 16, 17},
    {"6Z", 18, 19},    {"10Z", 20, 20},     {"2C", 21, 28},    {"4A", 29, 48},   {"4B", 49, 51},
    {"4C", 52, 66},    {"4D", 67, 71},      {"4Z", 72, 75},    {"7A", 76, 84},   {"8B1", 85, 90},
    {"8B2", 91, 91},   {"9A", 92, 96},      {"9B", 97, 101},   {"9D", 102, 103}, {"9G", 104, 107},
    {"9Y", 108, 111},  {"9XH", 112, 118},   {"9XV", 119, 125}, {"1Y", 126, 136}, {"1Y unit", 137, 137},
    {"13Z", 138, 187}, {"13Y", 188, 188},   {"2W", 189, 196},  {"2Z", 197, 204}, {"13X", 205, 219},
}};

// The field text of one field out of a whole 219-character record.
inline std::string_view FieldText(std::string_view record, const FieldPlaces& f) {
  return record.substr(static_cast<size_t>(f.first - 1), static_cast<size_t>(f.width()));
}

// ---------------------------------------------------------------------------
// Field numbers: the 28 items in grid order. Settings are indexed by them and
// the grids show the fields in this order.
inline constexpr int kFieldCount = 28;

struct FieldInfo {
  int number;                // 1..28
  std::string_view code;     // "1A"
  std::string_view column;   // stored column name, lower case ("1a")
  std::string_view caption;  // caption in the compare-modes dialog
};

inline constexpr std::array<FieldInfo, kFieldCount> kFields{{
    {1, "1A", "1a", "1A: Transmitting Frequency"},
    {2, "1Z", "1z", "1Z: frequency Category"},
    {3, "6A", "6a", "6A: Class of Station"},
    {4, "6B", "6b", "6B: Nature of Service"},
    {5, "6Z", "6z", "6Z: Category of Use"},
    {6, "10Z", "10z", "10Z: Channel Occupation"},
    {7, "2C", "2c", "2C: Date of bringing into use"},
    {8, "4A", "4a", "4A: Name of Station"},
    {9, "4B", "4b", "4B: Country"},
    {10, "4C", "4c", "4C: geographical Coordinates"},
    {11, "4D", "4d", "4D: radius of Service Area"},
    {12, "4Z", "4z", "4Z: Height above sea level"},
    {13, "7A", "7a", "7A: designation of emission"},
    {14, "8B1", "8b1", "8B1: PAR"},
    {15, "8B2", "8b2", "8B2: Type of reference Antenna"},
    {16, "9A", "9a", "9A: Azimuth"},
    {17, "9B", "9b", "9B: elevation"},
    {18, "9D", "9d", "9D: Polarization"},
    {19, "9G", "9g", "9G: Gain"},
    {20, "9Y", "9y", "9Y: Height antenna"},
    {21, "9XH", "9xh", "9XH: Horizontal antenna code"},
    {22, "9XV", "9xv", "9XV: Vertical Antenna Code"},
    {23, "1Y", "1y", "1Y: Receiving Frequency"},
    {24, "13Z", "13z", "13Z: Remarks"},
    {25, "13Y", "13y", "13Y: Status of Coordination"},
    {26, "2W", "2w", "2W: Date of Coordination req"},
    {27, "2Z", "2z", "2Z: Date of achieving coord"},
    {28, "13X", "13x", "13X: Coordination reference"},
}};

// The field number (1..28) of an item code, case-insensitive; 0 when unknown.
int FieldNumberOf(std::string_view code);

}  // namespace twinscan
