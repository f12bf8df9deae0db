#include "compare/pair_details.h"

#include "store/value.h"

namespace twinscan {
namespace {

// Reads the first row of a one-row query into the field texts; false when there is none.
bool ReadRecord(store::Database& db, const char* table, int64_t line, std::array<PairField, kFieldCount>& fields,
                std::string PairField::*side) {
  store::Statement s =
      db.Prepare(std::string("SELECT * FROM ") + table + " WHERE linenumber = ? ORDER BY rowid LIMIT 1");
  s.BindInt(1, line);
  if (!s.Step()) return false;
  for (const RecordField& f : kFields) {
    int column = s.ColumnIndex(f.code);
    if (column < 0) continue;
    fields[static_cast<size_t>(f.number - 1)].*side =
        store::DisplayText(s.Column(column, s.ColumnKindOf(column)), s.ColumnKindOf(column));
  }
  return true;
}

Judgement JudgementOf(CompareMode mode) {
  switch (mode) {
    case CompareMode::Critical: return Judgement::Critical;
    case CompareMode::NonCritical: return Judgement::NonCritical;
    case CompareMode::NotChecked: break;
  }
  return Judgement::Unmarked;
}

}  // namespace

PairDetails ReadPairDetails(store::Database& db, int64_t linenumber, int64_t linenumber2,
                            const CompareSettings& modes) {
  PairDetails pair;
  pair.primaryLine = linenumber;
  pair.secondaryLine = linenumber2;
  for (const RecordField& f : kFields) pair.fields[static_cast<size_t>(f.number - 1)].code = f.code;
  pair.primaryFound = ReadRecord(db, "TABLE1", linenumber, pair.fields, &PairField::primary);
  pair.secondaryFound = ReadRecord(db, "TABLE2", linenumber2, pair.fields, &PairField::secondary);

  store::Statement result =
      db.Prepare("SELECT * FROM TABLERESULT WHERE linenumber = ? AND linenumber2 = ? ORDER BY rowid LIMIT 1");
  result.BindInt(1, linenumber);
  result.BindInt(2, linenumber2);
  if (!result.Step()) return pair;
  for (const RecordField& f : kFields) {
    int column = result.ColumnIndex(f.code);
    if (column < 0 || (result.ColumnStored(column) == store::Statement::Stored::Null)) continue;
    PairField& field = pair.fields[static_cast<size_t>(f.number - 1)];
    field.difference = std::string(result.ColumnText(column));
    field.judgement = JudgementOf(modes.compareMode(f.number));
  }
  int first = result.ColumnIndex("ACCEPTFIRST"), second = result.ColumnIndex("ACCEPTSECOND");
  if (first >= 0 && !(result.ColumnStored(first) == store::Statement::Stored::Null)) {
    pair.decision = store::Decision{result.ColumnInt(first) != 0, second >= 0 && result.ColumnInt(second) != 0,
                                    std::string(result.ColumnText(result.ColumnIndex("REMARK"))),
                                    std::string(result.ColumnText(result.ColumnIndex("REFERENCE_TO_DB")))};
  }
  return pair;
}

std::string PairTitle(const PairDetails& pair) {
  return "Primary line " + std::to_string(pair.primaryLine) + " - secondary line " + std::to_string(pair.secondaryLine);
}

std::string_view JudgementMark(Judgement judgement) {
  switch (judgement) {
    case Judgement::Critical: return "CRITICAL";
    case Judgement::NonCritical: return "non-critical";
    case Judgement::Unmarked: return "differs, unmarked";
    default: return "";
  }
}

}  // namespace twinscan
