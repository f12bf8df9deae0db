#include "import/date_field.h"

#include <cmath>

#include "record/value_helpers.h"

namespace twinscan {
namespace {

int WholeOf(std::string_view digits) { return static_cast<int>(std::lround(LeadingNumber(digits))); }

}  // namespace

void CheckDateField(ImportContext& ctx, std::string_view text, const DateField& date) {
  ViennaRecord& rec = ctx.rec;
  std::string& slot = rec.*date.slot;
  if (IsBlank(text)) {
    slot.clear();
    return;
  }
  const std::string_view day = text.substr(0, 2), month = text.substr(2, 2), year = text.substr(4, 4);
  slot.assign(day).append("/").append(month).append("/").append(year);
  if (IsBlank(day) || !IsDigits(day)) rec.ReportError(date.wrongDay);
  if (IsBlank(month) || !IsDigits(month)) rec.ReportError(date.wrongMonth);
  if (IsBlank(year) || !IsDigits(year)) rec.ReportError(date.wrongYear);
  // Compatibility: blanks within a part are ignored ("0107 001" is year 1).
  // Compatibility: an error anywhere in the record so far skips the calendar test and the write.
  if (!rec.error) {
    const int d = WholeOf(day), m = WholeOf(month), y = WholeOf(year);
    if (!IsValidDate(m, d, y))
      rec.ReportError(date.wrongDate);
    else
      ctx.row.WriteDate(date.column, d, m, y);
  }
  slot.clear();
}

}  // namespace twinscan
