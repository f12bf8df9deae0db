#include "settings/compare_settings.h"

namespace twinscan {

void CompareSettings::resetToDefaults() {
  compareMode_[0] = CompareMode::NotChecked;
  for (const RecordField& f : kFields)
    compareMode_[static_cast<size_t>(f.number)] = f.criticalAtStart ? CompareMode::Critical : CompareMode::NonCritical;
  searchField_.fill(SearchValue::Exact);
  searchField_[0] = SearchValue::NotUsed;
  ff_ = FileOptions{};
  sf_ = FileOptions{};
  restoreDecisions_ = true;
}

CompareMode CompareSettings::cycleCompareMode(int fieldNumber) {
  CompareMode& mode = compareMode_.at(static_cast<size_t>(fieldNumber));
  mode = static_cast<CompareMode>((static_cast<int>(mode) + 1) % 3);
  return mode;
}

std::optional<SearchValue> CompareSettings::cycleSearchField(int index) {
  bool othersInUse = false;
  for (int i = 1; i <= kSearchFieldCount; ++i)
    if (i != index && searchField_.at(static_cast<size_t>(i)) != SearchValue::NotUsed) othersInUse = true;
  if (!othersInUse) return std::nullopt;
  SearchValue& value = searchField_.at(static_cast<size_t>(index));
  value = static_cast<SearchValue>((static_cast<int>(value) + 1) % (index == kSearch4A ? 2 : 3));
  return value;
}

}  // namespace twinscan
