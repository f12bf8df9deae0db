#include "compare/candidate_query.h"

#include <cstdlib>

#include "compare/tolerances.h"
#include "record/number_text.h"
#include "record/value_helpers.h"

namespace twinscan {
namespace {

// The station class groups of a tolerant 6A search.
constexpr const char* kMobileGroupSql = "IN ('MA','ML','MO','MR','MS')";
constexpr const char* kFixedGroupSql =
    "IN ('FA','FB','FC','FG','FL','FP','FS','FW','FX','LR','SM','TD','RA','TC','TR')";

// A number as the search writes it, read back.
double AsWritten(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

class QueryBuilder {
 public:
  QueryBuilder(const CandidateKeys& keys, const CompareSettings& settings) : keys_(keys), settings_(settings) {}

  CandidateQuery Build() {
    int best = kNoIndex;
    for (int index = kSearch1A; index <= kSearch4C; ++index)
      if (settings_.searchField(index) != SearchValue::NotUsed && Selectivity(index) < best) {
        best = Selectivity(index);
        indexed_ = index;
      }
    for (int index = kSearch1A; index <= kSearch4C; ++index) {
      if (settings_.searchField(index) == SearchValue::NotUsed) continue;
      if (!query_.where.empty()) query_.where += " AND ";
      AddClause(index, settings_.searchField(index) == SearchValue::Tolerant);
    }
    if (query_.where.empty()) Sql("0");  // the settings never let it come to this
    return std::move(query_);
  }

 private:
  static constexpr int kNoIndex = 100;

  // How few rows a clause is expected to leave (lower is fewer). A site's
  // coordinates are shared by a few records, a frequency is reused at many
  // sites, names repeat, and a zone is a strip across all latitudes until
  // the latitude is tested; an empty value may be common.
  int Selectivity(int index) const {
    bool tolerant = settings_.searchField(index) == SearchValue::Tolerant;
    switch (index) {
      case kSearch4C:
        if (IsBlank(keys_.coordinates)) return 4;
        return tolerant ? 3 : 0;
      case kSearch1A: return keys_.frequency ? 1 : 4;
      case kSearch4A: return 2;
      case kSearch13Y: return 5;
      default: return 6;
    }
  }

  // A column of TABLE2 in the SQLite condition; only the chosen search
  // field's column is left to the index choice.
  std::string Column(const char* name, int searchIndex) const {
    return std::string(searchIndex == indexed_ ? "" : "+") + "\"" + name + "\"";
  }

  void Sql(const std::string& piece) { query_.where += piece; }
  void Bind(double value) { query_.binds.emplace_back(std::in_place_type<double>, value); }
  void Bind(const std::string& value) { query_.binds.emplace_back(std::in_place_type<std::string>, value); }

  void AddClause(int index, bool tolerant) {
    switch (index) {
      case kSearch1A: return Add1A(tolerant);
      case kSearch6A: return Add6A(tolerant);
      case kSearch4A: return AddText("4A", keys_.stationName, kSearch4A);
      case kSearch13Y: return Add13Y(tolerant);
      default: return Add4C(tolerant);
    }
  }

  void Add1A(bool tolerant) {
    std::string column = Column("1A", kSearch1A);
    if (!keys_.frequency) return Sql(column + " IS NULL");
    double written = AsWritten(PlainNumber(*keys_.frequency));
    if (!tolerant) {
      Sql(column + " = ?");
      query_.band = {written, written};
      return Bind(written);
    }
    Sql("(" + column + " >= ? AND " + column + " <= ?)");
    query_.band = {written - kFrequencyTolerance, written + kFrequencyTolerance};
    Bind(query_.band->first);
    Bind(query_.band->second);
  }

  void Add6A(bool tolerant) {
    if (!tolerant) return AddText("6A", keys_.stationClass, kSearch6A);
    // Compatibility: a class in neither group searches the fixed group.
    bool mobile = OccursIn(keys_.stationClass, kMobileClassList);
    Sql(Column("6A", kSearch6A) + " " + (mobile ? kMobileGroupSql : kFixedGroupSql));
  }

  void Add13Y(bool tolerant) {
    if (!tolerant) return AddText("13Y", keys_.status, kSearch13Y);
    Sql(Column("13Y", kSearch13Y) + " IN (?, 'A')");
    Bind(keys_.status);
  }

  void Add4C(bool tolerant) {
    if (keys_.coordinates.empty()) return Sql(Column("4C", kSearch4C) + " IS NULL");
    if (!tolerant) return AddText("4C", keys_.coordinates, kSearch4C);
    auto longitude = AddZoneAxis("4CLONG", kSearch4C, keys_.longitude);
    Sql(" AND ");
    auto latitude = AddZoneAxis("4CLAT", 0, keys_.latitude);
    if (longitude && latitude)
      query_.zone = ZoneBox{longitude->first, longitude->second, latitude->first, latitude->second};
  }

  // Returns the bounds bound, if any.
  std::optional<std::pair<double, double>> AddZoneAxis(const char* name, int searchIndex,
                                                       std::optional<double> centre) {
    std::string column = Column(name, searchIndex);
    if (!centre) {
      Sql(column + " IS NULL");
      return std::nullopt;
    }
    Sql(column + " > ? AND " + column + " < ?");
    std::pair bounds{AsWritten(LeadingBlankNumber(*centre - kZoneHalfWidth)),
                     AsWritten(LeadingBlankNumber(*centre + kZoneHalfWidth))};
    Bind(bounds.first);
    Bind(bounds.second);
    return bounds;
  }

  void AddText(const char* name, const std::string& value, int searchIndex) {
    Sql(Column(name, searchIndex) + " = ?");
    Bind(value);
  }

  const CandidateKeys& keys_;
  const CompareSettings& settings_;
  int indexed_ = 0;  // the search field whose column may use an index
  CandidateQuery query_;
};

}  // namespace

CandidateQuery BuildCandidateQuery(const CandidateKeys& keys, const CompareSettings& settings) {
  return QueryBuilder(keys, settings).Build();
}

}  // namespace twinscan
