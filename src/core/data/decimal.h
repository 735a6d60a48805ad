#pragma once
// Numbers held as decimal text in the registers, the station record and the
// working files.
//
// Strict: leading blanks are skipped, an optional sign is allowed, then
// digits must run to the end of the text. An empty text, trailing blanks, any
// other character or a value outside the target type raise ConversionError
// naming the text. The "or" form gives the fallback instead of raising.

#include <cstdint>
#include <optional>
#include <string_view>

namespace talmorek::data {

std::optional<std::int64_t> parseDecimal64(std::string_view text);

std::int32_t toIntStrict(std::string_view text);
std::int32_t toIntOr(std::string_view text, std::int32_t fallback);
std::int64_t toInt64Or(std::string_view text, std::int64_t fallback);

}  // namespace talmorek::data
