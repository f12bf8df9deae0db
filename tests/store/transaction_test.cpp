// The transaction that keeps what was written, checked commits, owned statements.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <optional>
#include <stdexcept>

#include "store/database.h"
#include "tests/support/test_support.h"

namespace twinscan::store {
namespace {

struct TransactionFixture : ::testing::Test {
  testing::TempDir dir;
  std::unique_ptr<Database> db = testing::CreateTestDatabase(dir.path());

  void InsertLine(int line) { db->Execute("INSERT INTO TABLE1 (linenumber) VALUES (" + std::to_string(line) + ")"); }

  // What another connection sees: only committed rows.
  int64_t CommittedLines() {
    Connection other = OpenConnection(db->file(), SQLITE_OPEN_READWRITE);
    Statement count(other.get(), "SELECT count(*) FROM TABLE1");
    return count.Step() ? count.ColumnInt(0) : -1;
  }
};

TEST_F(TransactionFixture, WhatWasWrittenIsKeptHoweverTheScopeIsLeft) {
  struct Case {
    const char* name;
    bool periodicCommit, explicitCommit, fails;
  };
  const Case cases[] = {
      {"normal end", false, true, false},
      {"failure before any commit", false, false, true},
      {"failure after a periodic commit", true, false, true},
      {"left without a commit", true, false, false},
  };
  int line = 0;
  for (const Case& c : cases) {
    db->Execute("DELETE FROM TABLE1");
    auto run = [&] {
      TransactionKeptOnFailure transaction(*db);
      InsertLine(++line);
      if (c.periodicCommit) transaction.CommitAndBegin();
      InsertLine(++line);
      EXPECT_TRUE(db->InTransaction()) << c.name;
      if (c.fails) throw std::runtime_error("stopped");
      if (c.explicitCommit) transaction.Commit();
    };
    if (c.fails)
      EXPECT_THROW(run(), std::runtime_error) << c.name;
    else
      run();
    EXPECT_FALSE(db->InTransaction()) << c.name;
    EXPECT_EQ(CommittedLines(), 2) << c.name;
  }
  // A transaction left open before is committed first.
  db->Begin();
  InsertLine(1);
  TransactionKeptOnFailure transaction(*db);
  EXPECT_EQ(CommittedLines(), 3);
  EXPECT_TRUE(db->InTransaction());
}

// A row breaking a deferred foreign key makes every COMMIT fail; SQLite keeps
// the transaction open, and the first failure is the one reported.
TEST_F(TransactionFixture, AFailingCommitIsReportedAndTheFirstFailureWins) {
  db->Execute(
      "PRAGMA foreign_keys = ON; CREATE TABLE parent (id INTEGER PRIMARY KEY);"
      "CREATE TABLE child (parent REFERENCES parent (id) DEFERRABLE INITIALLY DEFERRED)");
  db->Begin();
  db->Execute("INSERT INTO child VALUES (5)");
  EXPECT_THROW(db->Commit(), StoreError);
  EXPECT_TRUE(db->InTransaction());
  EXPECT_THROW(db->CommitPending(), StoreError);
  db->Execute("ROLLBACK");
  EXPECT_THROW(
      {
        TransactionKeptOnFailure transaction(*db);
        db->Execute("INSERT INTO child VALUES (5)");
        throw std::runtime_error("first");
      },
      std::runtime_error);
  db->Execute("ROLLBACK");
  TransactionKeptOnFailure transaction(*db);
  db->Execute("INSERT INTO child VALUES (5)");
  EXPECT_THROW(transaction.Commit(), StoreError);
  db->Execute("ROLLBACK");
}

TEST_F(TransactionFixture, AMovedStatementIsFinalizedOnce) {
  InsertLine(1);
  std::optional<Statement> moved;
  {
    Statement first = db->Prepare("SELECT linenumber FROM TABLE1");
    moved.emplace(std::move(first));
  }  // the moved-from statement goes here and must leave the moved one alone
  ASSERT_TRUE(moved->Step());
  EXPECT_EQ(moved->ColumnInt(0), 1);
}

}  // namespace
}  // namespace twinscan::store
