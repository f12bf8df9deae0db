// The code lists the field steps test with "occurs in" (a substring test, so
// a code also matches across a separator: keep the texts exactly as they are,
// double blanks included).
#pragma once

#include <string_view>

namespace twinscan {

// 6A class of station, and the mobile classes among them.
inline constexpr std::string_view kClassList =
    "FA  FB  FC  FG  FL  FP  FS  FW  FX  LR  MA  ML  MO  MR  MS  SM  TD  RA  TC  TD  TR";
inline constexpr std::string_view kMobileList = "MA  ML  MO  MR  MS";
// 6B nature of service.
inline constexpr std::string_view kServiceList = "CO  CP  CR  CV  FS  HP  MX  OT  RC  RD  RG  RT  ST";
// 6Z category letters: no J, the blank included.
inline constexpr std::string_view kCategoryLetters = "ABCDEFGHIKLMNOPQRSTUVWXYZ ";
// 1Z frequency categories.
inline constexpr std::string_view kFrequencyCategories = "12345";
// 4B countries; the 13X test checks a reference's country against it too.
inline constexpr std::string_view kCountryList = "BEL#HOL#D  #F  #LUX#G  #AUT#CZE#HNG#HRV#I  #LTU#POL#ROU#SVK#SVN#SUI";

// The 4A name of a station without coordinates.
inline constexpr std::string_view kIntr = "INTR";

}  // namespace twinscan
