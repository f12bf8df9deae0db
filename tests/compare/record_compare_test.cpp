#include "compare/record_compare.h"

#include <gtest/gtest.h>

#include "tests/compare/compare_rows.h"

namespace twinscan {
namespace {

using testing::SetSearchFields;

using namespace field;

CompareRecord Record(int64_t line) {
  CompareRecord r;
  r.line = line;
  for (const RecordField& f : kFields) {
    if (f.isNumber())
      r.numbers[static_cast<size_t>(f.number)] = 10.0;
    else
      r.texts[static_cast<size_t>(f.number)] = "T";
  }
  r.numbers[k1A] = 146.5;
  r.texts[k6A] = "ML";
  r.texts[k13Y] = "C";
  r.texts[k4C] = "004E300051N3000";
  r.longitude = 4.5;
  r.latitude = 51.5;
  return r;
}

TEST(CompareRecords, ExampleLogLine) {
  CompareRecord p = Record(12), s = Record(7);
  p.texts[k6B] = "CV";
  s.numbers[k1A] = 146.6;
  s.texts[k6A] = "MS";
  s.texts[k6B] = "CP";
  CompareResult r = CompareRecords(p, s, CompareSettings{});
  EXPECT_EQ(r.LogLine(),
            "linenumber, linenumber2, 1a , 6a , 6b, critical, noncritical 12,  7, '146.5 <-> 146.6' , 'ML <-> MS' , "
            "'CV <-> CP', True, True");
  EXPECT_EQ(CompareRecords(p, p, CompareSettings{}).LogLine(), "linenumber, linenumber2 12,  12");
}

TEST(CompareRecords, FieldsComeInTheComparisonsOrder) {
  CompareRecord p = Record(1), s = Record(2);
  for (size_t f : {k2W, k1Y, k10Z, k13X, k2C, k1Z}) s.texts[f] = "U", s.numbers[f] = 11.0;
  CompareResult r = CompareRecords(p, s, CompareSettings{});
  EXPECT_EQ(r.columns, "linenumber, linenumber2, 1z , 13x , 10z , 2c , 1y , 2w, critical, noncritical");
  EXPECT_EQ(r.values, " 1,  2, 'T <-> U' , 'T <-> U' , '10 <-> 11' , 'T <-> U' , '10 <-> 11' , 'T <-> U', True, True");
}

TEST(CompareRecords, MarksFollowTheModes) {
  CompareSettings settings;
  CompareRecord p = Record(1), s = Record(2);
  s.texts[k6B] = "X";  // 6B starts non-critical
  CompareResult r = CompareRecords(p, s, settings);
  EXPECT_EQ(r.columns, "linenumber, linenumber2, 6b, noncritical");
  EXPECT_FALSE(r.critical);

  settings.cycleCompareMode(k6B);  // non-critical -> critical
  EXPECT_EQ(CompareRecords(p, s, settings).columns, "linenumber, linenumber2, 6b, critical");
  settings.cycleCompareMode(k6B);  // -> not checked
  EXPECT_EQ(CompareRecords(p, s, settings).columns, "linenumber, linenumber2");
}

// One field varied: whether it differs under the given search fields, and how.
TEST(CompareRecords, FieldRules) {
  constexpr double h = 59.0 / 3600.0;
  const std::array<uint8_t, 5> kExact{1, 1, 1, 1, 1}, kTolerant{2, 2, 1, 2, 2};
  const struct {
    const char* name;
    std::array<uint8_t, 5> search;
    std::function<void(CompareRecord& p, CompareRecord& s)> change;
    bool differs;
    const char* text = "";
  } cases[] = {
      {"CaseDiffers", kExact, [](auto& p, auto& s) { p.texts[k6B] = "cv", s.texts[k6B] = "CV"; }, true, "cv <-> CV"},
      {"TrailingBlankDiffers", kExact, [](auto& p, auto& s) { p.texts[k6B] = "CV", s.texts[k6B] = "CV "; }, true,
       "CV <-> CV "},
      {"EmptyTextDiffers", kExact, [](auto&, auto& s) { s.texts[k6B] = ""; }, true, "T <-> "},
      {"NullNumberNeverDiffers", kExact, [](auto& p, auto& s) { p.numbers[k4D].reset(), s.numbers[k4D] = 5; }, false},
      {"NumbersInPlainForm", kExact, [](auto& p, auto& s) { p.numbers[k4D] = 0.5, s.numbers[k4D] = -3; }, true,
       "0.5 <-> -3"},
      {"ExactFrequency", kExact, [](auto&, auto& s) { s.numbers[k1A] = 146.50005; }, true, "146.5 <-> 146.50005"},
      {"BandInside", kTolerant, [](auto&, auto& s) { s.numbers[k1A] = 146.50005; }, false},
      {"BandUpperEdge", kTolerant, [](auto&, auto& s) { s.numbers[k1A] = 146.5 + 0.0001; }, false},
      {"BandLowerEdge", kTolerant, [](auto&, auto& s) { s.numbers[k1A] = 146.5 - 0.0001; }, false},
      {"BandOutside", kTolerant, [](auto&, auto& s) { s.numbers[k1A] = 146.5002; }, true, "146.5 <-> 146.5002"},
      {"BandNull", kTolerant, [](auto&, auto& s) { s.numbers[k1A].reset(); }, false},
      {"MobileGroup", kTolerant, [](auto& p, auto& s) { p.texts[k6A] = "MS", s.texts[k6A] = "ML"; }, false},
      {"MobileAgainstFixed", kTolerant, [](auto& p, auto& s) { p.texts[k6A] = "MS", s.texts[k6A] = "FX"; }, true,
       "MS <-> FX"},
      {"FixedGroup", kTolerant, [](auto& p, auto& s) { p.texts[k6A] = "FX", s.texts[k6A] = "TR"; }, false},
      {"NeitherGroup", kTolerant, [](auto& p, auto& s) { p.texts[k6A] = "XX", s.texts[k6A] = "XX"; }, true,
       "XX <-> XX"},
      {"GroupIsCaseSensitive", kTolerant, [](auto& p, auto& s) { p.texts[k6A] = "ML", s.texts[k6A] = "ml"; }, true,
       "ML <-> ml"},
      {"StatusA", kTolerant, [](auto&, auto& s) { s.texts[k13Y] = "A"; }, false},
      {"PrimaryStatusA", kTolerant, [](auto& p, auto&) { p.texts[k13Y] = "A"; }, false},
      {"StatusOther", kTolerant, [](auto&, auto& s) { s.texts[k13Y] = "B"; }, true, "C <-> B"},
      {"StatusCase", kTolerant, [](auto&, auto& s) { s.texts[k13Y] = "c"; }, true, "C <-> c"},
      {"StatusExact", kExact, [](auto&, auto& s) { s.texts[k13Y] = "A"; }, true, "C <-> A"},
      {"Zone58SecondsEast", kTolerant,
       [](auto&, auto& s) { s.longitude = 4.5 + 58.0 / 3600, s.texts[k4C] = "004E305851N3000"; }, false},
      {"Zone60SecondsEast", kTolerant,
       [](auto&, auto& s) { s.longitude = 4.5 + 60.0 / 3600, s.texts[k4C] = "004E310051N3000"; }, true,
       "004E300051N3000 <-> 004E310051N3000"},
      {"ZoneEdgeIsOutside", kTolerant, [](auto&, auto& s) { s.latitude = 51.5 - h; }, true,
       "004E300051N3000 <-> 004E300051N3000"},
      {"ZoneMissingPosition", kTolerant, [](auto&, auto& s) { s.longitude.reset(), s.latitude = 60.0; }, true,
       "004E300051N3000 <-> 004E300051N3000"},
      {"ZoneTextsAloneDoNotCount", kTolerant, [](auto&, auto& s) { s.texts[k4C] = "004E300051N3001"; }, false},
      {"CoordinatesExact", kExact, [](auto&, auto& s) { s.texts[k4C] = "004E300051N3001"; }, true,
       "004E300051N3000 <-> 004E300051N3001"}};
  for (const auto& c : cases) {
    CompareSettings settings;
    SetSearchFields(settings, c.search);
    CompareRecord p = Record(1), s = Record(2);
    c.change(p, s);
    CompareResult r = CompareRecords(p, s, settings);
    ASSERT_EQ(!r.differences.empty(), c.differs) << c.name << ": " << r.LogLine();
    if (c.differs) {
      EXPECT_EQ(r.differences.at(0).text, c.text) << c.name;
    }
  }
}

TEST(CompareRecords, TolerantFieldsAreExaminedEvenWhenNotChecked) {
  CompareSettings settings;
  SetSearchFields(settings, {1, 1, 1, 1, 1});
  settings.cycleCompareMode(k1A);  // 1A critical -> not checked
  CompareRecord p = Record(1), s = Record(2);
  s.numbers[k1A] = 146.6;
  EXPECT_EQ(CompareRecords(p, s, settings).columns, "linenumber, linenumber2");

  SetSearchFields(settings, {2, 1, 1, 1, 1});
  CompareResult r = CompareRecords(p, s, settings);
  EXPECT_EQ(r.columns, "linenumber, linenumber2, 1a");
  EXPECT_EQ(r.values, " 1,  2, '146.5 <-> 146.6'");
  EXPECT_FALSE(r.critical || r.nonCritical);
}

}  // namespace
}  // namespace twinscan
