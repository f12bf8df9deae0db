#include "import/coordination_steps.h"

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

// Compatibility: a single quote counts as two places, as the text stood in a statement.
bool IsBadReference(std::string_view reference) {
  if (reference.find('\'') == std::string_view::npos) return IsBadCoordReference(reference, kCountryList);
  return IsBadCoordReference(ReplaceAll(reference, "'", "''"), kCountryList);
}

}  // namespace

// ---------------------------------------------------------------------------
// 1Y, number part. The value passes to the unit step through
// ctx.frequency1y: 0 for a blank 1Y or one that does not convert.
constexpr std::string_view k1yAnd1aEmpty = "1a & 1y both empty ;";
constexpr std::string_view k1yNotPosnum = "1y not posnum ;";
constexpr std::string_view k1yNoPoint = "1y no explicit dec. point on place 6 ;";
constexpr std::string_view k1yNotConverted = "error in 1y ;";

void Check1YNumber(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  ctx.frequency1y = 0;
  if (IsBlank(text)) {
    if (!ctx.flags.has1a) rec.ReportError(k1yAnd1aEmpty);
    return;
  }
  if (!IsPosnum(text)) rec.ReportError(k1yNotPosnum);
  if (!HasPointAt(text, 6)) rec.ReportError(k1yNoPoint);
  if (std::optional<double> frequency = ParseNumber(text))
    ctx.frequency1y = *frequency;
  else
    rec.ReportError(k1yNotConverted);
}

// 1Y unit: only MHz is stored, and never a receiving frequency of 0.
constexpr std::string_view k1yNoUnit = "no unit in 1y when unit is required ;";
constexpr std::string_view k1yWrongUnit = "1y wrong unit ;";

void Check1YUnit(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  if (ApplyFrequencyUnit(ctx, text, ctx.frequency1y != 0, k1yNoUnit, k1yWrongUnit)) {
    rec.f1y = ctx.frequency1y;
    ctx.row.WriteNumber(RC::c1Y, *rec.f1y);
    rec.f1y.reset();
  }
}

// ---------------------------------------------------------------------------
// 13Z: the remarks.
constexpr std::string_view k13zNotAlphanum = "13z not alphanum ;";

void Check13Z(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  rec.f13z.assign(text);
  // Compatibility: stored as read even when it fails (lower case, commas, quotes).
  if (!IsAlphanum(rec.f13z)) rec.ReportError(k13zNotAlphanum);
  WriteTextSlot(ctx, RC::c13Z, rec.f13z);
}

// 13Y: a status that is not alphanumeric, not in the list or missing becomes
// A. The step also settles and writes 1Z.
constexpr std::string_view kCoordinationStatusList = "ABCDEFGHMNPRWYZ";
constexpr std::string_view k13yNotAlphanum = "13y not alphanum ;";
constexpr std::string_view k13yWrongValue = "13y wrong value;";
constexpr std::string_view k13yMissing = "13y missing value;";
constexpr std::string_view k13yBecomesA = "13y -> A ;";
constexpr std::string_view k1zBecomesOne = "1z corrected -> P by f13y ;";

void Check13Y(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  rec.f13y.assign(text);
  if (!IsAlphanum(rec.f13y)) {
    rec.ReportError(k13yNotAlphanum);
    rec.ReportCorrection(k13yBecomesA);
    rec.f13y = "A";
  }
  if (rec.f13y != " " && !OccursIn(rec.f13y, kCoordinationStatusList)) {
    rec.ReportError(k13yWrongValue);
    rec.ReportCorrection(k13yBecomesA);
    rec.f13y = "A";
  }
  if (rec.f13y == " ") {
    // A missing status is a warning only: the error flag stays as it was.
    rec.ReportWarning(k13yMissing);
    rec.ReportCorrection(k13yBecomesA);
    rec.f13y = "A";
  }
  // A frequency category filled in by the 1Z step follows a status of P.
  if (rec.f13y == "P" && ctx.flags.corrected1z) {
    rec.f1z = "1";
    rec.ReportCorrection(k1zBecomesOne);
  }
  WriteTextSlot(ctx, RC::c13Y, rec.f13y);
  WriteTextSlot(ctx, RC::c1Z, rec.f1z);
}

// ---------------------------------------------------------------------------
// 2W and 2Z: see CheckDateField.
constexpr DateField k2W{&ViennaRecord::f2w,     RC::c2W,           "2w wrong value day ;", "2w wrong value month;",
                        "2w wrong value year;", "2w wrong value ;"};
constexpr DateField k2Z{&ViennaRecord::f2z,     RC::c2Z,           "2z wrong value day ;", "2z wrong value month;",
                        "2z wrong value year;", "2z wrong value ;"};

void Check2W(ImportContext& ctx, std::string_view text) { CheckDateField(ctx, text, k2W); }

void Check2Z(ImportContext& ctx, std::string_view text) { CheckDateField(ctx, text, k2Z); }

// ---------------------------------------------------------------------------
// 13X: a reference that fails the format test is rebuilt from the last valid
// 4B of the import and the number of records before this one.
constexpr std::string_view k13xNotAlphanum = "13x not alphanum ;";
constexpr std::string_view k13xWrongFormat = "13x wrong format ;";
constexpr std::string_view k13xRebuilt = "13x reconstructed ;";

void Check13X(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  rec.f13x.assign(text);
  if (!IsAlphanum(rec.f13x)) rec.ReportError(k13xNotAlphanum);
  if (IsBadReference(rec.f13x)) {
    // Compatibility: without any valid 4B so far the rebuilt reference is three places short, stored as built.
    rec.f13x = RebuildCoordReference(ctx.lastValid4b, ctx.recordCounter);
    rec.ReportError(k13xWrongFormat);
    rec.ReportCorrection(k13xRebuilt);
  }
  WriteTextSlot(ctx, RC::c13X, rec.f13x);
}

}  // namespace twinscan
