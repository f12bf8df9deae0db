#include "tools/vienna_generator.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <random>
#include <string_view>

#include "record/layout.h"

namespace twinscan::gen {
namespace {

using Random = std::mt19937_64;

constexpr std::array<std::string_view, 9> kFixedClasses{"FX", "FB", "FL", "FC", "FP", "LR", "TC", "FA", "FS"};
constexpr std::array<std::string_view, 5> kMobileClasses{"ML", "MO", "MS", "MA", "MR"};
constexpr std::array<std::string_view, 13> kServices{"CO", "CP", "CR", "CV", "FS", "HP", "MX",
                                                     "OT", "RC", "RD", "RG", "RT", "ST"};
constexpr std::string_view kCategoryLetters = "ABCDEFGHIKLMNOPQRSTUVWXYZ";
constexpr std::array<std::string_view, 17> kCountries{"BEL", "HOL", "D  ", "F  ", "LUX", "G  ", "AUT", "CZE", "HNG",
                                                      "HRV", "I  ", "LTU", "POL", "ROU", "SVK", "SVN", "SUI"};
constexpr std::array<std::string_view, 24> kTowns{"ANTWERPEN", "BRUGGE", "GENT",   "LIEGE", "NAMUR",  "UTRECHT",
                                                  "ARNHEM",    "AACHEN", "KOELN",  "LILLE", "REIMS",  "ARLON",
                                                  "DOVER",     "WIEN",   "GRAZ",   "BRNO",  "GYOR",   "ZAGREB",
                                                  "TORINO",    "KAUNAS", "POZNAN", "CLUJ",  "KOSICE", "BASEL"};
constexpr std::array<std::string_view, 5> kEmissions{"16K0F3EJN", "11K0F3EJN", "12K5F3EJN", "8K50F1DJN", "25K0G3EJN"};
constexpr std::array<std::string_view, 6> kAntennaCodes{"090EA03", "120EB06", "045DE10",
                                                        "180LA02", "030VA05", "270WB04"};
constexpr std::string_view kStatuses = "ABCDEFGHMNPRWYZ";
constexpr std::array<std::string_view, 6> kRemarkWords{"REPEATER", "BASE", "LINK", "TAXI", "POLICE", "WATER"};

// Channel grids (MHz): first channel, channel spacing, number of channels.
struct Band {
  double first, spacing;
  int channels;
};
constexpr std::array<Band, 4> kBands{
    {{68.0125, 0.0125, 1560}, {146.0, 0.0125, 2240}, {406.1, 0.0125, 5112}, {440.0, 0.00625, 4800}}};

int Uniform(Random& r, int low, int high) { return std::uniform_int_distribution<int>(low, high)(r); }
bool Chance(Random& r, double p) { return std::uniform_real_distribution<double>(0, 1)(r) < p; }
template <typename List>
std::string_view Pick(Random& r, const List& list) {
  return list[static_cast<size_t>(Uniform(r, 0, static_cast<int>(list.size()) - 1))];
}

template <typename Number>
std::string Format(const char* format, Number value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, format, value);
  return buf;
}

const RecordField& Field(std::string_view code) {
  for (const RecordField& f : kRecordFields)
    if (f.code == code) return f;
  return kRecordFields[0];
}

void Set(std::string& record, std::string_view code, std::string_view text) {
  const RecordField& f = Field(code);
  std::string padded(text.substr(0, static_cast<size_t>(f.width())));
  padded.resize(static_cast<size_t>(f.width()), ' ');
  record.replace(static_cast<size_t>(f.first - 1), padded.size(), padded);
}

std::string Get(const std::string& record, std::string_view code) {
  return std::string(FieldText(record, Field(code)));
}

std::string Date(Random& r) {
  return Format("%02d", Uniform(r, 1, 28)) + Format("%02d", Uniform(r, 1, 12)) + Format("%04d", Uniform(r, 1985, 2025));
}

std::string Frequency(double mhz) { return Format("%011.5f", mhz); }

// dddHmmssddNmmss from seconds of arc east (negative: west) and north.
std::string Coordinates(long lonSeconds, long latSeconds) {
  char hemisphere = lonSeconds < 0 ? 'W' : 'E';
  long lon = std::labs(lonSeconds);
  char buf[96];
  std::snprintf(buf, sizeof buf, "%03ld%c%02ld%02ld%02ldN%02ld%02ld", lon / 3600, hemisphere, lon / 60 % 60, lon % 60,
                latSeconds / 3600, latSeconds / 60 % 60, latSeconds % 60);
  return buf;
}

bool ParseCoordinates(const std::string& c, long* lon, long* lat) {
  if (c.size() != 15 || (c[3] != 'E' && c[3] != 'W') || c[10] != 'N') return false;
  for (int i : {0, 1, 2, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14})
    if (c[static_cast<size_t>(i)] < '0' || c[static_cast<size_t>(i)] > '9') return false;
  auto n = [&](int at, int len) { return std::stol(c.substr(static_cast<size_t>(at), static_cast<size_t>(len))); };
  *lon = n(0, 3) * 3600 + n(4, 2) * 60 + n(6, 2);
  if (c[3] == 'W') *lon = -*lon;
  *lat = n(8, 2) * 3600 + n(11, 2) * 60 + n(13, 2);
  return true;
}

std::string ValidRecord(Random& r, int number) {
  std::string rec(kRecordLength, ' ');
  const Band& band = kBands[static_cast<size_t>(Uniform(r, 0, static_cast<int>(kBands.size()) - 1))];
  double mhz = band.first + band.spacing * Uniform(r, 0, band.channels - 1);
  bool mobile = Chance(r, 0.3);
  std::string_view country = Pick(r, kCountries);

  Set(rec, "1A", Frequency(mhz));
  Set(rec, "1A unit", "M");
  Set(rec, "1Z", std::string(1, static_cast<char>('1' + Uniform(r, 0, 4))));
  Set(rec, "6A", mobile ? Pick(r, kMobileClasses) : Pick(r, kFixedClasses));
  Set(rec, "6B", Pick(r, kServices));
  Set(rec, "6Z",
      std::string{kCategoryLetters[static_cast<size_t>(Uniform(r, 0, 24))],
                  kCategoryLetters[static_cast<size_t>(Uniform(r, 0, 24))]});
  Set(rec, "10Z", Chance(r, 0.5) ? "0" : "1");
  Set(rec, "2C", Date(r));
  std::string name(Pick(r, kTowns));
  if (Chance(r, 0.5)) name += " " + std::to_string(Uniform(r, 1, 99));
  Set(rec, "4A", name);
  Set(rec, "4B", country);
  // Europe: 10 degrees west to 40 east, 36 to 70 north.
  Set(rec, "4C", Coordinates(Uniform(r, -10 * 3600, 40 * 3600), Uniform(r, 36 * 3600, 70 * 3600)));
  Set(rec, "4D", Format("%05d", mobile ? Uniform(r, 1, 50) : 0));
  if (!mobile) Set(rec, "4Z", Format("%04d", Uniform(r, 0, 2500)));
  Set(rec, "7A", Pick(r, kEmissions));
  Set(rec, "8B1", Format("%06.1f", Uniform(r, 1, 1000) / 10.0));
  Set(rec, "8B2", Chance(r, 0.8) ? "E" : "I");
  if (!mobile) Set(rec, "9A", Format("%05.1f", Uniform(r, 0, 3599) / 10.0));
  Set(rec, "9B", Format("%05.1f", Uniform(r, -90, 90) / 1.0));
  Set(rec, "9D", Chance(r, 0.5) ? "H" : "V");
  if (!mobile) Set(rec, "9G", Format("%04.1f", Uniform(r, 0, 299) / 10.0));
  Set(rec, "9Y", Format("%04d", Uniform(r, 1, 150)));
  Set(rec, "9XH", mobile ? "000ND00" : Pick(r, kAntennaCodes));
  Set(rec, "9XV", Pick(r, kAntennaCodes));
  if (Chance(r, 0.6)) {
    Set(rec, "1Y", Frequency(mhz + (Chance(r, 0.5) ? 0 : 4.6)));
    Set(rec, "1Y unit", "M");
  }
  Set(rec, "13Z", std::string(Pick(r, kRemarkWords)) + " " + std::to_string(Uniform(r, 1, 999)));
  Set(rec, "13Y",
      std::string(1, kStatuses[static_cast<size_t>(Uniform(r, 0, static_cast<int>(kStatuses.size()) - 1))]));
  Set(rec, "2W", Date(r));
  Set(rec, "2Z", Date(r));
  Set(rec, "13X",
      std::string(country) + Format("%02d", Uniform(r, 10, 99)) + Format("%06d", number % 1000000) +
          Format("%04d", Uniform(r, 0, 9999)));
  return rec;
}

// One fault of a kind the field checks know; most are errors, some only
// corrections or warnings.
void InjectFault(Random& r, std::string& rec, bool unitFaults) {
  switch (Uniform(r, 0, unitFaults ? 24 : 22)) {
    case 0: Set(rec, "1A", "00123,45000"); break;
    case 1: Set(rec, "1A unit", "X"); break;
    case 2: Set(rec, "1Z", " "); break;
    case 3: Set(rec, "6A", "XY"); break;
    case 4: Set(rec, "6A", " F"); break;
    case 5: Set(rec, "6B", "  "); break;
    case 6: Set(rec, "6Z", "JA"); break;
    case 7: Set(rec, "10Z", "A"); break;
    case 8: Set(rec, "2C", "31022001"); break;
    case 9: Set(rec, "4A", "O'NEIL STATION"); break;
    case 10: Set(rec, "4B", "NL "); break;
    case 11: Set(rec, "4C", "004E300051S3000"); break;
    case 12: Set(rec, "4C", "045E000050N0000"); break;
    case 13: Set(rec, "4C", ""); break;
    case 14: Set(rec, "4D", "ABCDE"); break;
    case 15: Set(rec, "7A", "16k0F3EJN"); break;
    case 16: Set(rec, "8B2", "e"); break;
    case 17: Set(rec, "9D", "  "); break;
    case 18: Set(rec, "9Y", "12A4"); break;
    case 19: Set(rec, "13Z", "Caf\xE9 du Nord, l'\xE9t\xE9"); break;
    case 20: Set(rec, "13Y", "Q"); break;
    case 21: Set(rec, "2W", "3112    "); break;
    case 22: Set(rec, "13X", "XXX500001230111"); break;
    case 23: Set(rec, "1A unit", "k"); break;
    default: Set(rec, "1Y unit", "G"); break;
  }
}

}  // namespace

