#include "export/results_csv.h"

#include "record/layout.h"

namespace twinscan {
namespace {

using namespace result_column;

void AppendQuoted(std::string& out, std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    out.append(text);
    return;
  }
  out += '"';
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

// Whether text goes out as it is: ASCII (valid UTF-8 unchanged) with
// nothing that calls for quotes.
bool IsPlain(std::string_view text) {
  for (char c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u >= 0x80 || c == ',' || c == '"' || c == '\r' || c == '\n') return false;
  }
  return true;
}

// A data cell: its text, quoted when it must be. Numbers never need quotes.
void Field(std::string& out, const store::Statement& row, int column, std::string& scratch) {
  switch (row.ColumnStored(column)) {
    case store::Statement::Stored::Null: return;
    case store::Statement::Stored::Integer: AppendInteger(out, row.ColumnInt(column)); return;
    case store::Statement::Stored::Real: AppendNumber(out, row.ColumnDouble(column)); return;
    case store::Statement::Stored::Text: break;
  }
  std::string_view text = row.ColumnText(column);
  if (IsPlain(text)) {
    out.append(text);
    return;
  }
  scratch.clear();
  AppendUtf8(scratch, text);
  AppendQuoted(out, scratch);
}

// Free text typed by a person, kept from being read as a formula.
void TypedText(std::string& out, const store::Statement& row, int column, std::string& scratch) {
  if (IsNullCell(row, column)) return;
  scratch.clear();
  AppendCell(scratch, row, column);
  if (!scratch.empty() && (scratch[0] == '=' || scratch[0] == '+' || scratch[0] == '-' || scratch[0] == '@'))
    scratch.insert(scratch.begin(), '\'');
  AppendQuoted(out, scratch);
}

void Mark(std::string& out, const store::Statement& row, int column) {
  out += !IsNullCell(row, column) && row.ColumnInt(column) != 0 ? "true" : "false";
}

void Decision(std::string& out, const store::Statement& row, int column) {
  if (!IsNullCell(row, column)) out += row.ColumnInt(column) != 0 ? "true" : "false";
}

std::string HeaderRow() {
  std::string header = "linenumber,linenumber2,critical,noncritical";
  for (const char* side : {"ff_", "sf_"})
    for (std::string_view field : kIdentifyingFields) header += "," + std::string(side) + std::string(field);
  for (const RecordField& f : kFields) header += "," + std::string(f.code);
  return header + ",ACCEPTFIRST,ACCEPTSECOND,REMARK,REFERENCE_TO_DB\r\n";
}

}  // namespace

ResultsWritten WriteResultsCsv(store::Database& db, const ResultSelection& selection, const ResultsSink& sink,
                               const ResultsProgress& progress) {
  ResultRowReader reader(db, selection);
  OutputBuffer buffer(sink);
  std::string& out = buffer.text();
  std::string scratch;
  out += HeaderRow();
  ResultsWritten written;
  while (reader.Next()) {
    const store::Statement& row = reader.row();
    Field(out, row, kLine, scratch);
    out += ',';
    Field(out, row, kLine2, scratch);
    out += ',';
    Mark(out, row, kCritical);
    out += ',';
    Mark(out, row, kNonCritical);
    for (int column = kFirstIdentity; column < kDifference; ++column) {
      out += ',';
      Field(out, row, column, scratch);
    }
    if (row.ColumnInt(kNoDifference) != 0) {
      out.append(kFields.size(), ',');
    } else {
      for (int column = kDifference; column < kAcceptFirst; ++column) {
        out += ',';
        Field(out, row, column, scratch);
      }
    }
    out += ',';
    Decision(out, row, kAcceptFirst);
    out += ',';
    Decision(out, row, kAcceptSecond);
    out += ',';
    TypedText(out, row, kRemark, scratch);
    out += ',';
    TypedText(out, row, kReference, scratch);
    out += "\r\n";
    buffer.Spill();
    if (++written.rows % kResultsProgressEvery == 0 && progress && !progress(written.rows, reader.total())) {
      written.cancelled = true;
      return written;
    }
  }
  buffer.Flush();
  // A stop asked for at the very end still stops: the caller keeps nothing.
  if (progress && !progress(written.rows, reader.total())) written.cancelled = true;
  return written;
}

}  // namespace twinscan
