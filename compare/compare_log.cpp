#include "compare/compare_log.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "record/latin1.h"

namespace twinscan {

CompareLog::CompareLog(std::filesystem::path file) : file_(std::move(file)) {
  out_ = std::fopen(file_.c_str(), "ab");
  if (!out_) Fail("cannot open");
}

CompareLog::~CompareLog() {
  if (!out_) return;
  // Lines still held are those of rows committed when the run ended by a failure.
  std::fwrite(pending_.data(), 1, pending_.size(), out_);
  std::fclose(out_);
}

void CompareLog::Append(std::string_view utf8Line) {
  pending_ += Utf8ToLatin1(utf8Line);
  pending_ += "\r\n";
}

void CompareLog::Flush() {
  if (std::fwrite(pending_.data(), 1, pending_.size(), out_) != pending_.size() || std::fflush(out_) != 0)
    Fail("cannot write");
  pending_.clear();
}

void CompareLog::Fail(const char* what) {
  throw CompareLogError(std::string(what) + " the compare log " + file_.string() + ": " + std::strerror(errno));
}

}  // namespace twinscan
