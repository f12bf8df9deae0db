#include "import/row_builder.h"

#include "record/latin1.h"

namespace twinscan {

void RowBuilder::Mark(RecordColumn column) {
  if (!IsWritten(column)) order_.push_back(column);
}

bool RowBuilder::IsWritten(RecordColumn column) const {
  return !store::IsNull(values_[static_cast<size_t>(store::Index(column))]);
}

void RowBuilder::WriteText(RecordColumn column, std::string_view latin1) {
  Mark(column);
  values_[static_cast<size_t>(store::Index(column))] = Latin1ToUtf8(latin1);
}

void RowBuilder::WriteNumber(RecordColumn column, double value) {
  Mark(column);
  values_[static_cast<size_t>(store::Index(column))] = value;
}

void RowBuilder::WriteWhole(RecordColumn column, int64_t value) {
  Mark(column);
  values_[static_cast<size_t>(store::Index(column))] = value;
}

void RowBuilder::WriteDate(RecordColumn column, int day, int month, int year) {
  Mark(column);
  values_[static_cast<size_t>(store::Index(column))] = store::Date{year, month, day};
}

void RowBuilder::Clear() {
  for (RecordColumn c : order_) values_[static_cast<size_t>(store::Index(c))] = std::monostate{};
  order_.clear();
}

}  // namespace twinscan
