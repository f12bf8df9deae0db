#include "compare/zone_grid.h"

#include <algorithm>
#include <cmath>
#include <limits>
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
  // Two scans of narrow indexes rather than one of the whole table: SQLite
  // reads these columns from the covering indexes on 1A and on (4CLONG,
  // 4CLAT) when they exist, a tenth of the table's pages.
  const std::string from = std::string(" FROM ") + store::QuoteName(table);
  // The three columns are REAL: every number in them is a double. Null and
  // texts are in no box and no range: SQLite ranks a text above every number
  // and Null compares with nothing.
  auto number = [](const store::Statement& s, int column) {
    return s.ColumnStored(column) == store::Statement::Stored::Real ? s.ColumnDouble(column)
                                                                    : std::numeric_limits<double>::quiet_NaN();
  };
  std::vector<std::pair<int64_t, double>> frequencies;  // (row id, 1A)
  for (store::Statement s = db.Prepare("SELECT rowid, \"1A\"" + from); s.Step();)
    frequencies.emplace_back(s.ColumnInt(0), number(s, 1));
  std::sort(frequencies.begin(), frequencies.end());
  auto frequencyOf = [&](int64_t rowId) {
    auto found = std::lower_bound(frequencies.begin(), frequencies.end(), std::pair{rowId, -HUGE_VAL});
    return found != frequencies.end() && found->first == rowId ? found->second
                                                               : std::numeric_limits<double>::quiet_NaN();
  };
  for (store::Statement s = db.Prepare("SELECT rowid, \"4CLONG\", \"4CLAT\"" + from); s.Step();) {
    Point point{number(s, 1), number(s, 2), std::numeric_limits<double>::quiet_NaN(), s.ColumnInt(0)};
    if (std::isnan(point.longitude) || std::isnan(point.latitude)) continue;
    point.frequency = frequencyOf(point.rowId);
    (Banded(point.latitude) ? grid.points_ : grid.outliers_).push_back(point);
  }
  std::sort(grid.points_.begin(), grid.points_.end(), [](const Point& a, const Point& b) {
    int64_t bandA = BandOf(a.latitude), bandB = BandOf(b.latitude);
    return bandA != bandB ? bandA < bandB : a.longitude < b.longitude;
  });
  return grid;
}

void ZoneGrid::Inside(double lonLow, double lonHigh, double latLow, double latHigh,
                      const std::optional<std::pair<double, double>>& frequency, std::vector<int64_t>* ids) const {
  ids->clear();
  auto inside = [&](const Point& p) {
    return p.longitude > lonLow && p.longitude < lonHigh && p.latitude > latLow && p.latitude < latHigh &&
           (!frequency || (p.frequency >= frequency->first && p.frequency <= frequency->second));
  };
  if (!Banded(latLow) || !Banded(latHigh)) {
    for (const Point& p : points_)
      if (inside(p)) ids->push_back(p.rowId);
  } else {
    for (int64_t band = BandOf(latLow); band <= BandOf(latHigh); ++band) {
      auto first = std::lower_bound(points_.begin(), points_.end(), std::pair{band, lonLow},
                                    [](const Point& p, const std::pair<int64_t, double>& key) {
                                      int64_t pointBand = BandOf(p.latitude);
                                      return pointBand != key.first ? pointBand < key.first : p.longitude < key.second;
                                    });
      for (auto p = first; p != points_.end() && BandOf(p->latitude) == band && !(p->longitude >= lonHigh); ++p)
        if (inside(*p)) ids->push_back(p->rowId);
    }
  }
  for (const Point& p : outliers_)
    if (inside(p)) ids->push_back(p.rowId);
  std::sort(ids->begin(), ids->end());
}

}  // namespace twinscan
