// Build helper: writes the pristine empty database, the tables from the field
// table followed by the schema script (indexes and settings).
//   twinscan-make-db SCHEMA.sql OUT.db
#include <fstream>
#include <iostream>
#include <sstream>

#include "store/database.h"
#include "store/review_schema.h"
#include "store/tables.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: twinscan-make-db SCHEMA.sql OUT.db\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  std::stringstream schema;
  schema << in.rdbuf();
  if (!in) {
    std::cerr << "cannot read " << argv[1] << "\n";
    return 1;
  }
  try {
    auto db = twinscan::store::Database::Create(argv[2], twinscan::store::TableDefinitions() + schema.str());
    twinscan::store::EnsureReviewSchema(*db);
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}
