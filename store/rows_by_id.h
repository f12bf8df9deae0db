// RowsById: rows of one table read by their row ids, in the order of a list.
//
// Ascending, nearly adjacent ids (a table in linenumber order as the import
// wrote it) are read in one range scan; any other list one search per row.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "store/database.h"

namespace twinscan::store {

class RowsById {
 public:
  // visit(k, row) for the k-th id of the list, with the row id in column 0
  // and the table's columns from 1, or with nullptr for an id not in the table.
  using Visitor = std::function<void(size_t k, const Statement* row)>;

  RowsById(sqlite3* db, std::string table);

  // Visits ids[first..last) in that order. Throws StoreError.
  void Visit(const std::vector<int64_t>& ids, size_t first, size_t last, const Visitor& visit);

 private:
  void VisitRange(const std::vector<int64_t>& ids, size_t first, size_t last, const Visitor& visit);

  sqlite3* db_;
  std::string table_;
  std::optional<Statement> fetch_, range_;
};

}  // namespace twinscan::store