std::vector<std::string> GenerateRecords(const RecordOptions& options) {
  Random r(options.seed);
  std::vector<std::string> records;
  records.reserve(static_cast<size_t>(std::max(0, options.records)));
  for (int i = 0; i < options.records; ++i) {
    std::string rec = ValidRecord(r, i + 1);
    if (Chance(r, options.faultShare)) {
      int faults = Uniform(r, 1, 3);
      for (int f = 0; f < faults; ++f) InjectFault(r, rec, options.unitFaults);
    }
    records.push_back(std::move(rec));
  }
  return records;
}

std::vector<std::string> DeriveSecondary(const std::vector<std::string>& primary, const DeriveOptions& options) {
  Random r(options.seed);
  std::vector<std::string> out;
  out.reserve(primary.size() + primary.size() / 5);
  for (const std::string& p : primary) {
    if (Chance(r, options.dropShare)) continue;
    std::string s = p;
    if (Chance(r, options.changeShare)) {
      switch (Uniform(r, 0, 5)) {
        case 0: Set(s, "6B", Pick(r, kServices)); break;
        case 1: Set(s, "7A", Pick(r, kEmissions)); break;
        case 2: Set(s, "13Z", std::string(Pick(r, kRemarkWords)) + " CHANGED"); break;
        case 3: Set(s, "9Y", Format("%04d", Uniform(r, 1, 150))); break;
        case 4: Set(s, "8B1", Format("%06.1f", Uniform(r, 1, 1000) / 10.0)); break;
        default: Set(s, "2Z", Date(r)); break;
      }
    }
    bool inside = Chance(r, options.moveInsideShare);
    bool outside = !inside && Chance(r, options.moveOutsideShare);
    if (inside || outside) {
      std::string f = Get(s, "1A");
      long lon, lat;
      if (Chance(r, 0.5) && f.find_first_not_of("0123456789.") == std::string::npos) {
        // The frequency band is 100 Hz wide on each side.
        double mhz = std::stod(f) + (inside ? 0.0001 : 0.0002) * (Chance(r, 0.5) ? 1 : -1);
        Set(s, "1A", Frequency(mhz));
      } else if (ParseCoordinates(Get(s, "4C"), &lon, &lat)) {
        // The zone is 59 seconds of arc on each side.
        long shift = (inside ? Uniform(r, 1, 58) : Uniform(r, 60, 600)) * (Chance(r, 0.5) ? 1 : -1);
        if (Chance(r, 0.5))
          lon += shift;
        else
          lat += shift;
        if (lat >= 0 && lat < 90 * 3600 && std::labs(lon) < 40 * 3600) Set(s, "4C", Coordinates(lon, lat));
      }
    }
    out.push_back(s);
    if (Chance(r, options.duplicateShare)) out.push_back(s);
  }
  int added = static_cast<int>(static_cast<double>(primary.size()) * options.addShare);
  std::vector<std::string> extra = GenerateRecords({options.seed + 1000, added, 0.0, false});
  out.insert(out.end(), extra.begin(), extra.end());
  std::shuffle(out.begin(), out.end(), r);
  return out;
}

std::string RenderFile(const std::vector<std::string>& records, const FileOptions& options) {
  std::string out;
  out.reserve(records.size() * (kRecordLength + 2) + kRecordLength + 2);
  if (options.header) {
    if (options.layout2001) {
      std::string header = "VIENNA HEADER 2001 GENERATED TEST FILE";
      header.resize(kRecordLength, ' ');
      out += header;
      if (options.lineEnds2001) out += "\r\n";
    } else {
      std::string header = "VIENNA HEADER GENERATED TEST FILE";
      header.resize(200, ' ');
      out += header + "\r\n";
    }
  }
  for (const std::string& rec : records) {
    out += rec;
    if (!options.layout2001 || options.lineEnds2001) out += "\r\n";
  }
  return out;
}

}  // namespace twinscan::gen
