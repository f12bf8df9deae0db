// The corrected file: layouts, header, order, replacement, failures, how each
// column comes out in its places, and the masks behind them.
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "export/mask_format.h"
#include "record/layout.h"
#include "tests/export/export_fixture.h"

namespace twinscan::testing {
namespace {

namespace fs = std::filesystem;

// Records that come back unchanged from the field checks. The third carries
// Latin-1 remarks, which the 13Z check reports as an error; an error keeps
// the later dates out of the table, so that record has none.
std::vector<std::string> ValidRecords() {
  std::string base = BaseRecord();
  std::string latin1 = WithField(WithField(base, "13Z", "CAF\xC9 M\xDCNCHEN \xE9t\xE9"), "4B", "D");
  return {base, WithField(WithField(base, "4A", "GENT"), "1A", "00450.00000"),
          WithField(WithField(latin1, "2W", ""), "2Z", "")};
}

std::string Joined(const std::vector<std::string>& records, const std::string& lineEnd) {
  std::string out;
  for (const std::string& r : records) out += r + lineEnd;
  return out;
}

std::string Header() {
  std::string header = "VIENNA HEADER \xC4\xD6\xDC";
  header.resize(219, '-');
  return header;
}

class CorrectedFileTest : public ExportTest {
 protected:
  fs::path Out() const { return dir_ / "out.txt_annex2bis.txt"; }
  bool LeftoverPartFile() const {
    for (const auto& entry : fs::directory_iterator(dir_.path()))
      if (entry.path().string().ends_with(".writing")) return true;
    return false;
  }
};

TEST_F(CorrectedFileTest, EmptyTableGivesHeaderOnlyOrNothing) {
  EXPECT_EQ(Export(true), "");
  EXPECT_EQ(Export(false), "");
  EXPECT_EQ(Export(true, Header()), Header());
  EXPECT_EQ(Export(false, Header()), Header() + "\r\n");
  EXPECT_TRUE(ui_.statuses.empty());
}

// Rows in linenumber order by row id are read by row id: the file must be
// the same as through the linenumber index whatever the table holds (ties,
// a linenumber out of order, one that is Null, a text or a fraction).
TEST_F(CorrectedFileTest, TheOrderIsTheLinenumbersWhateverTheRowIds) {
  struct Case {
    const char* name;
    std::vector<store::Value> lines;  // inserted in this order; 4D gets the insert position
  } cases[] = {
      {"out of order", {int64_t{3}, int64_t{1}, int64_t{100000}, int64_t{12}}},
      {"a Null", {int64_t{4}, std::monostate{}, int64_t{6}}},
      {"a text", {int64_t{4}, std::string("x"), int64_t{6}}},
      {"a fraction", {int64_t{1}, 2.5, int64_t{2}}},
  };
  for (const Case& c : cases) {
    db_->Execute("DELETE FROM TABLE1");
    int64_t position = 0;
    for (const store::Value& line : c.lines) InsertRow({{"linenumber", line}, {"4d", ++position}});
    std::string expected;
    store::Statement order = db_->Prepare("SELECT \"4D\" FROM TABLE1 ORDER BY linenumber");
    while (order.Step()) expected += "0000" + std::to_string(order.ColumnInt(0));
    std::string file = Export(true), places4D;
    for (size_t i = 0; i + 219 <= file.size(); i += 219) places4D += FieldOf(file.substr(i, 219), "4D");
    EXPECT_EQ(places4D, expected) << c.name;
  }
  EXPECT_EQ(std::vector<std::string>(ui_.statuses.begin(), ui_.statuses.begin() + 4),
            (std::vector<std::string>{"exporting  1", "exporting  3", "exporting  12", "exporting  100000"}));
}

// Both layouts, with and without the header in front; a file the writer
// produced, imported and written again in the same layout, gives back the
// same bytes.
TEST_F(CorrectedFileTest, RoundTrip) {
  std::vector<std::string> records = ValidRecords();
  records.push_back(WithField(WithField(BaseRecord(), "4Z", "-005"), "9B", "-05.0"));
  for (bool layout2001 : {true, false}) {
    for (bool header : {true, false}) {
      SCOPED_TRACE(::testing::Message() << "2001 layout " << layout2001 << ", header " << header);
      const std::string lineEnd = layout2001 ? "" : "\r\n";
      WriteFile(dir_ / "original.txt", (header ? Header() : "") + Joined(records, ""));
      std::string written = Export(layout2001, Import(dir_ / "original.txt", true, header).headerText);
      EXPECT_EQ(written, (header ? Header() + lineEnd : "") + Joined(records, lineEnd));

      WriteFile(dir_ / "again.txt", written);
      ImportResult again = Import(dir_ / "again.txt", true, header);
      EXPECT_EQ(again.records, static_cast<int32_t>(records.size()));
      EXPECT_EQ(Export(layout2001, again.headerText), written);
    }
  }
}

// A write that fails half-way (the disk full) keeps the old file and leaves
// no part behind. The file size limit stands in for the full disk.
TEST_F(CorrectedFileTest, AWriteFailingHalfWayKeepsTheOldFile) {
  for (int64_t line = 1; line <= 3000; ++line) InsertRow({{"linenumber", line}, {"13z", std::string("REMARK")}});
  WriteFile(Out(), "old");

  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  auto savedHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 300000;  // less than the 657,000 bytes of the file
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  CorrectedFileResult result = WriteCorrectedFile(Out(), store::kTable1, true, "", *db_, ui_);
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, savedHandler);

