// Text columns are written for every record, whatever the checks found;
// number columns only when their value converted.
#include "import/emission_antenna_steps.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "import/field_steps.h"
#include "record/value_helpers.h"

namespace twinscan {
namespace {

using RC = RecordColumn;

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

// The code for "no antenna pattern", also what a blank antenna code becomes.
constexpr std::string_view kNoAntennaPattern = "000ND00";

// The messages of the 9XH and 9XV steps.
struct AntennaCodeField {
  std::string_view corrected, notAlphanum, wrongFormat, remark;
};

// The shared part of the 9XH and 9XV steps: a blank code becomes the
// no-pattern code before it is checked; true when the code is the no-pattern
// code.
bool CheckAntennaCode(ViennaRecord& rec, std::string& slot, std::string_view text, const AntennaCodeField& field) {
  slot.assign(text);
  FillIfBlank(rec, slot, kNoAntennaPattern, field.corrected);
  if (!IsAlphanum(slot)) rec.ReportError(field.notAlphanum);
  if (IsBadAntennaCode(slot)) rec.ReportError(field.wrongFormat);
  return slot == kNoAntennaPattern;
}

}  // namespace

// ---------------------------------------------------------------------------
// 7A: a blank class of emission is filled in place by place as F3E.
constexpr std::string_view k7aNotAlphanum = "7a not alphanum ;";
constexpr std::string_view k7aNotLeftJustified = "7a not left justified ;";
constexpr std::string_view k7aWrongFormat = "7a wrong format ;";
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

void Check7A(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  rec.f7a.assign(text);
  CheckCodeText(rec, rec.f7a, k7aNotAlphanum, k7aNotLeftJustified);
  if (IsBadEmissionCode(rec.f7a)) rec.ReportError(k7aWrongFormat);
  // Compatibility: the fills are not checked again, so a blank 7A is an error and still becomes "    F3E  ".
  for (const EmissionFill& fill : kEmissionFills) {
    if (rec.f7a.size() >= fill.place && rec.f7a[fill.place - 1] == ' ') {
      rec.f7a[fill.place - 1] = fill.with;
      rec.ReportCorrection(fill.message);
    }
  }
  WriteTextSlot(ctx, RC::c7A, rec.f7a);
}

// 8B1: no character-class test, so a negative power is allowed. A blank 8B1
// becomes 0 when the record has a 1A.
constexpr std::string_view k8b1NotConverted = "error in 8b1 ;";
constexpr std::string_view k8b1NoPoint = "8b1 no explicit dec. point on place 5 ;";
constexpr std::string_view k8b1Without1a = "8b1 not empty but 1a empty ;";
constexpr std::string_view k8b1BecomesZero = "8b1 -> 0 ;";

void Check8B1(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  if (!IsBlank(text)) {
    rec.f8b1 = ParseNumber(text);
    if (!rec.f8b1) rec.ReportError(k8b1NotConverted);
    if (!HasPointAt(text, 5)) rec.ReportError(k8b1NoPoint);
    if (!ctx.flags.has1a) rec.ReportError(k8b1Without1a);
  } else if (ctx.flags.has1a) {
    rec.f8b1 = 0;
    rec.ReportCorrection(k8b1BecomesZero);
  }
  WriteNumberIfSet(ctx, RC::c8B1, rec.f8b1);
}

// 8B2: E or I; a blank becomes E.
constexpr std::string_view k8b2WrongValue = "8b2 wrong value ;";
constexpr std::string_view k8b2BecomesE = "8b2 -> E ;";

void Check8B2(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  rec.f8b2.assign(text);
  if (rec.f8b2 != "E" && rec.f8b2 != "I" && rec.f8b2 != " ") rec.ReportError(k8b2WrongValue);
  FillIfBlank(rec, rec.f8b2, "E", k8b2BecomesE);
  WriteTextSlot(ctx, RC::c8B2, rec.f8b2);
}

// 9A, 9B and 9G: out of range values are reported and still stored.
constexpr DecimalField k9A{"9a not posnum ;", "error in 9a ;", 4, "9a no explicit dec. point on place 4 ;"};
constexpr std::string_view k9aForMobile = "9a not empty for mobile ;";
constexpr std::string_view k9aOutOfRange = "9a out of range ;";
constexpr DecimalField k9B{"", "error in 9b ;", 4, "9b no explicit dec. point on place 4 ;"};
constexpr std::string_view k9bOutOfRange = "9b out of range ;";
constexpr DecimalField k9G{"9g not posnum ;", "error in 9g ;", 3, "9g no explicit dec. point on place 3 ;"};

void Check9A(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  if (!IsBlank(text)) {
    CheckDecimal(rec, text, k9A, rec.f9a, ctx.flags.has9a);
    // Compatibility: a station is mobile here when 6A begins with "M", not by the mobile list of 4D.
    if (StartsWithM(rec.f6a)) rec.ReportError(k9aForMobile);
  }
  if (rec.f9a && (*rec.f9a < 0 || *rec.f9a > 360)) rec.ReportError(k9aOutOfRange);
  WriteNumberIfSet(ctx, RC::c9A, rec.f9a);
}

void Check9B(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  if (!IsBlank(text)) CheckDecimal(rec, text, k9B, rec.f9b, ctx.flags.has9b);
  if (rec.f9b && (*rec.f9b < -90 || *rec.f9b > 90)) rec.ReportError(k9bOutOfRange);
  WriteNumberIfSet(ctx, RC::c9B, rec.f9b);
}

void Check9G(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  if (!IsBlank(text)) CheckDecimal(rec, text, k9G, rec.f9g, ctx.flags.has9g);
  WriteNumberIfSet(ctx, RC::c9G, rec.f9g);
}

// 9D: the polarization; a blank becomes "V ".
constexpr std::string_view kPolarizationList = " H V SR SL CR CL D M ";
constexpr std::string_view k9dNotAlphanum = "9d not alphanum ;";
constexpr std::string_view k9dNotLeftJustified = "9d not left justified ;";
constexpr std::string_view k9dWrongValue = "9d wrong value ;";
constexpr std::string_view k9dBecomesV = "9d -> V ;";

void Check9D(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  rec.f9d.assign(text);
  CheckCodeText(rec, rec.f9d, k9dNotAlphanum, k9dNotLeftJustified);
  // Compatibility: two blanks are not in the list, so a blank 9D is an error though it is then corrected.
  if (!OccursIn(rec.f9d, kPolarizationList)) rec.ReportError(k9dWrongValue);
  FillIfBlank(rec, rec.f9d, "V ", k9dBecomesV);
  WriteTextSlot(ctx, RC::c9D, rec.f9d);
}

// 9Y: a blank becomes 1.
constexpr std::string_view k9yWrongFormat = "9y wrong format ;";
constexpr std::string_view k9yNotConverted = "error in 9y ;";
constexpr std::string_view k9yBecomesOne = "9y -> 1 ;";

void Check9Y(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  if (!IsBlank(text)) {
    if (!IsDigits(text)) rec.ReportError(k9yWrongFormat);
    rec.f9y = ParseWhole(text);
    if (!rec.f9y) rec.ReportError(k9yNotConverted);
  } else {
    rec.f9y = 1;
    rec.ReportCorrection(k9yBecomesOne);
  }
  if (rec.f9y) ctx.row.WriteWhole(RC::c9Y, *rec.f9y);
  rec.f9y.reset();
}

// 9XH and 9XV: the no-pattern code is remarked on when the angles it would
// describe are present.
constexpr AntennaCodeField k9XH{"9xh -> 000ND00 ;", "9xh not alphanum ;", "9xh wrong format ;",
                                "9xh = 000ND00 when 9a and 9g not empty ;"};
constexpr AntennaCodeField k9XV{"9xv -> 000ND00 ;", "9xv not alphanum ;", "9xv wrong format ;",
                                "9xv can not be 000ND00 when 9b not empty ;"};

void Check9XH(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  if (CheckAntennaCode(rec, rec.f9xh, text, k9XH) && ctx.flags.has9a && ctx.flags.has9g) rec.ReportRemark(k9XH.remark);
  WriteTextSlot(ctx, RC::c9XH, rec.f9xh);
}

void Check9XV(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  if (CheckAntennaCode(rec, rec.f9xv, text, k9XV) && ctx.flags.has9b) rec.ReportRemark(k9XV.remark);
  WriteTextSlot(ctx, RC::c9XV, rec.f9xv);
}

}  // namespace twinscan
