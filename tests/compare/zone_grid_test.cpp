// The zone grid must find exactly the rows SQLite's zone condition selects.
#include "compare/zone_grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "compare/tolerances.h"
#include "tests/support/test_support.h"

namespace twinscan {
namespace {

using store::Value;

class ZoneGridTest : public ::testing::Test {
 protected:
  void Insert(Value longitude, Value latitude, Value frequency = 146.5) {
    store::Statement s = db_->Prepare("INSERT INTO TABLE2 (\"4CLONG\", \"4CLAT\", \"1A\") VALUES (?, ?, ?)");
    for (int i = 1; const Value& v : {longitude, latitude, frequency}) s.Bind(i++, v);
    s.Step();
  }
  // What the grid finds and what SQLite's condition selects, both in row-id order.
  void ExpectSqlitesRows(double lonLow, double lonHigh, double latLow, double latHigh,
                         std::optional<std::pair<double, double>> band = std::nullopt) {
    std::vector<int64_t> found, selected;
    grid_.Inside(lonLow, lonHigh, latLow, latHigh, band, &found);
    store::Statement s = db_->Prepare(
        "SELECT rowid FROM TABLE2 WHERE \"4CLONG\" > ? AND \"4CLONG\" < ? AND +\"4CLAT\" > ? AND +\"4CLAT\" < ? "
        "AND (? OR (+\"1A\" >= ? AND +\"1A\" <= ?)) ORDER BY rowid");
    for (int i = 1; double v : {lonLow, lonHigh, latLow, latHigh}) s.BindDouble(i++, v);
    s.BindInt(5, !band);
    s.BindDouble(6, band ? band->first : 0);
    s.BindDouble(7, band ? band->second : 0);
    while (s.Step()) selected.push_back(s.ColumnInt(0));
    EXPECT_EQ(found, selected) << lonLow << " " << latLow << " " << (band ? band->first : -1);
  }

  testing::TempDir dir_;
  std::unique_ptr<store::Database> db_ = testing::CreateTestDatabase(dir_.path());
  ZoneGrid grid_ = ZoneGrid::Read(*db_, "TABLE2");
};

TEST_F(ZoneGridTest, FindsWhatSqliteFinds) {
  const double h = kZoneHalfWidth, inf = std::numeric_limits<double>::infinity();
  // Points on and beside the edges of the box around (4.5, 51.5), across
  // band borders, stored as whole numbers, texts, Nulls and far away.
  for (double lon : {4.5 - h, 4.5 - h / 2, 4.5, 4.5 + h, std::nextafter(4.5 + h, 0.0)})
    for (double lat : {51.5 - h, 51.5, std::nextafter(51.5 - h, 99.0), 51.5 + h / 3, 51.5 + h}) Insert(lon, lat);
  Insert(int64_t{4}, int64_t{51});
  Insert(std::string("4.5"), 51.5);
  Insert(4.5, std::string("51.5"));
  Insert(std::monostate{}, 51.5);
  Insert(4.5, inf);
  Insert(4.5, 1e300);
  Insert(-inf, -1e300);
  Insert(4.5, 51.5, std::monostate{});
  Insert(4.5, 51.5, std::string("146.5"));
  std::mt19937 random(7);
  std::uniform_real_distribution<double> near(-3 * h, 3 * h), megahertz(146.4998, 146.5002);
  for (int i = 0; i < 2000; ++i) Insert(4.5 + near(random), 51.5 + near(random), megahertz(random));
  grid_ = ZoneGrid::Read(*db_, "TABLE2");

  struct Box {
    double lonLow, lonHigh, latLow, latHigh;
  } boxes[] = {{4.5 - h, 4.5 + h, 51.5 - h, 51.5 + h},
               {3.5, 4.5, 50.5, 51.5},
               {4.5 - h, 4.5, 51.5, 1e301},
               {-inf, 0, -1e301, 0},
               {4, 5, 51.5, inf},
               {4.5, 4.5, 51, 52}};
  for (const Box& b : boxes) ExpectSqlitesRows(b.lonLow, b.lonHigh, b.latLow, b.latHigh);
  ExpectSqlitesRows(4.5 - h, 4.5 + h, 51.5 - h, 51.5 + h, std::pair{146.5, 146.5});
  for (int i = 0; i < 300; ++i) {
    double lon = 4.5 + near(random), lat = 51.5 + near(random), f = megahertz(random);
    ExpectSqlitesRows(lon - h, lon + h, lat - h, lat + h, i % 2 ? std::nullopt : std::optional(std::pair{f - 1e-4, f}));
  }
}

}  // namespace
}  // namespace twinscan
