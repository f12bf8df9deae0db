#include "import/frequency_unit.h"

namespace twinscan {

bool ApplyFrequencyUnit(ImportContext& ctx, std::string_view unit, bool hasValue, std::string_view noUnit,
                        std::string_view wrongUnit) {
  switch (unit.empty() ? '\0' : unit.front()) {
    case 'M':
    case 'm': return hasValue;
    case ' ':
      if (hasValue) ctx.rec.ReportError(noUnit);
      return false;
    case 'k':
    case 'K':
    case 'G':
    case 'g':
      // The record being read is the next one to complete.
      ctx.ui.ShowRecordMessage("error: khz and Ghz not yet implemented", ctx.recordCounter + 1);
      return false;
    default: ctx.rec.ReportError(wrongUnit); return false;
  }
}

}  // namespace twinscan
