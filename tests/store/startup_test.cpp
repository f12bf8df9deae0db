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
  // Installed, the pristine file is read-only; the working copy takes writes.
  fs::copy_file(testing::PristineDatabase(), dir / "pristine.db");
  fs::permissions(dir / "pristine.db", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  auto db = StartUp(dir / "data", dir / "pristine.db", ui);
  ASSERT_NE(db, nullptr);
  EXPECT_EQ(ui.messages, (std::vector<std::string>{"Copying original and empty 'twinscan.db' to " +
                                                   (dir / "data").string() + " directory"}));
  EXPECT_EQ(db->QueryInt("SELECT count(*) FROM TABLE1"), 0);
  EXPECT_NE(fs::status(WorkingDatabasePath(dir / "data")).permissions() & fs::perms::owner_write, fs::perms::none);
  EXPECT_TRUE(fs::exists(CompareLogPath(dir / "data")));
}

// Started by its bare name through PATH, the program still finds the file
// beside itself (the test programs lie beside the build's pristine file).
TEST(StartUp, ThePristineDatabaseLiesBesideTheRunningProgram) {
  EXPECT_EQ(PristineDatabaseBeside("twinscan-by-path"), fs::canonical(testing::PristineDatabase()));
  EXPECT_EQ(PristineDatabaseBeside("/opt/twinscan/bin/twinscan-cli"), fs::path("/opt/twinscan/bin/twinscan.db"));
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
