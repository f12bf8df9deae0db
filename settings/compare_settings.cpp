#include "settings/compare_settings.h"

namespace twinscan {
namespace {

// Fields that start critical; all others start non-critical.
constexpr std::array<int, 10> kCriticalAtStart{1, 3, 8, 10, 13, 14, 15, 20, 23, 25};

}  // namespace

void CompareSettings::resetToDefaults() {
  compareMode_.fill(NonCritical);
  compareMode_[0] = 0;
  for (int field : kCriticalAtStart) compareMode_[static_cast<size_t>(field)] = Critical;
  searchField_.fill(Exact);
  searchField_[0] = 0;
  ff_ = FileOptions{};
  sf_ = FileOptions{};
  restoreDecisions_ = true;
}

uint8_t CompareSettings::cycleCompareMode(int fieldNumber) {
  uint8_t& mode = compareMode_.at(static_cast<size_t>(fieldNumber));
  mode = static_cast<uint8_t>((mode + 1) % 3);
  return mode;
}

std::optional<uint8_t> CompareSettings::cycleSearchField(int index) {
  int others = 0;
  for (int i = 1; i <= kSearchFieldCount; ++i)
    if (i != index) others += searchField_.at(static_cast<size_t>(i));
  if (others == 0) return std::nullopt;
  uint8_t& value = searchField_.at(static_cast<size_t>(index));
  value = static_cast<uint8_t>((value + 1) % (index == kSearch4A ? 2 : 3));
  return value;
}

}  // namespace twinscan
