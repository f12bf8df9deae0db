#include "store/startup.h"

#include <cstdlib>
#include <fstream>
#include <system_error>

#include "store/review_schema.h"

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
  return (ec ? executable : resolved).parent_path() / "twinscan.db";
}

fs::path WorkingDatabasePath(const fs::path& dataDir) { return dataDir / "twinscan.db"; }
fs::path CompareLogPath(const fs::path& dataDir) { return dataDir / "comparelog"; }

std::string MustBeInMessage(const fs::path& dataDir) {
  return "The 'twinscan.db' file MUST be in " + dataDir.string() + ", Quitting application";
}

std::string CopyingMessage(const fs::path& dataDir) {
  return "Copying original and empty 'twinscan.db' to " + dataDir.string() + " directory";
}

std::unique_ptr<Database> StartUp(const fs::path& dataDir, const fs::path& pristineDb, UserInterface& ui) {
  std::error_code ec;
  fs::create_directories(dataDir, ec);
  if (ec || !fs::is_directory(dataDir)) {
    ui.ShowMessage("The data directory " + dataDir.string() + " cannot be created (" +
                   (ec ? ec.message() : "not a directory") + "), Quitting application");
    return nullptr;
  }

  // The compare log starts empty at every start.
  {
    std::ofstream log(CompareLogPath(dataDir), std::ios::binary | std::ios::trunc);
    if (!log) {
      ui.ShowMessage("The compare log " + CompareLogPath(dataDir).string() +
                     " cannot be created, Quitting application");
      return nullptr;
    }
  }

  fs::path working = WorkingDatabasePath(dataDir);
  if (!fs::exists(working)) {
    if (!fs::exists(pristineDb)) {
      ui.ShowMessage(MustBeInMessage(dataDir));
      return nullptr;
    }
    ui.ShowMessage(CopyingMessage(dataDir));
    fs::copy_file(pristineDb, working, ec);
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
    // A database of an earlier version gains the journal and the filter indexes.
    EnsureReviewSchema(*db);
    return db;
  } catch (const StoreError&) {
    ui.ShowMessage(kConnectErrorMessage);
    return nullptr;
  }
}

}  // namespace twinscan::store
