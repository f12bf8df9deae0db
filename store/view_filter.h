// The filters of the grids, each an SQLite condition over its table. The
// result filter selects TABLERESULT rows by their marks and decisions, the
// record filter TABLE1 or TABLE2 rows by their error column. A view keeps
// its filter together with its sort (View::filterCondition); an export of
// the filtered rows uses the same conditions.
#pragma once

#include <array>
#include <string_view>

namespace twinscan::store {

// The grid offers kResultFilters; Differences (either mark) serves the
// results export's "differences".
enum class ResultFilter { All, Critical, NonCritical, WithoutDifferences, Undecided, Decided, Differences };
enum class RecordFilter { All, Erroneous, ErrorFree };

inline constexpr std::array<ResultFilter, 6> kResultFilters{ResultFilter::All,         ResultFilter::Critical,
                                                            ResultFilter::NonCritical, ResultFilter::WithoutDifferences,
                                                            ResultFilter::Undecided,   ResultFilter::Decided};
inline constexpr std::array<RecordFilter, 3> kRecordFilters{RecordFilter::All, RecordFilter::Erroneous,
                                                            RecordFilter::ErrorFree};

// The condition ("" for All). Critical and non-critical select the pairs
// with such a mark, so a pair with both is in both (as the run's counts
// have it); without differences selects the pairs with neither mark. A
// decision sets ACCEPTFIRST and ACCEPTSECOND together.
std::string_view ConditionOf(ResultFilter filter);
std::string_view ConditionOf(RecordFilter filter);

// How a view selects the rows of a filter: the rows matching `condition`,
// or (inverted) all the others. Either way it selects exactly the rows of
// ConditionOf; the condition is the one an index finds quickly, and the
// rarer side in the usual data (few errors, few decisions, few differences).
struct ViewSelection {
  std::string_view condition;  // "" for All
  bool inverted = false;
};
ViewSelection SelectionOf(ResultFilter filter);
ViewSelection SelectionOf(RecordFilter filter);

// The name the position label and the menus show ("critical", "error-free").
std::string_view NameOf(ResultFilter filter);
std::string_view NameOf(RecordFilter filter);

}  // namespace twinscan::store
