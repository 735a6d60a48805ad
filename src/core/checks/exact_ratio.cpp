#include "core/checks/exact_ratio.h"

namespace talmorek::checks {

std::int64_t roundHalfAwayFromZero(std::int64_t numerator, std::int64_t denominator) {
    if (numerator >= 0) return (2 * numerator + denominator) / (2 * denominator);
    return -((2 * -numerator + denominator) / (2 * denominator));
}

std::string shortestDecimal(std::int64_t hundredths, std::string_view separator) {
    std::string sign = hundredths < 0 ? "-" : "";
    std::uint64_t magnitude = hundredths < 0 ? 0 - static_cast<std::uint64_t>(hundredths)
                                             : static_cast<std::uint64_t>(hundredths);
    std::string text = sign + std::to_string(magnitude / 100);
    std::uint64_t fraction = magnitude % 100;
    if (fraction == 0) return text;
    text += separator;
    text += static_cast<char>('0' + fraction / 10);
    if (fraction % 10 != 0) text += static_cast<char>('0' + fraction % 10);
    return text;
}

}  // namespace talmorek::checks
