// Stand-in steps that write a field's column as read, until the field checks
// replace them. (Deleted together with the last stand-in file.)
#pragma once

#include <cstdlib>
#include <string>
#include <string_view>

#include "import/import_context.h"

namespace twinscan::as_read {

inline void Text(ImportContext& ctx, RecordColumn c, std::string_view text) { ctx.row.WriteText(c, text); }

inline void Number(ImportContext& ctx, RecordColumn c, std::string_view text) {
  std::string s(text);
  char* end = nullptr;
  double v = std::strtod(s.c_str(), &end);
  while (end && *end == ' ') ++end;
  if (end != s.c_str() && end && *end == '\0') ctx.row.WriteNumber(c, v);
}

inline void Whole(ImportContext& ctx, RecordColumn c, std::string_view text) {
  std::string s(text);
  char* end = nullptr;
  long v = std::strtol(s.c_str(), &end, 10);
  while (end && *end == ' ') ++end;
  if (end != s.c_str() && end && *end == '\0') ctx.row.WriteWhole(c, v);
}

inline void Date(ImportContext& ctx, RecordColumn c, std::string_view text) {
  if (text.size() != 8 || text.find_first_not_of("0123456789") != std::string_view::npos) return;
  int d = std::atoi(std::string(text.substr(0, 2)).c_str());
  int m = std::atoi(std::string(text.substr(2, 2)).c_str());
  int y = std::atoi(std::string(text.substr(4, 4)).c_str());
  if (d >= 1 && d <= 31 && m >= 1 && m <= 12) ctx.row.WriteDate(c, d, m, y);
}

}  // namespace twinscan::as_read
