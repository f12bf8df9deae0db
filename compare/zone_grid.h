// ZoneGrid: the secondary records' zone coordinates (4CLONG, 4CLAT) held in
// memory, to find the rows inside a zone without a scan.
//
// A tolerant 4C search selects the rows strictly inside a box of longitude
// and latitude bounds. The index on (4CLONG, 4CLAT) can narrow that only to a
// strip of longitude across all latitudes, which grows with the file; here
// the rows are grouped in latitude bands and sorted by longitude, so a box
// costs a few binary searches. The grid finds exactly the rows whose stored
// 4CLONG and 4CLAT are numbers inside the box, as SQLite compares them;
// rows holding Null or a text there are never inside a box. Its points also
// hold 1A, so that a frequency searched at the same time narrows them further.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "store/database.h"

namespace twinscan {

class ZoneGrid {
 public:
  // Reads the zone coordinates and frequencies (1A) of every row of
  // `table`. Throws store::StoreError.
  static ZoneGrid Read(store::Database& db, const char* table);

  // The row ids of the rows with lonLow < 4CLONG < lonHigh and latLow <
  // 4CLAT < latHigh, and with a number low <= 1A <= high when `frequency` is
  // given, in ascending order, into *ids.
  void Inside(double lonLow, double lonHigh, double latLow, double latHigh,
              const std::optional<std::pair<double, double>>& frequency, std::vector<int64_t>* ids) const;

 private:
  struct Point {
    double longitude, latitude;
    double frequency;  // NaN when 1A holds no number: in no range
    int64_t rowId;
  };
  std::vector<Point> points_;    // by band, then longitude
  std::vector<Point> outliers_;  // latitudes without a band
};

}  // namespace twinscan
