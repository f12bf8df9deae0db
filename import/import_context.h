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

struct ImportContext {
  explicit ImportContext(UserInterface& userInterface) : ui(userInterface) {}

  UserInterface& ui;
  ViennaRecord rec;
  RowBuilder row;

  // Per import.
  std::string lastValid4b;    // last 4B found in the country list; never cleared between records
  int32_t recordCounter = 0;  // records completed before the current one

  // Values that pass from a number step to its unit step within one record.
  std::optional<double> value1a;  // null when 1A did not convert
  double frequency1y = 0;
};

}  // namespace twinscan
