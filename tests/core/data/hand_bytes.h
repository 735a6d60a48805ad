#pragma once
// Building record bytes by hand, independently of the code under test: a
// length byte followed by code page 1250 text at an offset, and a
// little-endian 32-bit integer. Expected file contents in these tests are
// made with these helpers and literal offsets, never with the encoders.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace talmorek::testing {

// Puts a length byte and the (already code page 1250) text at `offset`.
inline void putLenText(std::string& bytes, std::size_t offset, std::string_view cp1250) {
    bytes[offset] = static_cast<char>(cp1250.size());
    bytes.replace(offset + 1, cp1250.size(), cp1250);
}

// Puts a 32-bit integer at `offset`, least significant byte first.
inline void putLe32(std::string& bytes, std::size_t offset, std::uint32_t value) {
    bytes[offset + 0] = static_cast<char>(value & 0xFF);
    bytes[offset + 1] = static_cast<char>((value >> 8) & 0xFF);
    bytes[offset + 2] = static_cast<char>((value >> 16) & 0xFF);
    bytes[offset + 3] = static_cast<char>((value >> 24) & 0xFF);
}

// A record of `size` bytes, every byte `fill`.
inline std::string blankRecord(std::size_t size, char fill = '\0') { return std::string(size, fill); }

// Bytes as "0a ff 3c" for readable failure messages.
inline std::string hex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        auto b = static_cast<unsigned char>(bytes[i]);
        if (i) out += ' ';
        out += kDigits[b >> 4];
        out += kDigits[b & 0xF];
    }
    return out;
}

}  // namespace talmorek::testing
