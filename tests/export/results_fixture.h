// Shared set-up of the results-export tests: records and result rows put in
// directly, the writers run into a string.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "export/results_csv.h"
#include "export/results_html.h"
#include "export/results_json.h"
#include "tests/support/results_formats.h"
#include "tests/support/test_support.h"

namespace twinscan::testing {

struct ResultRow {
  ResultRow(int64_t l, int64_t l2, store::Value c = {}, store::Value n = {}, std::map<std::string, std::string> d = {},
            store::Value a1 = {}, store::Value a2 = {}, store::Value r = {}, store::Value ref = {})
      : line(l),
        line2(l2),
        critical(std::move(c)),
        noncritical(std::move(n)),
        differences(std::move(d)),
        acceptFirst(std::move(a1)),
        acceptSecond(std::move(a2)),
        remark(std::move(r)),
        reference(std::move(ref)) {}
  int64_t line, line2;
  store::Value critical, noncritical;              // 1 or Null, as the compare run writes them
  std::map<std::string, std::string> differences;  // field code -> "P <-> S"
  store::Value acceptFirst, acceptSecond, remark, reference;
};

class ResultsTest : public ::testing::Test {
 protected:
  ResultsTest() : db_(CreateTestDatabase(dir_.path())) {}

  void InsertRecord(const char* table, int64_t line, double frequency, const std::string& name,
                    const std::string& ermsg = "") {
    store::Statement s = db_->Prepare(std::string("INSERT INTO ") + table +
                                      " (linenumber, \"1A\", \"4A\", \"4B\", \"13X\", error, ermsg) "
                                      "VALUES (?, ?, ?, 'BEL', ?, ?, ?)");
    s.BindInt(1, line);
    s.BindDouble(2, frequency);
    s.BindText(3, name);
    s.BindText(4, "REF" + std::to_string(line));
    s.BindInt(5, ermsg.empty() ? 0 : 1);
    if (ermsg.empty())
      s.BindNull(6);
    else
      s.BindText(6, ermsg);
    s.Step();
  }

  void InsertResult(const ResultRow& r) {
    std::string columns =
                    "linenumber, linenumber2, critical, noncritical, ACCEPTFIRST, ACCEPTSECOND, REMARK, "
                    "REFERENCE_TO_DB",
                values = "?, ?, ?, ?, ?, ?, ?, ?";
    for (const auto& [code, text] : r.differences) {
      columns += ", " + store::QuoteName(code);
      values += ", ?";
    }
    store::Statement s = db_->Prepare("INSERT INTO TABLERESULT (" + columns + ") VALUES (" + values + ")");
    s.BindInt(1, r.line);
    s.BindInt(2, r.line2);
    s.Bind(3, r.critical);
    s.Bind(4, r.noncritical);
    s.Bind(5, r.acceptFirst);
    s.Bind(6, r.acceptSecond);
    s.Bind(7, r.remark);
    s.Bind(8, r.reference);
    int place = 9;
    for (const auto& [code, text] : r.differences) s.BindText(place++, text);
    s.Step();
  }

  // Runs a writer into a string.
  template <typename Writer, typename... Args>
  std::string Written(Writer writer, Args&&... args) {
    std::string out;
    writer(
        *db_, std::forward<Args>(args)..., [&](std::string_view bytes) { out.append(bytes); }, ResultsProgress{});
    return out;
  }

  std::vector<std::vector<std::string>> Csv(const ResultSelection& selection = {}) {
    auto rows = ParseCsv(Written(WriteResultsCsv, selection));
    EXPECT_TRUE(rows.has_value());
    return rows.value_or(std::vector<std::vector<std::string>>{});
  }

  TempDir dir_;
  std::unique_ptr<store::Database> db_;
};

}  // namespace twinscan::testing
