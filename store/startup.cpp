#include "store/startup.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

#include "record/output_file.h"
#include "store/imports.h"
#include "store/review_schema.h"
#include "store/table_replacement.h"

namespace twinscan::store {

namespace fs = std::filesystem;

fs::path DefaultDataDirectory() {
  const char* home = std::getenv("HOME");
  return (home && *home ? fs::path(home) : fs::current_path()) / "vienna";
}

fs::path PristineDatabaseBeside(const fs::path& executable) {
  std::error_code ec;
  // A program started by its bare name was found through PATH, not in the
  // current directory: only the running image knows where it lies.
  fs::path resolved =
      executable.has_parent_path() ? fs::canonical(executable, ec) : fs::read_symlink("/proc/self/exe", ec);
  fs::path folder = (ec ? executable : resolved).parent_path();
  // The build tree keeps it beside the programs, an installation in
  // PREFIX/share/twinscan beside PREFIX/bin.
  fs::path beside = folder / "twinscan.db";
  fs::path installed = folder.parent_path() / "share" / "twinscan" / "twinscan.db";
  return !fs::exists(beside, ec) && fs::exists(installed, ec) ? installed : beside;
}

fs::path WorkingDatabasePath(const fs::path& dataDir) { return dataDir / "twinscan.db"; }
fs::path CompareLogPath(const fs::path& dataDir) { return dataDir / "comparelog"; }

std::string MustBeInMessage(const fs::path& dataDir) {
  return "The 'twinscan.db' file MUST be in " + dataDir.string() + ", Quitting application";
}

std::string CopyingMessage(const fs::path& dataDir) {
  return "Copying original and empty 'twinscan.db' to " + dataDir.string() + " directory";
}

std::string NotOurDatabaseMessage(const fs::path& working, const std::string& cause) {
  return working.string() + " is not a twinscan database (" + cause +
         "); move it away to start with an empty database, Quitting application";
}

namespace {

// Why an existing working database is not ours, or "" when it looks like
// ours. Looked at before the file is opened for writing: that open would
// turn an empty file into a database and switch a foreign one to WAL.
std::string NotOursCause(const fs::path& working) {
  static constexpr char kMagic[] = "SQLite format 3";  // with its terminating zero byte
  char head[sizeof kMagic] = {};
  std::ifstream in(working, std::ios::binary);
  if (!in) return "";  // unreadable: the open below reports it
  in.read(head, sizeof head);
  if (in.gcount() != sizeof head || !std::equal(head, head + sizeof head, kMagic))
    return "it is not an SQLite database";
  // Read without locks or journals: the check leaves no trace.
  std::string uri = "file:";
  for (unsigned char c : working.string()) {
    if (std::isalnum(c) || c == '/' || c == '.' || c == '_' || c == '-') {
      uri += static_cast<char>(c);
    } else {
      static constexpr char kHex[] = "0123456789ABCDEF";
      uri += {'%', kHex[c >> 4], kHex[c & 15]};
    }
  }
  uri += "?immutable=1";
  ConfigureSqlite();
  sqlite3* raw = nullptr;
  int rc = sqlite3_open_v2(uri.c_str(), &raw, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
  Connection db(raw);
  if (rc != SQLITE_OK) return db ? sqlite3_errmsg(db.get()) : "out of memory";
  try {
    for (const char* table : {kTable1, kTable2, kTableResult}) {
      Statement exists(db.get(), "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ?");
      exists.BindText(1, table);
      if (!exists.Step() || exists.ColumnInt(0) == 0) return std::string("it has no table ") + table;
    }
  } catch (const StoreError&) {
    return sqlite3_errmsg(db.get());
  }
  return "";
}

// The pristine database copied to `working` whole or not at all (a
// half-copied file would fail every later start).
bool CopyPristine(const fs::path& pristineDb, const fs::path& working, std::error_code* ec) {
  std::ifstream in(pristineDb, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  AtomicOutputFile out(working);
  if (!in.good() && !in.eof()) {
    *ec = std::make_error_code(std::errc::io_error);
    return false;
  }
  if (!out.Open() || !out.Write(bytes) || !out.Commit()) {
    *ec = std::error_code(errno ? errno : EIO, std::generic_category());
    return false;
  }
  return true;
}

}  // namespace

std::unique_ptr<Database> StartUp(const fs::path& dataDir, const fs::path& pristineDb, UserInterface& ui,
                                  DataDirectoryLock& lock, CompareLogAtStart compareLog) {
  std::error_code ec;
  fs::create_directories(dataDir, ec);
  if (ec || !fs::is_directory(dataDir)) {
    ui.ShowMessage("The data directory " + dataDir.string() + " cannot be created (" +
                   (ec ? ec.message() : "not a directory") + "), Quitting application");
    return nullptr;
  }

  // Before anything in the directory is touched: another process working on
  // it keeps its log and its database to itself.
  std::string lockMessage;
  if (!lock.Acquire(dataDir, &lockMessage)) {
    ui.ShowMessage(lockMessage);
    return nullptr;
  }

  // The compare log starts empty at every start.
  if (compareLog == CompareLogAtStart::Empty) {
    std::ofstream log(CompareLogPath(dataDir), std::ios::binary | std::ios::trunc);
    if (!log) {
      ui.ShowMessage("The compare log " + CompareLogPath(dataDir).string() +
                     " cannot be created, Quitting application");
      return nullptr;
    }
  }

  fs::path working = WorkingDatabasePath(dataDir);
  // An empty file (a failed copy, a touch) holds no data: it counts as missing.
  const bool empty = fs::is_regular_file(working, ec) && fs::file_size(working, ec) == 0 && !ec;
  if (!empty && fs::exists(working)) {
    std::string cause = NotOursCause(working);
    if (!cause.empty()) {
      ui.ShowMessage(NotOurDatabaseMessage(working, cause));
      return nullptr;
    }
  }
  if (empty || !fs::exists(working)) {
    if (!fs::exists(pristineDb)) {
      ui.ShowMessage(MustBeInMessage(dataDir));
      return nullptr;
    }
    ui.ShowMessage(CopyingMessage(dataDir));
    // A journal beside an empty file belongs to no database we know.
    if (empty)
      for (const char* suffix : {"-wal", "-shm"}) fs::remove(working.string() + suffix, ec);
    ec.clear();
    CopyPristine(pristineDb, working, &ec);
    // An installed pristine file is often read-only; its working copy must
    // take writes.
    if (!ec) fs::permissions(working, fs::perms::owner_write, fs::perm_options::add, ec);
    if (ec) {
      ui.ShowMessage("Cannot copy " + pristineDb.string() + " to " + working.string() + " (" + ec.message() +
                     "), Quitting application");
      return nullptr;
    }
  }

  try {
    std::unique_ptr<Database> db = Database::Open(working);
    // A file that is not our database fails here rather than later.
    for (const char* table : {kTable1, kTable2, kTableResult})
      db->QueryInt(std::string("SELECT count(*) FROM ") + table + " WHERE 0");
    EnsureImportsTable(*db);
    DropStagingTables(*db);  // left by an import that did not finish
    // A database of an earlier version gains the journal and the filter indexes.
    EnsureReviewSchema(*db);
    return db;
  } catch (const StoreError&) {
    ui.ShowMessage(kConnectErrorMessage);
    return nullptr;
  }
}

}  // namespace twinscan::store
