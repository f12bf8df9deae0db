// File > Export Results...: the format from the dialog's filter, the grid's
// sort applied, the written path in the status text, failures in a box.
#include "ui/results_export.h"

#include <gtest/gtest.h>

#include "tests/support/results_formats.h"
#include "tests/ui/ui_test_support.h"

namespace twinscan::ui::testing {
namespace {

using twinscan::testing::ParseCsv;
using twinscan::testing::ReadFile;

TEST(ResultsExportFilter, TheDialogsFilterChoosesTheFormat) {
  EXPECT_EQ(FormatOfFilter(kCsvFilter), ResultsFormat::Csv);
  EXPECT_EQ(FormatOfFilter(kJsonFilter), ResultsFormat::Json);
  EXPECT_EQ(FormatOfFilter(kHtmlFilter), ResultsFormat::Html);
  EXPECT_EQ(FormatOfFilter("All files (*)"), ResultsFormat::Csv);
}

TEST_F(WindowTest, ExportsTheResultsInTheGridsSortAndShowsThePath) {
  EXPECT_NE(window_->findChild<QAction*>("M_EXPORTRESULTS"), nullptr);
  for (const char* line : {"3", "1", "2"}) Insert("TABLERESULT", {{"linenumber", line}, {"linenumber2", "9"}});
  window_->views().RefreshAll();
  ClickHeader(ViewId::Result, 0);  // sorts by linenumber
  ClickHeader(ViewId::Result, 0);  // ... descending
  std::filesystem::path file = dir_ / "results.csv";
  ExportResultsWithProgress(window_.get(), window_->database(), file,
                            RequestForView(window_->views().result(), store::ResultFilter::All, ResultsFormat::Csv),
                            *window_);
  auto rows = ParseCsv(ReadFile(file));
  ASSERT_TRUE(rows.has_value());
  ASSERT_EQ(rows->size(), 4u);
  EXPECT_EQ((*rows)[1][0], "3");
  EXPECT_EQ((*rows)[3][0], "1");
  EXPECT_EQ(Status(6), "Results written to " + file.string());

  ExportResultsWithProgress(window_.get(), window_->database(), dataDir() / "twinscan.db",
                            RequestForView(window_->views().result(), store::ResultFilter::All, ResultsFormat::Csv),
                            *window_);
  ASSERT_FALSE(prompter_.messages.empty());
  EXPECT_NE(prompter_.messages.back().find("is the working database"), std::string::npos);
  EXPECT_FALSE(window_->ended());
}

}  // namespace
}  // namespace twinscan::ui::testing
