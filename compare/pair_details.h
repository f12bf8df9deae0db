// What the review shows of one compared pair: the two records' 28 fields in
// grid order (as the grids show them), which fields differ and how each was
// judged, and the decision stored on the pair, if any.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "record/layout.h"
#include "settings/compare_settings.h"
#include "store/database.h"
#include "store/decision_journal.h"

namespace twinscan {

// How a differing field was judged: under its compare mode, or recorded
// without a mark (a tolerant search field that is not checked).
enum class Judgement { Same, Unmarked, NonCritical, Critical };

struct PairField {
  std::string_view code;           // "1A"
  std::string primary, secondary;  // the grid texts ("" for Null or a missing record)
  std::string difference;          // the result row's "P <-> S"; "" when the field did not differ
  Judgement judgement = Judgement::Same;
};

struct PairDetails {
  int64_t primaryLine = 0, secondaryLine = 0;
  bool primaryFound = false, secondaryFound = false;
  std::array<PairField, kFieldCount> fields;  // field number n at index n - 1
  std::optional<store::Decision> decision;    // the stored one; nullopt while undecided
};

// Reads the pair (linenumber, linenumber2) from TABLE1, TABLE2 and its
// TABLERESULT row; differing fields are judged under `modes` (the compare
// modes of the run that wrote the row). Throws store::StoreError.
PairDetails ReadPairDetails(store::Database& db, int64_t linenumber, int64_t linenumber2, const CompareSettings& modes);

// "Primary line 12 - secondary line 49".
std::string PairTitle(const PairDetails& pair);
// The text mark of a judgement ("CRITICAL", "non-critical", "unmarked", "").
std::string_view JudgementMark(Judgement judgement);

}  // namespace twinscan
