// DetectLayout: looks at the start of a file before its import and tells
// whether the file's header options would read its records aligned.
//
// The import counts characters with every line end skipped, so a record
// starts a multiple of 219 counted characters after the header the options
// take off (219 raw bytes in the 2001 layout, a 200-character line in the
// line layout, nothing without a header). The file shows where its records
// really start: by its line ends when most of them fall at one place of the
// 219 (the line layout), else by the fields of Vienna records (the 2001
// layout). Only clear disagreements are objected to; a file too short to
// judge, and a header the import checks itself ("error: header is not long
// enough"), are left to the import. Faulty records, split records, stray line
// ends and a short end never make a file disagree.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace twinscan {

// How much of a file the detector reads.
inline constexpr size_t kLayoutSampleSize = 64 * 1024;

// The two file options that decide which header the import takes off.
struct HeaderOptions {
  bool hasHeader = true;
  bool vienna2001Format = true;
  bool operator==(const HeaderOptions&) const = default;
};

enum class LayoutVerdict {
  Fits,        // the options read the records aligned, or there is nothing clear to say
  Misaligned,  // Vienna records that the options would read shifted, every one of them
  NotVienna,   // no structure of Vienna records at all (prose, CSV, binary data, zeros)
};

struct LayoutFinding {
  LayoutVerdict verdict = LayoutVerdict::Fits;
  std::string detected;                  // "the line layout with a header", "binary data"; empty when Fits
  std::string optionsRead;               // how the options read the file: "the 2001 layout with a header"
  std::optional<HeaderOptions> fitting;  // options that read it aligned (Misaligned only, when any do)
  std::string fittingFlags;              // the batch tool's flags for `fitting`; "" for the start values
  bool refused() const { return verdict != LayoutVerdict::Fits; }
};

// `start` holds the file's first bytes: kLayoutSampleSize of them, or the
// whole file when it is shorter.
LayoutFinding DetectLayout(std::string_view start, const HeaderOptions& options);

// Reads the start of `file` and judges it; a file that cannot be read Fits
// (the import itself names it).
LayoutFinding DetectFileLayout(const std::filesystem::path& file, const HeaderOptions& options);

// The batch tool's import flags that select `options` (--no-2001, --no-header).
std::string FlagsFor(const HeaderOptions& options);

}  // namespace twinscan
