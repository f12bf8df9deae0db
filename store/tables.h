// The columns of the three tables, in table order (the order the grids show),
// derived from the field table (record/layout.h), and the DDL that creates them.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "record/layout.h"
#include "store/value.h"

namespace twinscan::store {

struct TableColumn {
  std::string_view name;
  ColumnKind kind;  // gives the declared type
  bool imported;    // TABLE1/TABLE2: written by the import's insert
};

constexpr ColumnKind KindOf(FieldKind kind) {
  switch (kind) {
    case FieldKind::Real: return ColumnKind::Real;
    case FieldKind::Whole: return ColumnKind::Integer;
    case FieldKind::Date: return ColumnKind::Date;
    case FieldKind::Text: break;
  }
  return ColumnKind::Text;
}

// TABLE1 and TABLE2: linenumber, the 28 fields in grid order, then the
// record's bookkeeping columns.
enum class RecordColumn : int {
  linenumber,
  c1A = field::k1A,
  c1Z = field::k1Z,
  c6A = field::k6A,
  c6B = field::k6B,
  c6Z = field::k6Z,
  c10Z = field::k10Z,
  c2C = field::k2C,
  c4A = field::k4A,
  c4B = field::k4B,
  c4C = field::k4C,
  c4D = field::k4D,
  c4Z = field::k4Z,
  c7A = field::k7A,
  c8B1 = field::k8B1,
  c8B2 = field::k8B2,
  c9A = field::k9A,
  c9B = field::k9B,
  c9D = field::k9D,
  c9G = field::k9G,
  c9Y = field::k9Y,
  c9XH = field::k9XH,
  c9XV = field::k9XV,
  c1Y = field::k1Y,
  c13Z = field::k13Z,
  c13Y = field::k13Y,
  c2W = field::k2W,
  c2Z = field::k2Z,
  c13X = field::k13X,
  fullline,
  error,
  ermsg,
  annex2bis,
  fatalerror,
  c4CLONG,
  c4CLAT,
};

inline constexpr TableColumn kRecordTrailingColumns[] = {
    {"fullline", ColumnKind::Text, false}, {"error", ColumnKind::Boolean, true},    {"ermsg", ColumnKind::Text, true},
    {"annex2bis", ColumnKind::Text, true}, {"fatalerror", ColumnKind::Text, false}, {"4CLONG", ColumnKind::Real, true},
    {"4CLAT", ColumnKind::Real, true},
};
inline constexpr int kRecordColumnCount = 1 + kFieldCount + static_cast<int>(std::size(kRecordTrailingColumns));

inline constexpr std::array<TableColumn, kRecordColumnCount> kRecordColumns = [] {
  std::array<TableColumn, kRecordColumnCount> columns{};
  size_t at = 0;
  columns[at++] = {"linenumber", ColumnKind::Integer, true};
  for (const RecordField& f : kFields) columns[at++] = {f.code, KindOf(f.kind), true};
  for (const TableColumn& c : kRecordTrailingColumns) columns[at++] = c;
  return columns;
}();
static_assert(kRecordColumns[static_cast<size_t>(RecordColumn::c4CLAT)].name == "4CLAT");
static_assert(kRecordColumns[static_cast<size_t>(RecordColumn::fullline)].name == "fullline");

inline constexpr int Index(RecordColumn c) { return static_cast<int>(c); }
// The column of a field is at the index of its field number.
inline constexpr RecordColumn FieldColumn(field::Number n) { return static_cast<RecordColumn>(n); }
inline constexpr std::string_view NameOf(RecordColumn c) { return kRecordColumns[static_cast<size_t>(c)].name; }

// A record's row as the import holds it before storing it: the value of each
// column in table order, each of its column's kind (texts in text columns,
// whole numbers in whole-number columns, ...); Null where not written.
struct RecordRow {
  const std::array<Value, kRecordColumnCount>& values;
  const std::array<bool, kRecordColumnCount>& written;
  bool IsNull(RecordColumn c) const {
    return !written[static_cast<size_t>(c)] || store::IsNull(values[static_cast<size_t>(c)]);
  }
  const Value& operator[](RecordColumn c) const { return values[static_cast<size_t>(c)]; }  // when written
};

// TABLERESULT: the pair, the two marks, the 28 difference columns in grid
// order (all texts), then the review (the grid shows all of them).
inline constexpr TableColumn kResultLeadingColumns[] = {
    {"linenumber", ColumnKind::Integer, false},
    {"linenumber2", ColumnKind::Integer, false},
    {"critical", ColumnKind::Boolean, false},
    {"noncritical", ColumnKind::Boolean, false},
};
inline constexpr TableColumn kResultReviewColumns[] = {
    {"ACCEPTFIRST", ColumnKind::Boolean, false},
    {"ACCEPTSECOND", ColumnKind::Boolean, false},
    {"REMARK", ColumnKind::Text, false},
    {"REFERENCE_TO_DB", ColumnKind::Text, false},
};
inline constexpr int kResultFirstFieldColumn = static_cast<int>(std::size(kResultLeadingColumns));
inline constexpr int kResultFieldsEnd = kResultFirstFieldColumn + kFieldCount;
inline constexpr int kResultColumnCount = kResultFieldsEnd + static_cast<int>(std::size(kResultReviewColumns));
inline constexpr int kResultGridColumnCount = kResultColumnCount;

// CREATE TABLE statements of TABLE1, TABLE2 and TABLERESULT.
std::string TableDefinitions();

}  // namespace twinscan::store
