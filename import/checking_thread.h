// CheckingThread: the records of an import read, checked and completed on a
// thread of their own while the import's own (calling) thread stores them.
//
// The calling thread takes the finished records in batches, in file order,
// and does everything the user or the database sees, record by record, exactly
// as if it had checked each record itself. The checker never reaches the user:
// what the field steps of a record ask of the user is kept with the record
// (DeferredCall) and shown by the calling thread at that record's turn. A
// failure of the checker travels with the batch of the record it met and is
// rethrown there. The thread is stopped and joined when the object goes, so an
// import that returns or throws early leaves nothing running behind it.
#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "import/record_reader.h"
#include "import/row_builder.h"
#include "record/user_interface.h"

namespace twinscan {

struct CheckerState;

// A user-interface call a field step made, with the batch place of its record.
struct DeferredCall {
  enum class Kind { Status, Message, RecordMessage };
  size_t record = 0;
  Kind kind = Kind::Message;
  std::string text;
  int64_t lineNumber = 0;

  void ShowOn(UserInterface& ui) const;
};

// One record as it is to be stored and reported.
struct CheckedRecord {
  RowBuilder row;          // complete: messages cut to their columns, linenumber, error
  std::string status;      // the status text of its turn
  std::string reportLine;  // its validation-report line, when hasReportLine
  bool hasReportLine = false;
  bool error = false;
  int32_t lineNumber = 0;
  int64_t offset = 0;  // bytes of the file taken once it was read
};

// How far a failed record came: the calling thread repeats its turn up to
// there (the stop question, the messages of its steps, its status text) before
// the failure is rethrown, as when it checked the record itself.
enum class FailedIn { Reading, Checking, Completing };

struct CheckedBatch {
  std::vector<CheckedRecord> records;  // slots, reused; the first `count` are finished
  size_t count = 0;
  std::vector<DeferredCall> calls;  // in the order made; `record` ascending
  // Set when the checker failed at records[count]; no batch follows.
  std::exception_ptr failure;
  FailedIn failedIn = FailedIn::Reading;
};

struct CheckingSettings {
  std::string statusPrefix;  // "Importing ff line "
  bool reportLines = false;  // a report is being written
  bool suppressCleanLines = true;
};

class CheckingThread {
 public:
  // Starts reading records at the reader's place (after the header). The
  // reader is the thread's until the object goes.
  CheckingThread(RecordReader& reader, CheckingSettings settings);
  // Stops the checker and waits for it.
  ~CheckingThread();
  CheckingThread(const CheckingThread&) = delete;
  CheckingThread& operator=(const CheckingThread&) = delete;

  // The next batch, in file order; nullptr once the file has ended. The batch
  // returned before goes back to the checker and must not be used after.
  const CheckedBatch* Next();

 private:
  // Batches in flight and their size: enough to keep both threads busy and to
  // take the lock once per several hundred records, few enough to keep the
  // memory they hold small (a batch holds a few megabytes at most).
  static constexpr size_t kBatches = 4;
  static constexpr size_t kBatchRecords = 512;

  void Run();
  // Fills the batch; false once the file has ended or the checker failed.
  bool Fill(CheckedBatch& batch, CheckerState& state);
  CheckedBatch* TakeFree();  // nullptr once stopped
  void Hand(CheckedBatch* batch, bool last);

  RecordReader& reader_;
  const CheckingSettings settings_;

  std::mutex mutex_;
  std::condition_variable freed_, filled_;
  std::array<CheckedBatch, kBatches> batches_;
  std::vector<CheckedBatch*> free_;
  std::deque<CheckedBatch*> full_;
  CheckedBatch* taken_ = nullptr;   // the calling thread's batch
  bool stopped_ = false;            // the calling thread wants no more
  bool ended_ = false;              // the checker handed its last batch
  std::exception_ptr lostFailure_;  // a failure outside any batch

  std::thread thread_;  // last: starts once everything above is in place
};

}  // namespace twinscan
