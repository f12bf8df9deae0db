#include "import/frequency_class_steps.h"

#include "import/date_field.h"
#include "import/field_steps.h"
#include "import/frequency_unit.h"
#include "record/code_lists.h"
#include "record/value_helpers.h"

namespace twinscan {
namespace {
using RC = RecordColumn;
}  // namespace

// ---------------------------------------------------------------------------
// 1A, number part. The value passes to the unit step through ctx.value1a:
// 0 for a blank 1A, null when the text does not convert.
constexpr std::string_view k1aNotPosnum = "1a not posnum ;";
constexpr std::string_view k1aNoPoint = "1a no explicit dec. point on place 6 ;";
constexpr std::string_view k1aNotConverted = "error in 1a ;";

void Check1ANumber(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  if (IsBlank(text)) {
    ctx.value1a = 0.0;
    return;
  }
  if (!IsPosnum(text)) rec.ReportError(k1aNotPosnum);
  if (!HasPointAt(text, 6)) rec.ReportError(k1aNoPoint);
  ctx.value1a = ParseNumber(text);
  if (!ctx.value1a) rec.ReportError(k1aNotConverted);
  ctx.flags.has1a = true;
}

// 1A unit: only MHz is stored, and never a frequency of 0.
constexpr std::string_view k1aNoUnit = "no unit in 1a when unit is required ;";
constexpr std::string_view k1aWrongUnit = "1a wrong unit ;";

void Check1AUnit(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  const bool hasValue = ctx.value1a && *ctx.value1a != 0;
  if (ApplyFrequencyUnit(ctx, text, hasValue, k1aNoUnit, k1aWrongUnit)) {
    rec.f1a = ctx.value1a;
    ctx.row.WriteNumber(RC::c1A, *rec.f1a);
    rec.f1a.reset();
  }
}

// ---------------------------------------------------------------------------
// 1Z: its column is written by the 13Y step, which may change it once more.
constexpr std::string_view k1zCorrected = "1z corrected ;";
constexpr std::string_view k1zWrongValue = "1z wrong value ;";

void Check1Z(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  rec.f1z = text;
  if (text == " ") {
    rec.f1z = "2";
    ctx.flags.corrected1z = true;
    rec.ReportCorrection(k1zCorrected);
  }
  if (!OccursIn(rec.f1z, kFrequencyCategories)) rec.ReportError(k1zWrongValue);
}

// ---------------------------------------------------------------------------
// 6A: f6a is not emptied after the write; the 4Z and 9A steps read its first
// character.
constexpr std::string_view k6aNotAlphanum = "6a not alphanum ;";
constexpr std::string_view k6aEmpty = "6a empty ;";
constexpr std::string_view k6aNotLeftJustified = "6a not left justified ;";
constexpr std::string_view k6aWrongValue = "6a wrong value ;";

void Check6A(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  rec.f6a = text;
  CheckCodeText(rec, text, k6aNotAlphanum, k6aNotLeftJustified);
  if (IsBlank(text)) rec.ReportError(k6aEmpty);
  // Compatibility: a substring test, so " F", "A " and two blanks pass (and the last two count as mobile).
  if (!OccursIn(text, kClassList)) rec.ReportError(k6aWrongValue);
  ctx.flags.mobile6a = OccursIn(text, kMobileList);
  ctx.row.WriteText(RC::c6A, rec.f6a);
}

// 6B: a service outside the list is only a warning.
constexpr std::string_view k6bNotAlphanum = "6b not alphanum ;";
constexpr std::string_view k6bCorrected = "6b corrected ;";
constexpr std::string_view k6bNotLeftJustified = "6b not left justified ;";
constexpr std::string_view k6bWrong = "6b wrong ;";

void Check6B(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  rec.f6b = text;
  CheckCodeText(rec, text, k6bNotAlphanum, k6bNotLeftJustified);
  if (IsBlank(text)) {
    rec.f6b = "OT";
    rec.ReportCorrection(k6bCorrected);
  }
  if (!OccursIn(rec.f6b, kServiceList)) rec.ReportWarning(k6bWrong);
  WriteTextSlot(ctx, RC::c6B, rec.f6b);
}

// 6Z: no character-class test; each of the two letters must be a category
// letter, and a wrong value is reported once.
constexpr std::string_view k6zCorrected = "6z corrected ;";
constexpr std::string_view k6zNotLeftJustified = "6z not left justified ;";
constexpr std::string_view k6zWrongValue = "6z wrong value ;";

void Check6Z(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  rec.f6z = text;
  if (IsBlank(text)) {
    rec.f6z = "XX";
    rec.ReportCorrection(k6zCorrected);
  }
  if (!IsLeftJustified(rec.f6z)) rec.ReportError(k6zNotLeftJustified);
  const std::string& z = rec.f6z;
  if (z.empty() || kCategoryLetters.find(z.front()) == std::string_view::npos ||
      kCategoryLetters.find(z.back()) == std::string_view::npos)
    rec.ReportError(k6zWrongValue);
  WriteTextSlot(ctx, RC::c6Z, rec.f6z);
}

// 10Z: a blank is stored as 0; anything that does not convert is an error
// and stays Null.
constexpr std::string_view k10zWrongValue = "10z wrong value ;";
constexpr std::string_view k10zNotConverted = "error in 10z ;";

void Check10Z(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  if (text == " ") {
    rec.f10z = 0;
  } else {
    // Compatibility: a digit other than 0 or 1 is only a warning and is stored.
    if (text != "0" && text != "1") rec.ReportWarning(k10zWrongValue);
    rec.f10z = ParseWhole(text);
    if (!rec.f10z) rec.ReportError(k10zNotConverted);
  }
  if (rec.f10z) ctx.row.WriteWhole(RC::c10Z, *rec.f10z);
  rec.f10z.reset();
}

// ---------------------------------------------------------------------------
// 2C: tested for a real date and stored only while the record has no error
// at all, from any field so far.
constexpr DateField k2C{&ViennaRecord::f2c,     RC::c2C,           "2c wrong value day ;", "2c wrong value month;",
                        "2c wrong value year;", "2c wrong value ;"};

void Check2C(ImportContext& ctx, std::string_view text) { CheckDateField(ctx, text, k2C); }

// ---------------------------------------------------------------------------
// 4A: checked here, settled and written by the 4C step.
constexpr std::string_view k4aNotAlphanum = "4a not alphanum ;";
constexpr std::string_view k4aNotLeftJustified = "4a not left justified ;";

void Check4A(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  rec.f4a = text;
  CheckCodeText(rec, text, k4aNotAlphanum, k4aNotLeftJustified);
  if (TrimBlanks(text) == kIntr) ctx.flags.intr4a = true;
}

// 4B: a country found in the list is remembered for the rest of the import
// (the 13X step rebuilds a reference with it).
constexpr std::string_view k4bNotAlphanum = "4b not alphanum ;";
constexpr std::string_view k4bNotLeftJustified = "4b not left justified ;";
constexpr std::string_view k4bWrongValue = "4b wrong value ;";

void Check4B(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  rec.f4b = text;
  CheckCodeText(rec, text, k4bNotAlphanum, k4bNotLeftJustified);
  // Compatibility: a substring test, so "L#H" (across a separator) is a valid country too.
  if (OccursIn(text, kCountryList))
    ctx.lastValid4b = text;
  else
    rec.ReportError(k4bWrongValue);
  WriteTextSlot(ctx, RC::c4B, rec.f4b);
}

}  // namespace twinscan
