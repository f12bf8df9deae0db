// CompareEngine: the full autocompare and the manual single-line compare over
// the three views, and the reviewer's update of one result row.
//
// The engine moves the views' current rows, writes TABLERESULT rows and
// compare-log lines, and reaches the user only through UserInterface (status
// texts, redraws, one Yield per primary record in the full run). It reads
// the settings at the moment it needs them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "record/user_interface.h"
#include "settings/compare_settings.h"
#include "store/database.h"
#include "store/view.h"

namespace twinscan {

class CompareEngine {
 public:
  CompareEngine(store::Database& db, store::Views& views, const CompareSettings& settings, UserInterface& ui,
                std::filesystem::path compareLog);
  ~CompareEngine();

  // The full autocompare. Returns when the run has ended or was cancelled.
  void RunFull();
  // ContinueFlag := false; the full run stops before its next primary record.
  void RequestCancel() { continueFlag_ = false; }
  bool running() const { return running_; }

  // The manual compare of the primary view's row at 0-based position
  // `primaryIndex` (the double-clicked row); -1 or a position outside the
  // view only re-reads the views.
  void RunManual(int64_t primaryIndex);

 private:
  struct Impl;
  Impl* impl_;  // owned
  bool continueFlag_ = false;
  bool running_ = false;
};

// The reviewer's decision on the result row (linenumber, linenumber2); does
// nothing when the result view is empty. Remark and reference are cut to 50
// characters, then stored with their quotes.
void StoreReview(store::Database& db, store::Views& views, int64_t linenumber, int64_t linenumber2,
                 bool acceptFirst, bool acceptSecond, const std::string& remark, const std::string& reference);

}  // namespace twinscan
