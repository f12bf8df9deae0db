// The comparison of one primary with one secondary record, field by field.
//
// Each of the 28 fields is judged under its CompareMode; 1A, 6A, 13Y and 4C
// searched with a tolerance are judged with that tolerance and always
// examined (under NotChecked a difference is recorded without a mark). The
// outcome is the TABLERESULT row and its compare-log line, both with the
// fields in the comparison's own order (1A 1Z 6A 6B 6Z 4A 4B 4C 7A 8B2 9D 9XH
// 9XV 13Z 13Y 13X 10Z 2C 4D 4Z 8B1 9A 9B 9G 9Y 1Y 2W 2Z), not in grid order.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "record/layout.h"
#include "settings/compare_settings.h"
#include "store/view.h"

namespace twinscan {

// One side of a compared pair. Number fields hold the stored value (nullopt
// for Null); text fields, dates included, hold the grid text of the cell
// (dates dd/mm/yyyy, "" for Null), untrimmed. Both are indexed by field
// number (1..28); each field uses one of the two, numbers when the field
// table says it is a number field.
struct CompareRecord {
  int64_t line = 0;  // linenumber (0 when Null)
  std::array<std::optional<double>, kFieldCount + 1> numbers;
  std::array<std::string, kFieldCount + 1> texts;
  std::optional<double> longitude, latitude;  // 4CLONG, 4CLAT
  bool erroneous = false;                     // the error column is true
};

// Where the columns of a record view are; made once per view.
class RecordColumns {
 public:
  explicit RecordColumns(const store::View& view);
  CompareRecord Read(const store::Row& row) const;
  // The same from the current row of a statement that holds the view's
  // column k at offset + k ("SELECT rowid, *": offset 1), into *out, whose
  // texts keep their storage; for readers of many rows.
  void Read(const store::Statement& row, int offset, CompareRecord* out) const;

 private:
  template <class Cells>
  void Fill(const Cells& cells, CompareRecord* out) const;

  std::vector<store::ColumnKind> kinds_;
  int line_, error_, longitude_, latitude_;
  std::array<int, kFieldCount + 1> fields_{};
};

struct FieldDifference {
  int fieldNumber;
  std::string text;  // "P <-> S", as stored (quotes single)
};

struct CompareResult {
  int64_t primaryLine = 0, secondaryLine = 0;
  std::vector<FieldDifference> differences;  // in the comparison's order
  bool critical = false, nonCritical = false;
  // The two halves of the insert as the system writes it: "linenumber,
  // linenumber2, 1a , 6a, critical" and " 12,  7, '146.5 <-> 146.6' , ...";
  // the log line is the two joined.
  std::string columns, values;

  std::string LogLine() const { return columns + values; }
};

// Reads CompareMode and SearchField at the moment of the call.
CompareResult CompareRecords(const CompareRecord& primary, const CompareRecord& secondary,
                             const CompareSettings& settings);
// The same into *out, whose strings keep their storage: for the full run.
void CompareRecords(const CompareRecord& primary, const CompareRecord& secondary, const CompareSettings& settings,
                    CompareResult* out);

}  // namespace twinscan
