#include "compare/compare_engine.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "compare/candidate_query.h"
#include "compare/compare_log.h"
#include "compare/decision_restore.h"
#include "compare/record_compare.h"
#include "compare/search_workers.h"
#include "compare/zone_grid.h"
#include "record/number_text.h"
#include "record/progress.h"
#include "store/compare_run_marker.h"
#include "store/matching_rows.h"
#include "store/run_info.h"
#include "store/tables.h"

namespace twinscan {
namespace {

// Result rows are committed in groups of about this many, between two
// primary records, and at the end of every run.
constexpr int64_t kCommitEvery = 4096;

// Primary records handed to a search worker at a time by the full run.
constexpr int64_t kPrimaryBatch = 256;

// The writing connection's page cache while the full run's workers read.
constexpr int kWritingCacheKiB = 8192;

std::string N(int64_t value) { return LeadingBlankNumber(static_cast<double>(value)); }

std::string ResultInsertSql() {
  std::string columns, values;
  for (int i = 0; i < store::kResultFieldsEnd; ++i) {
    std::string_view separator = i == 0 ? "" : ", ";
    std::string_view name = i < store::kResultFirstFieldColumn
                                ? store::kResultLeadingColumns[static_cast<size_t>(i)].name
                                : kFields[static_cast<size_t>(i - store::kResultFirstFieldColumn)].code;
    columns.append(separator).append(i < store::kResultFirstFieldColumn ? std::string(name) : store::QuoteName(name));
    values.append(separator).append("?");
  }
  return std::string("INSERT INTO ") + store::kTableResult + " (" + columns + ") VALUES (" + values + ")";
}

// The run's settings as they are when it begins, for the results export.
store::RunInfo RunInfoOf(const CompareSettings& settings, const char* kind) {
  store::RunInfo info{store::LocalTimeText(),
                      kind,
                      "",
                      "",
                      !settings.fileOptions(FileTag::ff).onlyErrorFreeLines,
                      !settings.fileOptions(FileTag::sf).onlyErrorFreeLines};
  for (int field = 1; field <= kFieldCount; ++field)
    info.modes += static_cast<char>('0' + static_cast<int>(settings.compareMode(field)));
  for (int index : {kSearch1A, kSearch6A, kSearch4A, kSearch13Y, kSearch4C})
    info.search += static_cast<char>('0' + static_cast<int>(settings.searchField(index)));
  return info;
}

}  // namespace

struct CompareEngine::Impl {
  Impl(store::Database& d, store::Views& v, const CompareSettings& s, UserInterface& u, std::filesystem::path l)
      : db(d),
        views(v),
        settings(s),
        ui(u),
        logPath(std::move(l)),
        primaryColumns(v.primary()),
        secondaryColumns(v.secondary()) {}

  // Opens the log; nothing is deleted before it is open.
  void Start() {
    counts = {};
    uncommitted = 0;
    usedSettings = settings;
    log.emplace(logPath);
  }

  // Empties the results and begins the run's record of its settings.
  void EmptyResults(const char* kind) {
    db.Execute(std::string("DELETE FROM ") + store::kTableResult);
    runInfo.emplace(db, RunInfoOf(settings, kind));
  }

  void NoCandidate(int64_t line) {
    ++counts.withoutCandidates;
    runInfo->WithoutCandidate(line);
    LogSkipped(line, kNotFoundText);
  }

  // Clears the run marker, commits, writes out and closes the log and
  // re-reads the three views.
  void Finish(store::TransactionKeptOnFailure& transaction) {
    store::ClearCompareRunning(db);
    transaction.Commit();
    log->Flush();
    if (settings.restoreDecisions()) counts.restoredDecisions = RestoreDecisions(db);
    log.reset();
    views.RefreshAll();
  }

