// Value: one cell of a stored row, as the core sees it.
//
// Texts are UTF-8. Dates are calendar dates (stored as 'YYYY-MM-DD');
// booleans are whole numbers 0/1 whose column kind says Boolean.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace twinscan::store {

struct Date {
  int year = 0, month = 0, day = 0;
  bool operator==(const Date&) const = default;
};

using Value = std::variant<std::monostate, int64_t, double, std::string, Date>;

inline bool IsNull(const Value& v) { return std::holds_alternative<std::monostate>(v); }

// A number cell as a double; nullopt for Null or text.
inline std::optional<double> NumberOf(const Value& v) {
  if (auto* i = std::get_if<int64_t>(&v)) return static_cast<double>(*i);
  if (auto* d = std::get_if<double>(&v)) return *d;
  return std::nullopt;
}

// What a column holds, from its declared type.
enum class ColumnKind { Integer, Real, Text, Date, Boolean };

// The text a grid shows for a cell: dates dd/mm/yyyy, booleans True/False,
// numbers in their plain form, Null as "".
std::string DisplayText(const Value& v, ColumnKind kind);

// 'YYYY-MM-DD' (year padded to four digits) and back.
std::string DateToStoredText(const Date& d);
bool ParseStoredDate(std::string_view text, Date* out);

}  // namespace twinscan::store
