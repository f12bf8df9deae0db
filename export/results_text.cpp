#include "export/results_text.h"

#include <charconv>
#include <cmath>

namespace twinscan {

void AppendNumber(std::string& out, double value) {
  if (!std::isfinite(value)) return;
  char text[32];
  auto end = std::to_chars(text, text + sizeof text, value).ptr;
  out.append(text, end);
}

void AppendInteger(std::string& out, int64_t value) {
  char text[24];
  auto end = std::to_chars(text, text + sizeof text, value).ptr;
  out.append(text, end);
}

namespace {

// The length of the valid UTF-8 sequence at text[i]; 0 when there is none.
size_t SequenceLength(std::string_view text, size_t i) {
  auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char c = byte(i);
  size_t length = (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
  if (length == 0 || i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k)
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
  // Overlong forms, surrogates and values beyond U+10FFFF are not UTF-8.
  if (length == 2 && c < 0xC2) return 0;
  if (length == 3 && ((c == 0xE0 && byte(i + 1) < 0xA0) || (c == 0xED && byte(i + 1) >= 0xA0))) return 0;
  if (length == 4 && ((c == 0xF0 && byte(i + 1) < 0x90) || c > 0xF4 || (c == 0xF4 && byte(i + 1) >= 0x90))) return 0;
  return length;
}

}  // namespace

void AppendUtf8(std::string& out, std::string_view text) {
  size_t start = 0, i = 0;
  while (i < text.size()) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    if (size_t length = SequenceLength(text, i)) {
      i += length;
      continue;
    }
    out.append(text, start, i - start);
    unsigned char c = static_cast<unsigned char>(text[i]);
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
    start = ++i;
  }
  out.append(text, start, text.size() - start);
}

bool IsNullCell(const store::Statement& row, int column) {
  return row.ColumnStored(column) == store::Statement::Stored::Null;
}

void AppendCell(std::string& out, const store::Statement& row, int column) {
  switch (row.ColumnStored(column)) {
    case store::Statement::Stored::Null: return;
    case store::Statement::Stored::Integer: AppendInteger(out, row.ColumnInt(column)); return;
    case store::Statement::Stored::Real: AppendNumber(out, row.ColumnDouble(column)); return;
    case store::Statement::Stored::Text: AppendUtf8(out, row.ColumnText(column)); return;
  }
}

}  // namespace twinscan
