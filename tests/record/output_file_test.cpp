#include "record/output_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/support/test_support.h"

namespace twinscan {
namespace {
namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;
size_t FilesIn(const fs::path& dir) { return static_cast<size_t>(std::distance(fs::directory_iterator(dir), {})); }

TEST(AtomicOutputFileTest, TheTargetChangesOnlyOnCommit) {
  TempDir dir;
  const fs::path target = dir / "out.txt";
  WriteFile(target, "old");
  {
    AtomicOutputFile out(target);
    ASSERT_TRUE(out.Open());
    ASSERT_TRUE(out.Write("new bytes"));
    EXPECT_EQ(ReadFile(target), "old");
  }  // abandoned: the temporary file goes, the target stays
  EXPECT_EQ(ReadFile(target), "old");
  EXPECT_EQ(FilesIn(dir.path()), 1u);

  ::chmod(target.c_str(), 0640);
  AtomicOutputFile out(target);
  ASSERT_TRUE(out.Open());
  ASSERT_TRUE(out.Write("new ") && out.Write("bytes"));
  ASSERT_TRUE(out.Commit());
  EXPECT_EQ(ReadFile(target), "new bytes");
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(FilesIn(dir.path()), 1u);
}

TEST(AtomicOutputFileTest, ALinkAtTheTargetIsReplacedNotFollowedAMissingFolderFailsAtOpen) {
  TempDir dir;
  WriteFile(dir / "victim.txt", "victim");
  fs::create_symlink(dir / "victim.txt", dir / "out.txt");
  AtomicOutputFile out(dir / "out.txt");
  ASSERT_TRUE(out.Open());
  ASSERT_TRUE(out.Write("x") && out.Commit());
  EXPECT_EQ(ReadFile(dir / "victim.txt"), "victim");
  EXPECT_FALSE(fs::is_symlink(dir / "out.txt"));
  AtomicOutputFile missing(dir / "no" / "out.txt");
  EXPECT_FALSE(missing.Open());
  EXPECT_EQ(errno, ENOENT);
}

TEST(IsSameFileTest, IdentityNotSpelling) {
  TempDir dir;
  WriteFile(dir / "a", "a");
  WriteFile(dir / "b", "a");
  fs::create_hard_link(dir / "a", dir / "hard");
  fs::create_symlink(dir / "a", dir / "soft");
  for (const char* same : {"a", "./a", "hard", "soft"}) EXPECT_TRUE(IsSameFile(dir / "a", dir / same)) << same;
  for (const char* other : {"b", "missing"}) EXPECT_FALSE(IsSameFile(dir / "a", dir / other)) << other;
}

}  // namespace
}  // namespace twinscan
