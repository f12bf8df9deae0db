// The program start-up: data directory, compare log, working database.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "store/startup.h"
#include "tests/support/test_support.h"

namespace twinscan::store {
namespace {

namespace fs = std::filesystem;

struct StartUpTest : ::testing::Test {
  testing::TempDir dir;
  testing::RecordingUserInterface ui;
  DataDirectoryLock lock;
};

TEST_F(StartUpTest, CopiesThePristineDatabaseWhenTheWorkingOneIsMissing) {
  // Installed, the pristine file is read-only; the working copy takes writes.
  fs::copy_file(testing::PristineDatabase(), dir / "pristine.db");
  fs::permissions(dir / "pristine.db", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  auto db = StartUp(dir / "data", dir / "pristine.db", ui, lock);
  ASSERT_NE(db, nullptr);
  EXPECT_EQ(ui.messages, (std::vector<std::string>{"Copying original and empty 'twinscan.db' to " +
                                                   (dir / "data").string() + " directory"}));
  EXPECT_EQ(db->QueryInt("SELECT count(*) FROM TABLE1"), 0);
  EXPECT_NE(fs::status(WorkingDatabasePath(dir / "data")).permissions() & fs::perms::owner_write, fs::perms::none);
  EXPECT_TRUE(fs::exists(CompareLogPath(dir / "data")));
}

// Beside the program (found through PATH by its bare name too), else in
// ../share/twinscan when installed; the place beside it is named in the
// "MUST be in" message when neither exists.
TEST_F(StartUpTest, ThePristineDatabaseLiesBesideTheProgramElseInShare) {
  EXPECT_EQ(PristineDatabaseBeside("twinscan-by-path"), fs::canonical(testing::PristineDatabase()));
  EXPECT_EQ(PristineDatabaseBeside("/opt/twinscan/bin/twinscan-cli"), fs::path("/opt/twinscan/bin/twinscan.db"));
  const std::tuple<bool, bool, const char*> cases[] = {
      {true, true, "bin/twinscan.db"}, {false, true, "share/twinscan/twinscan.db"}, {false, false, "bin/twinscan.db"}};
  fs::create_directories(dir / "share/twinscan");
  for (const auto& [beside, installed, expected] : cases) {
    fs::remove_all(dir / "bin");
    fs::remove(dir / "share/twinscan/twinscan.db");
    fs::create_directories(dir / "bin");
    testing::WriteFile(dir / "bin/twinscan-cli", "");
    if (beside) testing::WriteFile(dir / "bin/twinscan.db", "");
    if (installed) testing::WriteFile(dir / "share/twinscan/twinscan.db", "");
    EXPECT_EQ(PristineDatabaseBeside(dir / "bin/twinscan-cli"), fs::canonical(dir.path()) / expected)
        << beside << installed;
  }
}

TEST_F(StartUpTest, UsesAnExistingWorkingDatabaseAndEmptiesTheLog) {
  { testing::CreateTestDatabase(dir.path())->Execute("INSERT INTO TABLE1 (linenumber) VALUES (1)"); }
  testing::WriteFile(CompareLogPath(dir.path()), "old lines\r\n");
  auto db = StartUp(dir.path(), dir / "no-pristine.db", ui, lock);
  ASSERT_NE(db, nullptr);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(db->QueryInt("SELECT count(*) FROM TABLE1"), 1);
  EXPECT_EQ(fs::file_size(CompareLogPath(dir.path())), 0u);
}

TEST_F(StartUpTest, StopsWhenBothDatabasesAreMissingOrTheDirectoryCannotBeMade) {
  EXPECT_EQ(StartUp(dir.path(), dir / "no-pristine.db", ui, lock), nullptr);
  testing::WriteFile(dir / "file", "x");
  EXPECT_EQ(StartUp(dir / "file" / "vienna", testing::PristineDatabase(), ui, lock), nullptr);
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0], "The 'twinscan.db' file MUST be in " + dir.path().string() + ", Quitting application");
  EXPECT_NE(ui.messages[1].find("cannot be created"), std::string::npos);
}

// The lock goes with its process: a killed holder leaves none behind.
TEST_F(StartUpTest, AKilledProcessLeavesNoStaleLock) {
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    DataDirectoryLock held;
    std::string message;
    char ok = held.Acquire(dir.path(), &message) ? 'y' : 'n';
    if (write(ready[1], &ok, 1) != 1) _exit(1);
    for (;;) pause();  // until killed
  }
  char ok = 0;
  ASSERT_EQ(read(ready[0], &ok, 1), 1);
  close(ready[0]);
  close(ready[1]);
  ASSERT_EQ(ok, 'y');
  std::string message;
  EXPECT_FALSE(lock.Acquire(dir.path(), &message));
  EXPECT_EQ(message,
            "twinscan is already working on " + dir.path().string() + " (process " + std::to_string(child) + ")");
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  EXPECT_TRUE(lock.Acquire(dir.path(), &message)) << message;
}

// An empty working database (a failed copy, a touch) is replaced by the
// pristine one, as a missing one is.
TEST_F(StartUpTest, AnEmptyWorkingDatabaseCountsAsMissing) {
  testing::WriteFile(WorkingDatabasePath(dir.path()), "");
  testing::WriteFile(dir / "twinscan.db-wal", std::string(100, 'w'));
  auto db = StartUp(dir.path(), testing::PristineDatabase(), ui, lock);
  ASSERT_NE(db, nullptr);
  EXPECT_EQ(ui.messages, (std::vector<std::string>{CopyingMessage(dir.path())}));
  EXPECT_EQ(db->QueryInt("SELECT count(*) FROM TABLE1"), 0);
}

// A file that is not our database is named with its cause and left as it is.
TEST_F(StartUpTest, AForeignWorkingDatabaseIsNamedAndLeftAlone) {
  testing::TempDir other;
  { auto foreign = store::Database::Create(other / "other.db", "CREATE TABLE notes (text TEXT)"); }
  const std::pair<std::string, std::string> cases[] = {
      {std::string(4096, 'x'), "it is not an SQLite database"},
      {std::string("SQLite format 3\0", 16) + std::string(4080, '\xff'), ""},  // damaged: SQLite names it
      {testing::ReadFile(other / "other.db"), "it has no table TABLE1"},
  };
  for (const auto& [bytes, cause] : cases) {
    ui.messages.clear();
    fs::path working = WorkingDatabasePath(dir.path());
    testing::WriteFile(working, bytes);
    EXPECT_EQ(StartUp(dir.path(), testing::PristineDatabase(), ui, lock), nullptr);
    ASSERT_EQ(ui.messages.size(), 1u);
    const std::string& message = ui.messages[0];
    EXPECT_EQ(message.rfind(working.string() + " is not a twinscan database (", 0), 0u) << message;
    if (!cause.empty()) {
      EXPECT_EQ(message, NotOurDatabaseMessage(working, cause));
    }
    EXPECT_NE(message.find("move it away to start with an empty database"), std::string::npos);
    EXPECT_TRUE(testing::ReadFile(working) == bytes && !fs::exists(working.string() + "-wal"));
  }
}

}  // namespace
}  // namespace twinscan::store
