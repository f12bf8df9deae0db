#include "compare/search_workers.h"

#include <algorithm>
#include <atomic>
#include <optional>
#include <stdexcept>

#include "store/matching_rows.h"
#include "store/rows_by_id.h"
#include "store/tables.h"

namespace twinscan {
namespace {

// A worker's page cache. Candidates of consecutive primary records lie
// anywhere in TABLE2, so a larger cache buys little; what it costs in memory
// is paid once per worker.
constexpr int kWorkerCacheKiB = 16384;

}  // namespace

CandidateKeys CandidateKeysOf(const CompareRecord& r) {
  return {r.numbers[field::k1A], r.texts[field::k6A], r.texts[field::k4A], r.texts[field::k13Y],
          r.texts[field::k4C],   r.longitude,         r.latitude};
}

class SearchWorkers::Worker {
 public:
  Worker(const std::filesystem::path& dbFile, const RecordColumns& primaryColumns, const RecordColumns& columns,
         const CompareSettings& settings, const ZoneGrid* zoneGrid)
      : connection_(store::OpenReader(dbFile, kWorkerCacheKiB)),
        primaryRows_(connection_.get(), store::kTable1),
        reader_(connection_.get(), store::kTable2),
        primaryColumns_(primaryColumns),
        columns_(columns),
        settings_(settings),
        zoneGrid_(zoneGrid) {
    // One snapshot for the run keeps the cache across the run's commits.
    store::BeginSnapshot(connection_.get());
  }

  // Fills batch.outcomes record by record; stops early when stop is set.
  void Run(Batch& batch, const std::atomic<bool>& stop) {
    const bool skipPrimary = settings_.fileOptions(FileTag::ff).onlyErrorFreeLines;
    const bool skipCandidate = settings_.fileOptions(FileTag::sf).onlyErrorFreeLines;
    batch.primaries.resize(batch.rowIds.size());
    primaryRows_.Visit(batch.rowIds, 0, batch.rowIds.size(), [&](size_t k, const store::Statement* row) {
      if (row)
        primaryColumns_.Read(*row, 1, &batch.primaries[k]);
      else
        batch.primaries[k] = CompareRecord{};  // a row gone since the view was opened: all Null
    });
    batch.primariesRead = true;
    batch.outcomes.resize(batch.primaries.size());
    for (const CompareRecord& primary : batch.primaries) {
      if (stop.load(std::memory_order_relaxed)) return;
      PrimaryOutcome& outcome = batch.outcomes[batch.completed];
      outcome.skipped = primary.erroneous && skipPrimary;
      outcome.pairs.clear();
      if (!outcome.skipped) {
        outcome.query = BuildCandidateQuery(CandidateKeysOf(primary), settings_);
        Search(outcome.query);
        outcome.pairs.resize(order_.size());
        for (size_t j = 0; j < order_.size(); ++j) {
          const CompareRecord& candidate = candidates_[order_[j]];
          PairOutcome& pair = outcome.pairs[j];
          pair.line = candidate.line;
          pair.skipped = candidate.erroneous && skipCandidate;
          if (!pair.skipped) CompareRecords(primary, candidate, settings_, &pair.result);
        }
      }
      ++batch.completed;
    }
  }

 private:
  // The same rows in the same order as the secondary view would hold them,
  // into candidates_[order_[k]].
  void Search(const CandidateQuery& query) {
    const std::vector<int64_t>* onlyRows = nullptr;
    if (query.zone && zoneGrid_) {
      zoneGrid_->Inside(query.zone->lonLow, query.zone->lonHigh, query.zone->latLow, query.zone->latHigh, query.band,
                        &zoneRows_);
      onlyRows = &zoneRows_;
    }
    size_t used = 0;
    order_ = reader_.Read(
        query.where, query.binds, kCandidateOrder, [&] { used = 0; },
        [&](const store::Statement& row) {
          if (used == candidates_.size()) candidates_.emplace_back();
          columns_.Read(row, 1, &candidates_[used++]);
        },
        onlyRows);
  }

