// The fixed column widths of the three grids, in twips, in column order.
// The first two grids get theirs once at start-up; the result grid is
// created with its own, the review's four columns after the 32 others.
#pragma once

#include <array>

#include "store/tables.h"

namespace twinscan::ui {

inline constexpr std::array<int, store::kRecordColumnCount> kRecordGridWidths{
    700, 1100, 300, 300, 300, 300, 400,  1100, 2100, 400, 1600, 500, 500, 1000, 900,  400, 900, 900,
    300, 900,  500, 800, 800, 900, 5100, 400,  900,  900, 1600, 200, 700, 3100, 3100, 700, 200, 200};

inline constexpr std::array<int, store::kResultGridColumnCount> kResultGridWidths{
    915,  930,  765,  795,  1500, 1500, 1500, 1500, 1500, 1500, 1500, 1500, 1500, 1500, 1500, 1500, 1500, 1500,
    1500, 1500, 1500, 1500, 1500, 1500, 1500, 1500, 1500, 1500, 1500, 1740, 1500, 1500, 1230, 1395, 3000, 2000};

}  // namespace twinscan::ui
