// End to end: a generated file of a few thousand records, many of them
// faulty, goes through the whole import. Every record's texts must split
// exactly into messages the field checks know (so each message carries its
// terminator and stands in the right text), the error flag must follow from
// them, and the report lines must tell the same story as the stored rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "import/import_file.h"
#include "store/database.h"
#include "tests/support/test_support.h"
#include "tools/vienna_generator.h"

namespace twinscan {
namespace {

// The messages of a text, each followed by "|".
std::vector<std::string_view> Messages(std::string_view list) {
  std::vector<std::string_view> out;
  for (size_t end; (end = list.find('|')) != std::string_view::npos; list.remove_prefix(end + 1))
    out.push_back(list.substr(0, end));
  return out;
}

// Every message of the field checks, by the text it goes to.
const std::vector<std::string_view> kErrors = Messages(
    "1a not posnum ;|1a no explicit dec. point on place 6 ;|error in 1a ;|1a wrong unit ;|"
    "no unit in 1a when unit is required ;|1z wrong value ;|6a not alphanum ;|6a empty ;|6a not left justified ;|"
    "6a wrong value ;|6b not alphanum ;|6b not left justified ;|6z not left justified ;|6z wrong value ;|"
    "error in 10z ;|2c wrong value day ;|2c wrong value month;|2c wrong value year;|2c wrong value ;|"
    "4a not alphanum ;|4a not left justified ;|4b not alphanum ;|4b not left justified ;|4b wrong value ;|"
    "4c wrong format ;|4c is not empty and 4a is INTR ;|4c wrong longdeg ;|4c error in longdeg ;|"
    "4c wrong longmin ;|4c error in longmin ;|4c wrong longsec ;|4c error in longsec ;|4c wrong latdeg ;|"
    "4c error in latdeg ;|4c wrong latmin ;|4c error in latmin ;|4c wrong latsec ;|4c error in latsec ;|"
    "error in 4d ;|4d can not be 0 when 6A mobile ;|error in 4z ;|4z wrong format ;|4z altitude for Mobile ;|"
    "7a not alphanum ;|7a not left justified ;|7a wrong format ;|error in 8b1 ;|"
    "8b1 no explicit dec. point on place 5 ;|8b1 not empty but 1a empty ;|8b2 wrong value ;|9a not posnum ;|"
    "error in 9a ;|9a no explicit dec. point on place 4 ;|9a not empty for mobile ;|9a out of range ;|"
    "error in 9b ;|9b no explicit dec. point on place 4 ;|9b out of range ;|9d not alphanum ;|"
    "9d not left justified ;|9d wrong value ;|9g not posnum ;|error in 9g ;|9g no explicit dec. point on place 3 ;|"
    "9y wrong format ;|error in 9y ;|9xh not alphanum ;|9xh wrong format ;|9xv not alphanum ;|9xv wrong format ;|"
    "1y not posnum ;|1y no explicit dec. point on place 6 ;|error in 1y ;|1a & 1y both empty ;|"
    "no unit in 1y when unit is required ;|1y wrong unit ;|13z not alphanum ;|13y not alphanum ;|13y wrong value;|"
    "2w wrong value day ;|2w wrong value month;|2w wrong value year;|2w wrong value ;|2z wrong value day ;|"
    "2z wrong value month;|2z wrong value year;|2z wrong value ;|13x not alphanum ;|13x wrong format ;|");
const std::vector<std::string_view> kWarnings = Messages("6b wrong ;|10z wrong value ;|13y missing value;|");
const std::vector<std::string_view> kCorrectionsAndRemarks = Messages(
    "1z corrected ;|6b corrected ;|6z corrected ;|4a -> INTR because 4c empty ;|4c longsec -> 00 ;|"
    "4c latsec -> 00 ;|4d -> 1 ;|4d -> 0 ;|7a adapted 5th char ;|7a adapted 6th char ;|7a adapted 7th char ;|"
    "8b1 -> 0 ;|8b2 -> E ;|9d -> V ;|9y -> 1 ;|9xh -> 000ND00 ;|9xh = 000ND00 when 9a and 9g not empty ;|"
    "9xv -> 000ND00 ;|9xv can not be 000ND00 when 9b not empty ;|13y -> A ;|1z corrected -> P by f13y ;|"
    "13x reconstructed ;|");

// Splits text into known messages; false when it does not split exactly.
// Tries every message that fits at each point, so no prefix can mislead it.
bool Split(std::string_view text, const std::vector<const std::vector<std::string_view>*>& known,
           std::vector<std::string_view>* out) {
  if (text.empty()) return true;
  for (const auto* list : known) {
    for (std::string_view message : *list) {
      if (text.substr(0, message.size()) != message) continue;
      out->push_back(message);
      if (Split(text.substr(message.size()), known, out)) return true;
      out->pop_back();
    }
  }
  return false;
}

struct ReportLine {
  std::string ermsg, annex2bis;
};

// " 12; ERRORS : ... ; ANNEX2BIS : ..." lines, by record number.
std::map<int, ReportLine> ParseReport(const std::string& report, int* lines) {
  std::map<int, ReportLine> out;
  size_t at = 0;
  for (size_t end; (end = report.find("\r\n", at)) != std::string::npos; at = end + 2) {
    std::string line = report.substr(at, end - at);
    ++*lines;
    size_t errors = line.find("; ERRORS : ");
    size_t annex = line.find(" ; ANNEX2BIS : ");
    if (line.empty() || line[0] != ' ' || errors == std::string::npos || annex == std::string::npos) {
      ADD_FAILURE() << "malformed report line: " << line;
      continue;
    }
    int number = std::stoi(line.substr(1, errors - 1));
    EXPECT_EQ(out.count(number), 0u) << "two lines for record " << number;
    out[number] = {line.substr(errors + 11, annex - errors - 11), line.substr(annex + 15)};
  }
  EXPECT_EQ(at, report.size()) << "the report does not end with a line end";
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

  int reportLines = 0;
  std::map<int, ReportLine> report = ParseReport(testing::ReadFile(ReportPathFor(dir / "generated.txt")), &reportLines);

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

    std::vector<std::string_view> errorsAndWarnings, corrections;
    ASSERT_TRUE(Split(full.ermsg, {&kErrors, &kWarnings}, &errorsAndWarnings))
        << "record " << line << " ermsg: " << full.ermsg;
    ASSERT_TRUE(Split(full.annex2bis, {&kCorrectionsAndRemarks}, &corrections))
        << "record " << line << " annex2bis: " << full.annex2bis;
    const bool anyError = std::any_of(errorsAndWarnings.begin(), errorsAndWarnings.end(), [](std::string_view m) {
      return std::find(kErrors.begin(), kErrors.end(), m) != kErrors.end();
    });
    EXPECT_EQ(error, anyError) << "record " << line << ": " << full.ermsg;
  }
  EXPECT_EQ(expectedLine, kRecords);
  EXPECT_EQ(static_cast<int>(report.size()), withMessages);
  EXPECT_EQ(reportLines, withMessages);
  EXPECT_EQ(result.erroneous, erroneous);
  // The file really is full of faults of every kind.
  EXPECT_GT(erroneous, kRecords / 2);
  EXPECT_GT(withMessages - erroneous, 50);
  EXPECT_GT(unitBoxes, 50u);
}

}  // namespace
}  // namespace twinscan
