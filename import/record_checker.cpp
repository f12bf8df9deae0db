#include "import/record_checker.h"

#include <array>

#include "import/coordinate_steps.h"
#include "import/coordination_steps.h"
#include "import/emission_antenna_steps.h"
#include "import/field_steps.h"
#include "import/frequency_class_steps.h"
#include "record/layout.h"

namespace twinscan {
namespace {

// The step of each field of the record, in place order (the order of
// kRecordFields).
constexpr std::array<FieldStep, kRecordFields.size()> kStepAtField{
    Check1ANumber, Check1AUnit, Check1Z,  Check6A,       Check6B,     Check6Z,  Check10Z, Check2C, Check4A, Check4B,
    Check4C,       Check4D,     Check4Z,  Check7A,       Check8B1,    Check8B2, Check9A,  Check9B, Check9D, Check9G,
    Check9Y,       Check9XH,    Check9XV, Check1YNumber, Check1YUnit, Check13Z, Check13Y, Check2W, Check2Z, Check13X,
};

}  // namespace

void CheckRecord(ImportContext& ctx, std::string_view record) {
  ctx.flags = StepFlags{};
  for (size_t i = 0; i < kRecordFields.size(); ++i) kStepAtField[i](ctx, FieldText(record, kRecordFields[i]));
}

}  // namespace twinscan
