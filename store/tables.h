// The columns of the three tables, in table order (the order the grids show).
#pragma once

#include <array>
#include <string_view>

namespace twinscan::store {

// TABLE1 and TABLE2: linenumber, the 28 fields in grid order, then the
// record's bookkeeping columns.
enum class RecordColumn : int {
  linenumber,
  c1A,
  c1Z,
  c6A,
  c6B,
  c6Z,
  c10Z,
  c2C,
  c4A,
  c4B,
  c4C,
  c4D,
  c4Z,
  c7A,
  c8B1,
  c8B2,
  c9A,
  c9B,
  c9D,
  c9G,
  c9Y,
  c9XH,
  c9XV,
  c1Y,
  c13Z,
  c13Y,
  c2W,
  c2Z,
  c13X,
  fullline,
  error,
  ermsg,
  annex2bis,
  fatalerror,
  c4CLONG,
  c4CLAT,
};
inline constexpr int kRecordColumnCount = 36;

inline constexpr std::array<std::string_view, kRecordColumnCount> kRecordColumnNames{
    "linenumber", "1A",  "1Z",       "6A",    "6B",    "6Z",        "10Z",        "2C",     "4A",
    "4B",         "4C",  "4D",       "4Z",    "7A",    "8B1",       "8B2",        "9A",     "9B",
    "9D",         "9G",  "9Y",       "9XH",   "9XV",   "1Y",        "13Z",        "13Y",    "2W",
    "2Z",         "13X", "fullline", "error", "ermsg", "annex2bis", "fatalerror", "4CLONG", "4CLAT"};

inline constexpr int Index(RecordColumn c) { return static_cast<int>(c); }
// The column of field number n (1..28) is at index n.
inline constexpr RecordColumn FieldColumn(int fieldNumber) { return static_cast<RecordColumn>(fieldNumber); }

// TABLERESULT: the pair, the two marks, the 28 difference columns in grid
// order, then the review (the grid shows all of them).
inline constexpr int kResultColumnCount = 36;
inline constexpr int kResultGridColumnCount = 36;
inline constexpr std::array<std::string_view, kResultColumnCount> kResultColumnNames{
    "linenumber", "linenumber2", "critical",    "noncritical",  "1A",     "1Z",
    "6A",         "6B",          "6Z",          "10Z",          "2C",     "4A",
    "4B",         "4C",          "4D",          "4Z",           "7A",     "8B1",
    "8B2",        "9A",          "9B",          "9D",           "9G",     "9Y",
    "9XH",        "9XV",         "1Y",          "13Z",          "13Y",    "2W",
    "2Z",         "13X",         "ACCEPTFIRST", "ACCEPTSECOND", "REMARK", "REFERENCE_TO_DB"};

}  // namespace twinscan::store
