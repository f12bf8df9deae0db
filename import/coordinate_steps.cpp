// The field steps of the coordinates, service area and altitude: 4C (which
// also settles and writes 4A), 4D and 4Z.
#include <array>
#include <string>
#include <string_view>

#include "import/coordinates.h"
#include "import/field_steps.h"
#include "record/code_lists.h"
#include "record/value_helpers.h"

namespace twinscan {
namespace {
using RC = RecordColumn;

double Degrees(std::string_view deg, std::string_view min, std::string_view sec) {
  return LeadingNumber(deg) + LeadingNumber(min) / 60 + LeadingNumber(sec) / 3600;
}

}  // namespace

Coordinates ConvertCoordinates(std::string_view text) {
  Coordinates out;
  out.longitude = Degrees(PlacesOf(text, 1, 3), PlacesOf(text, 5, 6), PlacesOf(text, 7, 8));
  const std::string_view east = PlacesOf(text, 4, 4);
  if (east == "W") {
    out.longitude = 360 - out.longitude;
  } else if (east != "E") {
    out.failed = true;
    return out;
  }
  out.latitude = Degrees(PlacesOf(text, 9, 10), PlacesOf(text, 12, 13), PlacesOf(text, 14, 15));
  if (PlacesOf(text, 11, 11) != "N") out.failed = true;
  return out;
}

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

void CheckPresent4C(ViennaRecord& rec) {
  std::string& c = rec.f4c;
  if (!IsWellFormed(c)) {
    rec.ReportError(k4cWrongFormat);
    rec.valid4c = false;
  }
  if (rec.intr4a) rec.ReportError(k4cWithIntr);
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
      rec.valid4c = false;
    } else if (*value < part.lowest || *value > part.highest) {
      rec.ReportError(part.wrong);
      rec.valid4c = false;
    }
  }
}

}  // namespace

void Check4C(ImportContext& ctx, std::string_view text) {
  ViennaRecord& rec = ctx.rec;
  rec.f4c = text;
  if (IsBlank(text)) {
    if (TrimBlanks(rec.f4a) != kIntr) {
      rec.f4a = kIntr;
      rec.ReportCorrection(k4aBecomesIntr);
    }
  } else {
    CheckPresent4C(rec);
    ctx.row.WriteText(RC::c4C, rec.f4c);
  }

  if (rec.valid4c) {
    Coordinates converted = ConvertCoordinates(rec.f4c);
    if (converted.failed) {
      // Only a blank 4C can get here (a present one passed the format test).
      const double unknown = IsBlank(rec.f4c) ? 0 : -1;
      rec.longitude4c = rec.latitude4c = unknown;
    } else {
      rec.longitude4c = converted.longitude;
      rec.latitude4c = converted.latitude;
    }
  } else {
    rec.longitude4c = rec.latitude4c = -1;
  }
  ctx.row.WriteNumber(RC::c4CLONG, rec.longitude4c);
  ctx.row.WriteNumber(RC::c4CLAT, rec.latitude4c);
  WriteTextSlot(ctx, RC::c4A, rec.f4a);
  rec.f4c.clear();
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
  if (!IsBlank(text)) {
    rec.f4d = ParseWhole(text);
    if (!rec.f4d)
      rec.ReportError(k4dNotConverted);
    else if (*rec.f4d == 0 && rec.mobile6a)
      rec.ReportError(k4dZeroForMobile);
  } else if (rec.mobile6a) {
    rec.f4d = 1;
    rec.ReportCorrection(k4dBecomesOne);
  } else {
    rec.f4d = 0;
    rec.ReportCorrection(k4dBecomesZero);
  }
  if (rec.f4d) ctx.row.WriteWhole(RC::c4D, *rec.f4d);
  rec.f4d.reset();
}

// 4Z: a blank altitude stores nothing; a mobile station (6A beginning with
// "M") has no altitude.
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
    if (!rec.f6a.empty() && rec.f6a.front() == 'M') rec.ReportError(k4zForMobile);
    ctx.row.WriteWhole(RC::c4Z, *rec.f4z);
  }
  rec.f4z.reset();
}

}  // namespace twinscan
