// CompareLog: the compare log, one line per compared pair or skipped record.
//
// Lines are appended through a file kept open for the run, written in
// Latin-1 and ended by CR LF. They are held and written out by Flush, which
// the compare calls whenever it has committed its result rows, and when the
// log is closed: the file never runs ahead of the committed rows. The log is emptied only at the program's start, never
// here.
#pragma once

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace twinscan {

class CompareLogError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class CompareLog {
 public:
  // Opens the log for appending (creating it when missing); throws
  // CompareLogError naming the file when it cannot.
  explicit CompareLog(std::filesystem::path file);
  ~CompareLog();
  CompareLog(const CompareLog&) = delete;
  CompareLog& operator=(const CompareLog&) = delete;

  // Appends one line given in UTF-8 (held until the next Flush).
  void Append(std::string_view utf8Line);
  // Writes the buffered lines out; throws CompareLogError when it cannot.
  void Flush();

 private:
  [[noreturn]] void Fail(const char* what);

  std::filesystem::path file_;
  std::FILE* out_ = nullptr;
  std::string pending_;
};

// Log texts of the records that are not compared, after the line number.
inline constexpr const char* kContainsErrorText = " CONTAINS ERROR => NO COMPARISON";
inline constexpr const char* kNotFoundText = " CAN NOT BE FOUND IN THE OTHER FILE";

}  // namespace twinscan
