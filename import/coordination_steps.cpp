// The receive frequency and coordination steps: 1Y with its unit, 13Z, 13Y
// (which also settles and writes the 1Z column), the dates 2W and 2Z, and
// 13X, the last step of a record.
#include <optional>
#include <string>
#include <string_view>

#include "import/date_field.h"
#include "import/field_steps.h"
#include "import/frequency_unit.h"
#include "record/code_lists.h"
#include "record/value_helpers.h"

namespace twinscan {
namespace {

using RC = RecordColumn;

constexpr std::string_view kCoordinationStatusList = "ABCDEFGHMNPRWYZ";

constexpr DateField k2W{&ViennaRecord::f2w,     RC::c2W,           "2w wrong value day ;", "2w wrong value month;",
                        "2w wrong value year;", "2w wrong value ;"};
constexpr DateField k2Z{&ViennaRecord::f2z,     RC::c2Z,           "2z wrong value day ;", "2z wrong value month;",
                        "2z wrong value year;", "2z wrong value ;"};

// The reference test counts a single quote as two places, as the text
// stands in a statement.
bool IsBadReference(std::string_view reference) {
  if (reference.find('\'') == std::string_view::npos) return IsBadCoordReference(reference, kCountryList);
  return IsBadCoordReference(ReplaceAll(reference, "'", "''"), kCountryList);
}

}  // namespace

void Check1YNumber(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  ctx.frequency1y = 0;
  if (IsBlank(text)) {
    if (!rec.has1a) rec.ReportError("1a & 1y both empty ;");
    return;
  }
  if (!IsPosnum(text)) rec.ReportError("1y not posnum ;");
  if (!HasPointAt(text, 6)) rec.ReportError("1y no explicit dec. point on place 6 ;");
  if (std::optional<double> frequency = ParseNumber(text))
    ctx.frequency1y = *frequency;
  else
    rec.ReportError("error in 1y ;");
}

void Check1YUnit(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  // A receiving frequency of 0 is never stored.
  if (ApplyFrequencyUnit(ctx, text, ctx.frequency1y != 0, "no unit in 1y when unit is required ;", "1y wrong unit ;")) {
    rec.f1y = ctx.frequency1y;
    ctx.row.WriteNumber(RC::c1Y, *rec.f1y);
    rec.f1y.reset();
  }
}

void Check13Z(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  rec.f13z.assign(text);
  // Stored as read even when it fails (lower case, commas, quotes).
  if (!IsAlphanum(rec.f13z)) rec.ReportError("13z not alphanum ;");
  WriteTextSlot(ctx, RC::c13Z, rec.f13z);
}

void Check13Y(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  rec.f13y.assign(text);
  if (!IsAlphanum(rec.f13y)) {
    rec.ReportError("13y not alphanum ;");
    rec.ReportCorrection("13y -> A ;");
    rec.f13y = "A";
  }
  if (rec.f13y != " " && !OccursIn(rec.f13y, kCoordinationStatusList)) {
    rec.ReportError("13y wrong value;");
    rec.ReportCorrection("13y -> A ;");
    rec.f13y = "A";
  }
  if (rec.f13y == " ") {
    // A missing status is a warning only: the error flag stays as it was.
    rec.ReportWarning("13y missing value;");
    rec.ReportCorrection("13y -> A ;");
    rec.f13y = "A";
  }
  // A frequency category filled in by the 1Z step follows a status of P.
  if (rec.f13y == "P" && rec.corrected1z) {
    rec.f1z = "1";
    rec.ReportCorrection("1z corrected -> P by f13y ;");
  }
  WriteTextSlot(ctx, RC::c13Y, rec.f13y);
  WriteTextSlot(ctx, RC::c1Z, rec.f1z);
}

void Check2W(ImportContext& ctx, std::string_view text) { CheckDateField(ctx, text, k2W); }

void Check2Z(ImportContext& ctx, std::string_view text) { CheckDateField(ctx, text, k2Z); }

void Check13X(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  rec.f13x.assign(text);
  if (!IsAlphanum(rec.f13x)) rec.ReportError("13x not alphanum ;");
  if (IsBadReference(rec.f13x)) {
    // Without any valid 4B so far the rebuilt reference is three places
    // short; it is stored as built.
    rec.f13x = RebuildCoordReference(ctx.lastValid4b, ctx.recordCounter);
    rec.ReportError("13x wrong format ;");
    rec.ReportCorrection("13x reconstructed ;");
  }
  WriteTextSlot(ctx, RC::c13X, rec.f13x);
}

}  // namespace twinscan
