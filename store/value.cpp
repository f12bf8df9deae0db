#include "store/value.h"

#include <cstdio>

#include "record/number_text.h"

namespace twinscan::store {

std::string DateToStoredText(const Date& d) {
  // Every imported record stores up to three dates: no printf here.
  std::string out = "0000-00-00";
  auto put = [&out](size_t end, int value, int digits) {
    for (int i = 0; i < digits; ++i, value /= 10)
      out[end - static_cast<size_t>(i)] = static_cast<char>('0' + value % 10);
  };
  if (d.year < 0 || d.year > 9999 || d.month < 0 || d.month > 99 || d.day < 0 || d.day > 99) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
    return buf;
  }
  put(3, d.year, 4);
  put(6, d.month, 2);
  put(9, d.day, 2);
  return out;
}

bool ParseStoredDate(std::string_view text, Date* out) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  auto number = [&](size_t at, size_t length, int* value) {
    *value = 0;
    for (size_t i = at; i < at + length; ++i) {
      if (text[i] < '0' || text[i] > '9') return false;
      *value = *value * 10 + (text[i] - '0');
    }
    return true;
  };
  return number(0, 4, &out->year) && number(5, 2, &out->month) && number(8, 2, &out->day);
}

std::string DisplayText(const Value& v, ColumnKind kind) {
  if (IsNull(v)) return "";
  if (auto* date = std::get_if<Date>(&v)) {
    // The comparison shows up to three dates of every record it reads: no
    // printf for the dates a stored text can hold.
    if (date->year >= 0 && date->year <= 9999 && date->month >= 0 && date->month <= 99 && date->day >= 0 &&
        date->day <= 99) {
      std::string out = "00/00/0000";
      auto put = [&out](size_t end, int value, int digits) {
        for (int i = 0; i < digits; ++i, value /= 10)
          out[end - static_cast<size_t>(i)] = static_cast<char>('0' + value % 10);
      };
      put(1, date->day, 2);
      put(4, date->month, 2);
      put(9, date->year, 4);
      return out;
    }
    char buf[48];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", date->day, date->month, date->year);
    return buf;
  }
  if (auto* i = std::get_if<int64_t>(&v)) {
    if (kind == ColumnKind::Boolean) return *i ? "True" : "False";
    return std::to_string(*i);
  }
  if (auto* d = std::get_if<double>(&v)) return PlainNumber(*d);
  return std::get<std::string>(v);
}

}  // namespace twinscan::store
