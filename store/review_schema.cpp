#include "store/review_schema.h"

namespace twinscan::store {
namespace {

// The record texts compare exactly (BINARY): a record whose case changed is
// another record.
constexpr const char* kStatements[] = {
    "CREATE TABLE IF NOT EXISTS DECISIONS ("
    " id INTEGER PRIMARY KEY,"
    " fullline1 TEXT COLLATE BINARY, fullline2 TEXT COLLATE BINARY,"
    " linenumber INTEGER, linenumber2 INTEGER,"
    " frequency1 REAL, frequency2 REAL,"
    " ACCEPTFIRST BOOL_INTEGER, ACCEPTSECOND BOOL_INTEGER,"
    " REMARK TEXT, REFERENCE_TO_DB TEXT,"
    " decided TEXT)",
    "CREATE INDEX IF NOT EXISTS DECISIONS_pair ON DECISIONS (fullline1, fullline2, id)",
    // The grid filters seek their rows in these (store/view_filter.h): a
    // filtered id list over a million rows is an index range, never a scan.
    "CREATE INDEX IF NOT EXISTS TABLE1_error ON TABLE1 (error)",
    "CREATE INDEX IF NOT EXISTS TABLE2_error ON TABLE2 (error)",
    "CREATE INDEX IF NOT EXISTS TABLERESULT_critical ON TABLERESULT (critical)",
    "CREATE INDEX IF NOT EXISTS TABLERESULT_noncritical ON TABLERESULT (noncritical)",
    "CREATE INDEX IF NOT EXISTS TABLERESULT_decided ON TABLERESULT (ACCEPTFIRST)",
};

}  // namespace

void EnsureReviewSchema(Database& db) {
  db.CommitPending();
  for (const char* statement : kStatements) db.Execute(statement);
}

}  // namespace twinscan::store
