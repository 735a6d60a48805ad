#include "data/decimal.h"

#include <limits>
#include <string>

#include "data/errors.h"

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

std::int32_t toIntStrict(std::string_view text) {
    auto v = parseDecimal64(text);
    if (!v || *v < std::numeric_limits<std::int32_t>::min() || *v > std::numeric_limits<std::int32_t>::max())
        throw ConversionError(std::string(text));
    return static_cast<std::int32_t>(*v);
}

std::int32_t toIntOr(std::string_view text, std::int32_t fallback) {
    auto v = parseDecimal64(text);
    if (!v || *v < std::numeric_limits<std::int32_t>::min() || *v > std::numeric_limits<std::int32_t>::max())
        return fallback;
    return static_cast<std::int32_t>(*v);
}

std::int64_t toInt64Or(std::string_view text, std::int64_t fallback) {
    auto v = parseDecimal64(text);
    return v ? *v : fallback;
}

}  // namespace talmorek::data
