#include "core/export/base64.h"

#include <array>
#include <cstdint>

#include "core/data/errors.h"

namespace talmorek::exporting {
namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char kPad = '=';
constexpr std::int8_t kNotInAlphabet = -1;

constexpr std::array<std::int8_t, 256> makeDecodeTable() {
    std::array<std::int8_t, 256> table{};
    for (auto& v : table) v = kNotInAlphabet;
    for (std::size_t i = 0; i < kAlphabet.size(); ++i) {
        table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::int8_t>(i);
    }
    return table;
}
constexpr auto kDecodeTable = makeDecodeTable();

bool isLineBreak(char c) { return c == '\r' || c == '\n'; }

}  // namespace

std::string encodeBase64(std::string_view bytes) {
    std::string plain;
    plain.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    auto at = [&](std::size_t k) { return std::uint32_t{static_cast<std::uint8_t>(bytes[k])}; };
    for (; i + 3 <= bytes.size(); i += 3) {
        std::uint32_t group = (at(i) << 16) | (at(i + 1) << 8) | at(i + 2);
        plain += kAlphabet[(group >> 18) & 63];
        plain += kAlphabet[(group >> 12) & 63];
        plain += kAlphabet[(group >> 6) & 63];
        plain += kAlphabet[group & 63];
    }
    if (std::size_t rest = bytes.size() - i; rest > 0) {
        std::uint32_t group = at(i) << 16;
        if (rest == 2) group |= at(i + 1) << 8;
        plain += kAlphabet[(group >> 18) & 63];
        plain += kAlphabet[(group >> 12) & 63];
        plain += rest == 2 ? kAlphabet[(group >> 6) & 63] : kPad;
        plain += kPad;
    }

    std::string lines;
    lines.reserve(plain.size() + plain.size() / kBase64LineLength * 2);
    for (std::size_t start = 0; start < plain.size(); start += kBase64LineLength) {
        std::string_view line = std::string_view(plain).substr(start, kBase64LineLength);
        lines += line;
        if (line.size() == kBase64LineLength) lines += "\r\n";
    }
    return lines;
}

std::string decodeBase64(std::string_view text, const std::string& fileNameForErrors) {
    auto fail = [&](std::size_t position, const std::string& what) {
        throw data::FormatError(fileNameForErrors, static_cast<long long>(position),
                                "Invalid Base64 text at character " + std::to_string(position) +
                                    ": " + what);
    };

    std::string bytes;
    bytes.reserve(text.size() / 4 * 3);
    std::uint32_t group = 0;
    int inGroup = 0;              // characters of the current group of four
    int pads = 0;                 // "=" seen in the current group
    std::size_t groupStart = 0;   // position of the group's first character
    bool ended = false;           // a padded group closed the data

    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        char c = text[pos];
        if (isLineBreak(c)) continue;
        if (ended) fail(pos, "data after the padding");
        if (inGroup == 0) groupStart = pos;
        if (c == kPad) {
            // Padding may only fill the last one or two places of a group.
            if (inGroup < 2) fail(pos, "misplaced padding");
            ++pads;
        } else {
            std::int8_t value = kDecodeTable[static_cast<unsigned char>(c)];
            if (value == kNotInAlphabet) fail(pos, "character outside the Base64 alphabet");
            if (pads > 0) fail(pos, "data after the padding");
            group |= std::uint32_t(value) << (6 * (3 - inGroup));
        }
        if (++inGroup == 4) {
            bytes += static_cast<char>(group >> 16);
            if (pads < 2) bytes += static_cast<char>(group >> 8);
            if (pads < 1) bytes += static_cast<char>(group);
            ended = pads > 0;
            group = 0;
            inGroup = 0;
            pads = 0;
        }
    }
    if (inGroup != 0) fail(groupStart, "length is not a multiple of 4");
    return bytes;
}

}  // namespace talmorek::exporting
