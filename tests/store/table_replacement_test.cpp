// The staging table: the write-ahead log stays near its bound however many
// groups an import writes, and the replacement keeps every row.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "store/table_replacement.h"
#include "tests/support/test_support.h"

namespace twinscan::store {
namespace {

uintmax_t LogSize(const Database& db) {
  std::error_code none;
  uintmax_t size = std::filesystem::file_size(db.file().string() + "-wal", none);
  return none ? 0 : size;
}

constexpr const char* kIndexCount = "SELECT count(*) FROM sqlite_master WHERE type = 'index' AND tbl_name = 'TABLE1'";

TEST(StagingTable, TheLogIsFoldedBackPastItsBoundAndTheRowsAllArrive) {
  struct Case {
    const char* name;
    uintmax_t bound;
    int groups;
    bool foldsDuringTheRun;
  };
  const Case cases[] = {
      {"a bound far above the rows", uintmax_t{1} << 30, 8, false},
      {"a bound of a few groups", 256 << 10, 40, true},
      {"a bound below one group", 1, 10, true},
  };
  constexpr int kRowsPerGroup = 200;
  const std::string fullline(219, 'x');
  for (const Case& c : cases) {
    testing::TempDir dir;
    auto db = testing::CreateTestDatabase(dir.path());
    const int64_t indexes = db->QueryInt(kIndexCount);
    uintmax_t largestLog = 0, groupBytes = 0;
    bool folded = false;
    {
      StagingTable staging(*db, kTable1, c.bound);
      std::optional<Statement> insert(
          db->Prepare("INSERT INTO " + QuoteName(staging.name()) + " (linenumber, fullline) VALUES (?, ?)"));
      int line = 0;
      for (int g = 0; g < c.groups; ++g) {
        uintmax_t before = LogSize(*db);
        for (int r = 0; r < kRowsPerGroup; ++r) {
          insert->BindInt(1, ++line);
          insert->BindText(2, fullline);
          insert->Step();
          insert->Reset();
        }
        staging.CommitAndBegin();
        uintmax_t after = LogSize(*db);
        if (after < before) folded = true;
        if (after > before) groupBytes = std::max(groupBytes, after - before);
        largestLog = std::max(largestLog, after);
      }
      insert.reset();  // no statement may refer to the staging table when it is renamed
      staging.Replace({kTableResult});
    }
    EXPECT_EQ(folded, c.foldsDuringTheRun) << c.name;
    EXPECT_LE(largestLog, c.bound + 2 * groupBytes) << c.name;
    EXPECT_EQ(db->QueryInt("SELECT count(*) FROM TABLE1"), int64_t{c.groups} * kRowsPerGroup) << c.name;
    EXPECT_EQ(db->QueryInt("SELECT count(*) FROM sqlite_master WHERE name = 'TABLE1_staging'"), 0) << c.name;
    EXPECT_EQ(db->QueryInt(kIndexCount), indexes) << c.name << ": the table's indexes are built again";
    EXPECT_EQ(LogSize(*db), 0u) << c.name << ": the replacement folds the log back and empties it";
  }
}

}  // namespace
}  // namespace twinscan::store
