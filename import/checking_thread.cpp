#include "import/checking_thread.h"

#include <utility>

#include "import/import_context.h"
#include "import/record_checker.h"
#include "record/layout.h"
#include "record/number_text.h"
#include "store/tables.h"

namespace twinscan {
namespace {

constexpr size_t kMessageColumnLength = 255;

// The checker's user interface: it keeps every call for the calling thread,
// with the record being checked. Field steps only show messages (the unit
// steps); what has no meaning off the calling thread (stop, progress, redraw)
// keeps the defaults.
class DeferringUserInterface : public UserInterface {
 public:
  void SetStatusText(std::string_view text) override { Keep(DeferredCall::Kind::Status, text, 0); }
  void ShowMessage(std::string_view text) override { Keep(DeferredCall::Kind::Message, text, 0); }
  void ShowRecordMessage(std::string_view text, int64_t lineNumber) override {
    Keep(DeferredCall::Kind::RecordMessage, text, lineNumber);
  }

  CheckedBatch* batch = nullptr;
  size_t record = 0;

 private:
  void Keep(DeferredCall::Kind kind, std::string_view text, int64_t lineNumber) {
    batch->calls.push_back({record, kind, std::string(text), lineNumber});
  }
};

}  // namespace

// What the checker keeps from one record to the next.
struct CheckerState {
  DeferringUserInterface ui;
  ImportContext ctx{ui};
  std::string record;
};

void DeferredCall::ShowOn(UserInterface& ui) const {
  switch (kind) {
    case Kind::Status: ui.SetStatusText(text); break;
    case Kind::Message: ui.ShowMessage(text); break;
    case Kind::RecordMessage: ui.ShowRecordMessage(text, lineNumber); break;
  }
}

CheckingThread::CheckingThread(RecordReader& reader, CheckingSettings settings)
    : reader_(reader), settings_(std::move(settings)), thread_([this] { Run(); }) {
  // thread_ is the last member: the others exist before Run starts.
  static_assert(kBatches >= 2, "the checker fills one batch while the calling thread stores another");
}

CheckingThread::~CheckingThread() {
  {
    std::lock_guard lock(mutex_);
    stopped_ = true;
  }
  freed_.notify_one();
  thread_.join();
}

const CheckedBatch* CheckingThread::Next() {
  std::unique_lock lock(mutex_);
  if (taken_) {
    free_.push_back(std::exchange(taken_, nullptr));
    freed_.notify_one();
  }
  filled_.wait(lock, [this] { return !full_.empty() || ended_; });
  if (full_.empty()) {
    if (lostFailure_) std::rethrow_exception(lostFailure_);
    return nullptr;
  }
  taken_ = full_.front();
  full_.pop_front();
  return taken_;
}

CheckedBatch* CheckingThread::TakeFree() {
  std::unique_lock lock(mutex_);
  freed_.wait(lock, [this] { return !free_.empty() || stopped_; });
  if (stopped_) return nullptr;
  CheckedBatch* batch = free_.back();
  free_.pop_back();
  return batch;
}

void CheckingThread::Hand(CheckedBatch* batch, bool last) {
  {
    std::lock_guard lock(mutex_);
    if (batch) full_.push_back(batch);
    ended_ = last;
  }
  filled_.notify_one();
}

void CheckingThread::Run() {
  try {
    {
      std::lock_guard lock(mutex_);
      for (CheckedBatch& batch : batches_) free_.push_back(&batch);
    }
    CheckerState state;
    state.record.reserve(kRecordLength);
    while (CheckedBatch* batch = TakeFree()) {
      bool more = Fill(*batch, state);
      Hand(batch, !more);
      if (!more) return;
    }
  } catch (...) {
    // Only the hand-over itself can get here (a record's failure goes with
    // its batch); the calling thread rethrows it once the batches are done.
    std::lock_guard lock(mutex_);
    lostFailure_ = std::current_exception();
    ended_ = true;
  }
  filled_.notify_one();
}

bool CheckingThread::Fill(CheckedBatch& batch, CheckerState& state) {
  batch.count = 0;
  batch.calls.clear();
  batch.failure = nullptr;
  state.ui.batch = &batch;
  ImportContext& ctx = state.ctx;
  ViennaRecord& rec = ctx.rec;
  FailedIn stage = FailedIn::Reading;
  try {
    if (batch.records.empty()) batch.records.resize(kBatchRecords);
    while (batch.count < batch.records.size()) {
      stage = FailedIn::Reading;
      if (!reader_.ReadRecord(&state.record)) return false;
      CheckedRecord& out = batch.records[batch.count];
      out.offset = reader_.Offset();

      stage = FailedIn::Checking;
      state.ui.record = batch.count;
      CheckRecord(ctx, state.record);
      ++ctx.recordCounter;
      const std::string number = LeadingBlankNumber(ctx.recordCounter);
      out.status.assign(settings_.statusPrefix).append(number);

      // Completing the record.
      stage = FailedIn::Completing;
      if (!rec.ermsg.empty()) ctx.row.WriteText(RecordColumn::ermsg, rec.ermsg.substr(0, kMessageColumnLength));
      if (!rec.annex2bis.empty())
        ctx.row.WriteText(RecordColumn::annex2bis, rec.annex2bis.substr(0, kMessageColumnLength));
      ctx.row.WriteWhole(RecordColumn::linenumber, ctx.recordCounter);
      ctx.row.WriteWhole(RecordColumn::error, rec.error ? 1 : 0);
      bool clean = rec.ermsg.empty() && rec.annex2bis.empty();
      out.hasReportLine = settings_.reportLines && (!clean || !settings_.suppressCleanLines);
      if (out.hasReportLine)
        out.reportLine.assign(number)
            .append("; ERRORS : ")
            .append(rec.ermsg)
            .append(" ; ANNEX2BIS : ")
            .append(rec.annex2bis)
            .append("\r\n");
      out.error = rec.error;
      out.lineNumber = ctx.recordCounter;
      // The finished row goes out; the slot's earlier row, forgotten, is the
      // next record's (its texts keep their buffers).
      out.row.Swap(ctx.row);
      ctx.row.Clear();
      rec.ClearForNextRecord();
      ++batch.count;
    }
    return true;
  } catch (...) {
    batch.failure = std::current_exception();
    batch.failedIn = stage;
    return false;
  }
}

}  // namespace twinscan
