// MatchingRows: the rows of one table that match an SQLite condition with
// bound values, read on one connection, in an SQLite order.
//
// Statements stay prepared by their text: the candidate search runs a few
// condition shapes with new values for every primary record, and parsing
// them each time would cost more than running them. In the candidate order
// (kLineNumberOrder) the rows are read in SQLite's own order and put
// in order here when every linenumber is a whole number, which then is
// their order: an ORDER BY would copy every whole row through SQLite's
// sorter.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "store/database.h"

namespace twinscan::store {

// The order of rows by linenumber, ties by row id (the candidate search's).
inline constexpr const char* kLineNumberOrder = "linenumber, rowid";

class MatchingRows {
 public:
  // The statement's current row: column 0 is the row id, the table's
  // columns follow from 1 in their stored order.
  using Visitor = std::function<void(const Statement&)>;

  MatchingRows(sqlite3* db, std::string table);

  // Calls visit once per matching row and returns the rows' order: element k
  // is the visit number (from 0) of the k-th row in sqliteOrder. restart is
  // called when the rows visited so far are to be forgotten because SQLite
  // must sort them after all (a linenumber that is not a whole number).
  // With onlyRowIds (ascending), the condition is tested on those rows
  // alone: the caller knows that no other row can match it. Throws
  // StoreError.
  std::vector<size_t> Read(const std::string& sqliteWhere, const std::vector<Value>& binds,
                           const std::string& sqliteOrder, const std::function<void()>& restart, const Visitor& visit,
                           const std::vector<int64_t>* onlyRowIds = nullptr);

 private:
  Statement& Prepared(const std::string& sql);
  void Run(Statement& s, const std::vector<Value>& binds, const Visitor& visit);
  void RunOn(const std::vector<int64_t>& rowIds, Statement& s, const std::vector<Value>& binds, const Visitor& visit);

  sqlite3* db_;
  std::string table_;
  std::map<std::string, Statement> statements_;
  std::vector<std::pair<int64_t, int64_t>> keys_;  // (linenumber, row id) of the rows read
};

}  // namespace twinscan::store
