// ResultFilter: which compared pairs a results export (and the result grid)
// takes, by the names of the batch tool's --filter option, with the SQLite
// condition over TABLERESULT that selects them.
//
// The compare run marks a pair's critical and noncritical columns 1 or leaves
// them Null; the review stores ACCEPTFIRST and ACCEPTSECOND together, so a
// pair is decided when ACCEPTFIRST is set.
#pragma once

#include <optional>
#include <string_view>

namespace twinscan {

enum class ResultFilter { All, Critical, NonCritical, Differences, Undecided, Decided };

// "all" "critical" "noncritical" "differences" "undecided" "decided".
std::string_view ResultFilterName(ResultFilter filter);
std::optional<ResultFilter> ParseResultFilter(std::string_view name);
// A condition naming TABLERESULT's columns only ("1" for All).
std::string_view ResultFilterCondition(ResultFilter filter);

}  // namespace twinscan
