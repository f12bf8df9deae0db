// CheckRecord runs every field step of one complete record in place order,
// the record starting with fresh StepFlags.
#pragma once

#include <string_view>

#include "import/import_context.h"

namespace twinscan {

// record holds exactly 219 counted characters (no line ends).
void CheckRecord(ImportContext& ctx, std::string_view record);

}  // namespace twinscan