  // Between two primary records; also begins anew when the transaction was
  // committed by a view refresh.
  void CommitNowAndThen(store::TransactionKeptOnFailure& transaction) {
    if (uncommitted < kCommitEvery && db.InTransaction()) return;
    transaction.CommitAndBegin();
    // The log follows the committed rows; it never runs ahead of them by
    // more than the group being written.
    log->Flush();
    uncommitted = 0;
  }

  bool SkipsErroneous(FileTag file) const { return settings.fileOptions(file).onlyErrorFreeLines; }

  // The manual run's candidate search, into the secondary view that shows
  // it; returns their number.
  int64_t SearchCandidates(const CompareRecord& primary) {
    CandidateQuery query = BuildCandidateQuery(CandidateKeysOf(primary), settings);
    views.ReopenFiltered(ViewId::Secondary, query.where, query.binds, kCandidateOrder);
    counts.candidates += views.secondary().RowCount();
    return views.secondary().RowCount();
  }

  CompareRecord Candidate(int64_t index) { return secondaryColumns.Read(views.secondary().RowAt(index)); }

  // Hands the search workers the primary records up to a few batches past
  // position k.
  void FeedWorkers(int64_t k, int64_t n) {
    const int64_t ahead = kPrimaryBatch * (2 * search->count() + 1);
    while (search->submitted() < n && search->submitted() <= k + ahead) {
      int64_t first = search->submitted();
      search->Submit(views.primary().RowIds(first, first + std::min(kPrimaryBatch, n - first)));
    }
  }

  // One compared pair: its TABLERESULT row, its log line, and, when shown,
  // the result view showing the primary line's rows written so far.
  void ComparePair(const CompareRecord& primary, const CompareRecord& secondary) {
    RecordPair(primary.line, CompareRecords(primary, secondary, settings), true);
  }
  void RecordPair(int64_t primaryLine, const CompareResult& result, bool shown) {
    Insert(result);
    log->Append(result.LogLine());
    ++counts.comparedPairs;
    if (result.critical) ++counts.criticalPairs;
    if (result.nonCritical) ++counts.nonCriticalPairs;
    if (shown) views.ReopenFiltered(ViewId::Result, "linenumber = ?", {primaryLine}, "rowid");
  }

  void Insert(const CompareResult& r) {
    if (!insert) insert.emplace(db.Prepare(ResultInsertSql()));
    store::Statement& s = *insert;
    s.Reset();
    s.ClearBindings();
    s.BindInt(1, r.primaryLine);
    s.BindInt(2, r.secondaryLine);
    if (r.critical) s.BindInt(3, 1);
    if (r.nonCritical) s.BindInt(4, 1);
    for (const FieldDifference& d : r.differences) s.BindText(store::kResultFirstFieldColumn + d.fieldNumber, d.text);
    s.Step();
    ++uncommitted;
  }

  void LogSkipped(int64_t line, const char* reason) { log->Append(N(line) + reason); }

  store::Database& db;
  store::Views& views;
  const CompareSettings& settings;
  UserInterface& ui;
  std::filesystem::path logPath;
  RecordColumns primaryColumns, secondaryColumns;
  // The full run's zone coordinates of TABLE2 when 4C is searched with a
  // tolerance, and its candidate search and comparison.
  std::optional<ZoneGrid> zoneGrid;
  std::optional<SearchWorkers> search;
  std::optional<store::Statement> insert;
  std::optional<CompareLog> log;
  std::optional<store::RunInfoWriter> runInfo;
  CompareCounts counts;
  std::optional<CompareSettings> usedSettings;
  int64_t uncommitted = 0;
  bool busy = false;  // a run is in progress (the full or the manual one)
};

// Whatever way a run ends: the log is let go and the engine is idle again.
// Declared before the run's transaction, so that the transaction is
// committed first.
struct CompareEngine::RunEnd {
  ~RunEnd() {
    engine.impl_->log.reset();
    engine.impl_->runInfo.reset();
    engine.impl_->busy = engine.running_ = engine.continueFlag_ = false;
  }
  CompareEngine& engine;
};

CompareEngine::CompareEngine(store::Database& db, store::Views& views, const CompareSettings& settings,
                             UserInterface& ui, std::filesystem::path compareLog)
    : impl_(std::make_unique<Impl>(db, views, settings, ui, std::move(compareLog))) {}

CompareEngine::~CompareEngine() = default;

const CompareCounts& CompareEngine::lastRun() const { return impl_->counts; }

const CompareSettings* CompareEngine::lastRunSettings() const {
  return impl_->usedSettings ? &*impl_->usedSettings : nullptr;
}

// What the grids and the status bar show of a full run. They follow it
// where the user interface would show it now: the current rows, the
// candidates and results of the current primary record and the status texts
// are brought up to date for those records and pairs only, in the order the
// run would have made them; the last status text is set when the run ends.
class CompareEngine::RunDisplay {
 public:
  explicit RunDisplay(Impl& e) : e_(e) {}

