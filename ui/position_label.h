// The position label of a grid in the status bar: "(ff) 0" for an empty view,
// otherwise "(ff) " + position + " of " + row count, both numbers with the
// leading-blank rule ("(ff)  3 of  120"). An empty result view that holds one
// primary line's rows (re-opened with a filter) reads "(re) ??".
#pragma once

#include <string>

#include "store/view.h"

namespace twinscan::ui {

std::string PositionLabel(const store::View& view);

}  // namespace twinscan::ui
