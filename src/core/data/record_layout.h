#pragma once
// Fixed-size little-endian records without a header, as every ".RCD" file of
// an installation holds them. A layout is one table of (field, offset, kind,
// capacity); records are encoded and decoded field by field with explicit
// shifts, never by casting structs onto bytes.
//
// A str[N] field is one length byte followed by N bytes of code page 1250:
// bytes after the length are not significant. Readers ignore them (a length
// byte above N reads as N); writers cut the text to N characters silently.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace talmorek::data {

enum class FieldKind { Str, Int32 };

struct FieldLayout {
    std::string_view name;
    std::size_t offset;
    FieldKind kind;
    std::size_t capacity;  // characters of a str[N]; 4 for an Int32

    constexpr std::size_t bytes() const { return kind == FieldKind::Str ? capacity + 1 : 4; }
    constexpr std::size_t end() const { return offset + bytes(); }
};

struct RecordLayout {
    std::string_view name;  // the file name, e.g. "OKRSKY.RCD"
    std::size_t size;
    std::span<const FieldLayout> fields;
};

constexpr FieldLayout strField(std::string_view name, std::size_t offset, std::size_t capacity) {
    return {name, offset, FieldKind::Str, capacity};
}
constexpr FieldLayout intField(std::string_view name, std::size_t offset) {
    return {name, offset, FieldKind::Int32, 4};
}

// True when the fields follow each other without overlap, 32-bit integers sit
// at offsets divisible by 4, and the last field ends inside the record.
constexpr bool isConsistent(std::span<const FieldLayout> fields, std::size_t recordSize) {
    std::size_t next = 0;
    for (const auto& f : fields) {
        if (f.offset < next) return false;
        if (f.kind == FieldKind::Int32 && f.offset % 4 != 0) return false;
        next = f.end();
    }
    return next <= recordSize;
}

// A record's bytes; its size is the layout's record size.
using RecordBytes = std::string;

// The raw code page 1250 bytes of a string field (length byte honoured).
std::string getStrRaw(std::string_view record, const FieldLayout& field);
// A string field as UTF-8.
std::string getStr(std::string_view record, const FieldLayout& field);
// Stores UTF-8 text into a string field, converted to code page 1250 and cut
// to the field's capacity. Bytes after the new length are left as they were.
void putStr(RecordBytes& record, const FieldLayout& field, std::string_view utf8);
void putStrRaw(RecordBytes& record, const FieldLayout& field, std::string_view cp1250);

// True when the string field holds exactly `cp1250` (same length, same
// bytes; no trimming, no case folding). Compares the raw bytes in place, so
// a register search does not build a string per record.
inline bool strEquals(std::string_view record, const FieldLayout& field, std::string_view cp1250) {
    std::size_t length = static_cast<unsigned char>(record[field.offset]);
    if (length > field.capacity) length = field.capacity;
    if (length != cp1250.size()) return false;
    const char* text = record.data() + field.offset + 1;
    for (std::size_t i = 0; i < length; ++i)
        if (text[i] != cp1250[i]) return false;
    return true;
}

// One string field of many records compared with one text, as a register
// search does thousands of times. Where the field is short (a municipality
// code), its length byte and text are compared as one 64-bit word, so a
// record that differs late in the code costs no more than one that differs
// early; the answer is that of strEquals.
class StrFieldMatcher {
public:
    StrFieldMatcher(const FieldLayout& field, std::string_view cp1250) : field_(field), text_(cp1250) {
        const std::size_t n = cp1250.size();
        wide_ = field.capacity < 8 && n <= field.capacity;
        if (!wide_) return;
        image_ = n;
        for (std::size_t i = 0; i < n; ++i)
            image_ |= std::uint64_t{static_cast<unsigned char>(cp1250[i])} << (8 * (i + 1));
        mask_ = n + 1 == 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * (n + 1))) - 1;
    }

    bool operator()(std::string_view record) const {
        if (wide_ && record.size() >= field_.offset + 8) {
            const auto* p = reinterpret_cast<const unsigned char*>(record.data() + field_.offset);
            // Written out rather than as a loop, so the compiler makes it one load.
            const std::uint64_t word =
                std::uint64_t{p[0]} | (std::uint64_t{p[1]} << 8) | (std::uint64_t{p[2]} << 16) |
                (std::uint64_t{p[3]} << 24) | (std::uint64_t{p[4]} << 32) | (std::uint64_t{p[5]} << 40) |
                (std::uint64_t{p[6]} << 48) | (std::uint64_t{p[7]} << 56);
            if ((word & mask_) == image_) return true;
            // A length byte within the capacity is exact, so this was no match;
            // one above it reads as the capacity and needs the full comparison.
            if (p[0] <= field_.capacity) return false;
        }
        return strEquals(record, field_, text_);
    }

private:
    FieldLayout field_;
    std::string text_;
    bool wide_ = false;
    std::uint64_t image_ = 0;
    std::uint64_t mask_ = 0;
};

inline std::int32_t getInt32(std::string_view record, const FieldLayout& field) {
    const auto* p = reinterpret_cast<const unsigned char*>(record.data() + field.offset);
    std::uint32_t v = std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
                      (std::uint32_t{p[3]} << 24);
    return static_cast<std::int32_t>(v);
}

void putInt32(RecordBytes& record, const FieldLayout& field, std::int32_t value);

}  // namespace talmorek::data
