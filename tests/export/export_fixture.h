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

  // One row of TABLE1 with the given columns; the others stay Null.
  void InsertRow(const std::vector<std::pair<std::string, store::Value>>& columns) {
    std::string names, places;
    for (const auto& [name, value] : columns) {
      names += (names.empty() ? "" : ", ") + store::QuoteName(name);
      places += places.empty() ? "?" : ", ?";
    }
    store::Statement insert = db_->Prepare("INSERT INTO TABLE1 (" + names + ") VALUES (" + places + ")");
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
    CorrectedFileResult result = WriteCorrectedFile(out, store::kTable1, layout2001, header, *db_, ui_);
    EXPECT_TRUE(result.written);
    return ReadFile(out);
  }

  TempDir dir_;
  std::unique_ptr<store::Database> db_;
  RecordingUserInterface ui_;
};

}  // namespace twinscan::testing
