// The batch tool as other tools drive it: arguments, exit codes, messages,
// import and export, and the guards of the data directory.
#include <gtest/gtest.h>
#include <unistd.h>

#include "store/data_directory_lock.h"
#include "tests/cli/cli_run.h"

namespace twinscan::testing {
namespace {

namespace fs = std::filesystem;

TEST_F(CliTest, BadArgumentsExitTwoWithTheUsage) {
  for (const char* args : {"", "--data-dir", "--data-dir --help compare"}) EXPECT_EQ(RunCli(args).code, 2) << args;
  for (const char* args : {"frobnicate", "import xx f.txt", "import ff", "import ff f.txt --bogus", "check a.txt",
                           "export xx out.txt", "compare --mode 9Q=1", "compare --mode 1A=3", "compare --search 4A=2",
                           "compare --compare-erroneous xx", "compare --manual x", "review 1 2 --first yes",
                           "review 1 2 --first maybe --second no", "review 1 2 --first yes --second no --remark",
                           "results --format xml", "results --filter none", "results --limit -1", "results extra"})
    Expect(args, 2, {"usage: twinscan-cli"});
}

TEST_F(CliTest, HelpAndVersionExitZeroAndStartNothing) {
  const std::pair<const char*, const char*> cases[] = {
      {"--help", "usage: twinscan-cli [--data-dir DIR] COMMAND"},
      {"--version", "twinscan-cli 1.0\n"},
      {"help compare", "usage: twinscan-cli [--data-dir DIR] compare"},
  };
  for (const auto& [args, expected] : cases)
    EXPECT_FALSE(Expect(args, 0, {expected}).code || fs::exists(dir_ / "data"));
  EXPECT_EQ(RunShell(std::string(TWINSCAN_BUILD_DIR) + "/vienna-gen --help").code, 0);
}

// Run-time failures exit 1, name the tool and leave no false status.
TEST_F(CliTest, FailuresExitOneWithAMessage) {
  const std::string data = Path("data");
  Expect("compare", 1,  // the first run creates the data directory and says so
         {"twinscan-cli: created the data directory " + data + "\n",
          "twinscan-cli: nothing to compare: no primary records in " + data + " (import a primary file first)\n"});
  EXPECT_FALSE(Has(Run("compare").out, "created the data directory"));
  WriteFile(dir_ / "blocker", "x");
  WriteFile(dir_ / "short.txt", "HEADER\r\n");
  WriteFile(dir_ / "c.txt", BaseRecord());
  fs::create_directories(dir_ / "c.txt_rep");
  const std::pair<std::string, std::string> cases[] = {
      {"import ff '" + Path("c.txt") + "' --no-header --no-corrected", "c.txt_rep cannot be written"},
      {"import ff '" + Path("none.txt") + "'", "twinscan-cli: The file "},
      {"check '" + Path("none.txt") + "' x.txt", "cannot be opened"},
      {"import sf '" + Path("short.txt") + "' --no-2001", "twinscan-cli: error: header is not long enough\n"},
      {"export ff '" + Path("missing") + "/x.txt'", Path("missing") + "/x.txt"},
  };
  for (const auto& [args, message] : cases) {
    CliRun run = Expect(args, 1, {message});
    EXPECT_TRUE(Has(message, "cannot be written") || !Has(run.out, "Importing ")) << args << ": not begun";
  }
  CliRun noDir = RunCli("--data-dir '" + Path("blocker") + "/vienna' import ff x.txt");
  EXPECT_TRUE(noDir.code == 1 && Has(noDir.out, "cannot be created")) << noDir.out;
}

TEST_F(CliTest, ImportWritesTheCorrectedFileAndExportWritesTheTable) {
  const std::string records = BaseRecord() + WithField(BaseRecord(), "4A", "GENT");
  WriteFile(dir_ / "a.txt", std::string(219, 'H') + records);
  Expect("import ff '" + Path("a.txt") + "' --export-lines", 0);
  EXPECT_EQ(ReadFile(dir_ / "a.txt_annex2bis.txt"),
            std::string(219, 'H') + "\r\n" + BaseRecord() + "\r\n" + WithField(BaseRecord(), "4A", "GENT") + "\r\n");
  // The header lives only within the import that read it.
  Expect("export ff '" + Path("packed.txt") + "'", 0);
  EXPECT_EQ(ReadFile(dir_ / "packed.txt"), records);
  // Every unit message is printed: nothing silences them as the window can.
  std::string units;
  for (int i = 0; i < 3; ++i) units += WithField(BaseRecord(), "1A unit", "k");
  WriteFile(dir_ / "units.txt", std::string(219, 'H') + units);
  Expect("import sf '" + Path("units.txt") + "' --no-report --no-corrected", 0,
         {"error: khz and Ghz not yet implemented\ntwinscan-cli: error: khz and Ghz not yet implemented\n"
          "twinscan-cli: error: khz and Ghz not yet implemented\n"});
}

// A file that disagrees with its flags, or is no Vienna file at all, is
// refused before anything is touched: exit 1 with what the file looks like
// and the flags that fit; --force imports it as the flags say.
TEST_F(CliTest, ALayoutThatDisagreesIsRefusedWithTheFlagsThatFit) {
  std::string records;
  for (const char* name : {"GENT", "BRUGGE", "LIEGE"}) records += WithField(BaseRecord(), "4A", name) + "\r\n";
  WriteFile(dir_ / "lines.txt", std::string(200, 'H') + "\r\n" + records);
  fs::copy_file(std::string(TWINSCAN_SOURCE_DIR) + "/README.md", dir_ / "README.txt");
  fs::copy_file(std::string(TWINSCAN_SOURCE_DIR) + "/samples/primary.txt", dir_ / "primary.txt");
  const std::string lines = Path("lines.txt"), quiet = " --no-report --no-corrected";
  const std::tuple<std::string, int, std::vector<std::string>> cases[] = {
      {"import ff '" + lines + "'",
       1,
       {"The file " + lines +
            " looks like the line layout with a header, but its options read it as the 2001 layout with a header",
        "The flags that fit: --no-2001.", "--force imports it as the options say."}},
      {"import ff '" + Path("primary.txt") + "' --no-2001", 1, {"neither --no-2001 nor --no-header"}},
      // check judges both files before it starts: the primary file is not imported either.
      {"check '" + Path("primary.txt") + "' '" + Path("README.txt") + "'", 1, {"does not look like Vienna records"}},
      {"import ff '" + lines + "' --no-2001" + quiet, 0, {"3 records, 0 erroneous"}},
      // As the options say: every record read 17 places early.
      {"import ff '" + lines + "' --force" + quiet, 0, {"2 records, 2 erroneous"}},
  };
  for (const auto& [args, code, said] : cases) {
    Expect(args, code, said);
    EXPECT_EQ(fs::exists(dir_ / "data"), code == 0) << args << ": whether the program was started";
  }
  EXPECT_FALSE(fs::exists(dir_ / "lines.txt_rep") || fs::exists(dir_ / "lines.txt_annex2bis.txt"));
}

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
      {"export ff '" + Path("link.txt") + "'", "link.txt: it is the working database " + db.string()},
      {"export ff '" + db.string() + "-wal'", "it is the working database's write-ahead log"},
      {"export ff '" + db.string() + "-shm'", "it is the working database's shared-memory file"},
      {"export ff '" + (data() / "twinscan.lock").string() + "'", "it is the data directory's lock file"},
      {"export ff '" + (data() / "comparelog").string() + "'", "it is the compare log"},
      {"export ff '" + Path("hard.txt") + "'", "hard.txt: it is the compare log"},
      {"import sf '" + Path("c.txt") + "' --no-report", "c.txt_annex2bis.txt: it is the working database"},
      {"import sf '" + Path("d.txt") + "' --no-corrected", "d.txt_rep: it is the file being imported"},
      {"import ff '" + Path("d.txt") + "' --no-report", "d.txt_annex2bis.txt: it is the file being imported"},
  };
  for (const auto& [args, message] : cases) Expect(args, 1, {message, ", nothing was written"});
  EXPECT_TRUE(ReadFile(db) == dbBytes);  // not printed: binary
  EXPECT_EQ(ReadFile(data() / "comparelog") + ReadFile(dir_ / "d.txt"), std::string(219, 'H') + BaseRecord());
  EXPECT_FALSE(fs::exists(db.string() + "-wal"));
  EXPECT_EQ(Table1(), records);                          // the refused import touched no table
  Expect("export ff '" + Path("twinscan.db") + "'", 0);  // another file of that name is written
}

TEST_F(CliGuards, ASecondProcessOnTheDataDirectoryIsRefused) {
  WriteFile(data() / "comparelog", "a running compare's lines\r\n");
  store::DataDirectoryLock running;
  std::string message;
  ASSERT_TRUE(running.Acquire(data(), &message)) << message;
  for (const char* args : {"compare", "import sf a.txt"})
    EXPECT_EQ(Expect(args, 1).out, "twinscan-cli: twinscan is already working on " + data().string() + " (process " +
                                       std::to_string(getpid()) + ")\n");
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
