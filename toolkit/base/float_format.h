#pragma once
// Rounding and picture formatting of floating-point values, as the run-time
// library does them.
#include <cstdint>
#include <string>

#include "toolkit/base/exception.h"

// A value that does not fit the integer result (or is not a number).
class EInvalidOp : public Exception {
public:
  using Exception::Exception;
};

// Nearest integer; an exact half goes to the even neighbour (2.5 -> 2, 3.5 -> 4).
std::int64_t Round(double value);
// Integer part, cut towards zero.
std::int64_t Trunc(double value);

// Formats `value` by a picture such as "##.##%" or "0.00":
//   0  a digit, always shown;      #  a digit, shown only when significant;
//   .  the decimal point (shown only when decimals follow it);
//   "..." or '...'  literal text;  any other character  literal text.
// The value is rounded half away from zero to the picture's decimals. Integer
// digits beyond the picture's places are all shown; no digit is shown before the
// point when the integer part is 0 and the picture has no 0 there, so
// FormatFloat("##.##%", 0.5) is ".5%" and FormatFloat("##.##%", 0) is "%".
std::string FormatFloat(const std::string& format, double value);