  // Before the candidate search of primary record i (1-based).
  void Primary(int64_t i) {
    i_ = i;
    j_ = 0;
    primaryShown_ = candidatesShown_ = shown_ = false;
    if (e_.ui.WantsDisplay()) ShowPrimary();
  }
  // After the candidate search of the current primary record.
  void Searched(const CandidateQuery& query) {
    query_ = &query;
    if (primaryShown_) ShowCandidates();
  }
  // Before the comparison of candidate j (1-based); true when it shows.
  bool Pair(int64_t j) {
    j_ = j;
    shown_ = false;
    if (!e_.ui.WantsDisplay()) return false;
    if (!primaryShown_) ShowPrimary();
    if (!candidatesShown_) ShowCandidates();
    e_.views.SetCurrentRow(ViewId::Secondary, j - 1);
    e_.ui.Redraw();
    Status();
    return true;
  }
  // The status text of the last record or pair, unless it was shown.
  void End() {
    if (i_ > 0 && !shown_) Status();
  }

 private:
  void ShowPrimary() {
    primaryShown_ = true;
    e_.views.SetCurrentRow(ViewId::Primary, i_ - 1);
    Status();
  }
  void ShowCandidates() {
    candidatesShown_ = true;
    e_.views.ReopenFiltered(ViewId::Secondary, query_->where, query_->binds, kCandidateOrder);
  }
  void Status() {
    shown_ = true;
    // The primary position shown with a pair is one more than without.
    e_.ui.SetStatusText(j_ == 0 ? "Comparing line " + N(i_)
                                : "Comparing line " + N(i_ + 1) + " with line " + N(j_ + 1));
  }

