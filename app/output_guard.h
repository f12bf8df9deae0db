// OutputGuard: no output of the program overwrites the program's own files.
//
// The guard knows the data directory's files (the working database, its
// -wal and -shm files, the lock file, the compare log) and, during an import,
// the file being imported. Check refuses an output that is one of them by
// file identity (device and inode, so a symbolic or hard link to the
// database is the database), or, for a protected file not there at the
// moment, by the same name in the same directory. Every output of a command
// (the corrected file, the export, the validation report, later ones too) is
// checked before anything is written.
//
// It lives in app/ because the commands are where outputs are chosen: the
// writers below (import/, export/) stay free of the data directory's layout,
// and both front ends reach every output through the commands here.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace twinscan {

class OutputGuard {
 public:
  explicit OutputGuard(const std::filesystem::path& dataDir);

  // The same guard, also protecting the file being imported.
  OutputGuard WithInput(const std::filesystem::path& importedFile) const;

  // nullopt when `output` may be written; else the message refusing it,
  // naming the output and what it is ("... is the working database").
  std::optional<std::string> Check(const std::filesystem::path& output) const;

 private:
  std::vector<std::pair<std::filesystem::path, std::string>> protected_;  // file, what it is
};

}  // namespace twinscan
