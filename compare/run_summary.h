// The line that says how the last run ended, as the main window shows it:
//   "Compare finished: N pairs, C with critical differences, K with
//    non-critical differences, M primary records without candidate,
//    R decisions restored"
//   "Compare cancelled before primary line L"
// and for a manual compare how many candidates it found or why it compared
// nothing.
#pragma once

#include <string>

#include "compare/compare_engine.h"

namespace twinscan {

std::string RunSummaryText(const CompareCounts& counts);

}  // namespace twinscan
