#include "export/corrected_record.h"

#include <algorithm>
#include <cctype>

#include "record/latin1.h"
#include "record/number_text.h"
#include "record/value_helpers.h"

namespace twinscan {
namespace {

using R = Rendering;

// Blanks in the places of a value that cannot be written whole: a number cut
// short would be a different number.
bool BlankWhenTooLong(Rendering r) { return r != Rendering::Text; }

}  // namespace

int FindColumn(const store::Statement& rows, std::string_view name) {
  for (int c = 0; c < rows.ColumnCount(); ++c) {
    std::string columnName = rows.ColumnName(c);
    if (columnName.size() == name.size() &&
        std::equal(name.begin(), name.end(), columnName.begin(), [](char a, char b) {
          return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
        }))
      return c;
  }
  return -1;
}

const std::array<CorrectedField, 30> kCorrectedFields{{
    {"1a", R::Number, "00000.00000;           ", false},
    {"", R::Unit, "", false},
    {"1z", R::Text, "@; ", false},
    {"6a", R::Text, "@@;  ", true},
    {"6b", R::Text, "@@;  ", true},
    {"6z", R::Text, "@@;  ", true},
    {"10z", R::NumberAsText, "@; ", false},
    {"2c", R::Date, "ddmmyyyy", false},
    {"4a", R::Text, "!@@@@@@@@@@@@@@@@@@@@", true},
    {"4b", R::Text, "!@@@", true},
    {"4c", R::Text, "!@@@@@@@@@@@@@@@;               ", false},
    {"4d", R::Number, "00000;     ", false},
    {"4z", R::Number, "0000;-000", false},
    {"7a", R::Text, "!@@@@@@@@@;         ", true},
    {"8b1", R::Number, "0000.0;-000.0", false},
    {"8b2", R::Text, "!@; ", false},
    {"9a", R::Number, "000.0", false},
    {"9b", R::Number, "000.0;-00.0", false},
    {"9d", R::Text, "!@@;  ", true},
    {"9g", R::Number, "00.0;    ", false},
    {"9y", R::Number, "0000;    ", false},
    {"9xh", R::Text, "!@@@@@@@;       ", false},
    {"9xv", R::Text, "!@@@@@@@;       ", false},
    {"1y", R::Number, "00000.00000;           ", false},
    {"", R::Unit, "", false},
    {"13z", R::Text,
     "!@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@;"
     "                                                  ",
     false},
    {"13y", R::Text, "!@; ", false},
    {"2w", R::Date, "ddmmyyyy", false},
    {"2z", R::Date, "ddmmyyyy", false},
    {"13x", R::Text, "@@@@@@@@@@@@@@@", false},
}};

CorrectedRecordRenderer::CorrectedRecordRenderer(const store::Statement& rows) {
  fields_.reserve(kCorrectedFields.size());
  for (size_t i = 0; i < kCorrectedFields.size(); ++i) {
    const CorrectedField& spec = kCorrectedFields[i];
    int column = -1;
    store::ColumnKind kind = store::ColumnKind::Text;
    if (spec.rendering != Rendering::Unit) {
      column = FindColumn(rows, spec.column);
      if (column < 0) throw store::StoreError("the rows have no column " + std::string(spec.column));
      kind = rows.ColumnKindOf(column);
    }
    bool textMask = spec.rendering == Rendering::Text || spec.rendering == Rendering::NumberAsText;
    fields_.push_back(Field{&spec, kRecordFields[i].width(), column, kind,
                            NumberMask(spec.rendering == Rendering::Number ? spec.mask : ""),
                            TextMask(textMask ? spec.mask : "")});
  }
}

void CorrectedRecordRenderer::Render(const store::Statement& row, std::string* out) {
  for (const Field& f : fields_) RenderField(f, row, out);
}

void CorrectedRecordRenderer::RenderField(const Field& f, const store::Statement& row, std::string* out) {
  const auto width = static_cast<size_t>(f.width);
  const Rendering rendering = f.spec->rendering;
  if (rendering == Rendering::Unit) {
    out->append(width, 'M');
    return;
  }
  store::Value value = row.Column(f.column, f.kind);
  std::string text;
  switch (rendering) {
    case Rendering::Number:
      if (auto number = store::NumberOf(value)) text = f.numberMask.Format(*number);
      break;
    case Rendering::NumberAsText:
      if (auto number = store::NumberOf(value)) text = f.textMask.Format(PlainNumber(*number));
      break;
    case Rendering::Text:
      if (auto* s = std::get_if<std::string>(&value)) {
        latin1_ = Utf8ToLatin1(*s);
        text = f.textMask.Format(latin1_);
      } else if (auto number = store::NumberOf(value)) {
        text = f.textMask.Format(PlainNumber(*number));
      } else {
        text = f.textMask.Format("");
      }
      if (f.spec->leftJustify) text = LeftJustify(text);
      break;
    case Rendering::Date:
      if (auto* date = std::get_if<store::Date>(&value))
        text = FormatDate(date->day, date->month, date->year, f.spec->mask);
      break;
    case Rendering::Unit:
      break;
  }
  if (text.size() > width) {
    if (BlankWhenTooLong(rendering)) text.clear();
    else text.resize(width);
  }
  out->append(text);
  out->append(width - text.size(), ' ');
}

}  // namespace twinscan
