#include "app/result_filter.h"

#include <array>
#include <utility>

namespace twinscan {
namespace {

struct FilterEntry {
  ResultFilter filter;
  std::string_view name, condition;
};

constexpr std::array<FilterEntry, 6> kFilters{{
    {ResultFilter::All, "all", "1"},
    {ResultFilter::Critical, "critical", "critical = 1"},
    {ResultFilter::NonCritical, "noncritical", "noncritical = 1"},
    {ResultFilter::Differences, "differences", "(critical = 1 OR noncritical = 1)"},
    {ResultFilter::Undecided, "undecided", "ACCEPTFIRST IS NULL"},
    {ResultFilter::Decided, "decided", "ACCEPTFIRST IS NOT NULL"},
}};

const FilterEntry& EntryOf(ResultFilter filter) { return kFilters[static_cast<size_t>(filter)]; }

}  // namespace

std::string_view ResultFilterName(ResultFilter filter) { return EntryOf(filter).name; }
std::string_view ResultFilterCondition(ResultFilter filter) { return EntryOf(filter).condition; }

std::optional<ResultFilter> ParseResultFilter(std::string_view name) {
  for (const FilterEntry& entry : kFilters)
    if (entry.name == name) return entry.filter;
  return std::nullopt;
}

}  // namespace twinscan
