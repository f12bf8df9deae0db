// The batch tool guards its data directory: one process at a time, and no
// output that overwrites the database, its journals, the lock file, the
// compare log or the file being imported.
#include <gtest/gtest.h>
#include <unistd.h>

#include "store/data_directory_lock.h"
#include "tests/cli/cli_run.h"

namespace twinscan::testing {
namespace {

namespace fs = std::filesystem;

class CliGuards : public CliTest {
 protected:
  CliGuards() {
    WriteFile(dir_ / "a.txt", std::string(219, 'H') + BaseRecord() + WithField(BaseRecord(), "4A", "GENT"));
    Expect("import ff '" + Path("a.txt") + "' --no-report --no-corrected", 0);
  }
  fs::path data() const { return dir_ / "data"; }
  std::string Table1() {  // as stored, through an export that is allowed
    Expect("export ff '" + Path("check.txt") + "'", 0);
    return ReadFile(dir_ / "check.txt");
  }
};

TEST_F(CliGuards, RefusesOutputsThatAreTheProgramsOwnFiles) {
  const fs::path db = data() / "twinscan.db";
  fs::create_symlink(db, dir_ / "link.txt");
  fs::create_hard_link(data() / "comparelog", dir_ / "hard.txt");
  fs::create_symlink(db, dir_ / "c.txt_annex2bis.txt");
  WriteFile(dir_ / "c.txt", std::string(219, 'H') + BaseRecord());
  WriteFile(dir_ / "d.txt", std::string(219, 'H') + BaseRecord());
  fs::create_hard_link(dir_ / "d.txt", dir_ / "d.txt_annex2bis.txt");
  fs::create_symlink(dir_ / "d.txt", dir_ / "d.txt_rep");
  const std::string records = Table1(), dbBytes = ReadFile(db);

  const std::pair<std::string, std::string> cases[] = {
      {"export ff '" + db.string() + "'", db.string() + ": it is the working database,"},
      {"export sf '" + Path("data/../data/twinscan.db") + "'", "data/../data/twinscan.db: it is the working database,"},
      {"export ff '" + Path("link.txt") + "'", "link.txt: it is the working database " + db.string()},
      {"export ff '" + db.string() + "-wal'", "it is the working database's write-ahead log"},
      {"export ff '" + db.string() + "-shm'", "it is the working database's shared-memory file"},
      {"export ff '" + (data() / "twinscan.lock").string() + "'", "it is the data directory's lock file"},
      {"export ff '" + (data() / "comparelog").string() + "'", "it is the compare log"},
      {"export ff '" + Path("hard.txt") + "'", "hard.txt: it is the compare log"},
      {"import sf '" + Path("c.txt") + "' --no-report", "c.txt_annex2bis.txt: it is the working database"},
      {"check '" + Path("c.txt") + "' '" + Path("a.txt") + "' --no-report", "it is the working database"},
      {"import sf '" + Path("d.txt") + "' --no-corrected", "d.txt_rep: it is the file being imported"},
      {"import ff '" + Path("d.txt") + "' --no-report", "d.txt_annex2bis.txt: it is the file being imported"},
  };
  for (const auto& [args, message] : cases) Expect(args, 1, {message, ", nothing was written"});
  EXPECT_TRUE(ReadFile(db) == dbBytes);  // not printed: binary
  EXPECT_EQ(ReadFile(data() / "comparelog"), "");
  EXPECT_EQ(ReadFile(dir_ / "d.txt"), std::string(219, 'H') + BaseRecord());
  EXPECT_FALSE(fs::exists(db.string() + "-wal"));
  EXPECT_EQ(Table1(), records);                          // the refused import touched no table
  Expect("export ff '" + Path("twinscan.db") + "'", 0);  // another file of that name is written
}

TEST_F(CliGuards, ASecondProcessOnTheDataDirectoryIsRefused) {
  WriteFile(data() / "comparelog", "a running compare's lines\r\n");
  store::DataDirectoryLock running;
  std::string message;
  ASSERT_TRUE(running.Acquire(data(), &message)) << message;
  for (const char* args : {"compare", "export ff out.txt", "import sf a.txt"}) {
    CliRun run = Run(args);
    EXPECT_EQ(run.code, 1) << args;
    EXPECT_EQ(run.out, "twinscan-cli: twinscan is already working on " + data().string() + " (process " +
                           std::to_string(getpid()) + ")\n")
        << args;
  }
  EXPECT_EQ(ReadFile(data() / "comparelog"), "a running compare's lines\r\n");
  running.Release();
  Expect("export ff out.txt", 0);
}

// A write beyond ulimit -f is a failed write with its message, not a silent death.
TEST_F(CliGuards, AWriteBeyondTheFileSizeLimitIsReported) {
  std::string many;
  for (int i = 0; i < 1500; ++i) many += BaseRecord();
  WriteFile(dir_ / "many.txt", std::string(219, 'H') + many);
  Expect("import sf '" + Path("many.txt") + "' --no-report --no-corrected", 0);

  // 128 blocks (64 or 128 KiB) hold the database's shared memory, not the 330 KB export.
  CliRun run = RunShell("ulimit -f 128; exec '" + std::string(TWINSCAN_BUILD_DIR) + "/twinscan-cli' --data-dir '" +
                        data().string() + "' export sf '" + Path("big.txt") + "'");
  EXPECT_EQ(run.code, 1) << "-1: killed by a signal";
  EXPECT_TRUE(Has(run.out, "big.txt cannot be written: File too large")) << run.out;
  EXPECT_FALSE(fs::exists(dir_ / "big.txt"));
}

}  // namespace
}  // namespace twinscan::testing
