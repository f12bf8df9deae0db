#include "import/row_builder.h"

#include <algorithm>

#include "record/latin1.h"

namespace twinscan {

namespace {
const store::Value kNull;
}

const store::Value& RowBuilder::value(RecordColumn column) const {
  return IsWritten(column) ? values_[static_cast<size_t>(store::Index(column))] : kNull;
}

store::Value& RowBuilder::Slot(RecordColumn column) {
  size_t i = static_cast<size_t>(store::Index(column));
  written_[i] = true;
  return values_[i];
}

void RowBuilder::WriteText(RecordColumn column, std::string_view latin1) {
  store::Value& slot = Slot(column);
  std::string* text = std::get_if<std::string>(&slot);
  if (!text) text = &slot.emplace<std::string>();
  text->assign(latin1);
  // Only bytes above 127 need two UTF-8 bytes; most texts have none.
  if (std::any_of(latin1.begin(), latin1.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
    *text = Latin1ToUtf8(latin1);
}

void RowBuilder::WriteNumber(RecordColumn column, double value) { Slot(column) = value; }

void RowBuilder::WriteWhole(RecordColumn column, int64_t value) { Slot(column) = value; }

void RowBuilder::WriteDate(RecordColumn column, int day, int month, int year) {
  Slot(column) = store::Date{year, month, day};
}

void RowBuilder::Clear() { written_.fill(false); }

}  // namespace twinscan
