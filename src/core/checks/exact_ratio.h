#pragma once
// Percentages of the plausibility warnings on exact integers. A turnout of
// exactly 88 % must not become a warning because 0.88 has no exact binary
// form, so ratios are compared by cross-multiplication and rounded with
// integer division.

#include <cstdint>
#include <string>
#include <string_view>

namespace talmorek::checks {

// numerator / denominator rounded to a whole number, halves away from zero;
// `denominator` > 0.
std::int64_t roundHalfAwayFromZero(std::int64_t numerator, std::int64_t denominator);

// A number given in hundredths, in its shortest decimal form: 75 → "0,75",
// 150 → "1,5", 300 → "3" (with "," as `separator`).
std::string shortestDecimal(std::int64_t hundredths, std::string_view separator);

// The decimal separator of the user's locale (the system's own part of the
// core, platform/<system>/locale.cpp). On Linux the program writes Czech, so
// the C/POSIX locale (a process that never chose one) gets the Czech comma;
// on Windows it is the separator the user chose in the regional settings.
std::string userDecimalSeparator();

}  // namespace talmorek::checks
