#include "import/coordinate_steps.h"

#include <array>
#include <string>
#include <string_view>

#include "record/code_lists.h"
#include "import/field_steps.h"
#include "record/code_lists.h"
#include "record/value_helpers.h"

namespace twinscan {
namespace {
using RC = RecordColumn;

double Degrees(std::string_view deg, std::string_view min, std::string_view sec) {
  return LeadingNumber(deg) + LeadingNumber(min) / 60 + LeadingNumber(sec) / 3600;
}

struct Coordinates {
  double longitude, latitude;
};

// The decimal degrees of a well-formed 4C text (dddHmmssddNmmss), each part
// read with LeadingNumber. A west longitude x becomes 360 - x; latitudes are
// north only.
Coordinates ConvertCoordinates(std::string_view text) {
  double longitude = Degrees(PlacesOf(text, 1, 3), PlacesOf(text, 5, 6), PlacesOf(text, 7, 8));
  if (PlacesOf(text, 4, 4) == "W") longitude = 360 - longitude;
  return {longitude, Degrees(PlacesOf(text, 9, 10), PlacesOf(text, 12, 13), PlacesOf(text, 14, 15))};
}

}  // namespace

// ---------------------------------------------------------------------------
// 4C: a blank 4C makes the station "INTR"; a present one is checked for its
// format, corrected for missing seconds and checked part by part. Every
// record gets 4CLONG/4CLAT: 0 for a blank 4C, -1 for a malformed one.
constexpr std::string_view k4aBecomesIntr = "4a -> INTR because 4c empty ;";
constexpr std::string_view k4cWrongFormat = "4c wrong format ;";
constexpr std::string_view k4cWithIntr = "4c is not empty and 4a is INTR ;";
constexpr std::string_view k4cLongsecCorrected = "4c longsec -> 00 ;";
constexpr std::string_view k4cLatsecCorrected = "4c latsec -> 00 ;";

// The range of each part, in the order the parts are checked. Only the
// longitude degrees have a lower bound.
constexpr int kNoLowerBound = -32768;
struct CoordinatePart {
  size_t first, last;
  int lowest, highest;
  std::string_view wrong;         // converts but lies outside the range
  std::string_view notConverted;  // does not convert
};
constexpr std::array<CoordinatePart, 6> kCoordinateParts{{
    {1, 3, -40, 40, "4c wrong longdeg ;", "4c error in longdeg ;"},
    {5, 6, kNoLowerBound, 59, "4c wrong longmin ;", "4c error in longmin ;"},
    {7, 8, kNoLowerBound, 59, "4c wrong longsec ;", "4c error in longsec ;"},
    {9, 10, kNoLowerBound, 90, "4c wrong latdeg ;", "4c error in latdeg ;"},
    {12, 13, kNoLowerBound, 59, "4c wrong latmin ;", "4c error in latmin ;"},
    {14, 15, kNoLowerBound, 59, "4c wrong latsec ;", "4c error in latsec ;"},
}};

namespace {

bool IsWellFormed(std::string_view c) {
  return IsDigits(PlacesOf(c, 1, 3)) && IsDigits(PlacesOf(c, 5, 10)) && IsDigits(PlacesOf(c, 12, 15)) &&
         PlacesOf(c, 11, 11) == "N" && (PlacesOf(c, 4, 4) == "E" || PlacesOf(c, 4, 4) == "W");
}

// Checks and corrects a 4C that is not blank; true when it is valid.
// Compatibility: every test runs, whatever an earlier one found.
bool CheckPresent4C(ImportContext& ctx, std::string& c) {
  ViennaRecord& rec = ctx.rec;
  bool valid = true;
  if (!IsWellFormed(c)) {
    rec.ReportError(k4cWrongFormat);
    valid = false;
  }
  if (ctx.flags.intr4a) rec.ReportError(k4cWithIntr);
  if (PlacesOf(c, 7, 8) == "  ") {
    c.replace(6, 2, "00");
    rec.ReportCorrection(k4cLongsecCorrected);
  }
  if (PlacesOf(c, 14, 15) == "  ") {
    c.replace(13, 2, "00");
    rec.ReportCorrection(k4cLatsecCorrected);
  }
  for (const CoordinatePart& part : kCoordinateParts) {
    std::optional<int> value = ParseWhole(PlacesOf(c, part.first, part.last));
    if (!value) {
      rec.ReportError(part.notConverted);
      valid = false;
    } else if (*value < part.lowest || *value > part.highest) {
      rec.ReportError(part.wrong);
      valid = false;
    }
  }
  return valid;
}

}  // namespace

void Check4C(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  Coordinates position{0, 0};
  if (IsBlank(text)) {
    if (!ctx.flags.intr4a) {
      // Compatibility: the name becomes "INTR" without the blanks a given name has.
      rec.f4a = kIntr;
      rec.ReportCorrection(k4aBecomesIntr);
    }
  } else {
    rec.f4c = text;
    position = CheckPresent4C(ctx, rec.f4c) ? ConvertCoordinates(rec.f4c) : Coordinates{-1, -1};
    WriteTextSlot(ctx, RC::c4C, rec.f4c);
  }
  ctx.row.WriteNumber(RC::c4CLONG, position.longitude);
  ctx.row.WriteNumber(RC::c4CLAT, position.latitude);
  WriteTextSlot(ctx, RC::c4A, rec.f4a);
}

// ---------------------------------------------------------------------------
// 4D: a blank radius becomes 1 for a mobile station and 0 otherwise; a mobile
// station may not have radius 0. No character-class test.
constexpr std::string_view k4dNotConverted = "error in 4d ;";
constexpr std::string_view k4dZeroForMobile = "4d can not be 0 when 6A mobile ;";
constexpr std::string_view k4dBecomesOne = "4d -> 1 ;";
constexpr std::string_view k4dBecomesZero = "4d -> 0 ;";

void Check4D(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  const bool mobile = ctx.flags.mobile6a;
  if (!IsBlank(text)) {
    rec.f4d = ParseWhole(text);
    if (!rec.f4d)
      rec.ReportError(k4dNotConverted);
    else if (*rec.f4d == 0 && mobile)
      rec.ReportError(k4dZeroForMobile);
  } else if (mobile) {
    rec.f4d = 1;
    rec.ReportCorrection(k4dBecomesOne);
  } else {
    rec.f4d = 0;
    rec.ReportCorrection(k4dBecomesZero);
  }
  if (rec.f4d) ctx.row.WriteWhole(RC::c4D, *rec.f4d);
  rec.f4d.reset();
}

// 4Z: a blank altitude stores nothing.
constexpr std::string_view k4zWrongFormat = "4z wrong format ;";
constexpr std::string_view k4zNotConverted = "error in 4z ;";
constexpr std::string_view k4zForMobile = "4z altitude for Mobile ;";

void Check4Z(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  if (!IsBlank(text)) {
    if (!IsSignedNum(text)) rec.ReportError(k4zWrongFormat);
    rec.f4z = ParseWhole(text);
    if (!rec.f4z) rec.ReportError(k4zNotConverted);
  }
  if (rec.f4z) {
    // Compatibility: a station is mobile here when 6A begins with "M", not by the mobile list of 4D.
    if (!rec.f6a.empty() && rec.f6a.front() == 'M') rec.ReportError(k4zForMobile);
    ctx.row.WriteWhole(RC::c4Z, *rec.f4z);
  }
  rec.f4z.reset();
}

}  // namespace twinscan
