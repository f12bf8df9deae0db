// The emission, power and antenna steps: 7A, 8B1, 8B2, 9A, 9B, 9D, 9G, 9Y,
// 9XH and 9XV. The 9A, 9B and 9G steps set has9a, has9b and has9g, which the
// antenna-code steps of the same record read.
//
// Text columns are written for every record, whatever the checks found;
// number columns only when their value converted.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "import/field_steps.h"
#include "record/value_helpers.h"

namespace twinscan {
namespace {

using RC = RecordColumn;

constexpr std::string_view kPolarizationList = " H V SR SL CR CL D M ";
// The code for "no antenna pattern", also what a blank antenna code becomes.
constexpr std::string_view kNoAntennaPattern = "000ND00";

// A blank class of emission is filled in place by place as F3E.
struct EmissionFill {
  size_t place;  // 1-based
  char with;
  std::string_view message;
};
constexpr std::array<EmissionFill, 3> kEmissionFills{{
    {5, 'F', "7a adapted 5th char ;"},
    {6, '3', "7a adapted 6th char ;"},
    {7, 'E', "7a adapted 7th char ;"},
}};

void WriteNumberIfSet(ImportContext& ctx, RC column, std::optional<double>& slot) {
  if (slot) ctx.row.WriteNumber(column, *slot);
  slot.reset();
}

// A blank field takes its default value, with a correction.
void FillIfBlank(ViennaRecord& rec, std::string& slot, std::string_view value, std::string_view correction) {
  if (!IsBlank(slot)) return;
  slot.assign(value);
  rec.ReportCorrection(correction);
}

// The angle and gain fields: a decimal number with its point at a fixed
// place. A value that converts sets the field's flag for the antenna steps.
struct DecimalField {
  std::string_view notPosnum;  // empty: signs allowed, no class test
  std::string_view notConverted;
  int pointPlace;
  std::string_view noPoint;
};
constexpr DecimalField k9A{"9a not posnum ;", "error in 9a ;", 4, "9a no explicit dec. point on place 4 ;"};
constexpr DecimalField k9B{"", "error in 9b ;", 4, "9b no explicit dec. point on place 4 ;"};
constexpr DecimalField k9G{"9g not posnum ;", "error in 9g ;", 3, "9g no explicit dec. point on place 3 ;"};

void CheckDecimal(ViennaRecord& rec, std::string_view text, const DecimalField& field, std::optional<double>& slot,
                  bool& converted) {
  if (!field.notPosnum.empty() && !IsPosnum(text)) rec.ReportError(field.notPosnum);
  slot = ParseNumber(text);
  if (slot)
    converted = true;
  else
    rec.ReportError(field.notConverted);
  if (!HasPointAt(text, field.pointPlace)) rec.ReportError(field.noPoint);
}

bool StartsWithM(const std::string& text) { return !text.empty() && text.front() == 'M'; }

// The shared part of the 9XH and 9XV steps: a blank code becomes the
// no-pattern code before it is checked.
void CheckAntennaCode(ViennaRecord& rec, std::string& slot, std::string_view text, std::string_view corrected,
                      std::string_view notAlphanum, std::string_view wrongFormat) {
  slot.assign(text);
  FillIfBlank(rec, slot, kNoAntennaPattern, corrected);
  if (!IsAlphanum(slot)) rec.ReportError(notAlphanum);
  if (IsBadAntennaCode(slot)) rec.ReportError(wrongFormat);
}

}  // namespace

void Check7A(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  rec.f7a.assign(text);
  if (!IsAlphanum(rec.f7a)) rec.ReportError("7a not alphanum ;");
  if (!IsLeftJustified(rec.f7a)) rec.ReportError("7a not left justified ;");
  if (IsBadEmissionCode(rec.f7a)) rec.ReportError("7a wrong format ;");
  // The fills are not checked again: a blank class simply becomes F3E.
  for (const EmissionFill& fill : kEmissionFills) {
    if (rec.f7a.size() >= fill.place && rec.f7a[fill.place - 1] == ' ') {
      rec.f7a[fill.place - 1] = fill.with;
      rec.ReportCorrection(fill.message);
    }
  }
  WriteTextSlot(ctx, RC::c7A, rec.f7a);
}

void Check8B1(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  if (!IsBlank(text)) {
    // No character-class test: a negative power is allowed.
    rec.f8b1 = ParseNumber(text);
    if (!rec.f8b1) rec.ReportError("error in 8b1 ;");
    if (!HasPointAt(text, 5)) rec.ReportError("8b1 no explicit dec. point on place 5 ;");
    if (!rec.has1a) rec.ReportError("8b1 not empty but 1a empty ;");
  } else if (rec.has1a) {
    rec.f8b1 = 0;
    rec.ReportCorrection("8b1 -> 0 ;");
  }
  WriteNumberIfSet(ctx, RC::c8B1, rec.f8b1);
}

void Check8B2(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  rec.f8b2.assign(text);
  if (rec.f8b2 != "E" && rec.f8b2 != "I" && rec.f8b2 != " ") rec.ReportError("8b2 wrong value ;");
  FillIfBlank(rec, rec.f8b2, "E", "8b2 -> E ;");
  WriteTextSlot(ctx, RC::c8B2, rec.f8b2);
}

void Check9A(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  if (!IsBlank(text)) {
    CheckDecimal(rec, text, k9A, rec.f9a, rec.has9a);
    // f6a still holds this record's class of station.
    if (StartsWithM(rec.f6a)) rec.ReportError("9a not empty for mobile ;");
  }
  // An azimuth out of range is reported and still stored.
  if (rec.f9a && (*rec.f9a < 0 || *rec.f9a > 360)) rec.ReportError("9a out of range ;");
  WriteNumberIfSet(ctx, RC::c9A, rec.f9a);
}

void Check9B(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  if (!IsBlank(text)) CheckDecimal(rec, text, k9B, rec.f9b, rec.has9b);
  if (rec.f9b && (*rec.f9b < -90 || *rec.f9b > 90)) rec.ReportError("9b out of range ;");
  WriteNumberIfSet(ctx, RC::c9B, rec.f9b);
}

void Check9D(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  rec.f9d.assign(text);
  if (!IsAlphanum(rec.f9d)) rec.ReportError("9d not alphanum ;");
  if (!IsLeftJustified(rec.f9d)) rec.ReportError("9d not left justified ;");
  // Two blanks are not in the list: a blank polarization is an error even
  // though it is then corrected.
  if (!OccursIn(rec.f9d, kPolarizationList)) rec.ReportError("9d wrong value ;");
  FillIfBlank(rec, rec.f9d, "V ", "9d -> V ;");
  WriteTextSlot(ctx, RC::c9D, rec.f9d);
}

void Check9G(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  if (!IsBlank(text)) CheckDecimal(rec, text, k9G, rec.f9g, rec.has9g);
  WriteNumberIfSet(ctx, RC::c9G, rec.f9g);
}

void Check9Y(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  if (!IsBlank(text)) {
    if (!IsDigits(text)) rec.ReportError("9y wrong format ;");
    rec.f9y = ParseWhole(text);
    if (!rec.f9y) rec.ReportError("error in 9y ;");
  } else {
    rec.f9y = 1;
    rec.ReportCorrection("9y -> 1 ;");
  }
  if (rec.f9y) ctx.row.WriteWhole(RC::c9Y, *rec.f9y);
  rec.f9y.reset();
}

void Check9XH(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  CheckAntennaCode(rec, rec.f9xh, text, "9xh -> 000ND00 ;", "9xh not alphanum ;", "9xh wrong format ;");
  if (rec.f9xh == kNoAntennaPattern && rec.has9a && rec.has9g)
    rec.ReportRemark("9xh = 000ND00 when 9a and 9g not empty ;");
  WriteTextSlot(ctx, RC::c9XH, rec.f9xh);
}

void Check9XV(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  CheckAntennaCode(rec, rec.f9xv, text, "9xv -> 000ND00 ;", "9xv not alphanum ;", "9xv wrong format ;");
  if (rec.f9xv == kNoAntennaPattern && rec.has9b) rec.ReportRemark("9xv can not be 000ND00 when 9b not empty ;");
  WriteTextSlot(ctx, RC::c9XV, rec.f9xv);
}

}  // namespace twinscan
