// CompareSettings: compare modes, search fields and the per-file options.
//
// One object for the whole program run, starting at fixed values; nothing is
// stored. Readers take the current value when they read: nothing is copied at
// the start of an import or a comparison, so a change made between two of
// them applies to the next one.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "record/layout.h"

namespace twinscan {

// How a field's difference counts; the modes follow each other in this order.
enum class CompareMode : uint8_t { NotChecked, NonCritical, Critical };
// How a search field selects candidates; the values follow each other in this order.
enum class SearchValue : uint8_t { NotUsed, Exact, Tolerant };

enum class FileTag { ff, sf };

struct FileOptions {
  bool vienna2001Format = true;
  bool hasHeader = true;
  bool validationReport = true;
  bool correctedFile = true;
  bool onlyErrorFreeLines = true;
  bool export2001NoCrlf = true;
  bool suppressCleanLines = true;  // its check box says the opposite
  bool operator==(const FileOptions&) const = default;
};

class CompareSettings {
 public:
  CompareSettings() { resetToDefaults(); }

  void resetToDefaults();

  // Field numbers 1..28 (grid order).
  CompareMode compareMode(int fieldNumber) const { return compareMode_.at(static_cast<size_t>(fieldNumber)); }
  // Steps not checked -> non-critical -> critical -> not checked; returns the new value.
  CompareMode cycleCompareMode(int fieldNumber);
  void setCompareMode(int fieldNumber, CompareMode mode) { compareMode_.at(static_cast<size_t>(fieldNumber)) = mode; }

  // Search-field indexes 1..5.
  SearchValue searchField(int index) const { return searchField_.at(static_cast<size_t>(index)); }
  // Steps the value (4A only between not used and used); nullopt when the
  // field is the only one in use, which must stay ("At least one Field required").
  std::optional<SearchValue> cycleSearchField(int index);

  // Whether a run gives the journal's decisions back to the pairs whose
  // records are unchanged (the misc option "Restore earlier decisions").
  bool restoreDecisions() const { return restoreDecisions_; }
  void setRestoreDecisions(bool restore) { restoreDecisions_ = restore; }

  const FileOptions& fileOptions(FileTag file) const { return file == FileTag::ff ? ff_ : sf_; }
  void setFileOptions(const FileOptions& ff, const FileOptions& sf) {
    ff_ = ff;
    sf_ = sf;
  }

 private:
  std::array<CompareMode, kFieldCount + 1> compareMode_{};        // [0] unused
  std::array<SearchValue, kSearchFieldCount + 1> searchField_{};  // [0] unused
  FileOptions ff_, sf_;
  bool restoreDecisions_ = true;
};

inline constexpr const char* kAtLeastOneFieldMessage = "At least one Field required";
inline constexpr const char* kCompareModeLegend = "Grey: not checked; Yellow: checked but not critical; Red: Critical";

}  // namespace twinscan
