#include "import/field_steps.h"

#include "record/value_helpers.h"

namespace twinscan {

void CheckCodeText(ViennaRecord& rec, std::string_view text, std::string_view notAlphanum,
                   std::string_view notLeftJustified) {
  if (!IsAlphanum(text)) rec.ReportError(notAlphanum);
  if (!IsLeftJustified(text)) rec.ReportError(notLeftJustified);
}

}  // namespace twinscan
