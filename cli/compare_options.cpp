#include "cli/compare_options.h"

#include <cstdio>

#include "record/layout.h"

namespace twinscan::cli {
namespace {

// The search-field index of an item code; kNotSearched for a field that is not searched.
SearchFieldIndex SearchIndexOf(const std::string& code) {
  field::Number number = FieldNumberOf(code);
  return number == field::kNone ? kNotSearched : Field(number).search;
}

// "FIELD=V" with V one digit up to `highest`.
std::pair<std::string, uint8_t> SplitSetting(const std::string& option, const std::string& text, int highest) {
  size_t equals = text.find('=');
  if (equals == std::string::npos || equals + 2 != text.size() || text[equals + 1] < '0' ||
      text[equals + 1] > '0' + highest)
    throw UsageError(option + " takes FIELD=0.." + std::to_string(highest) + ", not " + text);
  return {text.substr(0, equals), static_cast<uint8_t>(text[equals + 1] - '0')};
}

}  // namespace

CompareOptions TakeCompareOptions(Cli& cli) {
  CompareOptions options;
  for (const std::string& text : cli.TakeAll("--mode")) {
    auto [code, value] = SplitSetting("--mode", text, 2);
    field::Number number = FieldNumberOf(code);
    if (number == field::kNone) throw UsageError("--mode: no field " + code);
    options.modes.emplace_back(number, static_cast<CompareMode>(value));
  }
  for (const std::string& text : cli.TakeAll("--search")) {
    auto [code, value] = SplitSetting("--search", text, 2);
    SearchFieldIndex index = SearchIndexOf(code);
    if (index == kNotSearched) throw UsageError("--search: " + code + " is not a search field (1A 6A 4A 13Y 4C)");
    auto searchValue = static_cast<SearchValue>(value);
    if (index == kSearch4A && searchValue == SearchValue::Tolerant) throw UsageError("--search: 4A takes 0 or 1");
    options.searches.emplace_back(index, searchValue);
  }
  for (const std::string& file : cli.TakeAll("--compare-erroneous")) {
    if (file != "ff" && file != "sf") throw UsageError("--compare-erroneous takes ff or sf, not " + file);
    options.compareErroneous[file == "ff" ? 0 : 1] = true;
  }
  options.forgetDecisions = cli.TakeFlag("--forget-decisions");
  return options;
}

bool ApplyCompareOptions(const CompareOptions& options, CompareSettings& settings, UserInterface& ui) {
  for (const auto& [field, mode] : options.modes) settings.setCompareMode(field, mode);
  // Fields to be used are set before fields to be cleared, so that any end
  // state with a field in use is reached whatever the order of the options;
  // clearing the last field in use is still refused.
  for (bool clearing : {false, true})
    for (const auto& [index, value] : options.searches) {
      if ((value == SearchValue::NotUsed) != clearing) continue;
      while (settings.searchField(index) != value)
        if (!settings.cycleSearchField(index)) {
          ui.ShowMessage(kAtLeastOneFieldMessage);
          return false;
        }
    }
  return true;
}

bool StartWithCompareOptions(Cli& cli, const CompareOptions& options, const FileOptions& fileOptions) {
  CompareSettings probe;
  if (!ApplyCompareOptions(options, probe, cli.ui)) return false;
  cli.Start();
  ApplyCompareOptions(options, cli.settings, cli.ui);
  FileOptions ff = fileOptions, sf = fileOptions;
  if (options.compareErroneous[0]) ff.onlyErrorFreeLines = false;
  if (options.compareErroneous[1]) sf.onlyErrorFreeLines = false;
  cli.settings.setFileOptions(ff, sf);
  cli.settings.setRestoreDecisions(!options.forgetDecisions);
  return true;
}

void ReportInterruptedCompare(Cli& cli, const CompareCounts& counts) {
  cli.ui.ShowMessage("interrupted after " + std::to_string(counts.primaryRecords) + " of " +
                     std::to_string(cli.views().primary().RowCount()) +
                     " primary records; the result rows compared so far are kept");
}

void PrintCompareSummary(const CompareCounts& c) {
  std::printf("compared pairs: %lld\n", static_cast<long long>(c.comparedPairs));
  std::printf("pairs with critical differences: %lld\n", static_cast<long long>(c.criticalPairs));
  std::printf("pairs with non-critical differences: %lld\n", static_cast<long long>(c.nonCriticalPairs));
  std::printf("primary records without candidates: %lld\n", static_cast<long long>(c.withoutCandidates));
  std::printf("decisions restored: %lld\n", static_cast<long long>(c.restoredDecisions));
}

}  // namespace twinscan::cli
