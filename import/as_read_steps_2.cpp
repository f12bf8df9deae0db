// Stand-ins for the steps 7A to 13X: each writes its column as read.
#include "import/as_read_common.h"
#include "import/field_steps.h"

namespace twinscan {
using namespace as_read;
using RC = RecordColumn;

void Check7A(ImportContext& ctx, std::string_view t) { Text(ctx, RC::c7A, t); }
void Check8B1(ImportContext& ctx, std::string_view t) { Number(ctx, RC::c8B1, t); }
void Check8B2(ImportContext& ctx, std::string_view t) { Text(ctx, RC::c8B2, t); }
void Check9A(ImportContext& ctx, std::string_view t) { Number(ctx, RC::c9A, t); }
void Check9B(ImportContext& ctx, std::string_view t) { Number(ctx, RC::c9B, t); }
void Check9D(ImportContext& ctx, std::string_view t) { Text(ctx, RC::c9D, t); }
void Check9G(ImportContext& ctx, std::string_view t) { Number(ctx, RC::c9G, t); }
void Check9Y(ImportContext& ctx, std::string_view t) { Whole(ctx, RC::c9Y, t); }
void Check9XH(ImportContext& ctx, std::string_view t) { Text(ctx, RC::c9XH, t); }
void Check9XV(ImportContext& ctx, std::string_view t) { Text(ctx, RC::c9XV, t); }
void Check1YNumber(ImportContext& ctx, std::string_view t) { Number(ctx, RC::c1Y, t); }
void Check1YUnit(ImportContext&, std::string_view) {}
void Check13Z(ImportContext& ctx, std::string_view t) { Text(ctx, RC::c13Z, t); }
void Check13Y(ImportContext& ctx, std::string_view t) { Text(ctx, RC::c13Y, t); }
void Check2W(ImportContext& ctx, std::string_view t) { Date(ctx, RC::c2W, t); }
void Check2Z(ImportContext& ctx, std::string_view t) { Date(ctx, RC::c2Z, t); }
void Check13X(ImportContext& ctx, std::string_view t) { Text(ctx, RC::c13X, t); }

}  // namespace twinscan
