// The position label of a grid in the status bar: "(ff) 0" for an empty view,
// otherwise "(ff) " + position + " of " + row count, both numbers with the
// leading-blank rule ("(ff)  3 of  120"). An empty result view that holds one
// primary line's rows (re-opened with a filter) reads "(re) ??".
#pragma once

#include <string>

#include "store/view.h"

namespace twinscan::ui {

std::string PositionLabel(const store::View& view);
// With the name of the grid's filter after it ("(re)  3 of  40, critical");
// `suffix` is ", critical", or "" for the unfiltered grid.
std::string PositionLabel(const store::View& view, const std::string& suffix);

}  // namespace twinscan::ui
