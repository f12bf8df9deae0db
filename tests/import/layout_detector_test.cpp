// The layout detector: generated files of both layouts, with and without a
// header, faulty in their fields and line ends, under every header option;
// files that are not Vienna records at all are refused as such.
#include "import/layout_detector.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "tests/support/test_support.h"
#include "tools/vienna_generator.h"

namespace twinscan {
namespace {

constexpr HeaderOptions k2001Header{true, true};
constexpr HeaderOptions kLineHeader{true, false};
constexpr HeaderOptions kNoHeader{false, true};

// What each combination of options must find: the fitting options, and for
// those that misread, what the file looks like and the flags that fit.
struct Expected {
  LayoutVerdict verdict;
  const char* detected;
  const char* flags;
};
constexpr Expected kFits{LayoutVerdict::Fits, "", ""};
constexpr Expected Misread(const char* detected, const char* flags) {
  return {LayoutVerdict::Misaligned, detected, flags};
}

struct KindCase {
  const char* name;
  gen::FileOptions render;  // the options that say what the file is: {render.header, render.layout2001}
  Expected with2001Header, withLineHeader, withoutHeader;
};

// clang-format off
const KindCase kKinds[] = {
    // A record read as the 2001 header is read aligned: not refused.
    {"Lines", {false, false, false}, kFits,
     Misread("the line layout without a header", "--no-2001 --no-header"), kFits},
    {"Lines200Header", {false, true, false}, Misread("the line layout with a header", "--no-2001"), kFits,
     Misread("the line layout with a header", "--no-2001")},
    {"Packed", {true, false, false}, kFits, Misread("the 2001 layout without a header", "--no-header"), kFits},
    // A header read as a record is read aligned too.
    {"PackedHeader", {true, true, false}, kFits, Misread("the 2001 layout with a header", ""), kFits},
    {"PackedLineEnds", {true, false, true}, kFits,
     Misread("the line layout without a header", "--no-2001 --no-header"), kFits},
    {"PackedLineEndsHeader", {true, true, true}, kFits,
     Misread("the line layout with a 219-character header", ""), kFits},
};
// clang-format on

// A faulty file has every record faulty, records split and stray line ends
// past its first record, a short last record and a fragment at the end.
std::string File(const KindCase& kind, bool faulty, int records, uint64_t seed) {
  std::vector<std::string> recs = gen::GenerateRecords({seed, records, faulty ? 1.0 : 0.0, faulty});
  if (faulty) recs.back().resize(150);
  std::string file = gen::RenderFile(recs, kind.render) + (faulty ? "00146.50000M" : "");
  std::mt19937_64 random(seed);
  // A line end within the first 219 bytes would shift every record of a 2001 header (and is refused).
  const gen::FileOptions& r = kind.render;
  const size_t bodyStart = (r.header ? (r.layout2001 ? (r.lineEnds2001 ? 221 : 219) : 202) : 0) + 221;
  for (int i = 0; faulty && i < records / 20 + 1; ++i) {
    file.insert(bodyStart + random() % (file.size() - bodyStart), "\r\n");
    file.insert(bodyStart + random() % (file.size() - bodyStart), i % 2 ? "\n" : "\r");
  }
  return file.substr(0, kLayoutSampleSize);
}

void ExpectFinding(const std::string& file, const HeaderOptions& options, const Expected& expected,
                   const std::string& what) {
  LayoutFinding finding = DetectLayout(file, options);
  EXPECT_EQ(finding.verdict, expected.verdict) << what << ": " << finding.detected;
  if (expected.verdict != LayoutVerdict::Misaligned) return;
  EXPECT_EQ(finding.detected, expected.detected) << what;
  ASSERT_TRUE(finding.fitting.has_value()) << what;
  EXPECT_EQ(finding.fittingFlags, expected.flags) << what;
  EXPECT_EQ(DetectLayout(file, *finding.fitting).verdict, LayoutVerdict::Fits) << what << ": the flags that fit";
}

class ViennaFiles : public ::testing::TestWithParam<std::tuple<KindCase, bool>> {};

TEST_P(ViennaFiles, OnlyOptionsThatMisreadTheRecordsAreRefused) {
  const auto& [kind, faulty] = GetParam();
  for (int records : {1, 3, 40, 400}) {
    if (records == 1 && faulty) continue;  // no room for faults
    for (uint64_t seed : {1u, 2u, 3u}) {
      std::string file = File(kind, faulty, records, seed);
      std::string what = std::to_string(records) + " records, seed " + std::to_string(seed);
      ExpectFinding(file, k2001Header, kind.with2001Header, what + ", 2001 layout with header");
      ExpectFinding(file, kLineHeader, kind.withLineHeader, what + ", line layout with header");
      ExpectFinding(file, kNoHeader, kind.withoutHeader, what + ", no header");
      EXPECT_EQ(DetectLayout(file, {kind.render.header, kind.render.layout2001}).verdict, LayoutVerdict::Fits) << what;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(BothLayouts, ViennaFiles, ::testing::Combine(::testing::ValuesIn(kKinds), ::testing::Bool()),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "Faulty" : "");
                         });

std::string Repeat(const std::string& piece, size_t size) {
  std::string out;
  while (out.size() < size) out += piece;
  return out;
}

TEST(LayoutDetector, FilesThatAreNotViennaRecordsAreRefused) {
  std::mt19937_64 random(7);
  std::string binary(5000, '\0'), csv = "frequency;unit;class;station;country;coordinates\r\n";
  for (char& c : binary) c = static_cast<char>(random() & 0xFF);
  for (int i = 0; i < 300; ++i) csv += "00146." + std::to_string(10000 + i) + ";M;FX;ANTWERPEN;BEL;004E300051N3000\r\n";
  std::string prose = testing::ReadFile(std::string(TWINSCAN_SOURCE_DIR) + "/README.md");
  std::replace(prose.begin(), prose.end(), '\n', ' ');  // one long line
  const std::pair<std::string, const char*> cases[] = {
      {prose, "text without Vienna records"},
      {csv, "text without Vienna records"},
      {binary, "binary data"},
      {std::string(3000, '\0'), "a run of zero bytes"},
      {std::string(219, 'H') + testing::BaseRecord() + std::string(5000, '\0'), "a run of zero bytes"},
  };
  for (const auto& [bytes, detected] : cases) {
    for (const HeaderOptions& options : {k2001Header, kLineHeader, kNoHeader}) {
      // A first line shorter than the line layout's header is the import's own refusal.
      if (options == kLineHeader && bytes.substr(0, 200).find('\n') != std::string::npos) continue;
      LayoutFinding finding = DetectLayout(bytes, options);
      EXPECT_EQ(finding.verdict, LayoutVerdict::NotVienna) << bytes.substr(0, 40);
      EXPECT_EQ(finding.detected, detected);
      EXPECT_FALSE(finding.fitting.has_value());
    }
  }
}

// What the detector cannot judge is left to the import; headers the 2001
// layout does not take off whole are named, as every record would be shifted.
TEST(LayoutDetector, LeavesWhatItCannotJudgeAndNamesHeadersOfOtherLengths) {
  const std::string r = testing::BaseRecord(), records = Repeat(r, 10 * 219), lines = Repeat(r + "\r\n", 10 * 221);
  struct Case {
    std::string bytes;
    HeaderOptions options;
    const char* detected;  // "": fits
    const char* flags;     // nullptr: no options read it aligned
  };
  const Case cases[] = {
      {"", k2001Header, "", ""},
      {"HEADER\r\n" + lines, kLineHeader, "", ""},  // a short header line: the import's message
      {std::string(150, 'H') + "\r\n" + lines, k2001Header, "the line layout with a header of 150 characters", nullptr},
      {std::string(210, 'H') + records, k2001Header, "the 2001 layout with a header of 210 characters", nullptr},
      // A line end within the 2001 header moves every record by two places.
      {std::string(100, 'H') + "\r\n" + std::string(119, 'H') + records, k2001Header, "the 2001 layout with a header",
       "--no-header"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes.substr(0, 20));
    LayoutFinding finding = DetectLayout(c.bytes, c.options);
    EXPECT_EQ(finding.verdict, *c.detected ? LayoutVerdict::Misaligned : LayoutVerdict::Fits);
    if (!*c.detected) continue;
    EXPECT_EQ(finding.detected, c.detected);
    EXPECT_EQ(finding.fitting.has_value(), c.flags != nullptr);
    EXPECT_EQ(finding.fittingFlags, c.flags ? c.flags : "");
  }
}

}  // namespace
}  // namespace twinscan
