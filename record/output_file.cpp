#include "record/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace twinscan {
namespace fs = std::filesystem;

AtomicOutputFile::AtomicOutputFile(fs::path target) : target_(std::move(target)) {}

AtomicOutputFile::~AtomicOutputFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!temp_.empty() && !committed_) ::unlink(temp_.c_str());
}

bool AtomicOutputFile::Open() {
  fs::path dir = target_.parent_path();
  if (dir.empty()) dir = ".";
  std::string pattern = (dir / ("." + target_.filename().string() + ".XXXXXX")).string();
  fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd_ < 0) return false;
  temp_ = pattern;
  // mkstemp creates the file for its owner only; an output gets the permissions a plain new file would get.
  mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd_, 0666 & ~mask);
  return true;
}

bool AtomicOutputFile::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = 0;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

bool AtomicOutputFile::Commit() {
  struct stat old {};
  if (::stat(target_.c_str(), &old) == 0) ::fchmod(fd_, old.st_mode & 07777);
  if (::fsync(fd_) != 0) return false;
  int rc = ::close(fd_);
  fd_ = -1;
  if (rc != 0) return false;
  if (std::rename(temp_.c_str(), target_.c_str()) != 0) return false;
  committed_ = true;
  return true;
}

bool IsSameFile(const fs::path& a, const fs::path& b) {
  struct stat sa {
  }, sb{};
  if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

}  // namespace twinscan
