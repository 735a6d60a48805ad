#include "core/print/print_text.h"

#include <array>
#include <utility>

#include "core/data/cp1250.h"

namespace talmorek::print {
namespace {

// Byte offset of the character at 0-based index `n` (the size when past the end).
std::size_t offsetOf(std::string_view text, std::size_t n) {
    return data::utf8Prefix(text, n).size();
}

// Every letter below is two bytes of UTF-8; since no continuation byte can
// start a sequence, comparing bytes finds exactly these letters.
constexpr std::array<std::pair<std::string_view, char>, 38> kPlainLetters{{
    {"Á", 'A'}, {"Ä", 'A'}, {"É", 'E'}, {"Ë", 'E'}, {"Ě", 'E'}, {"Í", 'I'}, {"Ó", 'O'}, {"Ö", 'O'},
    {"Ú", 'U'}, {"Ü", 'U'}, {"Ů", 'U'}, {"Ý", 'Y'}, {"Č", 'C'}, {"Ď", 'D'}, {"Ň", 'N'}, {"Ř", 'R'},
    {"Š", 'S'}, {"Ť", 'T'}, {"Ž", 'Z'}, {"á", 'a'}, {"ä", 'a'}, {"é", 'e'}, {"ë", 'e'}, {"ě", 'e'},
    {"í", 'i'}, {"ó", 'o'}, {"ö", 'o'}, {"ú", 'u'}, {"ü", 'u'}, {"ů", 'u'}, {"ý", 'y'}, {"č", 'c'},
    {"ď", 'd'}, {"ň", 'n'}, {"ř", 'r'}, {"š", 's'}, {"ť", 't'}, {"ž", 'z'},
}};

std::string padded(std::int64_t value, int width, char pad) {
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width) digits.insert(0, static_cast<std::size_t>(width) - digits.size(), pad);
    return digits;
}

}  // namespace

std::string Opakuj(std::string_view text, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += text;
    return out;
}

std::string CisloNuly(std::int64_t value, int width) { return padded(value, width, '0'); }
std::string CisloMezery(std::int64_t value, int width) { return padded(value, width, ' '); }

std::string OrezVpravo(std::string_view text) {
    const auto last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string{} : std::string(text.substr(0, last + 1));
}

std::string BezDiakritiky(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char plain = 0;
        for (const auto& [accented, base] : kPlainLetters)
            if (text.substr(i, accented.size()) == accented) plain = base;
        if (plain != 0) {
            out += plain;
            i += 2;
        } else {
            out += text[i++];
        }
    }
    return out;
}

std::string utf8From(std::string_view text, std::size_t from) {
    if (from <= 1) return std::string(text);
    return std::string(text.substr(offsetOf(text, from - 1)));
}

std::string_view utf8At(std::string_view text, std::size_t position) {
    if (position == 0) return {};
    const std::size_t start = offsetOf(text, position - 1);
    return text.substr(start, offsetOf(text, position) - start);
}

}  // namespace talmorek::print
