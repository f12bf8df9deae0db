// What a search field with a tolerance accepts. The candidate search and the
// field comparison share these values, so that a field searched with a
// tolerance is judged with the same tolerance.
#pragma once

#include <string_view>

#include "record/code_lists.h"

namespace twinscan {

// 1A: plus or minus 100 Hz.
inline constexpr double kFrequencyTolerance = 0.0001;

// 4C: 59 seconds of arc on either side in longitude and latitude alike, a
// box (not a circle) that does not wrap around longitude 0/360.
inline constexpr double kZoneHalfWidth = 59.0 / 3600.0;

// 6A: the station class groups, searched as substrings from the first
// character (so "" and two blanks occur in both). TD is named twice.
inline constexpr std::string_view kMobileClassList = kMobileList;  // the 6A check's own list
inline constexpr std::string_view kFixedClassList = "FA  FB  FC  FG  FL  FP  FS  FW  FX  LR  SM  TD  RA  TC  TD  TR";

}  // namespace twinscan
