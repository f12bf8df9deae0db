// Rows for the comparison tests, inserted straight into TABLE1/TABLE2: a
// base record whose fields all agree, with chosen columns replaced.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "compare/compare_engine.h"
#include "settings/compare_settings.h"
#include "store/database.h"
#include "tests/support/test_support.h"

namespace twinscan::testing {

// Column name (as the schema names it) -> value; Null with std::monostate.
using Columns = std::map<std::string, store::Value>;

// Every field of the base record, 4CLONG/4CLAT included (4.5 / 51.5).
Columns BaseColumns();

// Inserts the base record with `changes` applied and the given error flag.
void InsertRecord(store::Database& db, const std::string& table, int64_t line, const Columns& changes = {},
                  bool error = false);

// The given columns of TABLERESULT, each row joined by "|", in insertion order.
inline std::vector<std::string> ResultRows(store::Database& db, const std::string& columns) {
  store::Statement s = db.Prepare("SELECT " + columns + " FROM TABLERESULT ORDER BY rowid");
  std::vector<std::string> rows;
  while (s.Step()) {
    std::string row;
    for (int c = 0; c < s.ColumnCount(); ++c)
      row += (c ? "|" : "") + store::DisplayText(s.Column(c, store::ColumnKind::Text), store::ColumnKind::Text);
    rows.push_back(row);
  }
  return rows;
}

// Sets the five search fields to the given values (1A 6A 4A 13Y 4C; digits
// as --search takes them: 0 not used, 1 exact, 2 tolerant) through
// cycleSearchField, the only way they change.
void SetSearchFields(CompareSettings& settings, std::array<uint8_t, 5> values);

// A fresh database, its views and an engine logging to dir/comparelog.
class CompareTest : public ::testing::Test {
 protected:
  CompareTest()
      : db_(CreateTestDatabase(dir_.path())),
        views_(*db_, ui_),
        engine_(*db_, views_, settings_, ui_, dir_ / "comparelog") {}
  std::string Log() const { return ReadFile(dir_ / "comparelog"); }
  std::vector<std::string> Results(const std::string& columns = "linenumber, linenumber2") {
    return ResultRows(*db_, columns);
  }

  TempDir dir_;
  std::unique_ptr<store::Database> db_;
  RecordingUserInterface ui_;
  CompareSettings settings_;
  store::Views views_;
  CompareEngine engine_;
};

}  // namespace twinscan::testing
