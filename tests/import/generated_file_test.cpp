// End to end: a generated file of a few thousand records, many of them
// faulty, goes through the whole import. Every message carries its
// terminator, the error flag follows from the messages, and the report lines
// tell the same story as the stored rows.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "import/import_file.h"
#include "store/database.h"
#include "tests/support/test_support.h"
#include "tools/vienna_generator.h"

namespace twinscan {
namespace {

// The warnings: every other message in ermsg is an error.
constexpr std::string_view kWarnings[] = {"6b wrong ;", "10z wrong value ;", "13y missing value;"};

struct ReportLine {
  std::string ermsg, annex2bis;
};

// " 12; ERRORS : ... ; ANNEX2BIS : ..." lines by record number; every byte must belong to one.
std::map<int, ReportLine> ParseReport(const std::string& report) {
  static const std::regex kLine(" ([0-9]+); ERRORS : ([^\r\n]*) ; ANNEX2BIS : ([^\r\n]*)\r\n");
  std::map<int, ReportLine> out;
  size_t parsed = 0;
  for (std::sregex_iterator m(report.begin(), report.end(), kLine), end; m != end; ++m) {
    EXPECT_EQ(static_cast<size_t>(m->position()), parsed) << "malformed report line at " << parsed;
    parsed = static_cast<size_t>(m->position() + m->length());
    EXPECT_TRUE(out.emplace(std::stoi((*m)[1]), ReportLine{(*m)[2], (*m)[3]}).second) << "two lines for " << (*m)[1];
  }
  EXPECT_EQ(parsed, report.size()) << "the report ends in a malformed line";
  return out;
}

// Faults of the emission to coordination fields, on top of the generator's.
const std::vector<std::vector<std::pair<std::string_view, std::string_view>>> kMoreFaults = {
    {{"9XH", ""}},
    {{"9XV", ""}, {"9B", "-05.0"}},
    {{"9A", "-10.0"}, {"9B", "-90.5"}},
    {{"9G", "AB.C"}, {"9XH", "000ND00"}},
    {{"1Y", "0045A.00000"}, {"1Y unit", " "}},
    {{"1Y", "450"}, {"1Y unit", "X"}},
    {{"2Z", "32012001"}},
    {{"13Y", " "}},
    {{"1Z", " "}, {"13Y", "P"}},
    {{"8B1", ""}, {"8B2", " "}, {"9Y", ""}},
    {{"7A", "16K0"}, {"9D", "R "}},
    {{"13X", "BEL50'AAAA0111X"}},
    {{"13X", "bel500001230111"}, {"4B", "XX"}},
    {{"1A", ""}, {"1A unit", " "}, {"1Y", ""}, {"1Y unit", " "}},
    {{"9G", "1.00"}, {"9A", "09.00"}, {"8B1", "00100."}},
};

TEST(GeneratedFile, EveryRowsMessagesAreWellFormedAndMatchTheReport) {
  constexpr int kRecords = 3000;
  std::vector<std::string> records =
      gen::GenerateRecords({.seed = 20241, .records = kRecords, .faultShare = 0.6, .unitFaults = true});
  for (size_t i = 0; i < records.size(); i += 3)
    for (const auto& [code, text] : kMoreFaults[(i / 3) % kMoreFaults.size()])
      records[i] = testing::WithField(records[i], code, text);

  testing::TempDir dir;
  auto db = testing::CreateTestDatabase(dir.path());
  testing::RecordingUserInterface ui;
  testing::WriteFile(dir / "generated.txt", gen::RenderFile(records, {}));
  ImportOptions options{
      .hasHeader = false, .vienna2001Format = false, .validationReport = true, .suppressCleanLines = true};
  ImportResult result = ImportViennaFile(dir / "generated.txt", store::kTable1, options, *db, ui);
  ASSERT_EQ(result.outcome, ImportOutcome::Done);
  ASSERT_EQ(result.records, kRecords);

  // One message box per unit place that holds k, K, G or g.
  size_t unitBoxes = 0;
  auto box = [](char unit) { return unit == 'k' || unit == 'K' || unit == 'G' || unit == 'g'; };
  for (const std::string& r : records) unitBoxes += box(r[11]) + box(r[136]);
  EXPECT_EQ(ui.messages.size(), unitBoxes);

  std::map<int, ReportLine> report = ParseReport(testing::ReadFile(ReportPathFor(dir / "generated.txt")));

  store::Statement rows = db->Prepare("SELECT linenumber, error, ermsg, annex2bis FROM TABLE1 ORDER BY linenumber");
  auto text = [&](int column) {
    return rows.ColumnStored(column) == store::Statement::Stored::Null
               ? std::string()
               : std::get<std::string>(rows.Column(column, store::ColumnKind::Text));
  };
  int expectedLine = 0, withMessages = 0, erroneous = 0;
  while (rows.Step()) {
    const int line = static_cast<int>(rows.ColumnInt(0));
    ASSERT_EQ(line, ++expectedLine);
    const bool error = rows.ColumnInt(1) != 0;
    const std::string ermsg = text(2), annex2bis = text(3);
    auto found = report.find(line);
    if (ermsg.empty() && annex2bis.empty()) {
      EXPECT_EQ(found, report.end()) << "clean record " << line << " reported";
      EXPECT_FALSE(error) << line;
      continue;
    }
    ++withMessages;
    erroneous += error;
    ASSERT_NE(found, report.end()) << "record " << line << " missing from the report";
    const ReportLine& full = found->second;
    // The columns hold the first 255 characters of the report's texts.
    EXPECT_EQ(ermsg, full.ermsg.substr(0, 255)) << line;
    EXPECT_EQ(annex2bis, full.annex2bis.substr(0, 255)) << line;
    for (const std::string& text : {full.ermsg, full.annex2bis})
      EXPECT_TRUE(text.empty() || text.back() == ';') << line << ": " << text;
    std::string errors = full.ermsg;
    for (std::string_view warning : kWarnings)
      for (size_t at; (at = errors.find(warning)) != std::string::npos;) errors.erase(at, warning.size());
    EXPECT_EQ(error, !errors.empty()) << "record " << line << ": " << full.ermsg;
  }
  EXPECT_EQ(expectedLine, kRecords);
  EXPECT_EQ(static_cast<int>(report.size()), withMessages);
  EXPECT_EQ(result.erroneous, erroneous);
  // The file really is full of faults of every kind.
  EXPECT_GT(erroneous, kRecords / 2);
  EXPECT_GT(withMessages - erroneous, 50);
  EXPECT_GT(unitBoxes, 50u);
}

}  // namespace
}  // namespace twinscan
