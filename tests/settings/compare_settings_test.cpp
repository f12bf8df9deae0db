#include "settings/compare_settings.h"

#include <gtest/gtest.h>

namespace twinscan {
namespace {

constexpr auto U = SearchValue::NotUsed, E = SearchValue::Exact, T = SearchValue::Tolerant;
using Values = std::array<SearchValue, kSearchFieldCount>;  // 1A 6A 4A 13Y 4C

// Puts the search fields at the given values through clicks alone; the
// fields in use first, so that no click on the way is refused.
void SetSearchFields(CompareSettings& s, const Values& values) {
  for (bool inUse : {true, false})
    for (size_t i = 0; i < values.size(); ++i)
      while ((values[i] != U) == inUse && s.searchField(static_cast<int>(i + 1)) != values[i])
        ASSERT_TRUE(s.cycleSearchField(static_cast<int>(i + 1)));
}

// Clicks from a start; nullopt: refused, and the field keeps its value. 1A,
// 6A, 13Y and 4C step exact, tolerant, not used; 4A only used and not used.
TEST(CompareSettingsTest, SearchFieldStepsAndTheLastFieldInUseIsRefused) {
  using Step = std::pair<int, std::optional<SearchValue>>;
  const std::pair<Values, std::vector<Step>> cases[] = {
      {{E, E, E, E, E}, {{kSearch1A, T}, {kSearch1A, U}, {kSearch1A, E}, {kSearch6A, T}, {kSearch6A, U}}},
      {{E, E, E, E, E}, {{kSearch13Y, T}, {kSearch13Y, U}, {kSearch13Y, E}, {kSearch4C, T}, {kSearch4C, U}}},
      {{E, E, E, E, E}, {{kSearch4A, U}, {kSearch4A, E}, {kSearch4A, U}}},
      {{U, U, U, U, E}, {{kSearch4C, {}}, {kSearch4C, {}}, {kSearch4C, {}}}},
      {{U, U, U, U, T}, {{kSearch4C, {}}}},
      {{E, U, U, U, U}, {{kSearch1A, {}}}},
      {{U, U, E, U, U}, {{kSearch4A, {}}}},
      {{E, E, U, U, U}, {{kSearch1A, T}, {kSearch1A, U}, {kSearch6A, {}}, {kSearch4A, E}, {kSearch6A, T}}},
  };
  for (const auto& [start, steps] : cases) {
    CompareSettings s;
    SetSearchFields(s, start);
    for (const auto& [click, expected] : steps) {
      const SearchValue before = s.searchField(click);
      EXPECT_EQ(s.cycleSearchField(click), expected) << click;
      EXPECT_EQ(s.searchField(click), expected.value_or(before)) << click;
    }
  }
}

}  // namespace
}  // namespace twinscan
