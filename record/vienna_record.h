// ViennaRecord: the record an import is working on: its field slots and the
// messages its field steps report.
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

  // Reporting terms of the field steps.
  void ReportError(std::string_view message) {
    error = true;
    ermsg += message;
  }
  void ReportWarning(std::string_view message) { ermsg += message; }
  void ReportCorrection(std::string_view message) { annex2bis += message; }
  void ReportRemark(std::string_view message) { annex2bis += message; }

  // End of a record: messages and error flag cleared. Field slots are
  // emptied by their own steps when written; f6a keeps its text until the
  // next record's 6A step.
  void ClearForNextRecord() {
    ermsg.clear();
    annex2bis.clear();
    error = false;
  }
};

}  // namespace twinscan
