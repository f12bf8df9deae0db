// The candidate search: the secondary records that may describe the same
// assignment as one primary record, selected by up to five search fields
// (1A, 6A, 4A, 13Y, 4C), each not used, exact or tolerant.
//
// The query is an SQLite condition over TABLE2 with bound values. Numbers are
// bound as the number text of the search writes them (the frequency in its
// plain form, the zone bounds with the leading-blank rule), so a value on the
// edge of a band or zone falls where that rounding puts it. An empty 1A or 4C
// searches for the rows where it is empty too. Only one search column of the
// condition may use an index (the most selective one in use); the others are
// written "+column", which keeps their collation but takes them out of index
// choice.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "settings/compare_settings.h"
#include "store/value.h"
#include "store/view.h"

namespace twinscan {

// The search fields of one primary record, as its row holds them.
struct CandidateKeys {
  std::optional<double> frequency;  // 1A, MHz
  std::string stationClass;         // 6A, the grid text ("" when Null)
  std::string stationName;          // 4A
  std::string status;               // 13Y
  std::string coordinates;          // 4C
  std::optional<double> longitude;  // 4CLONG
  std::optional<double> latitude;   // 4CLAT
};

// The box of a tolerant 4C search, as the condition binds it: the rows
// with lonLow < 4CLONG < lonHigh and latLow < 4CLAT < latHigh.
struct ZoneBox {
  double lonLow, lonHigh, latLow, latHigh;
};

struct CandidateQuery {
  std::string where;                // the SQLite condition
  std::vector<store::Value> binds;  // its values, in order
  std::optional<ZoneBox> zone;      // a tolerant 4C search with both centres
  // A 1A search of a record with a frequency: the rows with low <= 1A <=
  // high (one value when exact).
  std::optional<std::pair<double, double>> band;
};

// The order in which candidates come.
inline constexpr const char* kCandidateOrder = store::kLineNumberOrder;

// Reads SearchField at the moment of the call; changes nothing, never fails.
// A missing 4CLONG or 4CLAT (rows not written by the import) searches for
// the rows that miss it too.
CandidateQuery BuildCandidateQuery(const CandidateKeys& keys, const CompareSettings& settings);

}  // namespace twinscan
