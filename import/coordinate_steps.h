// The field steps of the coordinates, service area and altitude: 4C (which
// also settles and writes 4A), 4D and 4Z (see field_steps.h).
#pragma once

#include <string_view>

#include "import/import_context.h"

namespace twinscan {

void Check4C(ImportContext& ctx, std::string_view text);
void Check4D(ImportContext& ctx, std::string_view text);
void Check4Z(ImportContext& ctx, std::string_view text);

}  // namespace twinscan
