// The unit place after the 1A and 1Y numbers. Only MHz is stored; kHz and GHz
// are not supported and only tell the user, once per record and field.
#pragma once

#include <string_view>

#include "import/import_context.h"

namespace twinscan {

// Applies the unit rule to a number that converted to a value other than 0
// (hasValue) or did not:
//   "M" or "m"            -> true when hasValue: the caller stores the value;
//   " "                   -> error noUnit when hasValue;
//   "k", "K", "G" or "g"  -> the "not yet implemented" message box, nothing reported;
//   anything else         -> error wrongUnit.
// Returns false whenever nothing is to be stored.
bool ApplyFrequencyUnit(ImportContext& ctx, std::string_view unit, bool hasValue, std::string_view noUnit,
                        std::string_view wrongUnit);

}  // namespace twinscan
