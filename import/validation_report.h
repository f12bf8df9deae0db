// ValidationReport: the lines of one import, added to the report FILE_rep
// only when the import completes.
//
// The earlier report and then the new lines are written into a temporary file
// beside it (record/output_file.h); Publish moves it over the report. The
// report is so either as it was or complete with every new line: an import
// that fails, is killed or meets a full disk adds nothing to it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "record/output_file.h"

namespace twinscan {

class ValidationReport {
 public:
  explicit ValidationReport(const std::filesystem::path& report) : out_(report) {}

  // Starts the new report with the earlier one's bytes; false when either
  // cannot be done (nothing is changed then).
  bool Open();
  // Adds one line; a failure is kept for Publish.
  void Add(std::string_view line);
  // Puts the new report in place; false when any write failed (the report is
  // then as it was).
  bool Publish();

 private:
  void Flush();

  AtomicOutputFile out_;
  std::string pending_;
  bool failed_ = false;
};

}  // namespace twinscan
