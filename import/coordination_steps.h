// The field steps of the receive frequency and coordination fields: 1Y with
// its unit, 13Z, 13Y (which also settles and writes 1Z), the dates 2W and 2Z,
// and 13X, the last step of a record (see field_steps.h).
#pragma once

#include <string_view>

#include "import/import_context.h"

namespace twinscan {

void Check1YNumber(ImportContext& ctx, std::string_view text);
void Check1YUnit(ImportContext& ctx, std::string_view text);
void Check13Z(ImportContext& ctx, std::string_view text);
void Check13Y(ImportContext& ctx, std::string_view text);
void Check2W(ImportContext& ctx, std::string_view text);
void Check2Z(ImportContext& ctx, std::string_view text);
void Check13X(ImportContext& ctx, std::string_view text);

}  // namespace twinscan
