// The date steps of 2C, 2W and 2Z (ddmmyyyy): the same rules with their own
// slot, column and messages.
#pragma once

#include <string>
#include <string_view>

#include "import/import_context.h"

namespace twinscan {

struct DateField {
  std::string ViennaRecord::*slot;
  RecordColumn column;
  // The terminators are irregular ("month;" and "year;" without the blank).
  std::string_view wrongDay, wrongMonth, wrongYear, wrongDate;
};

// A blank date is no fault and writes nothing. Otherwise each part is checked;
// the date is tested against the calendar and written only in a record
// without any error so far, this date's own checks included.
void CheckDateField(ImportContext& ctx, std::string_view text, const DateField& date);

}  // namespace twinscan
