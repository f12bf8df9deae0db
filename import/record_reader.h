// RecordReader: a Vienna file read in chunks, with line ends skipped wherever
// they stand, one record of 219 counted characters at a time.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace twinscan {

class RecordReader {
 public:
  explicit RecordReader(std::FILE* file);

  // Raw bytes as they come (the 2001-layout header); fewer at the end of file.
  std::string ReadRaw(size_t count);

  // Bytes of the file taken so far.
  int64_t Offset() const { return read_ - static_cast<int64_t>(end_ - at_); }

  // The next 219 counted characters; false when the file ends first.
  bool ReadRecord(std::string* record);

 private:
  bool Fill();
  int Next() {
    if (at_ == end_ && !Fill()) return EOF;
    return static_cast<unsigned char>(buffer_[at_++]);
  }

  std::FILE* file_;
  std::vector<char> buffer_;
  size_t at_ = 0, end_ = 0;
  int64_t read_ = 0;
};

}  // namespace twinscan
