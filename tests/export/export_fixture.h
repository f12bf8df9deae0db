// Shared set-up of the export tests: a fresh database, rows put in directly
// or by importing records, and the writers run on them.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "export/corrected_file.h"
#include "export/results_csv.h"
#include "export/results_html.h"
#include "export/results_json.h"
#include "import/import_file.h"
#include "tests/support/results_formats.h"
#include "tests/support/test_support.h"

namespace twinscan::testing {

class ExportTest : public ::testing::Test {
 protected:
  ExportTest() : db_(CreateTestDatabase(dir_.path())) {}

  // One row of table with the given columns; the others stay Null.
  void InsertRow(const std::vector<std::pair<std::string, store::Value>>& columns, const char* table = "TABLE1") {
    std::string names, places;
    for (const auto& [name, value] : columns) {
      names += (names.empty() ? "" : ", ") + store::QuoteName(name);
      places += places.empty() ? "?" : ", ?";
    }
    store::Statement insert =
        db_->Prepare(std::string("INSERT INTO ") + table + " (" + names + ") VALUES (" + places + ")");
    int place = 1;
    for (const auto& column : columns) insert.Bind(place++, column.second);
    insert.Step();
  }

  // Imports file into TABLE1; layout2001/header as the file's options.
  ImportResult Import(const std::filesystem::path& file, bool layout2001, bool header) {
    return ImportViennaFile(file, store::kTable1, ImportOptions{header, layout2001, false, true}, *db_, ui_);
  }

  // Writes the corrected file of TABLE1 and returns its bytes.
  std::string Export(bool layout2001, const std::string& header = "") {
    std::filesystem::path out = dir_ / "out.txt_annex2bis.txt";
    EXPECT_TRUE(WriteCorrectedFile(out, store::kTable1, layout2001, header, *db_, ui_).written);
    return ReadFile(out);
  }

  TempDir dir_;
  std::unique_ptr<store::Database> db_;
  RecordingUserInterface ui_;
};

// A row of TABLERESULT; critical and noncritical are 1 or Null, as the
// compare run writes them; differences map a field code to "P <-> S".
struct ResultRow {
  int64_t line, line2;
  store::Value critical{}, noncritical{};
  std::map<std::string, std::string> differences{};
  store::Value acceptFirst{}, acceptSecond{}, remark{}, reference{};
};

class ResultsTest : public ExportTest {
 protected:
  void InsertRecord(const char* table, int64_t line, double frequency, const std::string& name,
                    const std::string& ermsg = "") {
    InsertRow({{"linenumber", line},
               {"1A", frequency},
               {"4A", name},
               {"4B", std::string("BEL")},
               {"13X", "REF" + std::to_string(line)},
               {"error", int64_t{ermsg.empty() ? 0 : 1}},
               {"ermsg", ermsg.empty() ? store::Value{} : ermsg}},
              table);
  }

  void InsertResult(const ResultRow& r) {
    std::vector<std::pair<std::string, store::Value>> columns = {
        {"linenumber", r.line},         {"linenumber2", r.line2},        {"critical", r.critical},
        {"noncritical", r.noncritical}, {"ACCEPTFIRST", r.acceptFirst},  {"ACCEPTSECOND", r.acceptSecond},
        {"REMARK", r.remark},           {"REFERENCE_TO_DB", r.reference}};
    for (const auto& [code, text] : r.differences) columns.emplace_back(code, text);
    InsertRow(columns, "TABLERESULT");
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
};

}  // namespace twinscan::testing
