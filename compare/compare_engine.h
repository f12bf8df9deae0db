// CompareEngine: the full autocompare and the manual single-line compare over
// the three views, and the reviewer's update of one result row.
//
// The engine moves the views' current rows, writes TABLERESULT rows and
// compare-log lines, and reaches the user only through UserInterface (status
// texts, redraws, one Yield per primary record in the full run). The full
// run searches and compares ahead on worker threads (compare/search_workers.h)
// with the settings as they are when it begins, and writes, logs and shows
// on the calling thread in its own order; the manual run reads the settings
// at the moment it needs them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>

#include "record/user_interface.h"
#include "settings/compare_settings.h"
#include "store/database.h"
#include "store/view.h"

namespace twinscan {

// What the last run did, for summaries.
struct CompareCounts {
  int64_t primaryRecords = 0;       // primary records taken up (skipped ones included)
  int64_t skippedPrimary = 0;       // erroneous primary records not searched
  int64_t withoutCandidates = 0;    // primary records without candidates
  int64_t comparedPairs = 0;        // TABLERESULT rows written
  int64_t criticalPairs = 0;        // ... with a critical difference
  int64_t nonCriticalPairs = 0;     // ... with a non-critical difference
  int64_t candidates = 0;           // candidates found, over all primary records
  int64_t restoredDecisions = 0;    // result rows that took a decision from the journal
  bool manual = false;              // the run was a manual compare
  int64_t manualLine = 0;           // ... of the primary record with this linenumber
  int64_t erroneousCandidate = -1;  // ... whose first candidate (this linenumber) stopped it
  bool cancelled = false;           // the full run was cancelled ...
  int64_t cancelledBefore = 0;      // ... before the primary record with this linenumber
};

class CompareEngine {
 public:
  CompareEngine(store::Database& db, store::Views& views, const CompareSettings& settings, UserInterface& ui,
                std::filesystem::path compareLog);
  ~CompareEngine();
  CompareEngine(const CompareEngine&) = delete;
  CompareEngine& operator=(const CompareEngine&) = delete;

  // The full autocompare. Returns when the run has ended or was cancelled
  // (RequestCancel, or the user interface's StopRequested before a primary
  // record); progress counts primary records and names pairs.
  // It sorts the record views by linenumber and drops their grid filters.
  // Both runs open the compare log before they delete anything, and throw
  // store::StoreError on a database failure or CompareLogError when the log
  // cannot be written, after committing the rows written so far. A run
  // asked for while one is in progress does nothing.
  void RunFull();
  // ContinueFlag := false; the full run stops before its next primary record.
  void RequestCancel() { continueFlag_ = false; }
  bool running() const { return running_; }

  // The manual compare of the primary view's row at 0-based position
  // `primaryIndex` (the double-clicked row); -1 or a position outside the
  // view only re-reads the views.
  void RunManual(int64_t primaryIndex);

  const CompareCounts& lastRun() const;
  // The settings the last run of this engine compared with (the compare
  // modes judge its result rows); nullptr before the first run.
  const CompareSettings* lastRunSettings() const;

 private:
  struct Impl;
  struct RunEnd;
  class RunDisplay;
  std::unique_ptr<Impl> impl_;
  bool continueFlag_ = false;
  bool running_ = false;
};

}  // namespace twinscan
