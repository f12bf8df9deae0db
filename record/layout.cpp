#include "record/layout.h"

#include <cctype>

namespace twinscan {

field::Number FieldNumberOf(std::string_view code) {
  for (const RecordField& f : kFields) {
    if (f.code.size() != code.size()) continue;
    bool same = true;
    for (size_t i = 0; i < code.size() && same; ++i)
      same = std::toupper(static_cast<unsigned char>(code[i])) == f.code[i];
    if (same) return f.number;
  }
  return field::kNone;
}

}  // namespace twinscan
