// Output files that appear whole or not at all, and file identity.
//
// AtomicOutputFile writes into a temporary file created exclusively, with an
// unpredictable name, in the target's directory (never through a planted
// link), and moves it over the target only on Commit, after flushing it to
// disk. Until then the target is untouched; a file that was never committed is
// removed by the destructor, so no half-written output survives a failure.
#pragma once

#include <filesystem>
#include <string_view>

namespace twinscan {

class AtomicOutputFile {
 public:
  explicit AtomicOutputFile(std::filesystem::path target);
  ~AtomicOutputFile();
  AtomicOutputFile(const AtomicOutputFile&) = delete;
  AtomicOutputFile& operator=(const AtomicOutputFile&) = delete;

  // Creates the temporary file; false with errno set when it cannot.
  bool Open();
  // Appends bytes; false with errno set (0 for a short write without one).
  bool Write(std::string_view bytes);
  // Flushes to disk, closes and renames over the target, which keeps the
  // replaced file's permissions (a new file gets the usual ones). false with
  // errno set; the target is then as it was.
  bool Commit();

  const std::filesystem::path& target() const { return target_; }

 private:
  std::filesystem::path target_;
  std::filesystem::path temp_;
  int fd_ = -1;
  bool committed_ = false;
};

// True when both paths name one existing file (same device and inode; links
// are followed, so a symbolic or hard link to a file is that file).
bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace twinscan
