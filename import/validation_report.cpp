#include "import/validation_report.h"

#include <cstdio>
#include <memory>
#include <system_error>
#include <vector>

namespace twinscan {
namespace fs = std::filesystem;

namespace {
// Lines are written in blocks of about this size.
constexpr size_t kWriteBlock = 1 << 16;
}  // namespace

bool ValidationReport::Open() {
  std::error_code ec;
  if (fs::is_directory(out_.target(), ec) || !out_.Open()) return false;
  if (!fs::exists(out_.target(), ec)) return true;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> earlier(std::fopen(out_.target().c_str(), "rb"), &std::fclose);
  if (!earlier) return false;
  std::vector<char> buffer(1 << 16);
  size_t n;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), earlier.get())) > 0)
    if (!out_.Write({buffer.data(), n})) return false;
  return std::ferror(earlier.get()) == 0;
}

void ValidationReport::Add(std::string_view line) {
  pending_ += line;
  if (pending_.size() >= kWriteBlock) Flush();
}

void ValidationReport::Flush() {
  if (!failed_ && !out_.Write(pending_)) failed_ = true;
  pending_.clear();
}

bool ValidationReport::Publish() {
  Flush();
  return !failed_ && out_.Commit();
}

}  // namespace twinscan
