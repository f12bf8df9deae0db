// Shared set-up of the export tests: a fresh database, rows put in directly
// or by importing records, and the writer run on them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "export/corrected_file.h"
#include "import/import_file.h"
#include "tests/support/test_support.h"

namespace twinscan::testing {

class ExportTest : public ::testing::Test {
 protected:
  ExportTest() : db_(CreateTestDatabase(dir_.path())) {}

  // One row of table with the given columns; the others stay Null.
  void InsertRow(const std::string& table, const std::vector<std::pair<std::string, store::Value>>& columns) {
    std::string names, places;
    for (const auto& [name, value] : columns) {
      names += (names.empty() ? "" : ", ") + store::QuoteName(name);
      places += places.empty() ? "?" : ", ?";
    }
    store::Statement insert =
        db_->Prepare("INSERT INTO " + store::QuoteName(table) + " (" + names + ") VALUES (" + places + ")");
    int place = 1;
    for (const auto& column : columns) insert.Bind(place++, column.second);
    insert.Step();
  }

  // Imports file into table; layout2001/header as the file's options.
  ImportResult Import(const std::filesystem::path& file, bool layout2001, bool header,
                      const std::string& table = store::kTable1) {
    ImportOptions options{header, layout2001, false, true};
    return ImportViennaFile(file, table, options, *db_, ui_);
  }

  // Writes the corrected file of table and returns its bytes.
  std::string Export(bool layout2001, const std::string& header = "", const std::string& table = store::kTable1) {
    std::filesystem::path out = dir_ / "out.txt_annex2bis.txt";
    CorrectedFileResult result = WriteCorrectedFile(out, table, layout2001, header, *db_, ui_);
    EXPECT_TRUE(result.written);
    return ReadFile(out);
  }

  TempDir dir_;
  std::unique_ptr<store::Database> db_;
  RecordingUserInterface ui_;
};

// A blank 219-character record with the two unit places "M".
inline std::string BlankExportRecord() {
  std::string r(219, ' ');
  r[11] = 'M';
  r[136] = 'M';
  return r;
}

}  // namespace twinscan::testing
