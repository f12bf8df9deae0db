// SearchWorkers: the full run's candidate search and field comparison, done
// ahead of the run on worker threads.
//
// The run hands over its primary records in batches, in its order; each
// worker reads the candidates on a connection of its own and compares them
// with the settings as they were when the run began (while a full run goes
// the window lets nobody import or change a setting, so neither TABLE2 nor
// the settings change under it). The run takes the outcomes back record by
// record in the same order and writes every row, log line and display
// itself, so what it writes is what a run on one thread writes. A failure
// a worker meets is thrown where the run takes the record it met it with.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <filesystem>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "compare/candidate_query.h"
#include "compare/record_compare.h"
#include "compare/zone_grid.h"
#include "settings/compare_settings.h"

namespace twinscan {

// One candidate of a primary record, in candidate order.
struct PairOutcome {
  int64_t line = 0;      // the candidate's linenumber
  bool skipped = false;  // erroneous, and erroneous candidates are not compared
  CompareResult result;  // when compared
};

// One primary record.
struct PrimaryOutcome {
  bool skipped = false;  // erroneous, and erroneous primary records are not searched
  CandidateQuery query;  // the candidate search, when searched
  std::vector<PairOutcome> pairs;
};

// The search fields of a record as the candidate search takes them.
CandidateKeys CandidateKeysOf(const CompareRecord& r);

class SearchWorkers {
 public:
  // Opens one connection to dbFile per worker (throws store::StoreError).
  // zoneGrid, when given, must outlive the workers.
  SearchWorkers(const std::filesystem::path& dbFile, const RecordColumns& primaryColumns,
                const RecordColumns& secondaryColumns, const CompareSettings& settings, const ZoneGrid* zoneGrid,
                int workers);
  // Stops the workers, abandoning what they have not finished.
  ~SearchWorkers();
  SearchWorkers(const SearchWorkers&) = delete;
  SearchWorkers& operator=(const SearchWorkers&) = delete;

  // The next primary records of the run (TABLE1's row ids, in the run's
  // order), after those handed over before; a row id no longer in the table
  // stands for a record all Null.
  void Submit(std::vector<int64_t> rowIds);
  int count() const { return static_cast<int>(workers_.size()); }
  // Records handed over so far.
  int64_t submitted() const { return submitted_; }
  // The record handed over k-th (from 0), not yet let go; waits for it.
  const CompareRecord& Primary(int64_t k);
  // The outcome of the record handed over k-th (from 0); waits for it.
  // k never decreases between calls: the batches before k's are let go.
  // Rethrows what the worker met at that record.
  const PrimaryOutcome& Outcome(int64_t k);

  // The number of workers for this machine.
  static int DefaultCount();

 private:
  struct Batch {
    int64_t first = 0;
    std::vector<int64_t> rowIds;
    std::vector<CompareRecord> primaries;  // read by the worker
    bool primariesRead = false;
    std::vector<PrimaryOutcome> outcomes;  // one per primary record ...
    size_t completed = 0;                  // ... the first so many filled
    std::exception_ptr error;              // what stopped the worker there
    bool done = false;
  };
  class Worker;

  void Work(Worker& worker);
  void Stop();
  Batch& Find(int64_t k);  // under the lock

  const CompareSettings settings_;  // as the run began
  std::atomic<bool> stop_{false};   // polled by the workers between records
  std::mutex mutex_;
  std::condition_variable work_;                // a batch waits, or the workers are to stop
  std::condition_variable done_;                // a batch is done
  std::deque<std::unique_ptr<Batch>> batches_;  // handed over and not let go, in order
  std::deque<Batch*> waiting_;                  // not yet taken by a worker
  // Batches let go, kept for their storage: the strings of records and
  // results are reused rather than allocated anew for every record.
  std::vector<std::unique_ptr<Batch>> spare_;
  bool stopping_ = false;
  int64_t submitted_ = 0;
  std::vector<std::unique_ptr<Worker>> workers_;
  std::vector<std::thread> threads_;
};

}  // namespace twinscan
