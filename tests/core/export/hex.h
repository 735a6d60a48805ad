#pragma once
// Byte strings written as hexadecimal in test tables.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace talmorek::testing {

inline std::string fromHex(std::string_view hex) {
    auto nibble = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        throw std::invalid_argument("not a hex digit");
    };
    std::string digits;
    for (char c : hex) {
        if (c != ' ') digits += c;
    }
    if (digits.size() % 2 != 0) throw std::invalid_argument("odd number of hex digits");
    std::string bytes;
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        bytes += static_cast<char>(nibble(digits[i]) * 16 + nibble(digits[i + 1]));
    }
    return bytes;
}

inline std::string toHex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (char c : bytes) {
        auto b = static_cast<std::uint8_t>(c);
        hex += kDigits[b >> 4];
        hex += kDigits[b & 15];
    }
    return hex;
}

}  // namespace talmorek::testing
