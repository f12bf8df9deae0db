// The pieces every results writer is made of: buffered output to a sink,
// stored cells as text, and UTF-8 that any reader accepts.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "store/database.h"

namespace twinscan {

// Where a writer's bytes go (a file being written, standard output). It
// throws when the bytes cannot be written; the writer stops there.
using ResultsSink = std::function<void(std::string_view bytes)>;
// Rows written of the total, now and then while writing; returning false
// stops the writer (a Cancel button); it is called once more at the end.
using ResultsProgress = std::function<bool(int64_t written, int64_t total)>;

// Collects bytes and hands them to the sink in large pieces, so that a
// million rows cost a few hundred writes.
class OutputBuffer {
 public:
  explicit OutputBuffer(const ResultsSink& sink) : sink_(sink) { text_.reserve(kSize + 4096); }
  std::string& text() { return text_; }
  // Passes the collected bytes on once there are enough of them.
  void Spill() {
    if (text_.size() >= kSize) Flush();
  }
  void Flush() {
    if (!text_.empty()) sink_(text_);
    text_.clear();
  }

 private:
  static constexpr size_t kSize = 1 << 16;
  const ResultsSink& sink_;
  std::string text_;
};

// A number in its shortest form that reads back to the same value
// (146.5, 100, 1e-05); a value that is not finite becomes "".
void AppendNumber(std::string& out, double value);
void AppendInteger(std::string& out, int64_t value);
// Valid UTF-8 is copied as it is; a byte that starts no valid sequence is
// taken as the Latin-1 character it would be.
void AppendUtf8(std::string& out, std::string_view text);
// A stored cell as text: Null "", numbers as above, texts as UTF-8.
void AppendCell(std::string& out, const store::Statement& row, int column);
bool IsNullCell(const store::Statement& row, int column);

}  // namespace twinscan
