// The field steps of the frequency, class and station fields: 1A with its
// unit, 1Z, 6A, 6B, 6Z, 10Z, 2C, 4A and 4B (see field_steps.h).
#pragma once

#include <string_view>

#include "import/import_context.h"

namespace twinscan {

void Check1ANumber(ImportContext& ctx, std::string_view text);
void Check1AUnit(ImportContext& ctx, std::string_view text);
void Check1Z(ImportContext& ctx, std::string_view text);
void Check6A(ImportContext& ctx, std::string_view text);
void Check6B(ImportContext& ctx, std::string_view text);
void Check6Z(ImportContext& ctx, std::string_view text);
void Check10Z(ImportContext& ctx, std::string_view text);
void Check2C(ImportContext& ctx, std::string_view text);
void Check4A(ImportContext& ctx, std::string_view text);
void Check4B(ImportContext& ctx, std::string_view text);

}  // namespace twinscan
