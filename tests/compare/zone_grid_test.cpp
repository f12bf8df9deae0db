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
  void Insert(Value longitude, Value latitude) {
    store::Statement s = db_->Prepare("INSERT INTO TABLE2 (\"4CLONG\", \"4CLAT\") VALUES (?, ?)");
    s.Bind(1, longitude);
    s.Bind(2, latitude);
    s.Step();
  }
  std::vector<int64_t> BySqlite(double lonLow, double lonHigh, double latLow, double latHigh) {
    store::Statement s = db_->Prepare(
        "SELECT rowid FROM TABLE2 WHERE \"4CLONG\" > ? AND \"4CLONG\" < ? AND +\"4CLAT\" > ? AND +\"4CLAT\" < ? "
        "ORDER BY rowid");
    for (int i = 1; double v : {lonLow, lonHigh, latLow, latHigh}) s.BindDouble(i++, v);
    std::vector<int64_t> ids;
    while (s.Step()) ids.push_back(s.ColumnInt(0));
    return ids;
  }

  testing::TempDir dir_;
  std::unique_ptr<store::Database> db_ = testing::CreateTestDatabase(dir_.path());
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
  std::mt19937 random(7);
  std::uniform_real_distribution<double> near(-3 * h, 3 * h);
  for (int i = 0; i < 2000; ++i) Insert(4.5 + near(random), 51.5 + near(random));
  const ZoneGrid grid = ZoneGrid::Read(*db_, "TABLE2");

  struct Box {
    double lonLow, lonHigh, latLow, latHigh;
  } boxes[] = {{4.5 - h, 4.5 + h, 51.5 - h, 51.5 + h},
               {3.5, 4.5, 50.5, 51.5},
               {4.5 - h, 4.5, 51.5, 1e301},
               {-inf, 0, -1e301, 0},
               {4, 5, 51.5, inf},
               {4.5, 4.5, 51, 52}};
  std::vector<int64_t> ids;
  for (const Box& b : boxes) {
    grid.Inside(b.lonLow, b.lonHigh, b.latLow, b.latHigh, &ids);
    EXPECT_EQ(ids, BySqlite(b.lonLow, b.lonHigh, b.latLow, b.latHigh)) << b.lonLow << " " << b.latLow;
  }
  for (int i = 0; i < 300; ++i) {
    double lon = 4.5 + near(random), lat = 51.5 + near(random);
    grid.Inside(lon - h, lon + h, lat - h, lat + h, &ids);
    ASSERT_EQ(ids, BySqlite(lon - h, lon + h, lat - h, lat + h)) << lon << " " << lat;
  }
}

}  // namespace
}  // namespace twinscan
