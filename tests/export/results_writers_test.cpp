#include <gtest/gtest.h>

#include <sstream>

#include "export/results_text.h"
#include "tests/export/export_fixture.h"

namespace twinscan::testing {
namespace {

using store::Value;

// The scalars at space-separated paths ("pairs.0.ff.1A"), each followed by '|'.
std::string Scalars(const Json& root, const std::string& paths) {
  std::istringstream in(paths);
  std::string out;
  for (std::string path; in >> path; out += "|") {
    const Json* j = &root;
    std::istringstream steps(path);
    for (std::string key; std::getline(steps, key, '.');)
      j = key.find_first_not_of("0123456789") == std::string::npos ? &(*j)[std::stoul(key)] : &(*j)[key];
    std::ostringstream number;
    if (std::holds_alternative<double>(j->v)) number << j->Number();
    out += j->IsNull()                                 ? "null"
           : std::holds_alternative<bool>(j->v)        ? (j->Bool() ? "true" : "false")
           : std::holds_alternative<std::string>(j->v) ? j->String()
                                                       : number.str();
  }
  return out;
}

// Column positions in the CSV.
constexpr size_t kCritical = 2, kNonCritical = 3, kFf4A = 5, kSf1A = 8, kDiff1A = 12, kDiff13Z = 12 + 23;
constexpr size_t kAcceptFirst = 40, kAcceptSecond = 41, kRemark = 42, kReference = 43;

// Text that is not UTF-8 (Latin-1 from older files) is written byte by byte
// as Latin-1; valid UTF-8 stays as it is, up to the end of the cell.
TEST(ResultsText, TextIsWrittenAsUtf8) {
  const std::string buffer = "a\xC3\x80";  // the cell ends before the second byte of a sequence
  const std::pair<std::string_view, std::string> cases[] = {
      {"plain", "plain"},
      {"caf\xE9", "caf\xC3\xA9"},
      {std::string_view(buffer).substr(0, 2), "a\xC3\x83"},
      {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xC2\x80"},              // a surrogate
      {"\xF5\x80\x80\x80", "\xC3\xB5\xC2\x80\xC2\x80\xC2\x80"},  // no such lead byte
      {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
  };
  for (const auto& [text, written] : cases) {
    std::string out;
    AppendUtf8(out, text);
    EXPECT_EQ(out, written) << text;
  }
}

// The header, CRLF line ends, marks and decisions; a missing record leaves
// its fields empty, and data is written as stored.
TEST_F(ResultsTest, CsvHeaderMarksAndDecisions) {
  InsertRecord("TABLE1", 2, 1e-05, "=NOT A FORMULA");
  InsertResult({1, 7, 1, {}, {{"1A", "146.5 <-> 146.6"}}, {}, {}, {}, {}});  // undecided
  InsertResult({2, 1, {}, 1, {}, 0, 1, "", ""});
  std::string text = Written(WriteResultsCsv, ResultSelection{});
  EXPECT_EQ(text.substr(0, text.find("\r\n")),
            "linenumber,linenumber2,critical,noncritical,ff_1A,ff_4A,ff_4B,ff_13X,sf_1A,sf_4A,sf_4B,sf_13X,"
            "1A,1Z,6A,6B,6Z,10Z,2C,4A,4B,4C,4D,4Z,7A,8B1,8B2,9A,9B,9D,9G,9Y,9XH,9XV,1Y,13Z,13Y,2W,2Z,13X,"
            "ACCEPTFIRST,ACCEPTSECOND,REMARK,REFERENCE_TO_DB");
  EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
  std::vector<std::vector<std::string>> rows = Csv();
  ASSERT_EQ(rows.size(), 3u);
  auto cells = [&](size_t i) {
    const std::vector<std::string>& r = rows[i];
    EXPECT_EQ(r.size(), 44u);
    return std::vector<std::string>{r[0], r[kCritical], r[kNonCritical], r[kDiff1A], r[kAcceptFirst], r[kAcceptSecond],
                                    r[4], r[kFf4A],     r[kSf1A]};
  };
  EXPECT_EQ(cells(1), (std::vector<std::string>{"1", "true", "false", "146.5 <-> 146.6", "", "", "", "", ""}));
  EXPECT_EQ(cells(2),
            (std::vector<std::string>{"2", "false", "true", "", "false", "true", "1e-05", "=NOT A FORMULA", ""}));
}

TEST_F(ResultsTest, CsvQuotesWhatMustBeQuotedAndGuardsTypedFormulas) {
  struct Case {
    const char* what;
    std::string stored;
    std::string remarkCell, dataCell;  // as read back from the CSV
  };
  const Case cases[] = {
      {"comma", "A,B", "A,B", "A,B"},
      {"line end", "one\r\ntwo\nthree", "one\r\ntwo\nthree", "one\r\ntwo\nthree"},
      {"equals", "=SUM(A1:A9)", "'=SUM(A1:A9)", "=SUM(A1:A9)"},
      {"minus", "-2,5", "'-2,5", "-2,5"},
      {"invalid UTF-8 byte", "caf\xE9", "caf\xC3\xA9", "caf\xC3\xA9"},
  };
  int64_t line = 1;
  for (const Case& c : cases) InsertResult({line++, 1, {}, {}, {{"13Z", c.stored}}, 1, 0, c.stored, c.stored});
  std::vector<std::vector<std::string>> rows = Csv();
  ASSERT_EQ(rows.size(), std::size(cases) + 1);
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].what);
    ASSERT_EQ(rows[i + 1].size(), 44u);
    EXPECT_EQ(rows[i + 1][kRemark], cases[i].remarkCell);
    EXPECT_EQ(rows[i + 1][kReference], cases[i].remarkCell);
    EXPECT_EQ(rows[i + 1][kDiff13Z], cases[i].dataCell);
  }
}

// The records are found by linenumber whatever their rowids: straight by
// rowid when every linenumber is its rowid, else through the index, which
// also yields every record of a repeated linenumber.
TEST_F(ResultsTest, RecordsAreFoundByLinenumberWhateverTheirRowids) {
  struct Case {
    const char* name;
    std::vector<int64_t> lines;      // TABLE1's linenumbers in rowid order; -1 is Null
    std::vector<std::string> found;  // ff_4A of the pairs with primary 1 and 2
  };
  const Case cases[] = {
      {"linenumber is rowid", {1, 2}, {"R1", "R2"}},
      {"repeated", {1, 2, 2}, {"R1", "R2", "R2"}},
      {"null linenumber at rowid 1", {-1, 2}, {"", "R2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    db_->Execute("DELETE FROM TABLE1");
    db_->Execute("DELETE FROM TABLERESULT");
    int64_t rowid = 1;
    for (int64_t line : c.lines)
      InsertRow({{"rowid", rowid++},
                 {"linenumber", line < 0 ? Value{} : Value{line}},
                 {"4A", "R" + std::to_string(line < 0 ? 1 : line)}});
    InsertResult({1, 1});
    InsertResult({2, 1, {}, {}, {{"1A", "1 <-> 2"}, {"13X", "A <-> B"}}});
    std::vector<std::string> found;
    std::vector<std::vector<std::string>> rows = Csv();
    for (size_t i = 1; i < rows.size(); ++i) found.push_back(rows[i][kFf4A]);
    EXPECT_EQ(found, c.found);
    EXPECT_EQ(rows.back()[kDiff1A], "1 <-> 2");
    EXPECT_EQ(rows.back()[kDiff1A + 27], "A <-> B");
    EXPECT_EQ(rows[1][kDiff1A + 27], "");
  }
}

TEST_F(ResultsTest, ProgressCountsRowsAndCanStopTheWriter) {
  for (int64_t line = 1; line <= 2 * kResultsProgressEvery + 5; ++line) InsertResult({line, 1});
  std::vector<std::pair<int64_t, int64_t>> calls;
  std::string out;
  ResultsWritten all = WriteResultsCsv(
      *db_, {}, [&](std::string_view b) { out.append(b); },
      [&](int64_t written, int64_t total) {
        calls.emplace_back(written, total);
        return true;
      });
  EXPECT_FALSE(all.cancelled);
  EXPECT_EQ(all.rows, 2 * kResultsProgressEvery + 5);
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.front(), std::make_pair(kResultsProgressEvery, all.rows));
  EXPECT_EQ(calls.back(), std::make_pair(all.rows, all.rows));
  ResultsWritten stopped = WriteResultsJson(
      *db_, {}, [](std::string_view) {}, [](int64_t, int64_t) { return false; });
  EXPECT_TRUE(stopped.cancelled);
  EXPECT_EQ(stopped.rows, kResultsProgressEvery);
}

TEST_F(ResultsTest, JsonIsValidWithTypedValues) {
  EXPECT_TRUE((*JsonParser::Parse(Written(WriteResultsJson, ResultSelection{})))["pairs"].Array().empty());
  InsertRecord("TABLE1", 1, 146.5, "Gen\xC3\xA8ve \"N\"\\");
  InsertRecord("TABLE2", 3, 146.6, "CTRL\x01\t");
  InsertResult({1, 3, 1, {}, {{"1A", "146.5 <-> 146.6"}}, 1, 0, "line\nend", {}});
  InsertResult({2, 4});
  std::optional<Json> json = JsonParser::Parse(Written(WriteResultsJson, ResultSelection{}));
  ASSERT_TRUE(json.has_value());
  // No import nor run was recorded; the second pair has no primary record.
  EXPECT_EQ(Scalars(*json,
                    "files.0.records files.0.name settings summary.pairs summary.critical summary.without-differences "
                    "summary.decided summary.without-candidate pairs.0.linenumber pairs.0.critical pairs.0.noncritical "
                    "pairs.0.ff.1A pairs.0.ff.4A pairs.0.sf.4A pairs.0.differences.1A pairs.0.ACCEPTFIRST "
                    "pairs.0.ACCEPTSECOND pairs.0.REMARK pairs.0.REFERENCE_TO_DB pairs.1.ff.1A pairs.1.ACCEPTFIRST "
                    "pairs.1.critical"),
            "1|null|null|2|1|1|1|null|1|true|false|146.5|Gen\xC3\xA8ve \"N\"\\|CTRL\x01\t|146.5 <-> 146.6|true|false|"
            "line\nend|null|null|null|false|");
  EXPECT_EQ((*json)["pairs"][0]["differences"].Object().size(), 1u);
}

// The run's settings reach the JSON; an import forgets the run and records its file.
TEST_F(ResultsTest, RunInfoAndImportsReachTheJson) {
  store::RunInfo run{"2024-05-01 10:00:00", "full", std::string(28, '1'), "12010", true, false};
  run.modes[0] = '2';
  store::RunInfoWriter(*db_, run).WithoutCandidate(6);
  store::StoreImportInfo(*db_, {"sf", "/data/in/secondary.txt", "2024-05-01 09:00:00", 51, 5});
  store::RunInfoWriter(*db_, run).WithoutCandidate(4);
  std::optional<Json> json = JsonParser::Parse(Written(WriteResultsJson, ResultSelection{}));
  ASSERT_TRUE(json.has_value());
  EXPECT_EQ(Scalars(*json,
                    "settings.made settings.mode.1A settings.mode.13X settings.search.6A settings.search.4A "
                    "summary.without-candidate files.1.name files.1.imported"),
            "2024-05-01 10:00:00|2|1|2|0|1|secondary.txt|2024-05-01 09:00:00|");
  EXPECT_EQ((*json)["settings"]["compare-erroneous"].Array().size(), 1u);
}

class HtmlReport : public ResultsTest {
 protected:
  std::string Report(int64_t limit, const ResultSelection& selection = {}) {
    return Written(WriteResultsHtml, selection, HtmlReportOptions{limit, "all", "2024-05-01 12:00:00"});
  }
  static std::string Missing(const std::string& html, std::initializer_list<std::string_view> parts) {
    std::string out;
    for (std::string_view part : parts)
      if (html.find(part) == std::string::npos) out.append(part).append("\n");
    return out;
  }
};

TEST_F(HtmlReport, EscapesEveryDataTextAndIsWellFormed) {
  InsertRecord("TABLE1", 1, 146.5, "<b>BOLD</b> & \"Q\"", "4a <script>x</script> ;1z 'quoted' ;");
  InsertRecord("TABLE2", 2, 146.5, "O'BRIEN");
  InsertResult({1, 2, 1, {}, {{"4A", "<b>BOLD</b> <-> O'BRIEN"}}, 1, 0, "<script>alert(1)</script>", "a&b"});
  std::string html = Report(10);
  EXPECT_EQ(HtmlStructureFault(html), "");
  EXPECT_EQ(Missing(html, {"&lt;script&gt;alert(1)&lt;/script&gt;", "a&amp;b", "O&#39;BRIEN",
                           "4a &lt;script&gt;x&lt;/script&gt;"}),
            "");
  for (const char* absent : {"<script", "<b>BOLD", "src=", "href=", "url(", "@import", "http"})  // self-contained
    EXPECT_EQ(html.find(absent), std::string::npos) << absent;
}

TEST_F(HtmlReport, TheLimitCutsThePairTableAndSaysHowManyMore) {
  for (int64_t line = 1; line <= 7; ++line) InsertResult({line, 1, {}, {}, {}, {}, {}, "pair" + std::to_string(line)});
  const std::pair<int, const char*> cases[] = {
      {5, "2 more pairs are not shown"}, {7, ""}, {0, "7 more pairs are not shown"}};
  for (const auto& [limit, more] : cases) {
    std::string html = Report(limit);
    EXPECT_EQ(HtmlStructureFault(html), "");
    for (int line = 1; line <= 7; ++line)
      EXPECT_EQ(html.find("<td>pair" + std::to_string(line) + "</td>") != std::string::npos, line <= limit) << limit;
    EXPECT_EQ(html.find("more pairs are not shown") != std::string::npos, *more != '\0') << limit;
    EXPECT_NE(html.find(more), std::string::npos) << limit;
  }
  EXPECT_EQ(Csv().size(), 8u);  // CSV and JSON are never limited
}

}  // namespace
}  // namespace twinscan::testing
