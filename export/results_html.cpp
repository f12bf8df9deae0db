#include "export/results_html.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <vector>

#include "record/layout.h"
#include "store/tables.h"

namespace twinscan {
namespace {

using namespace result_column;

constexpr const char* kStyle = R"(
body { font-family: sans-serif; font-size: 10pt; color: #222; margin: 1.5em; }
h1 { font-size: 16pt; margin: 0 0 .2em; }
h2 { font-size: 12pt; margin: 1.4em 0 .4em; border-bottom: 1px solid #bbb; }
table { border-collapse: collapse; margin: .3em 0; }
th, td { border: 1px solid #ccc; padding: 2px 5px; text-align: left; vertical-align: top; }
th { background: #eee; }
td.n { text-align: right; }
.meta { color: #555; }
.pairs td { font-size: 9pt; }
.diffs { list-style: none; margin: 0; padding: 0; }
.mark { display: inline-block; min-width: 1.4em; text-align: center; font-weight: bold; border: 1px solid; }
.mark-c { color: #a00; border-color: #a00; }
.mark-n { color: #8a5d00; border-color: #8a5d00; }
.mark-u { color: #555; border-color: #999; }
tr.critical td:first-child { border-left: 4px solid #c0392b; }
.seg-c { fill: #c0392b; } .seg-n { fill: #e6a700; } .seg-u { fill: #999; } .bar { fill: #4a78b0; }
svg text { font-family: sans-serif; font-size: 11px; fill: #222; }
.more { font-weight: bold; }
@media print {
  @page { size: A4 landscape; margin: 10mm; }
  body { margin: 0; font-size: 8pt; }
  thead { display: table-header-group; }
  tr, svg { break-inside: avoid; }
}
)";

void Html(std::string& out, std::string_view text) { AppendHtmlEscaped(out, text); }

void Cell(std::string& out, const store::Statement& row, int column) {
  std::string text;
  AppendCell(text, row, column);
  Html(out, text);
}

void Number(std::string& out, int64_t value) { AppendInteger(out, value); }

std::string NameOf(const FileSummary& f) {
  return f.import ? std::filesystem::path(f.import->file).filename().string() : std::string("(not recorded)");
}

// The run's compare mode of a field (1..28): '2' critical, '1' non-critical,
// '0' not checked; '?' when no run recorded it.
char ModeOf(const ResultsContext& c, int fieldNumber) {
  if (!c.run || static_cast<size_t>(fieldNumber) > c.run->modes.size()) return '?';
  return c.run->modes[static_cast<size_t>(fieldNumber - 1)];
}

void Mark(std::string& out, char mode) {
  if (mode == '2')
    out += R"(<span class="mark mark-c" title="critical">C</span>)";
  else if (mode == '1')
    out += R"(<span class="mark mark-n" title="non-critical">N</span>)";
  else
    out += R"(<span class="mark mark-u" title="without a mark">-</span>)";
}

void Files(std::string& out, const ResultsContext& c) {
  out +=
      "<h2>Files compared</h2>\n<table><thead><tr><th>File</th><th>Name</th><th>Imported</th>"
      "<th>Records</th><th>Erroneous</th></tr></thead>\n<tbody>\n";
  for (const FileSummary& f : c.files) {
    out += "<tr><td>";
    out += f.tag == "ff" ? "primary (ff)" : "secondary (sf)";
    out += "</td><td>";
    Html(out, NameOf(f));
    out += "</td><td>";
    Html(out, f.import ? f.import->importedAt : "");
    out += "</td><td class=\"n\">";
    Number(out, f.records);
    out += "</td><td class=\"n\">";
    Number(out, f.erroneous);
    out += "</td></tr>\n";
  }
  out += "</tbody></table>\n";
}

void Settings(std::string& out, const ResultsContext& c) {
  out += "<h2>Compare settings</h2>\n";
  if (!c.run) {
    out += "<p>No compare run has recorded its settings.</p>\n";
    return;
  }
  const store::RunInfo& run = *c.run;
  out += "<p>";
  out += run.kind == "manual" ? "Manual compare" : "Full compare";
  out += " made ";
  Html(out, run.madeAt);
  out += ". Erroneous records compared: ff ";
  out += run.compareErroneousFf ? "yes" : "no";
  out += ", sf ";
  out += run.compareErroneousSf ? "yes" : "no";
  out += ".</p>\n<table><thead><tr><th>Compare mode</th><th>Fields</th></tr></thead>\n<tbody>\n";
  for (auto [mode, name] : {std::pair{'2', "critical"}, {'1', "non-critical"}, {'0', "not checked"}}) {
    out += "<tr><td>";
    Mark(out, mode);
    out += ' ';
    out += name;
    out += "</td><td>";
    for (const RecordField& f : kFields)
      if (ModeOf(c, f.number) == mode) {
        out += f.code;
        out += ' ';
      }
    out += "</td></tr>\n";
  }
  out += "</tbody></table>\n<table><thead><tr><th>Search field</th>";
  for (std::string_view code : kSearchFieldCodes) {
    out += "<th>";
    out += code;
    out += "</th>";
  }
  out += "</tr></thead>\n<tbody><tr><td>use</td>";
  for (size_t i = 0; i < kSearchFieldCodes.size(); ++i) {
    char value = i < run.search.size() ? run.search[i] : '?';
    out += "<td>";
    out += value == '0' ? "not used" : value == '1' ? "exact" : value == '2' ? "tolerant" : "?";
    out += "</td>";
  }
  out += "</tr></tbody></table>\n";
}

void Summary(std::string& out, const ResultsSummary& s) {
  out += "<h2>Summary</h2>\n<table><tbody>\n";
  auto line = [&](const char* what, std::optional<int64_t> value) {
    out += "<tr><th>";
    out += what;
    out += "</th><td class=\"n\">";
    if (value)
      Number(out, *value);
    else
      out += "not known";
    out += "</td></tr>\n";
  };
  line("Compared pairs", s.pairs);
  line("Pairs with critical differences", s.critical);
  line("Pairs with non-critical differences", s.nonCritical);
  line("Pairs without differences", s.withoutDifferences);
  line("Primary records without candidate", s.withoutCandidate);
  line("Decided pairs", s.decided);
  line("Undecided pairs", s.undecided);
  out += "</tbody></table>\n";
}

struct Bar {
  std::string label;
  std::array<int64_t, 3> parts{};  // critical, non-critical, unmarked; or one plain count in parts[0]
};

// A horizontal bar chart; `stacked` colours the three parts of each bar.
void BarChart(std::string& out, const std::string& title, const std::vector<Bar>& bars, int labelWidth, bool stacked) {
  if (bars.empty()) {
    out += "<p>None.</p>\n";
    return;
  }
  constexpr int kWidth = 960, kRow = 20, kCountWidth = 170;
  const int height = kRow * static_cast<int>(bars.size()) + 6;
  const double barWidth = kWidth - labelWidth - kCountWidth;
  int64_t most = 1;
  for (const Bar& b : bars) most = std::max(most, b.parts[0] + b.parts[1] + b.parts[2]);
  out += "<svg width=\"" + std::to_string(kWidth) + "\" height=\"" + std::to_string(height) + "\" viewBox=\"0 0 " +
         std::to_string(kWidth) + " " + std::to_string(height) + "\" role=\"img\" aria-label=\"";
  Html(out, title);
  out += "\">\n";
  static constexpr const char* kClasses[] = {"seg-c", "seg-n", "seg-u"};
  static constexpr const char* kLetters[] = {"C ", "N ", "- "};
  for (size_t i = 0; i < bars.size(); ++i) {
    const Bar& b = bars[i];
    const int y = kRow * static_cast<int>(i) + 3;
    out +=
        "<text x=\"" + std::to_string(labelWidth - 6) + "\" y=\"" + std::to_string(y + 13) + "\" text-anchor=\"end\">";
    Html(out, b.label);
    out += "</text>";
    double x = labelWidth;
    std::string counts;
    for (size_t k = 0; k < 3; ++k) {
      if (b.parts[k] == 0) continue;
      double w = barWidth * static_cast<double>(b.parts[k]) / static_cast<double>(most);
      char rect[160];
      std::snprintf(rect, sizeof rect, "<rect x=\"%.1f\" y=\"%d\" width=\"%.1f\" height=\"14\" class=\"%s\"/>", x, y, w,
                    stacked ? kClasses[k] : "bar");
      out += rect;
      x += w;
      if (stacked) counts += kLetters[k];
      counts += std::to_string(b.parts[k]) + "  ";
    }
    out += "<text x=\"" + std::to_string(static_cast<int>(x) + 6) + "\" y=\"" + std::to_string(y + 13) + "\">";
    Html(out, counts);
    out += "</text>\n";
  }
  out += "</svg>\n";
}

void FieldChart(std::string& out, store::Database& db, const ResultsContext& c) {
  std::string sql = "SELECT ";
  for (const RecordField& f : kFields)
    sql += std::string(f.number > 1 ? ", " : "") + "count(" + store::QuoteName(f.code) + ")";
  store::Statement counts = db.Prepare(sql + " FROM " + store::kTableResult);
  counts.Step();
  std::vector<Bar> bars;
  for (const RecordField& f : kFields) {
    int64_t n = counts.ColumnInt(f.number - 1);
    if (n == 0) continue;
    char mode = ModeOf(c, f.number);
    Bar bar{std::string(f.code), {}};
    bar.parts[mode == '2' ? 0 : mode == '1' ? 1 : 2] = n;
    bars.push_back(bar);
  }
  out += "<h2>Differing pairs per field</h2>\n<p>";
  Mark(out, '2');
  out += " critical, ";
  Mark(out, '1');
  out += " non-critical, ";
  Mark(out, '0');
  out += " recorded without a mark (by the run's compare mode of the field).</p>\n";
  BarChart(out, "Differing pairs per field", bars, 60, true);
}

// The most frequent messages of a table's records; the import separates
// them with ';'.
std::vector<Bar> TopMessages(store::Database& db, const std::string& table, size_t count) {
  std::map<std::string, int64_t, std::less<>> seen;
  store::Statement s = db.Prepare("SELECT ermsg FROM " + table + " WHERE ermsg IS NOT NULL AND ermsg <> ''");
  while (s.Step()) {
    std::string_view text = s.ColumnText(0);
    while (!text.empty()) {
      size_t end = text.find(';');
      std::string_view piece = text.substr(0, end);
      size_t first = piece.find_first_not_of(' '), last = piece.find_last_not_of(' ');
      if (first != std::string_view::npos) {
        piece = piece.substr(first, last - first + 1);
        auto it = seen.find(piece);
        if (it == seen.end()) it = seen.emplace(std::string(piece), 0).first;
        ++it->second;
      }
      if (end == std::string_view::npos) break;
      text.remove_prefix(end + 1);
    }
  }
  std::vector<Bar> bars;
  for (const auto& [text, n] : seen) bars.push_back({text, {n, 0, 0}});
  std::stable_sort(bars.begin(), bars.end(), [](const Bar& a, const Bar& b) { return a.parts[0] > b.parts[0]; });
  if (bars.size() > count) bars.resize(count);
  return bars;
}

void MessageCharts(std::string& out, store::Database& db, const ResultsContext& c) {
  out += "<h2>Most frequent validation messages</h2>\n";
  for (const FileSummary& f : c.files) {
    out += "<h3>";
    out += f.tag == "ff" ? "Primary file (ff): " : "Secondary file (sf): ";
    Html(out, NameOf(f));
    out += "</h3>\n";
    BarChart(out, "Most frequent validation messages of " + f.tag, TopMessages(db, f.table, 15), 330, false);
  }
}

void Decision(std::string& out, const store::Statement& row) {
  if (IsNullCell(row, kAcceptFirst) && IsNullCell(row, kAcceptSecond)) {
    out += "undecided";
    return;
  }
  auto side = [&](const char* tag, int column) {
    out += tag;
    out += IsNullCell(row, column) ? "?" : row.ColumnInt(column) != 0 ? "accepted" : "not accepted";
  };
  side("ff ", kAcceptFirst);
  out += "<br>";
  side("sf ", kAcceptSecond);
}

void Differences(std::string& out, const store::Statement& row, const ResultsContext& c) {
  out += "<ul class=\"diffs\">";
  for (const RecordField& f : kFields) {
    int column = kDifference + f.number - 1;
    if (IsNullCell(row, column)) continue;
    std::string text;
    AppendCell(text, row, column);
    out += "<li>";
    Mark(out, ModeOf(c, f.number));
    out += " <b>";
    out += f.code;
    out += "</b> ";
    // The difference is stored as "primary <-> secondary".
    size_t split = text.find(" <-> ");
    if (split == std::string::npos) {
      Html(out, text);
    } else {
      Html(out, std::string_view(text).substr(0, split));
      out += " &#8594; ";
      Html(out, std::string_view(text).substr(split + 5));
    }
    out += "</li>";
  }
  out += "</ul>";
}

void IdentityHeader(std::string& out, const char* tag) {
  out += "<th>";
  out += tag;
  out += " line</th>";
  for (std::string_view field : kIdentifyingFields) {
    out += "<th>";
    out += tag;
    out += ' ';
    out += field;
    out += "</th>";
  }
}

void Identity(std::string& out, const store::Statement& row, int line, int first) {
  out += "<td class=\"n\">";
  Cell(out, row, line);
  out += "</td>";
  for (int i = 0; i < static_cast<int>(kIdentifyingFields.size()); ++i) {
    out += i == 0 ? "<td class=\"n\">" : "<td>";
    Cell(out, row, first + i);
    out += "</td>";
  }
}

ResultsWritten Pairs(OutputBuffer& buffer, store::Database& db, const ResultSelection& selection,
                     const HtmlReportOptions& options, const ResultsContext& c, const ResultsProgress& progress) {
  std::string& out = buffer.text();
  ResultRowReader reader(db, selection);
  const int64_t shown = std::min(std::max<int64_t>(options.limit, 0), reader.total());
  out += "<h2>Pairs</h2>\n<p>Filter: ";
  Html(out, options.filter);
  out += ". ";
  Number(out, reader.total());
  out += " pairs selected, ";
  Number(out, shown);
  out += " shown.</p>\n";
  ResultsWritten written;
  if (shown > 0) {
    out += "<table class=\"pairs\"><thead><tr>";
    IdentityHeader(out, "ff");
    IdentityHeader(out, "sf");
    out +=
        "<th>Differences (ff &#8594; sf)</th><th>Decision</th><th>Remark</th><th>Reference</th></tr></thead>\n"
        "<tbody>\n";
    while (written.rows < shown && reader.Next()) {
      const store::Statement& row = reader.row();
      bool critical = !IsNullCell(row, kCritical) && row.ColumnInt(kCritical) != 0;
      out += critical ? "<tr class=\"critical\">" : "<tr>";
      Identity(out, row, kLine, kFirstIdentity);
      Identity(out, row, kLine2, kSecondIdentity);
      out += "<td>";
      Differences(out, row, c);
      out += "</td><td>";
      Decision(out, row);
      out += "</td><td>";
      Cell(out, row, kRemark);
      out += "</td><td>";
      Cell(out, row, kReference);
      out += "</td></tr>\n";
      buffer.Spill();
      if (++written.rows % kResultsProgressEvery == 0 && progress && !progress(written.rows, shown)) {
        written.cancelled = true;
        return written;
      }
    }
    out += "</tbody></table>\n";
  }
  if (reader.total() > shown) {
    out += "<p class=\"more\">";
    Number(out, reader.total() - shown);
    out += " more pairs are not shown here; the CSV and JSON exports hold them all.</p>\n";
  }
  if (progress && !progress(written.rows, shown)) written.cancelled = true;
  return written;
}

void WithoutCandidate(OutputBuffer& buffer, store::Database& db, const HtmlReportOptions& options,
                      const ResultsContext& c) {
  std::string& out = buffer.text();
  out += "<h2>Primary records without candidate</h2>\n";
  if (!c.summary.withoutCandidate) {
    out += "<p>Not known: no compare run has recorded them.</p>\n";
    return;
  }
  const int64_t total = *c.summary.withoutCandidate;
  const int64_t shown = std::min(std::max<int64_t>(options.limit, 0), total);
  if (total == 0) {
    out += "<p>None.</p>\n";
    return;
  }
  if (shown > 0) {
    out += "<table><thead><tr>";
    IdentityHeader(out, "ff");
    out += "</tr></thead>\n<tbody>\n";
    store::Statement rows = SelectWithoutCandidate(db);
    for (int64_t n = 0; n < shown && rows.Step(); ++n) {
      out += "<tr>";
      Identity(out, rows, 0, 1);
      out += "</tr>\n";
      buffer.Spill();
    }
    out += "</tbody></table>\n";
  }
  if (total > shown) {
    out += "<p class=\"more\">";
    Number(out, total - shown);
    out += " more records are not shown here.</p>\n";
  }
}

}  // namespace

void AppendHtmlEscaped(std::string& out, std::string_view text) {
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char* entity = nullptr;
    switch (text[i]) {
      case '&': entity = "&amp;"; break;
      case '<': entity = "&lt;"; break;
      case '>': entity = "&gt;"; break;
      case '"': entity = "&quot;"; break;
      case '\'': entity = "&#39;"; break;
      default: continue;
    }
    AppendUtf8(out, text.substr(start, i - start));
    out += entity;
    start = i + 1;
  }
  AppendUtf8(out, text.substr(start));
}

ResultsWritten WriteResultsHtml(store::Database& db, const ResultSelection& selection, const HtmlReportOptions& options,
                                const ResultsSink& sink, const ResultsProgress& progress) {
  ResultsContext context = ReadResultsContext(db);
  OutputBuffer buffer(sink);
  std::string& out = buffer.text();
  out +=
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<title>twinscan: comparison results</title>\n<style>";
  out += kStyle;
  out += "</style>\n</head>\n<body>\n<h1>Comparison results</h1>\n<p class=\"meta\">Report written ";
  Html(out, options.writtenAt.empty() ? store::LocalTimeText() : options.writtenAt);
  out += " by twinscan.</p>\n";
  Files(out, context);
  Settings(out, context);
  Summary(out, context.summary);
  FieldChart(out, db, context);
  MessageCharts(out, db, context);
  buffer.Spill();
  ResultsWritten written = Pairs(buffer, db, selection, options, context, progress);
  if (written.cancelled) return written;
  WithoutCandidate(buffer, db, options, context);
  out += "</body>\n</html>\n";
  buffer.Flush();
  return written;
}

}  // namespace twinscan
