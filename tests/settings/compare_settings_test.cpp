#include "settings/compare_settings.h"

#include <gtest/gtest.h>

#include <set>

#include "record/layout.h"

namespace twinscan {
namespace {

constexpr auto U = SearchValue::NotUsed, E = SearchValue::Exact, T = SearchValue::Tolerant;
using Values = std::array<SearchValue, kSearchFieldCount>;  // 1A 6A 4A 13Y 4C

TEST(CompareSettingsTest, StartValues) {
  CompareSettings s;
  const std::set<std::string_view> critical{"1A", "6A", "4A", "4C", "7A", "8B1", "8B2", "9Y", "1Y", "13Y"};
  for (const RecordField& f : kFields)
    EXPECT_EQ(s.compareMode(f.number), critical.count(f.code) ? CompareMode::Critical : CompareMode::NonCritical)
        << f.code;

  for (int i = 1; i <= kSearchFieldCount; ++i) EXPECT_EQ(s.searchField(i), E) << i;

  const FileOptions on{true, true, true, true, true, true, true};
  EXPECT_EQ(s.fileOptions(FileTag::ff), on);
  EXPECT_EQ(s.fileOptions(FileTag::sf), on);
}

TEST(CompareSettingsTest, ResetRestoresEveryGroup) {
  CompareSettings s;
  s.cycleCompareMode(field::k6Z);
  s.cycleSearchField(kSearch1A);
  FileOptions off{false, false, false, false, false, false, false};
  s.setFileOptions(off, off);
  s.resetToDefaults();
  EXPECT_EQ(s.compareMode(field::k6Z), CompareMode::NonCritical);
  EXPECT_EQ(s.searchField(kSearch1A), E);
  EXPECT_EQ(s.fileOptions(FileTag::ff), FileOptions{});
  EXPECT_EQ(s.fileOptions(FileTag::sf), FileOptions{});
}

TEST(CompareSettingsTest, CompareModeCyclesGreyYellowRed) {
  CompareSettings s;
  // 1A starts critical, 1Z non-critical.
  EXPECT_EQ(s.cycleCompareMode(field::k1A), CompareMode::NotChecked);
  EXPECT_EQ(s.cycleCompareMode(field::k1A), CompareMode::NonCritical);
  EXPECT_EQ(s.cycleCompareMode(field::k1A), CompareMode::Critical);
  EXPECT_EQ(s.compareMode(field::k1A), CompareMode::Critical);
  EXPECT_EQ(s.cycleCompareMode(field::k1Z), CompareMode::Critical);
  EXPECT_EQ(s.compareMode(field::k6A), CompareMode::Critical) << "other fields untouched";
}

TEST(CompareSettingsTest, SearchFieldSteps) {
  CompareSettings s;
  // 1A, 6A, 13Y, 4C: not used, exact, tolerant; 4A only not used and used.
  for (int index : {kSearch1A, kSearch6A, kSearch13Y, kSearch4C}) {
    EXPECT_EQ(s.cycleSearchField(index), T) << index;
    EXPECT_EQ(s.cycleSearchField(index), U) << index;
    EXPECT_EQ(s.cycleSearchField(index), E) << index;
  }
  EXPECT_EQ(s.cycleSearchField(kSearch4A), U);
  EXPECT_EQ(s.cycleSearchField(kSearch4A), E);
  EXPECT_EQ(s.cycleSearchField(kSearch4A), U);
}

// Puts the five search fields at the given values through clicks alone; the
// fields in use first, so that no click on the way is refused.
void SetSearchFields(CompareSettings& s, const Values& values) {
  for (bool inUse : {true, false})
    for (int i = 1; i <= kSearchFieldCount; ++i)
      while ((values[static_cast<size_t>(i - 1)] != U) == inUse &&
             s.searchField(i) != values[static_cast<size_t>(i - 1)])
        ASSERT_TRUE(s.cycleSearchField(i));
}

TEST(CompareSettingsTest, TheLastFieldInUseIsRefused) {
  struct Case {
    Values values;
    int clicked;
  };
  const Case cases[] = {
      {{U, U, U, U, E}, kSearch4C},
      {{U, U, U, U, T}, kSearch4C},
      {{E, U, U, U, U}, kSearch1A},
      {{U, U, E, U, U}, kSearch4A},
  };
  for (const Case& c : cases) {
    CompareSettings s;
    SetSearchFields(s, c.values);
    for (int click = 0; click < 3; ++click) EXPECT_FALSE(s.cycleSearchField(c.clicked).has_value()) << c.clicked;
    for (int i = 1; i <= kSearchFieldCount; ++i) EXPECT_EQ(s.searchField(i), c.values[static_cast<size_t>(i - 1)]);
  }
}

TEST(CompareSettingsTest, RefusalFollowsTheOtherFields) {
  CompareSettings s;
  SetSearchFields(s, {E, E, U, U, U});
  EXPECT_EQ(s.cycleSearchField(kSearch1A), T);
  EXPECT_EQ(s.cycleSearchField(kSearch1A), U);
  EXPECT_FALSE(s.cycleSearchField(kSearch6A).has_value());
  EXPECT_EQ(s.searchField(kSearch6A), E);
  // Once another field is in use again, 6A steps freely.
  EXPECT_EQ(s.cycleSearchField(kSearch4A), E);
  EXPECT_EQ(s.cycleSearchField(kSearch6A), T);
}

TEST(CompareSettingsTest, SetFileOptionsReplacesBothFilesAtOnce) {
  CompareSettings s;
  const FileOptions ff{.correctedFile = false}, sf{.export2001NoCrlf = false, .suppressCleanLines = false};
  const FileOptions& readerView = s.fileOptions(FileTag::sf);  // readers see the current value
  s.setFileOptions(ff, sf);
  EXPECT_EQ(s.fileOptions(FileTag::ff), ff);
  EXPECT_EQ(s.fileOptions(FileTag::sf), sf);
  EXPECT_FALSE(readerView.suppressCleanLines);
  // The compare modes and search fields are left alone.
  EXPECT_EQ(s.compareMode(field::k1A), CompareMode::Critical);
  EXPECT_EQ(s.searchField(kSearch4C), E);
}

}  // namespace
}  // namespace twinscan
