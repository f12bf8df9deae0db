#include "export/corrected_record.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "record/latin1.h"
#include "record/layout.h"
#include "record/number_text.h"
#include "record/value_helpers.h"

namespace twinscan {

namespace {

// Blanks in the places of a value that cannot be written whole: a number cut
// short would be a different number.
bool BlankWhenTooLong(Rendering r) { return r != Rendering::Text; }

using Stored = store::Statement::Stored;

// The current row of a result set, as stored.
struct StatementSource {
  const store::Statement& row;
  Stored StoredAs(int column) const { return row.ColumnStored(column); }
  double Number(int column) const { return row.ColumnDouble(column); }
  std::string_view Text(int column) const { return row.ColumnText(column); }
};

// A row before it is stored, read as SQLite will hand it back: a NaN is
// stored as Null, a date as its stored text (each column holds a value of
// its own kind, so no other conversion applies).
struct RecordRowSource {
  const store::RecordRow& row;
  std::string& dateText;  // scratch for a date's stored text

  const store::Value* ValueAt(int column) const {
    auto c = static_cast<store::RecordColumn>(column);
    return row.IsNull(c) ? nullptr : &row[c];
  }
  Stored StoredAs(int column) const {
    const store::Value* v = ValueAt(column);
    if (!v) return Stored::Null;
    if (std::holds_alternative<int64_t>(*v)) return Stored::Integer;
    if (const double* d = std::get_if<double>(v)) return std::isnan(*d) ? Stored::Null : Stored::Real;
    return Stored::Text;
  }
  double Number(int column) const { return store::NumberOf(*ValueAt(column)).value_or(0); }
  std::string_view Text(int column) const {
    const store::Value* v = ValueAt(column);
    if (!v) return {};
    if (const std::string* s = std::get_if<std::string>(v)) return *s;
    if (const store::Date* d = std::get_if<store::Date>(v)) {
      dateText = store::DateToStoredText(*d);
      return dateText;
    }
    // Numbers in a text column: the import writes none.
    dateText = store::DisplayText(*v, store::ColumnKind::Text);
    return dateText;
  }
};

}  // namespace

void CorrectedRecordRenderer::AddField(const RecordField& entry, int column) {
  bool textMask = entry.rendering == Rendering::Text || entry.rendering == Rendering::NumberAsText;
  fields_.push_back(
      Field{&entry, entry.width(), column, NumberMask(entry.rendering == Rendering::Number ? entry.mask : ""),
            TextMask(textMask ? entry.mask : ""), DateMask(entry.rendering == Rendering::Date ? entry.mask : "")});
}

CorrectedRecordRenderer::CorrectedRecordRenderer(const store::Statement& rows) {
  fields_.reserve(kRecordFields.size());
  for (const RecordField& entry : kRecordFields) {
    int column = -1;
    if (entry.rendering != Rendering::Unit) {
      column = rows.ColumnIndex(entry.code);
      if (column < 0) throw store::StoreError("the rows have no column " + std::string(entry.code));
    }
    AddField(entry, column);
  }
}

CorrectedRecordRenderer::CorrectedRecordRenderer() {
  fields_.reserve(kRecordFields.size());
  for (const RecordField& entry : kRecordFields)
    AddField(entry, entry.rendering == Rendering::Unit ? -1 : store::Index(store::FieldColumn(entry.number)));
}

void CorrectedRecordRenderer::Render(const store::Statement& row, std::string* out) {
  RenderFrom(StatementSource{row}, out);
}

void CorrectedRecordRenderer::Render(const store::RecordRow& row, std::string* out) {
  RenderFrom(RecordRowSource{row, date_}, out);
}

template <class Source>
void CorrectedRecordRenderer::RenderFrom(const Source& source, std::string* out) {
  for (const Field& f : fields_) {
    // The value is rendered straight behind the record so far, then fitted.
    const size_t start = out->size();
    const auto width = static_cast<size_t>(f.width);
    RenderValue(f, source, out);
    size_t length = out->size() - start;
    if (f.entry->leftJustify && length > 0 && (*out)[start] == ' ' &&
        out->find_first_not_of(' ', start) != std::string::npos) {
      std::string justified = LeftJustify(std::string_view(*out).substr(start));
      out->replace(start, length, justified);
    }
    if (length > width) {
      out->resize(BlankWhenTooLong(f.entry->rendering) ? start : start + width);
      length = out->size() - start;
    }
    if (length < width) out->append(width - length, ' ');
  }
}

template <class Source>
void CorrectedRecordRenderer::RenderValue(const Field& f, const Source& row, std::string* out) {
  switch (f.entry->rendering) {
    case Rendering::Number: {
      Stored stored = row.StoredAs(f.column);
      if (stored == Stored::Integer || stored == Stored::Real) f.numberMask.FormatTo(row.Number(f.column), out);
      break;
    }
    case Rendering::NumberAsText: {
      Stored stored = row.StoredAs(f.column);
      if (stored == Stored::Integer || stored == Stored::Real) {
        f.textMask.FormatTo(NumberText(row.Number(f.column)), out);
      }
      break;
    }
    case Rendering::Text:
      // Text columns hold texts or Null (their affinity turns numbers into
      // texts), and Null renders like the empty text.
      f.textMask.FormatTo(Latin1Of(row.Text(f.column)), out);
      break;
    case Rendering::Date: {
      store::Date date;
      if (store::ParseStoredDate(row.Text(f.column), &date)) f.dateMask.FormatTo(date.day, date.month, date.year, out);
      break;
    }
    case Rendering::Unit: out->append(static_cast<size_t>(f.width), 'M'); break;
  }
}

std::string_view CorrectedRecordRenderer::NumberText(double value) {
  // Whole values, the usual case, skip the general number formatting.
  if (value == std::trunc(value) && std::fabs(value) < 1e15) {
    char digits[24];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, static_cast<int64_t>(value));
    number_.assign(digits, static_cast<size_t>(end - digits));
  } else {
    number_ = PlainNumber(value);
  }
  return number_;
}

std::string_view CorrectedRecordRenderer::Latin1Of(std::string_view utf8) {
  // Plain ASCII, the usual case, is the same in both encodings; eight bytes
  // are tested at a time.
  size_t at = 0;
  for (; at + 8 <= utf8.size(); at += 8) {
    uint64_t word;
    std::memcpy(&word, utf8.data() + at, 8);
    if (word & 0x8080808080808080ull) break;
  }
  bool ascii = std::all_of(utf8.begin() + static_cast<std::ptrdiff_t>(at), utf8.end(),
                           [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii) return utf8;
  latin1_ = Utf8ToLatin1(utf8);
  return latin1_;
}

}  // namespace twinscan
