#include "compare/candidate_query.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/compare/compare_rows.h"
#include "tests/support/test_support.h"

namespace twinscan {
namespace {

using testing::InsertRecord;
using testing::SetSearchFields;

CandidateKeys ExampleKeys() { return {146.5, "ML", "L'ABBAYE", "C", "004E300051N3000", 4.5, 51.5}; }

std::string TextFor(const CandidateKeys& keys, std::array<uint8_t, 5> search) {
  CompareSettings settings;
  SetSearchFields(settings, search);
  return BuildCandidateQuery(keys, settings).text;
}

TEST(CandidateQueryText, StartSettingsMatchEveryFieldExactly) {
  EXPECT_EQ(TextFor(ExampleKeys(), {1, 1, 1, 1, 1}),
            "SELECT * FROM TABLE2 WHERE ([1A] = 146.5 AND [6A] = 'ML' AND [4A] = 'L''ABBAYE' AND [13Y] = 'C' AND "
            "[4C] = '004E300051N3000')");
}

TEST(CandidateQueryText, TolerantFrequencyClassAndZone) {
  EXPECT_EQ(TextFor(ExampleKeys(), {2, 2, 0, 1, 2}),
            std::string("SELECT * FROM TABLE2 WHERE (([1A] >= (146.5 - 0.0001) AND [1A] <= (146.5 + 0.0001)) AND ") +
                kMobileGroupClause +
                " AND [13Y] = 'C' AND [4CLONG] >  4.48361111111111 AND [4CLONG] <  4.51638888888889"
                " AND [4CLAT] > 51.4836111111111 AND [4CLAT] < 51.5163888888889)");
}

struct TextCase {
  const char* name;
  std::array<uint8_t, 5> search;
  CandidateKeys keys;
  const char* text;
};

class CandidateQueryCases : public ::testing::TestWithParam<TextCase> {};

TEST_P(CandidateQueryCases, WritesTheText) {
  const TextCase& c = GetParam();
  EXPECT_EQ(TextFor(c.keys, c.search), std::string("SELECT * FROM TABLE2 WHERE (") + c.text + ")");
}

CandidateKeys With(std::function<void(CandidateKeys&)> change) {
  CandidateKeys keys = ExampleKeys();
  change(keys);
  return keys;
}

INSTANTIATE_TEST_SUITE_P(
    Edges, CandidateQueryCases,
    ::testing::Values(
        TextCase{"EmptyCoordinates", {0, 0, 0, 0, 2}, With([](auto& k) { k.coordinates = ""; }), "[4C] is null"},
        TextCase{"CoordinatesUntrimmed",
                 {0, 0, 0, 0, 1},
                 With([](auto& k) { k.coordinates = "004E3000 1N3000 "; }),
                 "[4C] = '004E3000 1N3000 '"},
        TextCase{"MalformedCoordinatesZone",
                 {0, 0, 0, 0, 2},
                 With([](auto& k) {
                   k.longitude = -1;
                   k.latitude = -1;
                 }),
                 "[4CLONG] > -1.01638888888889 AND [4CLONG] < -.983611111111111 AND [4CLAT] >-1.01638888888889"
                 " AND [4CLAT] <-.983611111111111"},
        TextCase{"MissingPositionSearchesMissing",
                 {0, 0, 0, 0, 2},
                 With([](auto& k) {
                   k.longitude.reset();
                   k.latitude.reset();
                 }),
                 "[4CLONG] is null AND [4CLAT] is null"},
        TextCase{"MobileGroup", {0, 2, 0, 0, 0}, With([](auto& k) { k.stationClass = "MS"; }), kMobileGroupClause},
        TextCase{
            "TwoBlanksAreMobile", {0, 2, 0, 0, 0}, With([](auto& k) { k.stationClass = "  "; }), kMobileGroupClause},
        TextCase{
            "LowerCaseIsNotMobile", {0, 2, 0, 0, 0}, With([](auto& k) { k.stationClass = "ms"; }), kFixedGroupClause},
        TextCase{"FixedGroup", {0, 2, 0, 0, 0}, With([](auto& k) { k.stationClass = "FX"; }), kFixedGroupClause},
        TextCase{
            "NeitherGroupIsFixed", {0, 2, 0, 0, 0}, With([](auto& k) { k.stationClass = "XX"; }), kFixedGroupClause},
        TextCase{"StatusAOrOwn", {0, 0, 0, 2, 0}, ExampleKeys(), "([13Y] = 'C' OR [13Y] = 'A')"},
        TextCase{
            "StatusAItself", {0, 0, 0, 2, 0}, With([](auto& k) { k.status = "A"; }), "([13Y] = 'A' OR [13Y] = 'A')"},
        TextCase{
            "NameQuoteDoubled", {0, 0, 1, 0, 0}, With([](auto& k) { k.stationName = "O'NEIL"; }), "[4A] = 'O''NEIL'"},
        // Every text value has its quotes doubled, not only 4A's.
        TextCase{"ClassQuoteDoubled", {0, 1, 0, 0, 0}, With([](auto& k) { k.stationClass = "M'"; }), "[6A] = 'M'''"},
        TextCase{"StatusQuoteDoubled",
                 {0, 0, 0, 2, 0},
                 With([](auto& k) { k.status = "'"; }),
                 "([13Y] = '''' OR [13Y] = 'A')"},
        TextCase{"CoordinatesQuoteDoubled",
                 {0, 0, 0, 0, 1},
                 With([](auto& k) { k.coordinates = "004E'00"; }),
                 "[4C] = '004E''00'"},
        // An empty 1A no longer breaks the statement.
        TextCase{"EmptyFrequency", {2, 0, 0, 0, 0}, With([](auto& k) { k.frequency.reset(); }), "[1A] is null"},
        TextCase{"FrequencyPlainForm", {1, 0, 0, 0, 0}, With([](auto& k) { k.frequency = 0.5; }), "[1A] = 0.5"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// The SQLite condition selects what the text says.
class CandidateRows : public ::testing::Test {
 protected:
  void SetUp() override { db_ = testing::CreateTestDatabase(dir_.path()); }

  std::vector<int64_t> Found(const CandidateKeys& keys, std::array<uint8_t, 5> search) {
    CompareSettings settings;
    SetSearchFields(settings, search);
    CandidateQuery q = BuildCandidateQuery(keys, settings);
    store::Statement s =
        db_->Prepare("SELECT linenumber FROM TABLE2 WHERE " + q.where + " ORDER BY " + kCandidateOrder);
    for (size_t i = 0; i < q.binds.size(); ++i) s.Bind(static_cast<int>(i) + 1, q.binds[i]);
    std::vector<int64_t> lines;
    while (s.Step()) lines.push_back(s.ColumnInt(0));
    return lines;
  }

  testing::TempDir dir_;
  std::unique_ptr<store::Database> db_;
};

using Lines = std::vector<int64_t>;

TEST_F(CandidateRows, FrequencyBandIsInclusiveAsWritten) {
  InsertRecord(*db_, "TABLE2", 1, {{"1A", 146.5 + 0.0001}});
  InsertRecord(*db_, "TABLE2", 2, {{"1A", 146.5 - 0.0001}});
  InsertRecord(*db_, "TABLE2", 3, {{"1A", 146.5002}});
  InsertRecord(*db_, "TABLE2", 4, {{"1A", 146.50005}});
  InsertRecord(*db_, "TABLE2", 5, {{"1A", std::monostate{}}});
  EXPECT_EQ(Found(ExampleKeys(), {2, 0, 0, 0, 0}), (Lines{1, 2, 4}));
  EXPECT_EQ(Found(ExampleKeys(), {1, 0, 0, 0, 0}), Lines{});
  EXPECT_EQ(Found(With([](auto& k) { k.frequency.reset(); }), {1, 0, 0, 0, 0}), Lines{5});
}

TEST_F(CandidateRows, TextsMatchWithoutCaseButWithBlanks) {
  InsertRecord(*db_, "TABLE2", 1, {{"4A", std::string("l'abbaye")}});
  InsertRecord(*db_, "TABLE2", 2, {{"4A", std::string("L'ABBAYE ")}});
  InsertRecord(*db_, "TABLE2", 3, {{"4A", std::string("L'ABBAYE")}});
  InsertRecord(*db_, "TABLE2", 4, {{"4C", std::string("004E300051N300")}});
  EXPECT_EQ(Found(ExampleKeys(), {0, 0, 1, 0, 0}), (Lines{1, 3}));
  EXPECT_EQ(Found(ExampleKeys(), {0, 0, 0, 0, 1}), (Lines{1, 2, 3}));
}

TEST_F(CandidateRows, ZoneExcludesItsEdgesAndDoesNotWrap) {
  const double h = 59.0 / 3600.0;
  InsertRecord(*db_, "TABLE2", 1, {{"4CLONG", 4.5 + 58.0 / 3600}});
  InsertRecord(*db_, "TABLE2", 2, {{"4CLONG", 4.5 + 60.0 / 3600}});
  InsertRecord(*db_, "TABLE2", 3, {{"4CLAT", 51.5 - 58.0 / 3600}});
  InsertRecord(*db_, "TABLE2", 4, {{"4CLONG", 4.51638888888889}});  // the upper bound as written
  InsertRecord(*db_, "TABLE2", 5, {{"4CLAT", 51.5 - h}});           // on the edge, but the text writes 51.4836111111111
  InsertRecord(*db_, "TABLE2", 6, {{"4CLONG", 0.005}, {"4CLAT", 50.0}});
  InsertRecord(*db_, "TABLE2", 7, {{"4CLONG", -1.0}, {"4CLAT", -1.0}});
  EXPECT_EQ(Found(ExampleKeys(), {0, 0, 0, 0, 2}), (Lines{1, 3, 5}));
  EXPECT_EQ(Found(With([](auto& k) {
                    k.longitude = 359.99;
                    k.latitude = 50.0;
                  }),
                  {0, 0, 0, 0, 2}),
            Lines{});
  EXPECT_EQ(Found(With([](auto& k) {
                    k.longitude = -1;
                    k.latitude = -1;
                  }),
                  {0, 0, 0, 0, 2}),
            Lines{7});
}

TEST_F(CandidateRows, GroupsStatusAndNullCoordinates) {
  InsertRecord(*db_, "TABLE2", 1, {{"6A", std::string("ms")}, {"13Y", std::string("A")}});
  InsertRecord(*db_, "TABLE2", 2, {{"6A", std::string("TD")}, {"13Y", std::string("B")}});
  InsertRecord(*db_, "TABLE2", 3, {{"6A", std::string("XX")}, {"13Y", std::string("c")}, {"4C", std::monostate{}}});
  EXPECT_EQ(Found(ExampleKeys(), {0, 2, 0, 0, 0}), Lines{1});
  EXPECT_EQ(Found(With([](auto& k) { k.stationClass = "FX"; }), {0, 2, 0, 0, 0}), Lines{2});
  EXPECT_EQ(Found(ExampleKeys(), {0, 0, 0, 2, 0}), (Lines{1, 3}));
  EXPECT_EQ(Found(With([](auto& k) { k.coordinates = ""; }), {0, 0, 0, 0, 2}), Lines{3});
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
    std::array<uint8_t, 5> search{uint8_t(code % 3), uint8_t(code / 3 % 3), uint8_t(code / 9 % 2),
                                  uint8_t(code / 18 % 3), uint8_t(code / 54 % 3)};
    for (const CandidateKeys& keys : {ExampleKeys(), With([](auto& k) {
                                        k.frequency.reset();
                                        k.coordinates = "";
                                      })}) {
      CompareSettings settings;
      SetSearchFields(settings, search);
      CandidateQuery q = BuildCandidateQuery(keys, settings);
      store::Statement plan = db_->Prepare("EXPLAIN QUERY PLAN SELECT rowid, * FROM TABLE2 WHERE " + q.where +
                                           " ORDER BY " + kCandidateOrder);
      std::string detail;
      while (plan.Step()) detail += std::get<std::string>(plan.Column(3, store::ColumnKind::Text)) + "; ";
      EXPECT_NE(detail.find("SEARCH TABLE2 USING INDEX"), std::string::npos) << q.text << "\n" << detail;
      EXPECT_EQ(detail.find("SCAN TABLE2"), std::string::npos) << q.text << "\n" << detail;
    }
  }
}

}  // namespace
}  // namespace twinscan
