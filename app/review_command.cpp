#include "app/review_command.h"

#include "store/decision_journal.h"

namespace twinscan {
namespace {

constexpr size_t kReviewTextLength = 50;

// The first `count` characters of a UTF-8 text. Cutting before the quotes
// are doubled keeps what is stored equal to the start of what was typed.
std::string FirstCharacters(const std::string& utf8, size_t count) {
  size_t characters = 0;
  for (size_t i = 0; i < utf8.size(); ++i) {
    bool starts = (static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80;
    if (starts && characters++ == count) return utf8.substr(0, i);
  }
  return utf8;
}

}  // namespace

bool ComparedPairExists(store::Database& db, int64_t linenumber, int64_t linenumber2) {
  store::Statement pair = db.Prepare(std::string("SELECT count(*) FROM ") + store::kTableResult +
                                     " WHERE linenumber = ? AND linenumber2 = ?");
  pair.BindInt(1, linenumber);
  pair.BindInt(2, linenumber2);
  return pair.Step() && pair.ColumnInt(0) != 0;
}

void StoreReview(store::Database& db, store::Views& views, int64_t linenumber, int64_t linenumber2, bool acceptFirst,
                 bool acceptSecond, const std::string& remark, const std::string& reference) {
  if (views.result().RowCount() == 0) return;
  store::Statement update = db.Prepare(std::string("UPDATE ") + store::kTableResult +
                                       " SET ACCEPTFIRST = ?, ACCEPTSECOND = ?, REMARK = ?, REFERENCE_TO_DB = ? "
                                       "WHERE linenumber = ? AND linenumber2 = ?");
  update.BindInt(1, acceptFirst ? 1 : 0);
  update.BindInt(2, acceptSecond ? 1 : 0);
  store::Decision stored{acceptFirst, acceptSecond, FirstCharacters(remark, kReviewTextLength),
                         FirstCharacters(reference, kReviewTextLength)};
  update.BindText(3, stored.remark);
  update.BindText(4, stored.reference);
  update.BindInt(5, linenumber);
  update.BindInt(6, linenumber2);
  update.Step();
  // The journal keeps the decision for later runs over the same records.
  store::JournalDecision(db, linenumber, linenumber2, stored);
  db.CommitPending();
}

}  // namespace twinscan
