#pragma once
// Texts the printouts compose without measuring them: repeated characters,
// numbers in fixed-width fields, trimmed values and the no-diacritics form.
// Lengths count characters (code points) of UTF-8 text.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/data/blanks.h"

namespace talmorek::print {

// `text` repeated n times; empty for n <= 0.
std::string Opakuj(std::string_view text, int n);

// The decimal value right-aligned in `width` characters, padded with "0"
// (`CisloNuly`) or with blanks (`CisloMezery`). A longer value is not cut.
std::string CisloNuly(std::int64_t value, int width);
std::string CisloMezery(std::int64_t value, int width);

// Without trailing blanks.
std::string OrezVpravo(std::string_view text);
// Without leading and trailing blanks.
using data::trimBlanks;

// Czech diacritics removed for printers that cannot print them: each letter
// of the Czech alphabet with a diacritic becomes its base letter, and so do
// Ä Ë Ö Ü; every other character, Slovak Ľ and ô among them, stays.
std::string BezDiakritiky(std::string_view text);

// The characters from position `from` (1-based) to the end.
std::string utf8From(std::string_view text, std::size_t from);
// The `position`-th character (1-based) of the text, or empty past its end.
std::string_view utf8At(std::string_view text, std::size_t position);

}  // namespace talmorek::print
