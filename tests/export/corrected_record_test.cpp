// How each stored column comes out in its places of the corrected file.
#include <gtest/gtest.h>

#include "tests/export/export_fixture.h"

namespace twinscan::testing {
namespace {

using store::Date;
using store::Value;

class CorrectedRecordTest : public ExportTest {};

// A record of Null columns: blanks, with "M" in the two unit places.
std::string BlankExportRecord() {
  std::string r(219, ' ');
  r[11] = 'M';
  r[136] = 'M';
  return r;
}

TEST_F(CorrectedRecordTest, FieldRenderings) {
  struct Case {
    const char* column;
    Value value;
    const char* field;     // item code of the places checked
    std::string expected;  // the field's places
  };
  // What the round trip does not reach: edge values and values the import
  // never stores. Each row holds one column; the others are Null.
  const Case cases[] = {
      {"1a", 450.0, "1A", "00450.00000"},
      {"1z", std::string(""), "1Z", " "},
      // 6A and friends: right-aligned by the mask, then left-justified.
      {"6a", std::string(" M"), "6A", "M "},
      {"6a", std::string("M"), "6A", "M "},
      {"2c", Date{2001, 7, 1}, "2C", "01072001"},
      {"4a", std::string("  ANTWERPEN") + std::string(9, ' '), "4A", "ANTWERPEN           "},
      {"4b", std::string(" BE"), "4B", "BE "},
      {"4z", int64_t{-5}, "4Z", "-005"},
      {"8b1", -10.0, "8B1", "-010.0"},
      {"9b", -5.0, "9B", "-05.0"},
      {"9d", std::string(" H"), "9D", "H "},
      {"9g", -1.0, "9G", "    "},
      // A rebuilt 13X without its country is right-aligned.
      {"13x", std::string("500001230111"), "13X", "   500001230111"},
      // Latin-1 in the file for UTF-8 in the table.
      {"13z", std::string("Caf\xC3\xA9 \xC3\x84"), "13Z", "Caf\xE9 \xC4" + std::string(44, ' ')},
      // Values too long for their places: numbers become blanks, texts are cut.
      {"9a", -5.0, "9A", "     "},
      {"9g", 100.0, "9G", "    "},
      {"4d", int64_t{123456}, "4D", "     "},
      {"1a", 123456.0, "1A", "           "},
      {"10z", int64_t{12}, "10Z", " "},
      {"13z", std::string(60, 'Z'), "13Z", std::string(50, 'Z')},
      {"13x", std::string("BEL5000012301119"), "13X", "BEL500001230111"},
      {"6a", std::string("ABC"), "6A", "AB"},
      // Values of the wrong kind are left out.
      {"2c", std::string("junk"), "2C", "        "},
      {"4d", std::string("abc"), "4D", "     "},
  };
  int line = 0;
  for (const Case& c : cases) InsertRow({{"linenumber", int64_t{++line}}, {c.column, c.value}});
  std::string file = Export(true);
  ASSERT_EQ(file.size(), std::size(cases) * 219);
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    std::string record = file.substr(i * 219, 219);
    EXPECT_EQ(FieldOf(record, c.field), c.expected) << c.column;
    // Every other place stays as in a blank record.
    EXPECT_EQ(WithField(record, c.field, ""), BlankExportRecord()) << c.column;
  }
}

}  // namespace
}  // namespace twinscan::testing
