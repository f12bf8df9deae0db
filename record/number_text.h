// Numbers turned into text, the way statements, status texts, log lines and
// labels show them. Both forms use "." as the decimal point, at most 15
// significant digits, no exponent, no trailing zeros and no point for a whole
// value.
#pragma once

#include <string>

namespace twinscan {

// The leading-blank rule: a blank before a number that is not negative, a
// minus sign before a negative one, and no 0 in front of the point for a value
// below 1: 12 -> " 12", -4.5 -> "-4.5", 0.25 -> " .25".
std::string LeadingBlankNumber(double value);

// The plain general form: no leading blank, a 0 before the point
// (146.5 -> "146.5", 0.5 -> "0.5", -3 -> "-3").
std::string PlainNumber(double value);

}  // namespace twinscan
