// The start of every program run, desktop or batch: the data directory is
// created when missing, the compare log emptied, the working database copied
// from the pristine one when missing, then opened and checked.
#pragma once

#include <filesystem>
#include <memory>

#include "record/user_interface.h"
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
// nullptr; the caller then ends the program.
std::unique_ptr<Database> StartUp(const std::filesystem::path& dataDir, const std::filesystem::path& pristineDb,
                                  UserInterface& ui);

// Messages of the start-up, with the real paths in place.
std::string MustBeInMessage(const std::filesystem::path& dataDir);
std::string CopyingMessage(const std::filesystem::path& dataDir);
inline constexpr const char* kConnectErrorMessage = "Error while trying to connect to twinscan ";

}  // namespace twinscan::store
