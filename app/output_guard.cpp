#include "app/output_guard.h"

#include "record/output_file.h"
#include "store/data_directory_lock.h"
#include "store/startup.h"

namespace twinscan {
namespace fs = std::filesystem;

namespace {

// The directory a name is looked up in ("." for a bare name).
fs::path DirectoryOf(const fs::path& file) {
  fs::path dir = file.parent_path();
  return dir.empty() ? fs::path(".") : dir;
}

// One file: the same inode, or, when either is not there, the same name in
// the same directory (an output must not create the database's -wal file).
bool SameFile(const fs::path& a, const fs::path& b) {
  if (IsSameFile(a, b)) return true;
  std::error_code ec;
  if (fs::exists(a, ec) && fs::exists(b, ec)) return false;
  return a.filename() == b.filename() && IsSameFile(DirectoryOf(a), DirectoryOf(b));
}

}  // namespace

OutputGuard::OutputGuard(const fs::path& dataDir) {
  const fs::path db = store::WorkingDatabasePath(dataDir);
  protected_ = {
      {db, "the working database"},
      {db.string() + "-wal", "the working database's write-ahead log"},
      {db.string() + "-shm", "the working database's shared-memory file"},
      {store::LockFilePath(dataDir), "the data directory's lock file"},
      {store::CompareLogPath(dataDir), "the compare log"},
  };
}

OutputGuard OutputGuard::WithInput(const fs::path& importedFile) const {
  OutputGuard guard = *this;
  guard.protected_.emplace_back(importedFile, "the file being imported");
  return guard;
}

std::optional<std::string> OutputGuard::Check(const fs::path& output) const {
  for (const auto& [file, what] : protected_) {
    if (!SameFile(output, file)) continue;
    std::string message = "Cannot write " + output.string() + ": it is " + what;
    if (output.lexically_normal() != file.lexically_normal()) message += " " + file.string();
    return message + ", nothing was written";
  }
  return std::nullopt;
}

}  // namespace twinscan
