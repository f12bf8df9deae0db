// The field steps: one per field of the record, each run once per record with
// the field's text (all its places, blanks included) when the import has read
// the field's last place. A step checks and corrects its field, reports into
// ctx.rec, and writes its column into ctx.row. The steps are declared by the
// files that define them (frequency_class_steps.h, coordinate_steps.h,
// emission_antenna_steps.h, coordination_steps.h); this header holds their
// shape and what they share.
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

// The checks every code field (6A, 6B, 4A, 4B, 7A, 9D) makes first, in this
// order: notAlphanum when a character is not alphanumeric, notLeftJustified
// when the code starts with a blank. A blank code passes both.
void CheckCodeText(ViennaRecord& rec, std::string_view text, std::string_view notAlphanum,
                   std::string_view notLeftJustified);

}  // namespace twinscan
