#include "record/output_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/support/test_support.h"

namespace twinscan {
namespace {
namespace fs = std::filesystem;
using testing::TempDir;

using testing::ReadFile;
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

TEST(AtomicOutputFileTest, ALinkAtTheTargetIsReplacedNotFollowed) {
  TempDir dir;
  WriteFile(dir / "victim.txt", "victim");
  fs::create_symlink(dir / "victim.txt", dir / "out.txt");
  AtomicOutputFile out(dir / "out.txt");
  ASSERT_TRUE(out.Open());
  ASSERT_TRUE(out.Write("x") && out.Commit());
  EXPECT_EQ(ReadFile(dir / "victim.txt"), "victim");
  EXPECT_FALSE(fs::is_symlink(dir / "out.txt"));
}

TEST(AtomicOutputFileTest, AMissingDirectoryFailsAtOpen) {
  TempDir dir;
  AtomicOutputFile out(dir / "no" / "out.txt");
  EXPECT_FALSE(out.Open());
  EXPECT_EQ(errno, ENOENT);
}

TEST(IsSameFileTest, IdentityNotSpelling) {
  TempDir dir;
  WriteFile(dir / "a", "a");
  WriteFile(dir / "b", "a");
  fs::create_hard_link(dir / "a", dir / "hard");
  fs::create_symlink(dir / "a", dir / "soft");
  struct Case {
    fs::path other;
    bool same;
  } cases[] = {{dir / "a", true},    {dir / "." / "a", true}, {dir / "hard", true},
               {dir / "soft", true}, {dir / "b", false},      {dir / "missing", false}};
  for (const Case& c : cases) EXPECT_EQ(IsSameFile(dir / "a", c.other), c.same) << c.other;
}

}  // namespace
}  // namespace twinscan
