// ViennaRecord: the record an import is working on, with the flags that later
// field steps of the same record read.
//
// Texts hold the file's raw 8-bit (Latin-1) bytes: character tests work on
// the bytes as read. Conversion to UTF-8 happens only when a column is written.
#pragma once

#include <optional>
#include <string>

namespace twinscan {

struct ViennaRecord {
  // Field slots, after corrections. Dates are "dd/mm/yyyy" texts.
  std::optional<double> f1a, f8b1, f9a, f9b, f9g, f1y;
  std::optional<int> f10z, f4d, f4z, f9y;
  std::string f1z, f6a, f6b, f6z, f2c, f4a, f4b, f4c, f7a, f8b2, f9d, f9xh, f9xv, f13z, f13y, f2w, f2z, f13x;

  std::string ermsg;      // errors and warnings, appended in order
  std::string annex2bis;  // corrections and remarks, appended in order
  bool error = false;

  // Per-record flags read by later steps of the same record.
  bool has1a = false;
  bool corrected1z = false;
  bool intr4a = false;
  bool valid4c = true;
  bool mobile6a = false;  // set anew by every record's 6A step
  bool has9a = false, has9b = false, has9g = false;
  double longitude4c = 0, latitude4c = 0;

  // Reporting terms of the field steps.
  void ReportError(std::string_view message) {
    error = true;
    ermsg += message;
  }
  void ReportWarning(std::string_view message) { ermsg += message; }
  void ReportCorrection(std::string_view message) { annex2bis += message; }
  void ReportRemark(std::string_view message) { annex2bis += message; }

  // End of a record: messages, error flag and per-record flags cleared.
  // Field slots are emptied by their own steps when written; f6a and
  // mobile6a deliberately survive until the next record's 6A step.
  void ClearForNextRecord() {
    ermsg.clear();
    annex2bis.clear();
    error = false;
    has1a = corrected1z = intr4a = has9a = has9g = has9b = false;
    valid4c = true;
  }
};

}  // namespace twinscan
