#include "app/result_filter.h"

#include <array>
#include <utility>

namespace twinscan {
namespace {

constexpr std::array<std::pair<ResultFilter, std::string_view>, 7> kNames{{
    {ResultFilter::All, "all"},
    {ResultFilter::Critical, "critical"},
    {ResultFilter::NonCritical, "noncritical"},
    {ResultFilter::Differences, "differences"},
    {ResultFilter::WithoutDifferences, "without-differences"},
    {ResultFilter::Undecided, "undecided"},
    {ResultFilter::Decided, "decided"},
}};

}  // namespace

std::string_view ResultFilterName(ResultFilter filter) {
  for (const auto& [f, name] : kNames)
    if (f == filter) return name;
  return "all";
}

std::string_view ResultFilterCondition(ResultFilter filter) {
  std::string_view condition = store::ConditionOf(filter);
  return condition.empty() ? "1" : condition;
}

std::optional<ResultFilter> ParseResultFilter(std::string_view name) {
  for (const auto& [filter, n] : kNames)
    if (n == name) return filter;
  return std::nullopt;
}

}  // namespace twinscan
