// RowBuilder: the row of the record being imported, column by column. A
// column never written stays Null.
#pragma once

#include <array>
#include <string_view>

#include "store/tables.h"
#include "store/value.h"

namespace twinscan {

using store::RecordColumn;

class RowBuilder {
 public:
  // Texts arrive as the file's Latin-1 bytes and are kept as UTF-8.
  void WriteText(RecordColumn column, std::string_view latin1);
  void WriteNumber(RecordColumn column, double value);
  void WriteWhole(RecordColumn column, int64_t value);
  void WriteDate(RecordColumn column, int day, int month, int year);

  bool IsWritten(RecordColumn column) const { return written_[static_cast<size_t>(store::Index(column))]; }
  // The written value; Null for a column not written in this record.
  const store::Value& value(RecordColumn column) const;
  void Clear();
  // Exchanges rows with other, buffers and all (handing a row on without
  // copying its texts).
  void Swap(RowBuilder& other) noexcept {
    values_.swap(other.values_);
    written_.swap(other.written_);
  }
  // The row as written so far, for those who take it before it is stored.
  store::RecordRow row() const { return {values_, written_}; }

 private:
  store::Value& Slot(RecordColumn column);
  // Values stay allocated between records (Clear only forgets them), so a
  // text column reuses its buffer: no allocation per field once warmed up.
  std::array<store::Value, store::kRecordColumnCount> values_{};
  std::array<bool, store::kRecordColumnCount> written_{};
};

}  // namespace twinscan
