// The results export's filters by the names of the batch tool's --filter
// option. They are the result grid's filters (store/view_filter.h), so an
// export takes exactly the rows the grid would show.
#pragma once

#include <optional>
#include <string_view>

#include "store/view_filter.h"

namespace twinscan {

using store::ResultFilter;

// "all" "critical" "noncritical" "differences" "undecided" "decided".
std::string_view ResultFilterName(ResultFilter filter);
std::optional<ResultFilter> ParseResultFilter(std::string_view name);
// A condition naming TABLERESULT's columns only ("1" for All).
std::string_view ResultFilterCondition(ResultFilter filter);

}  // namespace twinscan
