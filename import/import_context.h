// ImportContext: everything one run of the import keeps while it reads a
// file. It is owned by the running import and handed to every field step;
// nothing of it outlives the import.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "import/row_builder.h"
#include "record/user_interface.h"
#include "record/vienna_record.h"

namespace twinscan {

// What a field step leaves for a later step of the same record. CheckRecord
// starts every record with fresh flags.
//
// Beyond these flags, two columns are written by a later step than their own:
// the 13Y step writes 1Z (the 1Z step leaves it in rec.f1z) and the 4C step
// writes 4A (the 4A step leaves it in rec.f4a). The 4Z and 9A steps read the
// first letter of rec.f6a, which the 6A step leaves there.
struct StepFlags {
  bool has1a = false;        // 1A is not blank: set by the 1A number step, read by 8B1 and the 1Y number step
  bool corrected1z = false;  // a blank 1Z became "2": set by the 1Z step, read by 13Y (status P makes it "1")
  bool intr4a = false;       // 4A is "INTR": set by the 4A step, read by 4C
  bool mobile6a = false;     // 6A is a mobile class: set by the 6A step, read by 4D
  bool has9a = false;        // 9A converted: set by the 9A step, read by 9XH
  bool has9b = false;        // 9B converted: set by the 9B step, read by 9XV
  bool has9g = false;        // 9G converted: set by the 9G step, read by 9XH
};

struct ImportContext {
  explicit ImportContext(UserInterface& userInterface) : ui(userInterface) {}

  UserInterface& ui;
  ViennaRecord rec;
  RowBuilder row;
  StepFlags flags;

  // Per import.
  std::string lastValid4b;    // last 4B found in the country list; never cleared between records
  int32_t recordCounter = 0;  // records completed before the current one

  // Values that pass from a number step to its unit step within one record.
  std::optional<double> value1a;  // null when 1A did not convert
  double frequency1y = 0;
};

}  // namespace twinscan
