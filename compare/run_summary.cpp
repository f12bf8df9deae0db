#include "compare/run_summary.h"

namespace twinscan {
namespace {

std::string Count(int64_t n) { return std::to_string(n); }

std::string ManualSummary(const CompareCounts& c) {
  std::string text = "Manual compare of primary line " + Count(c.manualLine) + ": ";
  if (c.candidates == 0) return text + "no candidate found";
  if (c.erroneousCandidate >= 0)
    return text + Count(c.candidates) + " candidates found, none compared: the first, secondary line " +
           Count(c.erroneousCandidate) + ", is erroneous and skipped";
  return text + Count(c.candidates) + " candidates found, " + Count(c.comparedPairs) + " pairs compared, " +
         Count(c.criticalPairs) + " with critical differences, " + Count(c.restoredDecisions) + " decisions restored";
}

}  // namespace

std::string RunSummaryText(const CompareCounts& c) {
  if (c.manual) return ManualSummary(c);
  if (c.cancelled) return "Compare cancelled before primary line " + Count(c.cancelledBefore);
  return "Compare finished: " + Count(c.comparedPairs) + " pairs, " + Count(c.criticalPairs) +
         " with critical differences, " + Count(c.nonCriticalPairs) + " with non-critical differences, " +
         Count(c.withoutCandidates) + " primary records without candidate, " + Count(c.restoredDecisions) +
         " decisions restored";
}

}  // namespace twinscan
