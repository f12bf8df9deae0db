#include "record/layout.h"

#include <cctype>

namespace twinscan {

int FieldNumberOf(std::string_view code) {
  for (const FieldInfo& f : kFields) {
    if (f.code.size() != code.size()) continue;
    bool same = true;
    for (size_t i = 0; i < code.size() && same; ++i)
      same = std::toupper(static_cast<unsigned char>(code[i])) == f.code[i];
    if (same) return f.number;
  }
  return 0;
}

}  // namespace twinscan
