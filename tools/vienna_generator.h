// A seeded generator of Vienna files for tests, benchmarks and samples.
//
// Records are plausible (MHz frequencies on VHF/UHF channel grids, classes,
// station names, countries of the 4B list, coordinates around Europe east and
// west of the zero meridian, dates); a chosen share of them carries one or
// more faulty fields. A secondary file is derived from a primary one: records
// kept, changed in fields, moved inside or outside the search tolerances,
// dropped, and new ones added. The same seed gives the same bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace twinscan::gen {

struct RecordOptions {
  uint64_t seed = 1;
  int records = 100;
  double faultShare = 0.0;  // share of records with faulty fields
  bool unitFaults = false;  // also k/G units (each shows a message box on import)
};

// Records of exactly 219 characters (Latin-1 bytes).
std::vector<std::string> GenerateRecords(const RecordOptions& options);

struct DeriveOptions {
  uint64_t seed = 2;
  double dropShare = 0.05;         // primary records with no counterpart
  double changeShare = 0.25;       // counterparts with changed non-search fields
  double moveInsideShare = 0.10;   // frequency / coordinates moved within the tolerances
  double moveOutsideShare = 0.05;  // moved beyond them
  double duplicateShare = 0.05;    // a second counterpart of the same record
  double addShare = 0.05;          // new records, relative to the primary count
};

// The secondary file's records, derived from primary ones (order shuffled).
std::vector<std::string> DeriveSecondary(const std::vector<std::string>& primary, const DeriveOptions& options);

struct FileOptions {
  bool layout2001 = false;    // records follow one another without line ends
  bool header = false;        // 219 header characters (2001 layout) or a 200-character header line
  bool lineEnds2001 = false;  // 2001 layout, yet CR LF after the header and each record (readable samples)
};

// The file's bytes: optional header, then the records, CR LF after each line
// in the line layout.
std::string RenderFile(const std::vector<std::string>& records, const FileOptions& options);

}  // namespace twinscan::gen
