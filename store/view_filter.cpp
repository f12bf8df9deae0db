#include "store/view_filter.h"

namespace twinscan::store {

std::string_view ConditionOf(ResultFilter filter) {
  switch (filter) {
    case ResultFilter::Critical: return "critical = 1";
    case ResultFilter::NonCritical: return "noncritical = 1";
    case ResultFilter::WithoutDifferences: return "critical IS NOT 1 AND noncritical IS NOT 1";
    case ResultFilter::Differences: return "(critical = 1 OR noncritical = 1)";
    case ResultFilter::Undecided: return "ACCEPTFIRST IS NULL";
    case ResultFilter::Decided: return "ACCEPTFIRST IS NOT NULL";
    default: return "";
  }
}

std::string_view ConditionOf(RecordFilter filter) {
  switch (filter) {
    case RecordFilter::Erroneous: return "error = 1";
    case RecordFilter::ErrorFree: return "error IS NOT 1";
    default: return "";
  }
}

ViewSelection SelectionOf(ResultFilter filter) {
  switch (filter) {
    case ResultFilter::WithoutDifferences: return {"critical = 1 OR noncritical = 1", true};
    case ResultFilter::Undecided: return {"ACCEPTFIRST IS NOT NULL", true};
    default: return {ConditionOf(filter), false};
  }
}

ViewSelection SelectionOf(RecordFilter filter) {
  if (filter == RecordFilter::ErrorFree) return {ConditionOf(RecordFilter::Erroneous), true};
  return {ConditionOf(filter), false};
}

std::string_view NameOf(ResultFilter filter) {
  switch (filter) {
    case ResultFilter::Critical: return "critical";
    case ResultFilter::NonCritical: return "non-critical";
    case ResultFilter::WithoutDifferences: return "without differences";
    case ResultFilter::Differences: return "with differences";
    case ResultFilter::Undecided: return "undecided";
    case ResultFilter::Decided: return "decided";
    default: return "all";
  }
}

std::string_view NameOf(RecordFilter filter) {
  switch (filter) {
    case RecordFilter::Erroneous: return "erroneous";
    case RecordFilter::ErrorFree: return "error-free";
    default: return "all";
  }
}

}  // namespace twinscan::store
