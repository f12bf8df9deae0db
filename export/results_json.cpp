#include "export/results_json.h"

#include <array>
#include <filesystem>
#include <vector>

#include "record/layout.h"

namespace twinscan {
namespace {

using namespace result_column;

void Key(std::string& out, std::string_view key) {
  AppendJsonString(out, key);
  out += ':';
}

// A stored cell as a JSON value: null, a number or a string.
void Cell(std::string& out, const store::Statement& row, int column) {
  switch (row.ColumnStored(column)) {
    case store::Statement::Stored::Null: out += "null"; return;
    case store::Statement::Stored::Integer: AppendInteger(out, row.ColumnInt(column)); return;
    case store::Statement::Stored::Real: {
      size_t before = out.size();
      AppendNumber(out, row.ColumnDouble(column));
      if (out.size() == before) out += "null";
      return;
    }
    case store::Statement::Stored::Text: AppendJsonString(out, row.ColumnText(column)); return;
  }
}

void Boolean(std::string& out, const store::Statement& row, int column, bool nullIsFalse) {
  if (IsNullCell(row, column))
    out += nullIsFalse ? "false" : "null";
  else
    out += row.ColumnInt(column) != 0 ? "true" : "false";
}

void Text(std::string& out, const std::optional<std::string>& text) {
  if (text)
    AppendJsonString(out, *text);
  else
    out += "null";
}

void Files(std::string& out, const ResultsContext& c) {
  out += "\"files\":[";
  for (const FileSummary& f : c.files) {
    if (&f != &c.files[0]) out += ',';
    out += '{';
    Key(out, "tag");
    AppendJsonString(out, f.tag);
    out += ',';
    Key(out, "table");
    AppendJsonString(out, f.table);
    out += ',';
    Key(out, "name");
    Text(out, f.import ? std::optional(std::filesystem::path(f.import->file).filename().string()) : std::nullopt);
    out += ',';
    Key(out, "imported");
    Text(out, f.import ? std::optional(f.import->importedAt) : std::nullopt);
    out += ",\"records\":";
    AppendInteger(out, f.records);
    out += ",\"erroneous\":";
    AppendInteger(out, f.erroneous);
    out += '}';
  }
  out += ']';
}

// A setting's digit as a number; null when the stored text is not a setting.
void Digit(std::string& out, char digit) {
  if (digit >= '0' && digit <= '2')
    out += digit;
  else
    out += "null";
}

void Settings(std::string& out, const ResultsContext& c) {
  out += "\"settings\":";
  if (!c.run) {
    out += "null";
    return;
  }
  const store::RunInfo& run = *c.run;
  out += '{';
  Key(out, "run");
  AppendJsonString(out, run.kind);
  out += ',';
  Key(out, "made");
  AppendJsonString(out, run.madeAt);
  out += ",\"mode\":{";
  for (size_t i = 0; i < kFields.size() && i < run.modes.size(); ++i) {
    if (i > 0) out += ',';
    Key(out, kFields[i].code);
    Digit(out, run.modes[i]);
  }
  out += "},\"search\":{";
  for (size_t i = 0; i < kSearchFieldCodes.size() && i < run.search.size(); ++i) {
    if (i > 0) out += ',';
    Key(out, kSearchFieldCodes[i]);
    Digit(out, run.search[i]);
  }
  out += "},\"compare-erroneous\":[";
  if (run.compareErroneousFf) out += "\"ff\"";
  if (run.compareErroneousFf && run.compareErroneousSf) out += ',';
  if (run.compareErroneousSf) out += "\"sf\"";
  out += "]}";
}

void Summary(std::string& out, const ResultsSummary& s, int64_t exported) {
  out += "\"summary\":{";
  for (auto [key, value] : {std::pair<const char*, int64_t>{"pairs", s.pairs},
                            {"critical", s.critical},
                            {"noncritical", s.nonCritical},
                            {"without-differences", s.withoutDifferences},
                            {"decided", s.decided},
                            {"undecided", s.undecided},
                            {"exported", exported}}) {
    Key(out, key);
    AppendInteger(out, value);
    out += ',';
  }
  Key(out, "without-candidate");
  if (s.withoutCandidate)
    AppendInteger(out, *s.withoutCandidate);
  else
    out += "null";
  out += '}';
}

// The keys a pair repeats, as JSON with their colons, made once per export.
struct PairKeys {
  std::array<std::string, kIdentifyingFields.size()> identity;
  std::vector<std::string> differences;  // per field of kFields
  PairKeys() {
    for (size_t i = 0; i < identity.size(); ++i) Key(identity[i], kIdentifyingFields[i]);
    for (const RecordField& f : kFields) Key(differences.emplace_back(), f.code);
  }
};

void Identity(std::string& out, const store::Statement& row, int first, const PairKeys& keys) {
  out += '{';
  for (size_t i = 0; i < kIdentifyingFields.size(); ++i) {
    if (i > 0) out += ',';
    out += keys.identity[i];
    Cell(out, row, first + static_cast<int>(i));
  }
  out += '}';
}

void Pair(std::string& out, const store::Statement& row, const PairKeys& keys) {
  out += "{\"linenumber\":";
  Cell(out, row, kLine);
  out += ",\"linenumber2\":";
  Cell(out, row, kLine2);
  out += ",\"critical\":";
  Boolean(out, row, kCritical, true);
  out += ",\"noncritical\":";
  Boolean(out, row, kNonCritical, true);
  out += ",\"ff\":";
  Identity(out, row, kFirstIdentity, keys);
  out += ",\"sf\":";
  Identity(out, row, kSecondIdentity, keys);
  out += ",\"differences\":{";
  bool first = true;
  size_t fields = row.ColumnInt(kNoDifference) != 0 ? 0 : kFields.size();
  for (size_t i = 0; i < fields; ++i) {
    int column = kDifference + static_cast<int>(i);
    if (IsNullCell(row, column)) continue;
    if (!first) out += ',';
    first = false;
    out += keys.differences[i];
    Cell(out, row, column);
  }
  out += "},\"ACCEPTFIRST\":";
  Boolean(out, row, kAcceptFirst, false);
  out += ",\"ACCEPTSECOND\":";
  Boolean(out, row, kAcceptSecond, false);
  out += ",\"REMARK\":";
  Cell(out, row, kRemark);
  out += ",\"REFERENCE_TO_DB\":";
  Cell(out, row, kReference);
  out += '}';
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  // Most texts are printable ASCII and go out as they are.
  bool plain = true;
  for (char c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u >= 0x80 || c == '"' || c == '\\') {
      plain = false;
      break;
    }
  }
  if (plain) {
    out.append(text);
    out += '"';
    return;
  }
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c != '"' && c != '\\') continue;
    AppendUtf8(out, text.substr(start, i - start));
    start = i + 1;
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        out += "\\u00";
        out += kHex[c >> 4];
        out += kHex[c & 0xF];
    }
  }
  AppendUtf8(out, text.substr(start));
  out += '"';
}

ResultsWritten WriteResultsJson(store::Database& db, const ResultSelection& selection, const ResultsSink& sink,
                                const ResultsProgress& progress) {
  ResultsContext context = ReadResultsContext(db);
  ResultRowReader reader(db, selection);
  OutputBuffer buffer(sink);
  std::string& out = buffer.text();
  out += '{';
  Files(out, context);
  out += ",\n";
  Settings(out, context);
  out += ",\n";
  Summary(out, context.summary, reader.total());
  out += ",\n\"pairs\":[";
  const PairKeys keys;
  ResultsWritten written;
  while (reader.Next()) {
    out += written.rows == 0 ? "\n" : ",\n";
    Pair(out, reader.row(), keys);
    buffer.Spill();
    if (++written.rows % kResultsProgressEvery == 0 && progress && !progress(written.rows, reader.total())) {
      written.cancelled = true;
      return written;
    }
  }
  out += "]}\n";
  buffer.Flush();
  // A stop asked for at the very end still stops: the caller keeps nothing.
  if (progress && !progress(written.rows, reader.total())) written.cancelled = true;
  return written;
}

}  // namespace twinscan
