// DataDirectoryLock: one process per data directory.
//
// Every start takes an exclusive advisory lock (flock) on the lock file
// "twinscan.lock" in the data directory before it touches anything else
// there, and writes its process id into the file for the message another
// start shows. The lock belongs to the open file, so it goes with the object
// or with the process: a killed process leaves no stale lock. The file itself
// stays; its content is only a hint.
#pragma once

#include <filesystem>
#include <string>

namespace twinscan::store {

std::filesystem::path LockFilePath(const std::filesystem::path& dataDir);

class DataDirectoryLock {
 public:
  DataDirectoryLock() = default;
  ~DataDirectoryLock();
  DataDirectoryLock(const DataDirectoryLock&) = delete;
  DataDirectoryLock& operator=(const DataDirectoryLock&) = delete;

  // Takes the lock on dataDir's lock file without waiting. False with
  // *message set when another process holds it ("twinscan is already working
  // on DIR (process N)") or the file cannot be opened; nothing else is touched.
  bool Acquire(const std::filesystem::path& dataDir, std::string* message);
  void Release();
  bool held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace twinscan::store