  store::Connection connection_;
  store::RowsById primaryRows_;
  store::MatchingRows reader_;
  const RecordColumns primaryColumns_, columns_;
  const CompareSettings& settings_;
  const ZoneGrid* zoneGrid_;
  std::vector<CompareRecord> candidates_;  // in the order read
  std::vector<size_t> order_;              // their candidate order
  std::vector<int64_t> zoneRows_;
};

SearchWorkers::SearchWorkers(const std::filesystem::path& dbFile, const RecordColumns& primaryColumns,
                             const RecordColumns& secondaryColumns, const CompareSettings& settings,
                             const ZoneGrid* zoneGrid, int workers)
    : settings_(settings) {
  for (int w = 0; w < std::max(1, workers); ++w)
    workers_.push_back(std::make_unique<Worker>(dbFile, primaryColumns, secondaryColumns, settings_, zoneGrid));
  try {
    for (auto& worker : workers_) threads_.emplace_back([this, w = worker.get()] { Work(*w); });
  } catch (...) {
    Stop();
    throw;
  }
}

SearchWorkers::~SearchWorkers() { Stop(); }

void SearchWorkers::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    stop_ = true;
  }
  work_.notify_all();
  for (std::thread& t : threads_) t.join();
  threads_.clear();
}

int SearchWorkers::DefaultCount() {
  // Asking costs a read of /sys: once per process.
  static const int count = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
  return count;
}

void SearchWorkers::Submit(std::vector<int64_t> rowIds) {
  {
    std::lock_guard lock(mutex_);
    std::unique_ptr<Batch> batch;
    if (spare_.empty()) {
      batch = std::make_unique<Batch>();
    } else {
      batch = std::move(spare_.back());
      spare_.pop_back();
    }
    batch->first = submitted_;
    submitted_ += static_cast<int64_t>(rowIds.size());
    batch->rowIds = std::move(rowIds);
    batch->primariesRead = batch->done = false;
    batch->completed = 0;
    batch->error = nullptr;
    waiting_.push_back(batch.get());
    batches_.push_back(std::move(batch));
  }
  work_.notify_one();
}

SearchWorkers::Batch& SearchWorkers::Find(int64_t k) {
  for (const auto& batch : batches_)
    if (k >= batch->first && k < batch->first + static_cast<int64_t>(batch->rowIds.size())) return *batch;
  throw std::out_of_range("no such primary record handed over");
}

const CompareRecord& SearchWorkers::Primary(int64_t k) {
  std::unique_lock lock(mutex_);
  Batch& batch = Find(k);
  done_.wait(lock, [&] { return batch.done; });
  if (!batch.primariesRead) {
    if (batch.error) std::rethrow_exception(batch.error);
    throw std::logic_error("a search worker stopped short");
  }
  return batch.primaries[static_cast<size_t>(k - batch.first)];
}

const PrimaryOutcome& SearchWorkers::Outcome(int64_t k) {
  std::unique_lock lock(mutex_);
  while (!batches_.empty() && k >= batches_.front()->first + static_cast<int64_t>(batches_.front()->rowIds.size())) {
    Batch& before = *batches_.front();
    done_.wait(lock, [&] { return before.done; });  // no worker may hold a batch let go
    spare_.push_back(std::move(batches_.front()));
    batches_.pop_front();
  }
  Batch& batch = Find(k);
  done_.wait(lock, [&] { return batch.done; });
  size_t at = static_cast<size_t>(k - batch.first);
  if (at >= batch.completed) {
    if (batch.error) std::rethrow_exception(batch.error);
    throw std::logic_error("a search worker stopped short");
  }
  return batch.outcomes[at];
}

void SearchWorkers::Work(Worker& worker) {
  for (;;) {
    Batch* batch;
    {
      std::unique_lock lock(mutex_);
      work_.wait(lock, [&] { return stopping_ || !waiting_.empty(); });
      if (stopping_) return;
      batch = waiting_.front();
      waiting_.pop_front();
    }
    try {
      worker.Run(*batch, stop_);
    } catch (...) {
      batch->error = std::current_exception();
    }
    {
      std::lock_guard lock(mutex_);
      batch->done = true;
    }
    done_.notify_one();  // only the run waits for batches
  }
}

}  // namespace twinscan