  Impl& e_;
  const CandidateQuery* query_ = nullptr;
  int64_t i_ = 0, j_ = 0;
  bool primaryShown_ = false, candidatesShown_ = false, shown_ = true;
};

void CompareEngine::RunFull() {
  Impl& e = *impl_;
  if (e.busy) return;
  e.busy = running_ = continueFlag_ = true;
  RunEnd end{*this};
  for (store::View* v : {&e.views.primary(), &e.views.secondary()}) {
    v->sortColumn = "linenumber";
    v->sortDirection = store::SortDirection::Ascending;
    v->SetFilter({});  // the run reads every record
  }
  e.Start();
  store::TransactionKeptOnFailure transaction(e.db);
  e.EmptyResults("full");
  store::MarkCompareRunning(e.db);
  e.views.RefreshAll();  // commits the emptied table: the result grid shows it
  e.ui.Redraw();
  store::View& primaryView = e.views.primary();
  const int64_t n = primaryView.RowCount();
  // The workers read on connections of their own; this one only writes the
  // results while they run, and lends them the memory of its page cache.
  // They go before the transaction ends.
  struct SearchEnd {
    ~SearchEnd() { Release(); }
    void Release() {
      e.search.reset();
      try {
        e.db.SetCacheSize(store::Database::kCacheKiB);
      } catch (const store::StoreError&) {
        // the cache stays small: slower, never wrong
      }
    }
    Impl& e;
  } searchEnd{e};
  e.db.SetCacheSize(kWritingCacheKiB);
  e.zoneGrid.reset();
  if (e.settings.searchField(kSearch4C) == SearchValue::Tolerant) e.zoneGrid = ZoneGrid::Read(e.db, store::kTable2);
  if (n > 0)
    e.search.emplace(e.db.file(), e.primaryColumns, e.secondaryColumns, e.settings, e.zoneGrid ? &*e.zoneGrid : nullptr,
                     SearchWorkers::DefaultCount());
  ProgressScope shown(e.ui, "pairs", n);
  RunDisplay display(e);
  try {
    for (int64_t i = 1; i <= n; ++i) {
      e.FeedWorkers(i - 1, n);
      shown.Update(i - 1, e.counts.comparedPairs);
      e.ui.Yield();
      if (!continueFlag_ || e.ui.StopRequested()) {
        e.counts.cancelled = true;
        e.counts.cancelledBefore = e.search->Primary(i - 1).line;
        break;
      }
      // Only an unsupported re-import during the yield could shrink the view.
      if (i > primaryView.RowCount()) break;
      e.CommitNowAndThen(transaction);
      display.Primary(i);
      ++e.counts.primaryRecords;
      const int64_t line = e.search->Primary(i - 1).line;
      const PrimaryOutcome& outcome = e.search->Outcome(i - 1);
      if (outcome.skipped) {
        ++e.counts.skippedPrimary;
        e.LogSkipped(line, kContainsErrorText);
        continue;
      }
      const auto m = static_cast<int64_t>(outcome.pairs.size());
      e.counts.candidates += m;
      display.Searched(outcome.query);
      if (m == 0) {
        e.NoCandidate(line);
        continue;
      }
      for (int64_t j = 1; j <= m; ++j) {
        bool pairShown = display.Pair(j);
        const PairOutcome& pair = outcome.pairs[static_cast<size_t>(j - 1)];
        if (pair.skipped)
          e.LogSkipped(pair.line, kContainsErrorText);
        else
          e.RecordPair(line, pair.result, pairShown);
      }
    }
  } catch (...) {
    display.End();
    throw;
  }
  display.End();
  // The workers' snapshots go before the views are re-read, so that the
  // log can be folded back past the run's rows.
  searchEnd.Release();
  e.Finish(transaction);
}

void CompareEngine::RunManual(int64_t primaryIndex) {
  Impl& e = *impl_;
  store::View& primaryView = e.views.primary();
  if (e.busy || primaryView.RowCount() == 0) return;
  if (primaryIndex < 0 || primaryIndex >= primaryView.RowCount()) {
    e.views.RefreshAll();
    return;
  }
  e.busy = true;
  RunEnd end{*this};
  e.Start();
  store::TransactionKeptOnFailure transaction(e.db);
  e.EmptyResults("manual");
  e.views.SetCurrentRow(ViewId::Primary, primaryIndex);
  ++e.counts.primaryRecords;
  CompareRecord primary = e.primaryColumns.Read(primaryView.RowAt(primaryIndex));
  e.counts.manual = true;
  e.counts.manualLine = primary.line;
  const int64_t m = e.SearchCandidates(primary);
  if (m == 0) {
    e.NoCandidate(primary.line);
  } else if (CompareRecord first = e.Candidate(0); first.erroneous && e.SkipsErroneous(FileTag::sf)) {
    // Only the first candidate is looked at: one erroneous first candidate
    // stops the comparison of all of them.
    e.LogSkipped(first.line, kContainsErrorText);
    e.counts.erroneousCandidate = first.line;
  } else {
    for (int64_t j = 1; j <= m; ++j) {
      e.views.SetCurrentRow(ViewId::Secondary, j - 1);
      e.ui.Redraw();
      e.ui.SetStatusText("Comparing line " + N(primaryIndex + 2) + " with line " + N(j + 1));
      e.ComparePair(primary, e.Candidate(j - 1));
    }
  }
  e.Finish(transaction);
}

}  // namespace twinscan
