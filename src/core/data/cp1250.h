#pragma once
// Code page 1250 (Central European Windows) at the file boundary.
//
// Every text inside the record files and the precinct data file is one byte
// per character in code page 1250; inside the program text is UTF-8.

#include <cstddef>
#include <string>
#include <string_view>

namespace talmorek::data {

// Bytes in code page 1250 to UTF-8. Every byte has a meaning; the five bytes
// that the code page leaves unassigned map to the C1 control of the same value.
std::string cp1250ToUtf8(std::string_view bytes);

// UTF-8 to code page 1250. A character the code page cannot hold, and a byte
// that is not valid UTF-8, becomes "?".
std::string utf8ToCp1250(std::string_view text);

// Whether every character of a UTF-8 text has a byte in code page 1250, so
// that the text is stored as typed and not with "?" in its place. Malformed
// UTF-8 is not held.
bool cp1250Holds(std::string_view text);

// Number of characters (code points) in a UTF-8 text.
std::size_t utf8Length(std::string_view text);

// The first `count` characters of a UTF-8 text.
std::string utf8Prefix(std::string_view text, std::size_t count);

}  // namespace talmorek::data
