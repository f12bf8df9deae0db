#include "import/record_reader.h"

#include <algorithm>

#include "record/layout.h"

namespace twinscan {
namespace {
constexpr size_t kReadChunk = 1 << 16;
}

RecordReader::RecordReader(std::FILE* file) : file_(file), buffer_(kReadChunk) {}

std::string RecordReader::ReadRaw(size_t count) {
  std::string out;
  int c;
  while (out.size() < count && (c = Next()) != EOF) out += static_cast<char>(c);
  return out;
}

bool RecordReader::ReadRecord(std::string* record) {
  record->clear();
  const size_t want = static_cast<size_t>(kRecordLength);
  while (record->size() < want) {
    if (at_ == end_ && !Fill()) return false;
    // Copy the run up to the next line end (or as much as is needed).
    size_t take = std::min(want - record->size(), end_ - at_);
    const char* from = buffer_.data() + at_;
    size_t run = 0;
    while (run < take && from[run] != '\r' && from[run] != '\n') ++run;
    record->append(from, run);
    at_ += run;
    if (run < take) ++at_;  // skip the line-end character
  }
  return true;
}

bool RecordReader::Fill() {
  end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
  read_ += static_cast<int64_t>(end_);
  at_ = 0;
  return end_ > 0;
}

}  // namespace twinscan
