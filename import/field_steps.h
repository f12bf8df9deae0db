// The field steps: one per field of the record, each run once per record with
// the field's text (all its places, blanks included) when the import has read
// the field's last place. A step checks and corrects its field, reports into
// ctx.rec, and writes its column into ctx.row.
#pragma once

#include <string>
#include <string_view>

#include "import/import_context.h"

namespace twinscan {

using FieldStep = void (*)(ImportContext& ctx, std::string_view text);

// Writes a text slot into its column and empties it; the slot keeps its
// storage for the next record.
inline void WriteTextSlot(ImportContext& ctx, RecordColumn column, std::string& slot) {
  ctx.row.WriteText(column, slot);
  slot.clear();
}

// Frequency, class and station fields.
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
// Coordinates, service area and altitude.
void Check4C(ImportContext& ctx, std::string_view text);
void Check4D(ImportContext& ctx, std::string_view text);
void Check4Z(ImportContext& ctx, std::string_view text);
// Emission, power and antenna fields.
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
// Receive frequency and coordination fields.
void Check1YNumber(ImportContext& ctx, std::string_view text);
void Check1YUnit(ImportContext& ctx, std::string_view text);
void Check13Z(ImportContext& ctx, std::string_view text);
void Check13Y(ImportContext& ctx, std::string_view text);
void Check2W(ImportContext& ctx, std::string_view text);
void Check2Z(ImportContext& ctx, std::string_view text);
void Check13X(ImportContext& ctx, std::string_view text);

}  // namespace twinscan
