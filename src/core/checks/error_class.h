#pragma once
// The three classes of findings. Passable errors (04–10) and warnings (91–98)
// let the commission export and print, with an explanation at the receiving
// office; every other code blocks the export until the data are corrected.

#include <string>
#include <string_view>

namespace talmorek::checks {

enum class ErrorClass { Error, Passable, Warning };

// The code as two digits ("04", "72").
std::string twoDigitCode(int code);

// True when the two-digit code stands in `list` at an odd 1-based position,
// i.e. on a two-character boundary ("0405..." holds "04" but not "40").
bool listedAtCodeBoundary(std::string_view list, std::string_view code);

// The class of a two-digit code; the passable list is tried first.
ErrorClass classOf(std::string_view code);
inline ErrorClass classOf(int code) { return classOf(twoDigitCode(code)); }

}  // namespace talmorek::checks
