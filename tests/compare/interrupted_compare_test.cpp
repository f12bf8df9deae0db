// A full compare killed at a known primary record: the next start knows that
// it did not finish, and the compare log holds no line of a result row that
// was not committed.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "compare/compare_engine.h"
#include "import/import_file.h"
#include "store/compare_run_marker.h"
#include "store/startup.h"
#include "tests/support/test_support.h"

namespace twinscan {
namespace {

TEST(InterruptedCompare, IsNamedAtTheNextStartAndItsLogFollowsTheCommittedRows) {
  testing::TempDir dir;
  store::DataDirectoryLock lock;
  const std::filesystem::path data = dir / "data";
  SilentUserInterface silent;
  {
    // 3000 primary records with two candidates each: a commit group every 2048 records.
    auto db = store::StartUp(data, testing::PristineDatabase(), silent, lock);
    ASSERT_TRUE(db);
    std::string primary, secondary;
    for (int i = 0; i < 3000; ++i) primary += testing::BaseRecord() + "\r\n";
    for (int i = 0; i < 2; ++i) secondary += testing::BaseRecord() + "\r\n";
    testing::WriteFile(dir / "p.txt", primary);
    testing::WriteFile(dir / "s.txt", secondary);
    ImportViennaFile(dir / "p.txt", store::kTable1, {false, false, false, true}, *db, silent);
    ImportViennaFile(dir / "s.txt", store::kTable2, {false, false, false, true}, *db, silent);
    EXPECT_FALSE(store::LastCompareUnfinished(*db));
  }
  lock.Release();  // the child takes it

  ASSERT_TRUE(testing::KilledAtStatus("Comparing line  2500", [&](UserInterface& ui) {
    auto db = store::StartUp(data, testing::PristineDatabase(), ui, lock);
    if (!db) _exit(2);
    store::Views views(*db, ui);
    CompareSettings settings;
    CompareEngine engine(*db, views, settings, ui, store::CompareLogPath(data));
    engine.RunFull();
  })) << "the compare ended before the kill point";

  // The log is read before the next start empties it.
  std::string log = testing::ReadFile(store::CompareLogPath(data));
  auto db = store::StartUp(data, testing::PristineDatabase(), silent, lock);
  ASSERT_TRUE(db);
  EXPECT_TRUE(store::LastCompareUnfinished(*db));
  int64_t rows = db->QueryInt("SELECT count(*) FROM TABLERESULT");
  EXPECT_EQ(rows, 4096);  // the first commit group
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), rows);

  // A run that finishes clears the mark.
  store::Views views(*db, silent);
  CompareSettings settings;
  CompareEngine engine(*db, views, settings, silent, store::CompareLogPath(data));
  engine.RunFull();
  EXPECT_FALSE(store::LastCompareUnfinished(*db));
  EXPECT_EQ(db->QueryInt("SELECT count(*) FROM TABLERESULT"), 6000);
}

}  // namespace
}  // namespace twinscan
