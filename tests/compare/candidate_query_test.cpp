// The candidate search, through the rows its condition selects from TABLE2
// and the query plan of every combination of search fields.
#include "compare/candidate_query.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/compare/compare_rows.h"

namespace twinscan {
namespace {

using testing::InsertRecord;
using testing::SetSearchFields;
using Lines = std::vector<int64_t>;
using Search = std::array<uint8_t, 5>;  // 1A 6A 4A 13Y 4C: 0 not used, 1 exact, 2 tolerant

CandidateKeys ExampleKeys() { return {146.5, "ML", "L'ABBAYE", "C", "004E300051N3000", 4.5, 51.5}; }

CandidateKeys With(const std::function<void(CandidateKeys&)>& change) {
  CandidateKeys keys = ExampleKeys();
  change(keys);
  return keys;
}

class CandidateRows : public testing::CompareTest {
 protected:
  CandidateQuery Query(const CandidateKeys& keys, Search search) {
    CompareSettings settings;
    SetSearchFields(settings, search);
    return BuildCandidateQuery(keys, settings);
  }

  Lines Found(const CandidateKeys& keys, Search search) {
    CandidateQuery q = Query(keys, search);
    store::Statement s =
        db_->Prepare("SELECT linenumber FROM TABLE2 WHERE " + q.where + " ORDER BY " + kCandidateOrder);
    for (size_t i = 0; i < q.binds.size(); ++i) s.Bind(static_cast<int>(i) + 1, q.binds[i]);
    Lines lines;
    while (s.Step()) lines.push_back(s.ColumnInt(0));
    return lines;
  }
};

TEST_F(CandidateRows, FrequencyBandIsInclusiveAsWritten) {
  InsertRecord(*db_, "TABLE2", 1, {{"1A", 146.5 + 0.0001}});
  InsertRecord(*db_, "TABLE2", 2, {{"1A", 146.5 - 0.0001}});
  InsertRecord(*db_, "TABLE2", 3, {{"1A", 146.5002}});
  InsertRecord(*db_, "TABLE2", 4, {{"1A", 146.50005}});
  InsertRecord(*db_, "TABLE2", 5, {{"1A", std::monostate{}}});
  InsertRecord(*db_, "TABLE2", 6, {{"1A", 0.5}});
  EXPECT_EQ(Found(ExampleKeys(), {2, 0, 0, 0, 0}), (Lines{1, 2, 4}));
  EXPECT_EQ(Found(ExampleKeys(), {1, 0, 0, 0, 0}), Lines{});
  EXPECT_EQ(Found(With([](auto& k) { k.frequency = 0.5; }), {1, 0, 0, 0, 0}), Lines{6});
  // An empty 1A searches the rows without one.
  EXPECT_EQ(Found(With([](auto& k) { k.frequency.reset(); }), {1, 0, 0, 0, 0}), Lines{5});
  EXPECT_EQ(Found(With([](auto& k) { k.frequency.reset(); }), {2, 0, 0, 0, 0}), Lines{5});
}

TEST_F(CandidateRows, TextsMatchWithoutCaseButWithBlanks) {
  InsertRecord(*db_, "TABLE2", 1, {{"4A", std::string("l'abbaye")}});
  InsertRecord(*db_, "TABLE2", 2, {{"4A", std::string("L'ABBAYE ")}});
  InsertRecord(*db_, "TABLE2", 3, {{"4A", std::string("L'ABBAYE")}});
  InsertRecord(*db_, "TABLE2", 4, {{"4C", std::string("004E300051N300")}});
  EXPECT_EQ(Found(ExampleKeys(), {0, 0, 1, 0, 0}), (Lines{1, 3}));
  EXPECT_EQ(Found(ExampleKeys(), {0, 0, 0, 0, 1}), (Lines{1, 2, 3}));
}

TEST_F(CandidateRows, ZoneExcludesItsEdgesAsWrittenAndDoesNotWrap) {
  const double h = 59.0 / 3600.0;
  InsertRecord(*db_, "TABLE2", 1, {{"4CLONG", 4.5 + 58.0 / 3600}});
  InsertRecord(*db_, "TABLE2", 2, {{"4CLONG", 4.5 + 60.0 / 3600}});
  InsertRecord(*db_, "TABLE2", 3, {{"4CLAT", 51.5 - 58.0 / 3600}});
  InsertRecord(*db_, "TABLE2", 4, {{"4CLONG", 4.51638888888889}});  // the upper bound as written
  InsertRecord(*db_, "TABLE2", 5, {{"4CLAT", 51.5 - h}});           // on the edge, but written 51.4836111111111
  InsertRecord(*db_, "TABLE2", 6, {{"4CLONG", 0.005}, {"4CLAT", 50.0}});
  InsertRecord(*db_, "TABLE2", 7, {{"4CLONG", -1.0}, {"4CLAT", -1.0}});
  InsertRecord(*db_, "TABLE2", 8, {{"4CLONG", 4.5 + h}});  // on the edge, but written 4.51638888888889
  InsertRecord(*db_, "TABLE2", 9, {{"4CLONG", std::monostate{}}, {"4CLAT", std::monostate{}}});
  const struct {
    CandidateKeys keys;
    Lines found;
  } cases[] = {
      {ExampleKeys(), {1, 3, 5, 8}},
      {With([](auto& k) { k.longitude = 359.99, k.latitude = 50.0; }), {}},
      {With([](auto& k) { k.longitude = -1, k.latitude = -1; }), {7}},  // a malformed 4C
      {With([](auto& k) { k.longitude.reset(), k.latitude.reset(); }), {9}},
  };
  for (const auto& c : cases) EXPECT_EQ(Found(c.keys, {0, 0, 0, 0, 2}), c.found) << c.keys.longitude.value_or(-99);
  // The full run, which finds the rows inside a zone through its zone grid,
  // pairs the same ones.
  InsertRecord(*db_, "TABLE1", 1);
  SetSearchFields(settings_, {0, 0, 0, 0, 2});
  engine_.RunFull();
  EXPECT_EQ(Results("linenumber2"), (std::vector<std::string>{"1", "3", "5", "8"}));
}

TEST_F(CandidateRows, ClassGroupsStatusAndEmptyCoordinates) {
  InsertRecord(*db_, "TABLE2", 1, {{"6A", std::string("ms")}, {"13Y", std::string("A")}});
  InsertRecord(*db_, "TABLE2", 2, {{"6A", std::string("TD")}, {"13Y", std::string("B")}});
  InsertRecord(*db_, "TABLE2", 3, {{"6A", std::string("XX")}, {"13Y", std::string("c")}, {"4C", std::monostate{}}});
  const struct {
    const char* what;
    CandidateKeys keys;
    Search search;
    Lines found;
  } cases[] = {
      {"a mobile class", ExampleKeys(), {0, 2, 0, 0, 0}, {1}},
      {"two blanks are mobile", With([](auto& k) { k.stationClass = "  "; }), {0, 2, 0, 0, 0}, {1}},
      {"a fixed class", With([](auto& k) { k.stationClass = "FX"; }), {0, 2, 0, 0, 0}, {2}},
      {"lower case is fixed", With([](auto& k) { k.stationClass = "ms"; }), {0, 2, 0, 0, 0}, {2}},
      {"neither group is fixed", With([](auto& k) { k.stationClass = "XX"; }), {0, 2, 0, 0, 0}, {2}},
      {"own status or A", ExampleKeys(), {0, 0, 0, 2, 0}, {1, 3}},
      {"status A", With([](auto& k) { k.status = "A"; }), {0, 0, 0, 2, 0}, {1}},
      {"exact status", ExampleKeys(), {0, 0, 0, 1, 0}, {3}},
      {"empty 4C, zone", With([](auto& k) { k.coordinates = ""; }), {0, 0, 0, 0, 2}, {3}},
      {"empty 4C, exact", With([](auto& k) { k.coordinates = ""; }), {0, 0, 0, 0, 1}, {3}},
      {"two fields", ExampleKeys(), {1, 0, 0, 2, 0}, {1, 3}},
  };
  for (const auto& c : cases) EXPECT_EQ(Found(c.keys, c.search), c.found) << c.what;
}

TEST_F(CandidateRows, QuotesInAnyValueAreSearchedAsText) {
  InsertRecord(*db_, "TABLE2", 1, {{"6A", std::string("'")}, {"13Y", std::string("'")}});
  CandidateKeys keys = With([](auto& k) {
    k.stationClass = "'";
    k.status = "'";
    k.coordinates = "' OR 1=1 --";
  });
  EXPECT_EQ(Found(keys, {0, 1, 0, 1, 0}), Lines{1});
  EXPECT_EQ(Found(keys, {0, 0, 0, 0, 1}), Lines{});
}

// Every combination of search fields reads TABLE2 through an index.
TEST_F(CandidateRows, EverySearchUsesAnIndex) {
  for (int code = 1; code < 3 * 3 * 2 * 3 * 3; ++code) {
    Search search{uint8_t(code % 3), uint8_t(code / 3 % 3), uint8_t(code / 9 % 2), uint8_t(code / 18 % 3),
                  uint8_t(code / 54 % 3)};
    for (const CandidateKeys& keys : {ExampleKeys(), With([](auto& k) {
                                        k.frequency.reset();
                                        k.coordinates = "";
                                      })}) {
      CandidateQuery q = Query(keys, search);
      store::Statement plan = db_->Prepare("EXPLAIN QUERY PLAN SELECT rowid, * FROM TABLE2 WHERE " + q.where +
                                           " ORDER BY " + kCandidateOrder);
      std::string detail;
      while (plan.Step()) detail += std::get<std::string>(plan.Column(3, store::ColumnKind::Text)) + "; ";
      EXPECT_NE(detail.find("SEARCH TABLE2 USING INDEX"), std::string::npos) << q.where << "\n" << detail;
      EXPECT_EQ(detail.find("SCAN TABLE2"), std::string::npos) << q.where << "\n" << detail;
    }
  }
}

}  // namespace
}  // namespace twinscan