  EXPECT_FALSE(result.written);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].find(Out().string()), std::string::npos);
  EXPECT_EQ(ReadFile(Out()), "old");
  EXPECT_FALSE(LeftoverPartFile());
}

using store::Date;
using store::Value;

// A record of Null columns: blanks, with "M" in the two unit places.
std::string BlankExportRecord() {
  std::string r(kRecordLength, ' ');
  for (const RecordField& f : kRecordFields)
    if (f.rendering == Rendering::Unit) r[static_cast<size_t>(f.first - 1)] = 'M';
  return r;
}

TEST_F(ExportTest, FieldRenderings) {
  struct Case {
    const char* field;  // item code: the column set and the places checked
    Value value;
    std::string expected;  // the field's places
  };
  // What the round trip does not reach: edge values and values the import
  // never stores. Each row holds one column; the others are Null.
  const Case cases[] = {
      {"1A", 450.0, "00450.00000"},
      // 6A and friends: right-aligned by the mask, then left-justified.
      {"6A", std::string(" M"), "M "},
      {"2C", Date{0, 1, 1}, "01010000"},  // year 0 is a valid date
      {"4Z", int64_t{-5}, "-005"},
      {"9G", -1.0, "    "},
      // A rebuilt 13X without its country is right-aligned.
      {"13X", std::string("500001230111"), "   500001230111"},
      // Latin-1 in the file for UTF-8 in the table.
      {"13Z", std::string("Caf\xC3\xA9 \xC3\x84"), "Caf\xE9 \xC4" + std::string(44, ' ')},
      // Values too long for their places: numbers become blanks, texts are cut.
      {"4D", int64_t{123456}, "     "},
      {"10Z", int64_t{12}, " "},
      {"13Z", std::string(60, 'Z'), std::string(50, 'Z')},
      // Values of the wrong kind are left out.
      {"2C", std::string("junk"), "        "},
  };
  int line = 0;
  for (const Case& c : cases) InsertRow({{"linenumber", int64_t{++line}}, {c.field, c.value}});
  std::string file = Export(true);
  ASSERT_EQ(file.size(), std::size(cases) * 219);
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    std::string record = file.substr(i * 219, 219);
    EXPECT_EQ(FieldOf(record, c.field), c.expected) << c.field;
    // Every other place stays as in a blank record.
    EXPECT_EQ(WithField(record, c.field, ""), BlankExportRecord()) << c.field;
  }
}

// What the corrected file's fields do not reach. FormatTo appends: every case
// starts after a marker that must stay.
TEST(MaskFormat, NumbersTextsAndDates) {
  const char* const kFrequency = "00000.00000;           ";
  const std::tuple<const char*, double, const char*> numbers[] = {
      {kFrequency, 0, "00000.00000"},
      {kFrequency, -12.5, "           "},
      {"0000.0;-000.0", -12.5, "-012.5"},
      // Rounded half away from zero, as the value was written.
      {"0.0", 0.25, "0.3"},
      {"0.00", 2.675, "2.68"},
      {"0", -2.5, "-3"},
      {"0.0", 0.04999, "0.0"},
      {"00000.00000", 99999.999996, "100000.00000"},
      // A whole part longer than the places shows every digit.
      {"00.0;    ", 100, "100.0"},
      {"00;n/a", -1, "n/a"},
      {"<00>", 7, "<07>"},
      {".00", 0.5, ".50"},
  };
  for (const auto& [mask, value, expected] : numbers) {
    std::string out = ">";
    NumberMask(mask).FormatTo(value, &out);
    EXPECT_EQ(out, std::string(">") + expected) << mask << " " << value;
  }
  // Right-aligned without "!"; overlong texts whole; literals stay in place.
  const std::tuple<const char*, const char*, const char*> texts[] = {
      {"@@@@@", "AB", "   AB"},
      {"@@", "ABCD", "ABCD"},
      {"!@@@;xyz", "", "xyz"},
      {"!(@@)", "7", "(7 )"},
      {"!@@@@", "\xC4\xD6", "\xC4\xD6  "},
  };
  for (const auto& [mask, text, expected] : texts) {
    std::string out = ">";
    TextMask(mask).FormatTo(text, &out);
    EXPECT_EQ(out, std::string(">") + expected) << mask << " '" << text << "'";
  }
  std::string out;
  DateMask("ddmmyyyy").FormatTo(31, 12, 999, &out);
  DateMask("dd/mm/yyyy").FormatTo(5, 3, 2020, &out);
  EXPECT_EQ(out, "3112099905/03/2020");
}

}  // namespace
}  // namespace twinscan::testing
