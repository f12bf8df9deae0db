// The program start-up: data directory, compare log, working database.
#include <gtest/gtest.h>

#include "store/startup.h"
#include "tests/support/test_support.h"

namespace twinscan::store {
namespace {

namespace fs = std::filesystem;

TEST(StartUp, CopiesThePristineDatabaseWhenTheWorkingOneIsMissing) {
  testing::TempDir dir;
  testing::RecordingUserInterface ui;
  auto db = StartUp(dir / "data", testing::PristineDatabase(), ui);
  ASSERT_NE(db, nullptr);
  EXPECT_EQ(ui.messages, (std::vector<std::string>{CopyingMessage(dir / "data")}));
  EXPECT_EQ(ui.messages[0], "Copying original and empty 'twinscan.db' to " + (dir / "data").string() + " directory");
  EXPECT_EQ(db->QueryInt("SELECT count(*) FROM TABLE1"), 0);
  EXPECT_TRUE(fs::exists(CompareLogPath(dir / "data")));
}

TEST(StartUp, UsesAnExistingWorkingDatabaseAndEmptiesTheLog) {
  testing::TempDir dir;
  testing::RecordingUserInterface ui;
  { testing::CreateTestDatabase(dir.path())->Execute("INSERT INTO TABLE1 (linenumber) VALUES (1)"); }
  testing::WriteFile(CompareLogPath(dir.path()), "old lines\r\n");
  auto db = StartUp(dir.path(), dir / "no-pristine.db", ui);
  ASSERT_NE(db, nullptr);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(db->QueryInt("SELECT count(*) FROM TABLE1"), 1);
  EXPECT_EQ(fs::file_size(CompareLogPath(dir.path())), 0u);
}

TEST(StartUp, StopsWhenBothDatabasesAreMissing) {
  testing::TempDir dir;
  testing::RecordingUserInterface ui;
  EXPECT_EQ(StartUp(dir.path(), dir / "no-pristine.db", ui), nullptr);
  EXPECT_EQ(ui.messages, (std::vector<std::string>{"The 'twinscan.db' file MUST be in " + dir.path().string() +
                                                   ", Quitting application"}));
}

TEST(StartUp, StopsWhenTheDataDirectoryCannotBeCreated) {
  testing::TempDir dir;
  testing::RecordingUserInterface ui;
  testing::WriteFile(dir / "file", "x");
  EXPECT_EQ(StartUp(dir / "file" / "vienna", testing::PristineDatabase(), ui), nullptr);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].find("cannot be created"), std::string::npos);
}

TEST(StartUp, AFileThatIsNoDatabaseGivesTheConnectMessage) {
  testing::TempDir dir;
  testing::RecordingUserInterface ui;
  testing::WriteFile(WorkingDatabasePath(dir.path()), std::string(4096, 'x'));
  EXPECT_EQ(StartUp(dir.path(), testing::PristineDatabase(), ui), nullptr);
  EXPECT_EQ(ui.messages, (std::vector<std::string>{"Error while trying to connect to twinscan "}));
}

}  // namespace
}  // namespace twinscan::store
