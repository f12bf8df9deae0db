// ConvertCoordinates: the decimal degrees of a 4C text (dddHmmssddNmmss).
//
// Each part is read with LeadingNumber. A west longitude x becomes 360 - x;
// latitudes are north only. The conversion fails when place 4 is neither "E"
// nor "W" (the latitude is then not computed) or place 11 is not "N".
#pragma once

#include <string_view>

namespace twinscan {

struct Coordinates {
  double longitude = 0;
  double latitude = 0;
  bool failed = false;
};

Coordinates ConvertCoordinates(std::string_view text4c);

}  // namespace twinscan
