#include "store/data_directory_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace twinscan::store {

namespace fs = std::filesystem;

fs::path LockFilePath(const fs::path& dataDir) { return dataDir / "twinscan.lock"; }

DataDirectoryLock::~DataDirectoryLock() { Release(); }

void DataDirectoryLock::Release() {
  if (fd_ >= 0) ::close(fd_);  // closing the only descriptor drops the lock
  fd_ = -1;
}

namespace {

// The process id the holder wrote, or "?" while it has not written it yet.
std::string HolderOf(int fd) {
  char buffer[32];
  ssize_t n = ::pread(fd, buffer, sizeof buffer - 1, 0);
  std::string pid;
  for (ssize_t i = 0; i < n && buffer[i] >= '0' && buffer[i] <= '9'; ++i) pid += buffer[i];
  return pid.empty() ? "?" : pid;
}

}  // namespace

bool DataDirectoryLock::Acquire(const fs::path& dataDir, std::string* message) {
  Release();
  const fs::path file = LockFilePath(dataDir);
  // O_NOFOLLOW: a link planted as the lock file is not written through.
  int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0) {
    *message =
        "The lock file " + file.string() + " cannot be opened (" + std::strerror(errno) + "), Quitting application";
    return false;
  }
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    if (errno == EWOULDBLOCK)
      *message = "twinscan is already working on " + dataDir.string() + " (process " + HolderOf(fd) + ")";
    else
      *message =
          "The lock file " + file.string() + " cannot be locked (" + std::strerror(errno) + "), Quitting application";
    ::close(fd);
    return false;
  }
  fd_ = fd;
  std::string pid = std::to_string(::getpid()) + "\n";
  // Only a hint for the message of a second start: a failed write changes nothing.
  [[maybe_unused]] bool hinted = ::ftruncate(fd_, 0) == 0 && ::pwrite(fd_, pid.data(), pid.size(), 0) > 0;
  return true;
}

}  // namespace twinscan::store
