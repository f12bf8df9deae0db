// The start of every program run, desktop or batch: the data directory is
// created when missing and locked for this process, the compare log emptied,
// the working database copied from the pristine one when missing (or empty),
// then opened and checked.
#pragma once

#include <filesystem>
#include <memory>

#include "record/user_interface.h"
#include "store/data_directory_lock.h"
#include "store/database.h"

namespace twinscan::store {

// $HOME/vienna (the current directory's "vienna" when HOME is unset).
std::filesystem::path DefaultDataDirectory();
// The pristine empty database beside the running executable (the build
// tree) or, when there is none, in ../share/twinscan/ (an installation).
std::filesystem::path PristineDatabaseBeside(const std::filesystem::path& executable);

std::filesystem::path WorkingDatabasePath(const std::filesystem::path& dataDir);
std::filesystem::path CompareLogPath(const std::filesystem::path& dataDir);

// Runs the start-up. Every failure shows its message through ui and returns
// nullptr; the caller then ends the program. `lock` takes the data directory
// before anything in it is touched and must outlive the database; when
// another process holds it, nothing is touched. The compare log is emptied,
// as at every start of the programs, unless a command that only reads the
// results (the batch tool's `results`) asks to keep it.
enum class CompareLogAtStart { Empty, Keep };
std::unique_ptr<Database> StartUp(const std::filesystem::path& dataDir, const std::filesystem::path& pristineDb,
                                  UserInterface& ui, DataDirectoryLock& lock,
                                  CompareLogAtStart compareLog = CompareLogAtStart::Empty);

// Messages of the start-up, with the real paths in place.
std::string MustBeInMessage(const std::filesystem::path& dataDir);
std::string CopyingMessage(const std::filesystem::path& dataDir);
// A working database that is not ours is left as it is.
std::string NotOurDatabaseMessage(const std::filesystem::path& working, const std::string& cause);
inline constexpr const char* kConnectErrorMessage = "Error while trying to connect to twinscan ";

}  // namespace twinscan::store
