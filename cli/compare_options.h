// The comparison options of the batch tool, shared by `compare` and `check`:
// --mode FIELD=0|1|2, --search FIELD=0|1|2, --compare-erroneous ff|sf and
// --forget-decisions.
// They are read before the program starts and applied to its settings after
// the start has set them to their start values.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "cli/cli.h"
#include "compare/compare_engine.h"

namespace twinscan::cli {

struct CompareOptions {
  std::vector<std::pair<field::Number, CompareMode>> modes;
  std::vector<std::pair<SearchFieldIndex, SearchValue>> searches;
  bool compareErroneous[2] = {false, false};  // ff, sf: onlyErrorFreeLines cleared
  bool forgetDecisions = false;  // --forget-decisions: no decision is restored
};

// Takes the options from the arguments; UsageError on a bad one.
CompareOptions TakeCompareOptions(Cli& cli);

// Sets compare modes and search fields in the order given; a search value
// is reached through the settings' own steps. False when a step is refused
// ("At least one Field required" is then shown).
bool ApplyCompareOptions(const CompareOptions& options, CompareSettings& settings, UserInterface& ui);

// Starts the program with the options applied: compare options to the
// settings, `fileOptions` to both files with --compare-erroneous on top.
// False, before anything starts, when a search step is refused.
bool StartWithCompareOptions(Cli& cli, const CompareOptions& options, const FileOptions& fileOptions = {});

// After a full compare that SIGINT stopped: says how far it got (on stderr).
void ReportInterruptedCompare(Cli& cli, const CompareCounts& counts);

// Prints what a comparison run did.
void PrintCompareSummary(const CompareCounts& counts);

}  // namespace twinscan::cli
