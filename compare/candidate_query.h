// The candidate search: the secondary records that may describe the same
// assignment as one primary record, selected by up to five search fields
// (1A, 6A, 4A, 13Y, 4C), each not used, exact or tolerant.
//
// The query comes twice: the Jet text that the system shows (every text
// value's quotes doubled; an empty 1A or 4C gives "is null"), and an SQLite
// condition over TABLE2 with bound values that selects exactly the same rows.
// Numbers are bound as the text writes them, so the zone and the band hold
// what the text says. Only one search column of the condition may use an
// index (the most selective one in use); the others are written "+column",
// which keeps their collation but takes them out of index choice.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "settings/compare_settings.h"
#include "store/value.h"

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

struct CandidateQuery {
  std::string text;                 // "SELECT * FROM TABLE2 WHERE (...)"
  std::string where;                // the SQLite condition
  std::vector<store::Value> binds;  // its values, in order
};

// The order in which candidates come.
inline constexpr const char* kCandidateOrder = "linenumber, rowid";

// Reads SearchField at the moment of the call; changes nothing, never fails.
// A missing 4CLONG or 4CLAT (rows not written by the import) searches for
// the rows that miss it too ("[4CLONG] is null").
CandidateQuery BuildCandidateQuery(const CandidateKeys& keys, const CompareSettings& settings);

// The station class groups as the search writes them.
extern const char* const kMobileGroupClause;
extern const char* const kFixedGroupClause;

}  // namespace twinscan
