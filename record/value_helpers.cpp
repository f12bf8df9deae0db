#include "record/value_helpers.h"

namespace twinscan {

bool IsBlank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

std::string_view PlacesOf(std::string_view text, size_t first, size_t last) {
  if (first < 1 || first > text.size() || last < first) return {};
  return text.substr(first - 1, last - first + 1);
}

std::string_view TrimBlanks(std::string_view text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool OccursIn(std::string_view text, std::string_view list) { return list.find(text) != std::string_view::npos; }

std::string ReplaceAll(std::string_view text, std::string_view what, std::string_view with) {
  // An empty what would be found at every place without ever moving on.
  if (what.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  size_t from = 0;
  for (size_t at; (at = text.find(what, from)) != std::string_view::npos; from = at + what.size()) {
    out.append(text.substr(from, at - from));
    out.append(with);
  }
  out.append(text.substr(from));
  return out;
}

std::string LeftJustify(std::string_view text) {
  size_t blanks = text.find_first_not_of(' ');
  if (blanks == 0 || blanks == std::string_view::npos) return std::string(text);
  return std::string(text.substr(blanks)) + std::string(blanks, ' ');
}

// The class, code and date tests are in value_checks.cpp, the conversions in
// number_parsing.cpp.

}  // namespace twinscan
