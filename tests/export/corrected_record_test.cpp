// How each stored column comes out in its places of the corrected file.
#include <gtest/gtest.h>

#include "record/layout.h"
#include "tests/export/export_fixture.h"

namespace twinscan::testing {
namespace {

using store::Date;
using store::Value;

class CorrectedRecordTest : public ExportTest {};

// A record of Null columns: blanks, with "M" in the two unit places.
std::string BlankExportRecord() {
  std::string r(kRecordLength, ' ');
  for (const RecordField& f : kRecordFields)
    if (f.rendering == Rendering::Unit) r[static_cast<size_t>(f.first - 1)] = 'M';
  return r;
}

TEST_F(CorrectedRecordTest, FieldRenderings) {
  struct Case {
    const char* field;  // item code: the column set and the places checked
    Value value;
    std::string expected;  // the field's places
  };
  // What the round trip does not reach: edge values and values the import
  // never stores. Each row holds one column; the others are Null.
  const Case cases[] = {
      {"1A", 450.0, "00450.00000"},
      {"1Z", std::string(""), " "},
      // 6A and friends: right-aligned by the mask, then left-justified.
      {"6A", std::string(" M"), "M "},
      {"6A", std::string("M"), "M "},
      {"2C", Date{2001, 7, 1}, "01072001"},
      {"4A", std::string("  ANTWERPEN") + std::string(9, ' '), "ANTWERPEN           "},
      {"4B", std::string(" BE"), "BE "},
      {"4Z", int64_t{-5}, "-005"},
      {"8B1", -10.0, "-010.0"},
      {"9B", -5.0, "-05.0"},
      {"9D", std::string(" H"), "H "},
      {"9G", -1.0, "    "},
      // A rebuilt 13X without its country is right-aligned.
      {"13X", std::string("500001230111"), "   500001230111"},
      // Latin-1 in the file for UTF-8 in the table.
      {"13Z", std::string("Caf\xC3\xA9 \xC3\x84"), "Caf\xE9 \xC4" + std::string(44, ' ')},
      // Values too long for their places: numbers become blanks, texts are cut.
      {"9A", -5.0, "     "},
      {"9G", 100.0, "    "},
      {"4D", int64_t{123456}, "     "},
      {"1A", 123456.0, "           "},
      {"10Z", int64_t{12}, " "},
      {"13Z", std::string(60, 'Z'), std::string(50, 'Z')},
      {"13X", std::string("BEL5000012301119"), "BEL500001230111"},
      {"6A", std::string("ABC"), "AB"},
      // Values of the wrong kind are left out.
      {"2C", std::string("junk"), "        "},
      {"4D", std::string("abc"), "     "},
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

}  // namespace
}  // namespace twinscan::testing
