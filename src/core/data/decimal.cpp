#include "core/data/decimal.h"

#include <limits>
#include <string>

#include "core/data/errors.h"

namespace talmorek::data {

std::optional<std::int64_t> parseDecimal64(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return std::nullopt;
    // Accumulate as a negative number so that the most negative value fits.
    std::int64_t value = 0;
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9') return std::nullopt;
        int digit = c - '0';
        if (value < (kMin + digit) / 10) return std::nullopt;
        value = value * 10 - digit;
    }
    if (!negative) {
        if (value == kMin) return std::nullopt;
        value = -value;
    }
    return value;
}

namespace {
std::optional<std::int32_t> parseDecimal32(std::string_view text) {
    auto v = parseDecimal64(text);
    if (!v || *v < std::numeric_limits<std::int32_t>::min() || *v > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(*v);
}
}  // namespace

std::int32_t toIntStrict(std::string_view text) {
    auto v = parseDecimal32(text);
    if (!v) throw ConversionError(std::string(text));
    return *v;
}

std::int32_t toIntStrict(std::string_view text, const FieldOrigin& origin) {
    auto v = parseDecimal32(text);
    if (!v)
        throw ConversionError(std::string(text), std::string(origin.file), std::string(origin.field), origin.record);
    return *v;
}

std::int32_t toIntOr(std::string_view text, std::int32_t fallback) { return parseDecimal32(text).value_or(fallback); }

std::int64_t toInt64Or(std::string_view text, std::int64_t fallback) {
    auto v = parseDecimal64(text);
    return v ? *v : fallback;
}

}  // namespace talmorek::data
