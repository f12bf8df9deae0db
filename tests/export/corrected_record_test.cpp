// How each stored column comes out in its places of the corrected file.
#include <gtest/gtest.h>

#include "tests/export/export_fixture.h"

namespace twinscan::testing {
namespace {

using store::Date;
using store::Value;

class CorrectedRecordTest : public ExportTest {};

TEST_F(CorrectedRecordTest, NullColumnsAreBlanksAndUnitsAreM) {
  InsertRow(store::kTable1, {{"linenumber", int64_t{1}}});
  EXPECT_EQ(Export(true), BlankExportRecord());
}

TEST_F(CorrectedRecordTest, FieldRenderings) {
  struct Case {
    const char* column;
    Value value;
    const char* field;     // item code of the places checked
    std::string expected;  // the field's places
  };
  const Case cases[] = {
      {"1a", 450.0, "1A", "00450.00000"},
      {"1a", 146.123456, "1A", "00146.12346"},
      {"1z", std::string("2"), "1Z", "2"},
      {"1z", std::string(""), "1Z", " "},
      // 6A and friends: right-aligned by the mask, then left-justified.
      {"6a", std::string(" M"), "6A", "M "},
      {"6a", std::string("M"), "6A", "M "},
      {"6z", std::string("XX"), "6Z", "XX"},
      {"10z", int64_t{1}, "10Z", "1"},
      {"2c", Date{2001, 7, 1}, "2C", "01072001"},
      {"2w", Date{1999, 12, 31}, "2W", "31121999"},
      {"2z", Date{2020, 2, 29}, "2Z", "29022020"},
      {"4a", std::string("  ANTWERPEN") + std::string(9, ' '), "4A", "ANTWERPEN           "},
      {"4b", std::string(" BE"), "4B", "BE "},
      {"4c", std::string("004E300051N3000"), "4C", "004E300051N3000"},
      {"4d", int64_t{10}, "4D", "00010"},
      {"4z", int64_t{-5}, "4Z", "-005"},
      {"7a", std::string("16K0F3EJN"), "7A", "16K0F3EJN"},
      {"8b1", -10.0, "8B1", "-010.0"},
      {"8b2", std::string("E"), "8B2", "E"},
      {"9a", 90.0, "9A", "090.0"},
      {"9b", -5.0, "9B", "-05.0"},
      {"9d", std::string(" H"), "9D", "H "},
      {"9g", -1.0, "9G", "    "},
      {"9y", int64_t{10}, "9Y", "0010"},
      {"9xh", std::string("090EA03"), "9XH", "090EA03"},
      {"1y", 146.5, "1Y", "00146.50000"},
      {"13z", std::string("TEST"), "13Z", "TEST" + std::string(46, ' ')},
      {"13y", std::string("C"), "13Y", "C"},
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
  for (const Case& c : cases) InsertRow(store::kTable1, {{"linenumber", int64_t{++line}}, {c.column, c.value}});
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
