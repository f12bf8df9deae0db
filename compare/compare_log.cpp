#include "compare/compare_log.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "record/latin1.h"

namespace twinscan {

CompareLog::CompareLog(std::filesystem::path file) : file_(std::move(file)) {
  out_ = std::fopen(file_.c_str(), "ab");
  if (!out_) Fail("cannot open");
  // A commit group's lines fit the buffer: the file is written once per group.
  std::setvbuf(out_, nullptr, _IOFBF, 1 << 20);
}

CompareLog::~CompareLog() {
  if (out_) std::fclose(out_);
}

void CompareLog::Append(std::string_view utf8Line) {
  std::string line = Utf8ToLatin1(utf8Line) + "\r\n";
  if (std::fwrite(line.data(), 1, line.size(), out_) != line.size()) Fail("cannot write");
}

void CompareLog::Flush() {
  if (std::fflush(out_) != 0) Fail("cannot write");
}

void CompareLog::Fail(const char* what) {
  throw CompareLogError(std::string(what) + " the compare log " + file_.string() + ": " + std::strerror(errno));
}

}  // namespace twinscan
