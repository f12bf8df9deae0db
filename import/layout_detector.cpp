#include "import/layout_detector.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <vector>

#include "record/layout.h"

namespace twinscan {
namespace {

constexpr size_t kRecord = static_cast<size_t>(kRecordLength);
constexpr size_t kLineHeaderLength = 200;

// A share of control bytes above this is binary data, not text.
constexpr double kMaxControlShare = 0.01;
// Mean record score (0..1) from which records read at a place are taken for
// Vienna records. Records read a few places off still keep up to about 0.45
// of the score at the right place; the options read aligned when they keep
// kAlignedShare of the best.
constexpr double kViennaScore = 0.5;
constexpr double kAlignedShare = 0.6;
// The line layout: at least this many line ends, most at one place of the
// 219. The options' place still fits when it holds as many and kMinorShare
// of them (a record cut short in the middle moves the later line ends).
constexpr size_t kMinLineEnds = 2;
constexpr double kMinorShare = 0.1;

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }

constexpr RecordField Place(std::string_view code) {
  for (const RecordField& f : kRecordFields)
    if (f.code == code) return f;
  return kRecordFields[0];
}

// The sample as the import counts it (line ends skipped), and the counted
// place of every run of line ends.
struct CountedText {
  std::string text;
  std::vector<size_t> lineEnds;
};

CountedText Counted(std::string_view bytes) {
  CountedText counted;
  counted.text.reserve(bytes.size());
  bool inLineEnd = false;
  for (char c : bytes) {
    if (IsLineEnd(c)) {
      if (!inLineEnd) counted.lineEnds.push_back(counted.text.size());
      inLineEnd = true;
    } else {
      counted.text += c;
      inLineEnd = false;
    }
  }
  return counted;
}

// How many of a record's most telling fields have the shape the format gives
// them, as a share. Faulty values cost a field or two; a record read from the
// wrong place, or prose, keeps hardly any.
double RecordScore(std::string_view record) {
  static constexpr RecordField k1A = Place("1A"), kUnit = Place("1A unit"), k6A = Place("6A"), k4B = Place("4B"),
                               k4C = Place("4C"), k2C = Place("2C"), k2W = Place("2W"), k2Z = Place("2Z");
  auto field = [record](const RecordField& places) { return FieldText(record, places); };
  auto digits = [](std::string_view text) { return std::all_of(text.begin(), text.end(), IsDigit); };

  std::string_view frequency = field(k1A);
  bool number = frequency.find_first_not_of("0123456789., ") == std::string_view::npos &&
                std::count_if(frequency.begin(), frequency.end(), IsDigit) >= 3;
  bool unit = std::string_view("MmKkGg").find(field(kUnit)[0]) != std::string_view::npos;
  std::string_view stationClass = field(k6A);
  bool classLetters = IsUpper(stationClass[0]) && IsUpper(stationClass[1]);
  std::string_view country = field(k4B);
  bool countryLetters = IsUpper(country[0]) && (IsUpper(country[1]) || country[1] == ' ');
  std::string_view coordinates = field(k4C);
  bool hemispheres =
      (coordinates[3] == 'E' || coordinates[3] == 'W') && (coordinates[10] == 'N' || coordinates[10] == 'S');
  bool broughtIntoUse = digits(field(k2C));
  bool coordinationDates = digits(field(k2W)) || digits(field(k2Z));

  int shaped = number + unit + classLetters + countryLetters + hemispheres + broughtIntoUse + coordinationDates;
  return shaped / 7.0;
}

// The mean score of the whole records read from counted place `from` on;
// nullopt when not one whole record is there.
std::optional<double> MeanScore(const std::string& text, size_t from) {
  double sum = 0;
  size_t records = 0;
  for (size_t at = from; at + kRecord <= text.size(); at += kRecord) {
    sum += RecordScore(std::string_view(text).substr(at, kRecord));
    ++records;
  }
  if (records == 0) return std::nullopt;
  return sum / static_cast<double>(records);
}

// The counted place where the options' first record starts; nullopt when the
// import's own header check refuses the file first.
std::optional<size_t> OptionsStart(std::string_view bytes, const HeaderOptions& options) {
  if (!options.hasHeader) return 0;
  if (options.vienna2001Format) {
    // The 2001 header is 219 raw bytes, line ends included.
    std::string_view header = bytes.substr(0, kRecord);
    return header.size() - static_cast<size_t>(std::count_if(header.begin(), header.end(), IsLineEnd));
  }
  if (bytes.substr(0, kLineHeaderLength).find_first_of("\r\n") != std::string_view::npos) return std::nullopt;
  return kLineHeaderLength;
}

std::string Describe(const HeaderOptions& options) {
  if (!options.hasHeader) return "a file without a header";
  return options.vienna2001Format ? "the 2001 layout with a header" : "the line layout with a header";
}

// Binary data or a run of zero bytes: the description, or nullopt for text.
std::optional<std::string> BinaryContent(std::string_view bytes) {
  size_t control = 0, zeros = 0;
  for (char c : bytes) {
    auto b = static_cast<unsigned char>(c);
    if ((b < 0x20 && b != '\r' && b != '\n' && b != '\t') || b == 0x7F) ++control;
    if (b == 0) ++zeros;
  }
  if (static_cast<double>(control) <= kMaxControlShare * static_cast<double>(bytes.size())) return std::nullopt;
  return zeros * 2 > bytes.size() ? "a run of zero bytes" : "binary data";
}

// How many line ends fall at each place of the 219.
struct LineEnds {
  explicit LineEnds(const CountedText& counted) : all(counted.lineEnds.size()) {
    for (size_t end : counted.lineEnds) ++atPlace[end % kRecord];
    if (all == 1) first = counted.lineEnds.front();
  }

