// Stand-ins for the steps 1A to 4Z: each writes its column as read.
#include "import/as_read_common.h"
#include "import/field_steps.h"

namespace twinscan {
using namespace as_read;
using RC = RecordColumn;

void Check1ANumber(ImportContext& ctx, std::string_view t) { Number(ctx, RC::c1A, t); }
void Check1AUnit(ImportContext&, std::string_view) {}
void Check1Z(ImportContext& ctx, std::string_view t) { Text(ctx, RC::c1Z, t); }
void Check6A(ImportContext& ctx, std::string_view t) { Text(ctx, RC::c6A, t); }
void Check6B(ImportContext& ctx, std::string_view t) { Text(ctx, RC::c6B, t); }
void Check6Z(ImportContext& ctx, std::string_view t) { Text(ctx, RC::c6Z, t); }
void Check10Z(ImportContext& ctx, std::string_view t) { Whole(ctx, RC::c10Z, t); }
void Check2C(ImportContext& ctx, std::string_view t) { Date(ctx, RC::c2C, t); }
void Check4A(ImportContext& ctx, std::string_view t) { Text(ctx, RC::c4A, t); }
void Check4B(ImportContext& ctx, std::string_view t) { Text(ctx, RC::c4B, t); }
void Check4C(ImportContext& ctx, std::string_view t) { Text(ctx, RC::c4C, t); }
void Check4D(ImportContext& ctx, std::string_view t) { Whole(ctx, RC::c4D, t); }
void Check4Z(ImportContext& ctx, std::string_view t) { Whole(ctx, RC::c4Z, t); }

}  // namespace twinscan
