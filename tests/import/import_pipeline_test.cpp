// The import checks records on a second thread ahead of the one that stores
// them. Whatever the user sees and the table gets still comes record by
// record in file order: each unit message at its own record's turn (after the
// stop question, before the status text), and a stop or a failure at any
// record, at a batch's edge or after a commit, ends with nothing beyond it.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "import/import_file.h"
#include "tests/support/test_support.h"

namespace twinscan {
namespace {

using Texts = std::vector<std::string>;

// Every stop question, unit message and status text, in the order they came.
struct EventUserInterface : testing::RecordingUserInterface {
  void SetStatusText(std::string_view text) override { events.emplace_back(text); }
  void ShowRecordMessage(std::string_view text, int64_t lineNumber) override {
    events.push_back(std::string(text) + " @" + std::to_string(lineNumber));
  }
  bool StopRequested() override {
    events.emplace_back("stop?");
    return ++asked == stopBefore;
  }
  Texts events;
  int asked = 0, stopBefore = 0;
};

// Takes the stored records; a failure (a full disk) at one of them.
struct FailingRecords : ImportedRecords {
  void Begin(std::string_view) override {}
  void Add(const store::RecordRow&) override {
    if (++added == failAt) throw std::runtime_error("the corrected file cannot be written");
  }
  int added = 0, failAt = 0;
};

// Several batches of the checker and a commit group: the edges of both carry
// unit messages, stops, failures and report lines.
constexpr int kRecords = 5200;
const std::set<int> kUnitMessageAt{1, 512, 513, 1024, 1025, 5000, 5001, kRecords};
const std::set<int> kFaultyAt{2, 512, 4999, kRecords};
const std::string kUnitMessage = "error: khz and Ghz not yet implemented";

std::string TownOf(int line) { return "T" + std::to_string(line); }

std::string File() {
  std::string bytes;
  for (int line = 1; line <= kRecords; ++line) {
    std::string fields = "4A=" + TownOf(line);
    if (kUnitMessageAt.count(line)) fields += "|1A unit=k";
    if (kFaultyAt.count(line)) fields += "|6A=fx";
    bytes += testing::WithFields(testing::BaseRecord(), fields) + "\r\n";
  }
  return bytes;
}

// What the user sees for the records before `end`, and the stop question of
// `end` when the import stops there.
Texts ExpectedEvents(int end, bool stopsAtEnd) {
  Texts out;
  for (int line = 1; line < end; ++line) {
    out.emplace_back("stop?");
    if (kUnitMessageAt.count(line)) out.push_back(kUnitMessage + " @" + std::to_string(line));
    out.push_back("Importing ff line  " + std::to_string(line));
  }
  if (stopsAtEnd) out.emplace_back("stop?");
  return out;
}

// "" when equal, else the first place they part (the lists are long).
std::string FirstDifference(const Texts& got, const Texts& want) {
  for (size_t i = 0; i < std::max(got.size(), want.size()); ++i) {
    std::string g = i < got.size() ? got[i] : "(none)", w = i < want.size() ? want[i] : "(none)";
    if (g != w) return "at " + std::to_string(i) + ": got " + g + ", want " + w;
  }
  return "";
}

struct ImportPipeline : ::testing::Test {
  testing::TempDir dir;
  std::unique_ptr<store::Database> db = testing::CreateTestDatabase(dir.path());
  EventUserInterface ui;
  FailingRecords corrected;
  std::filesystem::path file = dir / "in.txt";

  void SetUp() override { testing::WriteFile(file, File()); }
  ImportResult Import() {
    return ImportViennaFile(file, store::kTable1, {false, false, true, true}, *db, ui, {}, &corrected);
  }
  Texts Query(const std::string& sql) {
    Texts out;
    store::Statement s = db->Prepare(sql);
    while (s.Step()) out.emplace_back(s.ColumnText(0));
    return out;
  }
};

TEST_F(ImportPipeline, RowsMessagesAndReportLinesComeInRecordOrder) {
  ImportResult result = Import();
  ASSERT_EQ(result.outcome, ImportOutcome::Done);
  EXPECT_EQ(result.records, kRecords);
  EXPECT_EQ(result.erroneous, static_cast<int>(kFaultyAt.size()));
  EXPECT_EQ(FirstDifference(ui.events, ExpectedEvents(kRecords + 1, false)), "");

  // Each row with its own record's town and fault, in linenumber order.
  Texts rows = Query(
      "SELECT linenumber || ' ' || rtrim(\"4A\") || ' ' || (ermsg IS NOT NULL) FROM TABLE1 "
      "ORDER BY rowid");
  Texts want;
  for (int line = 1; line <= kRecords; ++line)
    want.push_back(std::to_string(line) + " " + TownOf(line) + " " + (kFaultyAt.count(line) ? "1" : "0"));
  EXPECT_EQ(FirstDifference(rows, want), "");

  // The report has a line for each faulty record, in file order.
  std::string report = testing::ReadFile(ReportPathFor(file)), numbers;
  for (size_t at = 0; at < report.size(); at = report.find("\r\n", at) + 2)
    numbers += report.substr(at, report.find(';', at) - at);
  EXPECT_EQ(numbers, " 2 512 4999 5200");
}

TEST_F(ImportPipeline, AStopOrAFailureAtAnyRecordEndsThereWithTheEarlierTableKept) {
  struct Case {
    const char* what;
    int stopBefore, failAt;
  };
  const Case cases[] = {
      {"stop before the first record", 1, 0},
      {"stop before a record with a unit message", 2, 0},
      {"stop at the first record of the second batch", 513, 0},
      {"stop before a message at a batch's start", 1025, 0},
      {"stop after a commit", 5001, 0},
      {"stop before the last record", kRecords, 0},
      {"failure at the first record", 0, 1},
      {"failure at a batch's last record", 0, 512},
      {"failure at the last record of a commit", 0, 5000},
  };
  ImportViennaFile(file, store::kTable1, {false, false, false, true}, *db, ui);  // the earlier table
  db->Execute("DELETE FROM TABLE1 WHERE linenumber > 3");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ui = {};
    ui.stopBefore = c.stopBefore;
    corrected = {};
    corrected.failAt = c.failAt;
    if (c.failAt) {
      EXPECT_THROW(Import(), std::runtime_error);
      EXPECT_EQ(FirstDifference(ui.events, ExpectedEvents(c.failAt + 1, false)), "");
    } else {
      ImportResult result = Import();
      EXPECT_EQ(result.outcome, ImportOutcome::Cancelled);
      EXPECT_EQ(result.records, c.stopBefore - 1);
      EXPECT_EQ(FirstDifference(ui.events, ExpectedEvents(c.stopBefore, true)), "");
    }
    EXPECT_EQ(ui.progressEnds, 1);
    EXPECT_EQ(Query("SELECT count(*) || ' ' || max(linenumber) FROM TABLE1"), Texts{"3 3"});
    EXPECT_FALSE(std::filesystem::exists(ReportPathFor(file)));
  }
}

}  // namespace
}  // namespace twinscan
