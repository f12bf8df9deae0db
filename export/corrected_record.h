// One row of TABLE1 / TABLE2 rendered back into a record of a corrected file.
//
// Every field is rendered as the field table describes it (its stored column,
// its rendering, its mask and whether it is left-justified afterwards), in the
// order of its places. The rendered record is always exactly 219 characters
// of Latin-1: a Null or empty column gives blanks, a number that does not fit
// its places gives blanks (a negative 9A, a 9G of 100 or more), and a text
// longer than its places is cut to them. The unit places of 1A and 1Y always
// carry "M".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "export/mask_format.h"
#include "record/layout.h"
#include "store/database.h"
#include "store/tables.h"

namespace twinscan {

// Renders rows of one result set, or rows the import holds before storing
// them; a row renders the same either way, as it would once stored.
class CorrectedRecordRenderer {
 public:
  // For rows of a result set. The columns are found by name once, so the
  // statement may select them in any order ("SELECT *"). Throws
  // store::StoreError when a field's column is not in the result set.
  explicit CorrectedRecordRenderer(const store::Statement& rows);
  // For the import's rows (store::RecordRow).
  CorrectedRecordRenderer();

  // Append the row's 219 characters to out.
  void Render(const store::Statement& row, std::string* out);
  void Render(const store::RecordRow& row, std::string* out);

 private:
  struct Field {
    const RecordField* entry;
    int width;
    int column;  // index in the result set or store::RecordColumn; -1 for the unit places
    NumberMask numberMask;
    TextMask textMask;
    DateMask dateMask;
  };
  template <class Source>
  void RenderFrom(const Source& source, std::string* out);
  // Appends the field's value as its mask renders it, before it is fitted.
  template <class Source>
  void RenderValue(const Field& f, const Source& source, std::string* out);
  void AddField(const RecordField& entry, int column);
  std::string_view Latin1Of(std::string_view utf8);  // in latin1_ unless plain ASCII
  std::string_view NumberText(double value);         // the plain number text, in number_

  std::vector<Field> fields_;
  // Scratch texts kept between rows, so that rendering allocates nothing.
  std::string latin1_;
  std::string number_;
  std::string date_;
};

}  // namespace twinscan