  // The place where most line ends fall, when the file is clearly in the
  // line layout. A single line end counts when it ends a first line of 200
  // characters (a header of the line layout) or of 219 (a record).
  std::optional<size_t> Place() const {
    if (first == kLineHeaderLength || first == kRecord) return first % kRecord;
    size_t place = static_cast<size_t>(std::max_element(atPlace.begin(), atPlace.end()) - atPlace.begin());
    if (atPlace[place] < kMinLineEnds || atPlace[place] * 2 < all) return std::nullopt;
    return place;
  }
  // Whether a place holds enough line ends to be where records start.
  bool Holds(size_t place) const {
    return atPlace[place] >= kMinLineEnds &&
           static_cast<double>(atPlace[place]) >= kMinorShare * static_cast<double>(all);
  }

  std::array<size_t, kRecord> atPlace{};
  size_t all;
  size_t first = 0;
};

// What a file whose records start at counted place `place` looks like, and
// the options that read it aligned.
void DescribeMisaligned(std::string_view bytes, const CountedText& counted, size_t place, const LineEnds& lineEnds,
                        LayoutFinding* finding) {
  bool lines = lineEnds.Holds(place) || lineEnds.Place() == place;
  bool firstIsRecord =
      counted.text.size() >= kRecord && RecordScore(std::string_view(counted.text).substr(0, kRecord)) >= kViennaScore;
  std::string layout = lines ? "the line layout" : "the 2001 layout";
  bool lineAt200 = !counted.lineEnds.empty() && counted.lineEnds.front() == kLineHeaderLength;
  if (place == 0)
    finding->detected = layout + (firstIsRecord ? " without a header"
                                  : lines       ? " with a 219-character header"
                                                : " with a header");
  else if (place == kLineHeaderLength)
    finding->detected = layout + (lineAt200 ? " with a header" : " with a 200-character header");
  else
    finding->detected = layout + " with a header of " + std::to_string(place) + " characters";

  // Without a header first when the file starts with a record, else a header first.
  HeaderOptions noHeader{false, !lines}, header2001{true, true}, lineHeader{true, false};
  std::vector<HeaderOptions> candidates =
      firstIsRecord ? std::vector{noHeader, header2001, lineHeader} : std::vector{header2001, lineHeader, noHeader};
  for (const HeaderOptions& candidate : candidates) {
    std::optional<size_t> start = OptionsStart(bytes, candidate);
    if (start && *start % kRecord == place) {
      finding->fitting = candidate;
      finding->fittingFlags = FlagsFor(candidate);
      return;
    }
  }
}

}  // namespace

std::string FlagsFor(const HeaderOptions& options) {
  std::string flags;
  if (!options.vienna2001Format) flags = "--no-2001";
  if (!options.hasHeader) flags += flags.empty() ? "--no-header" : " --no-header";
  return flags;
}

LayoutFinding DetectLayout(std::string_view bytes, const HeaderOptions& options) {
  LayoutFinding finding;
  finding.optionsRead = Describe(options);
  if (bytes.empty()) return finding;
  if (std::optional<std::string> binary = BinaryContent(bytes)) {
    finding.verdict = LayoutVerdict::NotVienna;
    finding.detected = *binary;
    return finding;
  }
  std::optional<size_t> start = OptionsStart(bytes, options);
  if (!start) return finding;  // the import's header check speaks
  CountedText counted = Counted(bytes);
  size_t optionsPlace = *start % kRecord;

  LineEnds lineEnds(counted);
  std::optional<size_t> place = lineEnds.Place();
  if (place) {
    if (*place == optionsPlace || lineEnds.Holds(optionsPlace)) return finding;
  } else {
    // No line layout: the fields tell where the records start.
    std::optional<double> asRead = MeanScore(counted.text, *start);
    double best = 0;
    for (size_t p = 0; p < kRecord; ++p) {
      double score = MeanScore(counted.text, p).value_or(0);
      if (score > best) best = score, place = p;
    }
    if (best < kViennaScore) {
      // Not one whole record after the header: nothing to judge.
      if (!asRead) return finding;
      finding.verdict = LayoutVerdict::NotVienna;
      finding.detected = "text without Vienna records";
      return finding;
    }
    if (*place == optionsPlace || (asRead && *asRead >= kAlignedShare * best)) return finding;
  }
  finding.verdict = LayoutVerdict::Misaligned;
  DescribeMisaligned(bytes, counted, *place, lineEnds, &finding);
  return finding;
}

LayoutFinding DetectFileLayout(const std::filesystem::path& file, const HeaderOptions& options) {
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> in(std::fopen(file.c_str(), "rb"));
  std::error_code ec;
  if (!in || std::filesystem::is_directory(file, ec)) return LayoutFinding{};
  std::string sample(kLayoutSampleSize, '\0');
  sample.resize(std::fread(sample.data(), 1, sample.size(), in.get()));
  return DetectLayout(sample, options);
}

}  // namespace twinscan
