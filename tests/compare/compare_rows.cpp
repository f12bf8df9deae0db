#include "tests/compare/compare_rows.h"

#include <stdexcept>

namespace twinscan::testing {

Columns BaseColumns() {
  using store::Date;
  return {
      {"1A", 146.5},
      {"1Z", std::string("1")},
      {"6A", std::string("FX")},
      {"6B", std::string("CV")},
      {"6Z", std::string("XX")},
      {"10Z", int64_t{0}},
      {"2C", Date{2001, 7, 1}},
      {"4A", std::string("ANTWERPEN")},
      {"4B", std::string("BEL")},
      {"4C", std::string("004E300051N3000")},
      {"4CLONG", 4.5},
      {"4CLAT", 51.5},
      {"4D", int64_t{10}},
      {"4Z", int64_t{10}},
      {"7A", std::string("16K0F3EJN")},
      {"8B1", 10.0},
      {"8B2", std::string("E")},
      {"9A", 90.0},
      {"9B", 0.0},
      {"9D", std::string("H ")},
      {"9G", 10.0},
      {"9Y", int64_t{10}},
      {"9XH", std::string("090EA03")},
      {"9XV", std::string("000EA00")},
      {"1Y", 146.5},
      {"13Z", std::string("TEST STATION")},
      {"13Y", std::string("C")},
      {"2W", Date{2001, 1, 1}},
      {"2Z", Date{2001, 1, 2}},
      {"13X", std::string("BEL500001230111")},
  };
}

void InsertRecord(store::Database& db, const std::string& table, int64_t line, const Columns& changes, bool error) {
  Columns columns = BaseColumns();
  for (const auto& [name, value] : changes) {
    if (!columns.count(name)) throw std::invalid_argument("no column " + name);
    columns[name] = value;
  }
  std::string names = "linenumber, error", marks = "?, ?";
  for (const auto& entry : columns) {
    names += ", " + store::QuoteName(entry.first);
    marks += ", ?";
  }
  store::Statement insert = db.Prepare("INSERT INTO " + table + " (" + names + ") VALUES (" + marks + ")");
  insert.BindInt(1, line);
  insert.BindInt(2, error ? 1 : 0);
  int index = 3;
  for (const auto& entry : columns) insert.Bind(index++, entry.second);
  insert.Step();
}

void SetSearchFields(CompareSettings& settings, std::array<uint8_t, 5> values) {
  // Fields that stay in use first, so that the last used one is never cleared.
  for (bool used : {true, false})
    for (int index = 1; index <= kSearchFieldCount; ++index) {
      auto wanted = static_cast<SearchValue>(values[static_cast<size_t>(index - 1)]);
      if ((wanted != SearchValue::NotUsed) != used) continue;
      for (int step = 0; settings.searchField(index) != wanted; ++step)
        if (step > 3 || !settings.cycleSearchField(index)) throw std::logic_error("search field not reachable");
    }
}

}  // namespace twinscan::testing
