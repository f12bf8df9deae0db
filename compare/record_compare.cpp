#include "compare/record_compare.h"

#include <cctype>
#include <cmath>

#include "compare/tolerances.h"
#include "record/number_text.h"
#include "record/value_helpers.h"
#include "store/database.h"

namespace twinscan {
namespace {

using field::k13Y;
using field::k1A;
using field::k4C;
using field::k6A;

bool IsNumberField(int fieldNumber) { return Field(static_cast<field::Number>(fieldNumber)).isNumber(); }

// The lower-case column names the compare log writes, by field number.
const std::array<std::string, kFieldCount + 1>& LogNames() {
  static const auto names = [] {
    std::array<std::string, kFieldCount + 1> n;
    for (const RecordField& f : kFields) {
      std::string& name = n[static_cast<size_t>(f.number)];
      for (char c : f.code) name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return n;
  }();
  return names;
}
const std::string& LogName(int fieldNumber) { return LogNames()[static_cast<size_t>(fieldNumber)]; }
constexpr std::string_view kConnector = " <-> ";

bool InOneGroup(const std::string& p, const std::string& s) {
  return (OccursIn(p, kMobileClassList) && OccursIn(s, kMobileClassList)) ||
         (OccursIn(p, kFixedClassList) && OccursIn(s, kFixedClassList));
}

// Outside the zone when either axis lies on or beyond its edge; an axis
// missing on either side says nothing.
bool OutsideZone(const CompareRecord& p, const CompareRecord& s) {
  auto beyond = [](std::optional<double> centre, std::optional<double> point) {
    return centre && point && (*point <= *centre - kZoneHalfWidth || *point >= *centre + kZoneHalfWidth);
  };
  return beyond(p.longitude, s.longitude) || beyond(p.latitude, s.latitude);
}

class Judge {
 public:
  Judge(const CompareRecord& p, const CompareRecord& s, const CompareSettings& settings)
      : p_(p), s_(s), settings_(settings) {}

  // Whether the field differs; tolerant reports whether it was judged by a
  // tolerance (and so examined whatever its mode).
  bool Differs(int field, bool* tolerant) const {
    *tolerant = true;
    if (field == k1A && Searched(kSearch1A)) {
      auto p = p_.numbers[k1A], s = s_.numbers[k1A];
      return p && s && (*s < *p - kFrequencyTolerance || *s > *p + kFrequencyTolerance);
    }
    if (field == k6A && Searched(kSearch6A)) return !InOneGroup(p_.texts[k6A], s_.texts[k6A]);
    if (field == k13Y && Searched(kSearch13Y)) {
      const std::string &p = p_.texts[k13Y], &s = s_.texts[k13Y];
      return p != s && p != "A" && s != "A";
    }
    if (field == k4C && Searched(kSearch4C)) return OutsideZone(p_, s_);
    *tolerant = false;
    if (IsNumberField(field)) {
      auto p = p_.numbers[static_cast<size_t>(field)], s = s_.numbers[static_cast<size_t>(field)];
      return p && s && *p != *s;
    }
    return p_.texts[static_cast<size_t>(field)] != s_.texts[static_cast<size_t>(field)];
  }

  std::string DifferenceText(int field) const {
    auto i = static_cast<size_t>(field);
    if (IsNumberField(field))
      return PlainNumber(*p_.numbers[i]) + std::string(kConnector) + PlainNumber(*s_.numbers[i]);
    return p_.texts[i] + std::string(kConnector) + s_.texts[i];
  }

 private:
  bool Searched(int index) const { return settings_.searchField(index) == SearchValue::Tolerant; }

  const CompareRecord &p_, &s_;
  const CompareSettings& settings_;
};

}  // namespace

// ---------------------------------------------------------------------------
RecordColumns::RecordColumns(const store::View& view) {
  for (const store::ColumnInfo& c : view.Columns()) kinds_.push_back(c.kind);
  auto find = [&](std::string_view name) {
    int index = view.ColumnIndex(name);
    if (index < 0) throw store::StoreError("no column " + std::string(name) + " in " + view.table());
    return index;
  };
  line_ = find("linenumber");
  error_ = find("error");
  longitude_ = find("4CLONG");
  latitude_ = find("4CLAT");
  for (const RecordField& f : kFields) fields_[static_cast<size_t>(f.number)] = find(f.code);
}

template <class Cells>
void RecordColumns::Fill(const Cells& cells, CompareRecord* out) const {
  CompareRecord& r = *out;
  r.line = static_cast<int64_t>(std::llround(cells.Number(line_).value_or(0)));
  r.erroneous = cells.Number(error_).value_or(0) != 0;
  r.longitude = cells.Number(longitude_);
  r.latitude = cells.Number(latitude_);
  for (int field = 1; field <= kFieldCount; ++field) {
    int column = fields_[static_cast<size_t>(field)];
    if (IsNumberField(field))
      r.numbers[static_cast<size_t>(field)] = cells.Number(column);
    else
      cells.Text(column, kinds_[static_cast<size_t>(column)], &r.texts[static_cast<size_t>(field)]);
  }
}

CompareRecord RecordColumns::Read(const store::Row& row) const {
  struct Cells {
    const store::Row& row;
    std::optional<double> Number(int c) const { return store::NumberOf(row.at(static_cast<size_t>(c))); }
    void Text(int c, store::ColumnKind kind, std::string* out) const {
      *out = store::DisplayText(row.at(static_cast<size_t>(c)), kind);
    }
  };
  CompareRecord r;
  Fill(Cells{row}, &r);
  return r;
}

void RecordColumns::Read(const store::Statement& row, int offset, CompareRecord* out) const {
  struct Cells {
    const store::Statement& row;
    int offset;
    std::optional<double> Number(int c) const { return store::NumberAt(row, offset + c); }
    void Text(int c, store::ColumnKind kind, std::string* out) const {
      store::DisplayTextAt(row, offset + c, kind, out);
    }
  };
  Fill(Cells{row, offset}, out);
}

// ---------------------------------------------------------------------------
void CompareRecords(const CompareRecord& primary, const CompareRecord& secondary, const CompareSettings& settings,
                    CompareResult* out) {
  CompareResult& result = *out;
  result.primaryLine = primary.line;
  result.secondaryLine = secondary.line;
  result.critical = result.nonCritical = false;
  size_t differing = 0;
  // Written straight into the halves of the log line: "linenumber,
  // linenumber2, " and the line numbers go before the lists at the end.
  std::string& columnList = result.columns;
  std::string& valueList = result.values;
  columnList.clear();
  valueList.clear();
  Judge judge(primary, secondary, settings);
  for (int field : kCompareOrder) {
    CompareMode mode = settings.compareMode(field);
    bool tolerant = false;
    bool differs = judge.Differs(field, &tolerant);
    if (!differs || (!tolerant && mode == CompareMode::NotChecked)) continue;
    if (differing == result.differences.size()) result.differences.emplace_back();
    FieldDifference& difference = result.differences[differing];
    difference.fieldNumber = field;
    difference.text = judge.DifferenceText(field);
    if (differing++ > 0) {
      columnList += " , ";
      valueList += " , ";
    }
    columnList += LogName(field);
    valueList += '\'';
    for (char c : difference.text) {
      if (c == '\'') valueList += '\'';  // quotes doubled, as in an SQL literal
      valueList += c;
    }
    valueList += '\'';
    if (mode == CompareMode::NonCritical) result.nonCritical = true;
    if (mode == CompareMode::Critical) result.critical = true;
  }
  result.differences.resize(differing);
  if (result.critical) {
    columnList += ", critical";
    valueList += ", True";
  }
  if (result.nonCritical) {
    columnList += ", noncritical";
    valueList += ", True";
  }
  std::string lines = LeadingBlankNumber(static_cast<double>(primary.line)) + ", " +
                      LeadingBlankNumber(static_cast<double>(secondary.line));
  if (differing > 0) lines += ", ";
  columnList.insert(0, differing > 0 ? "linenumber, linenumber2, " : "linenumber, linenumber2");
  valueList.insert(0, lines);
}

CompareResult CompareRecords(const CompareRecord& primary, const CompareRecord& secondary,
                             const CompareSettings& settings) {
  CompareResult result;
  CompareRecords(primary, secondary, settings, &result);
  return result;
}

}  // namespace twinscan
