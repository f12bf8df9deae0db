#include "compare/zone_grid.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "compare/tolerances.h"

namespace twinscan {
namespace {

// A zone is two half widths high: it spans two or three bands.
constexpr double kBandHeight = 2 * kZoneHalfWidth;
// Beyond this a latitude has no band (no sane coordinate gets near it); such
// points, and boxes, are compared one by one.
constexpr double kBandedLimit = 1e9;

bool Banded(double latitude) { return std::isfinite(latitude) && std::fabs(latitude) < kBandedLimit; }
int64_t BandOf(double latitude) { return static_cast<int64_t>(std::floor(latitude / kBandHeight)); }

}  // namespace

ZoneGrid ZoneGrid::Read(store::Database& db, const char* table) {
  ZoneGrid grid;
  store::Statement s = db.Prepare(std::string("SELECT rowid, \"4CLONG\", \"4CLAT\" FROM ") + store::QuoteName(table));
  while (s.Step()) {
    double at[2];
    bool number = true;
    for (int column : {1, 2}) {
      // Both columns are REAL: every number in them is a double. Null and
      // texts are never inside a box: SQLite ranks a text above every number
      // and Null compares with nothing.
      number = number && s.ColumnStored(column) == store::Statement::Stored::Real;
      at[column - 1] = number ? s.ColumnDouble(column) : 0;
    }
    if (!number) continue;
    Point point{0, at[0], at[1], s.ColumnInt(0)};
    if (Banded(point.latitude)) {
      point.band = BandOf(point.latitude);
      grid.points_.push_back(point);
    } else {
      grid.outliers_.push_back(point);
    }
  }
  std::sort(grid.points_.begin(), grid.points_.end(), [](const Point& a, const Point& b) {
    return a.band != b.band ? a.band < b.band : a.longitude < b.longitude;
  });
  return grid;
}

void ZoneGrid::Inside(double lonLow, double lonHigh, double latLow, double latHigh, std::vector<int64_t>* ids) const {
  ids->clear();
  auto inside = [&](const Point& p) {
    return p.longitude > lonLow && p.longitude < lonHigh && p.latitude > latLow && p.latitude < latHigh;
  };
  if (!Banded(latLow) || !Banded(latHigh)) {
    for (const Point& p : points_)
      if (inside(p)) ids->push_back(p.rowId);
  } else {
    for (int64_t band = BandOf(latLow); band <= BandOf(latHigh); ++band) {
      auto first = std::lower_bound(points_.begin(), points_.end(), std::pair{band, lonLow},
                                    [](const Point& p, const std::pair<int64_t, double>& key) {
                                      return p.band != key.first ? p.band < key.first : p.longitude < key.second;
                                    });
      for (auto p = first; p != points_.end() && p->band == band && !(p->longitude >= lonHigh); ++p)
        if (inside(*p)) ids->push_back(p->rowId);
    }
  }
  for (const Point& p : outliers_)
    if (inside(p)) ids->push_back(p.rowId);
  std::sort(ids->begin(), ids->end());
}

}  // namespace twinscan
