#pragma once
// Numbers held as decimal text in the registers, the station record and the
// working files.
//
// Strict: leading blanks are skipped, an optional sign is allowed, then
// digits must run to the end of the text. An empty text, trailing blanks, any
// other character or a value outside the target type raise ConversionError
// naming the text. The "or" form gives the fallback instead of raising.
//
// A text read from a file is converted with its `FieldOrigin`, so that the
// failure names the file, the record and the field it came from.

#include <cstdint>
#include <optional>
#include <string_view>

namespace talmorek::data {

// Where a text to be converted was read: the file's path (or its name where
// the path is not known), the field of its record layout and the 0-based
// record (-1 for a file of one record).
struct FieldOrigin {
    std::string_view file;
    std::string_view field;
    long long record = -1;
};

std::optional<std::int64_t> parseDecimal64(std::string_view text);

std::int32_t toIntStrict(std::string_view text);
std::int32_t toIntStrict(std::string_view text, const FieldOrigin& origin);
std::int32_t toIntOr(std::string_view text, std::int32_t fallback);
std::int64_t toInt64Or(std::string_view text, std::int64_t fallback);

}  // namespace talmorek::data
