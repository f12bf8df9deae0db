// The field steps of the emission, power and antenna fields: 7A, 8B1, 8B2,
// 9A, 9B, 9D, 9G, 9Y, 9XH and 9XV (see field_steps.h).
#pragma once

#include <string_view>

#include "import/import_context.h"

namespace twinscan {

void Check7A(ImportContext& ctx, std::string_view text);
void Check8B1(ImportContext& ctx, std::string_view text);
void Check8B2(ImportContext& ctx, std::string_view text);
void Check9A(ImportContext& ctx, std::string_view text);
void Check9B(ImportContext& ctx, std::string_view text);
void Check9D(ImportContext& ctx, std::string_view text);
void Check9G(ImportContext& ctx, std::string_view text);
void Check9Y(ImportContext& ctx, std::string_view text);
void Check9XH(ImportContext& ctx, std::string_view text);
void Check9XV(ImportContext& ctx, std::string_view text);

}  // namespace twinscan
