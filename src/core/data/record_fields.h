#pragma once
// A record type's fields listed once: every field's layout beside the member
// of the record that holds it. Decoding and encoding walk the same table, so
// a field cannot be read into one member and written from another, nor be
// read and forgotten on the way back.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/data/record_layout.h"

namespace talmorek::data {

// One field of `Record`: a str[N] field names its string member, a 32-bit
// integer its int32 member; the other pointer stays null.
template <typename Record>
struct BoundField {
    FieldLayout layout;
    std::string Record::*member = nullptr;
    std::int32_t Record::*number = nullptr;
};

template <typename Record>
constexpr BoundField<Record> bound(const FieldLayout& layout, std::string Record::*member) {
    return {layout, member, nullptr};
}
template <typename Record>
constexpr BoundField<Record> bound(const FieldLayout& layout, std::int32_t Record::*number) {
    return {layout, nullptr, number};
}

// The layouts alone, in table order: what a RecordLayout lists and
// isConsistent checks.
template <typename Record, std::size_t N>
constexpr std::array<FieldLayout, N> layoutsOf(const std::array<BoundField<Record>, N>& fields) {
    std::array<FieldLayout, N> out{};
    for (std::size_t i = 0; i < N; ++i) out[i] = fields[i].layout;
    return out;
}

// True when the fields lie as the installation packs its records: each
// right after the one before, save the up to three bytes that put a 32-bit
// integer on an offset divisible by 4, and the record ending with its last
// field, rounded up to a multiple of 4 when it holds an integer. A field
// left out of a table leaves a gap no alignment explains.
template <std::size_t N>
constexpr bool isPacked(const std::array<FieldLayout, N>& layouts, std::size_t recordSize) {
    std::size_t next = 0;
    bool holdsInteger = false;
    for (const auto& f : layouts) {
        const bool integer = f.kind == FieldKind::Int32;
        holdsInteger = holdsInteger || integer;
        const std::size_t expected = integer ? (next + 3) / 4 * 4 : next;
        if (f.offset != expected) return false;
        next = f.end();
    }
    return recordSize == (holdsInteger ? (next + 3) / 4 * 4 : next);
}

// True when every text field is bound to a string member and every integer
// to an int32 member, each to exactly one.
template <typename Record, std::size_t N>
constexpr bool bindsByKind(const std::array<BoundField<Record>, N>& fields) {
    for (const auto& f : fields) {
        const bool text = f.member != nullptr && f.number == nullptr;
        const bool number = f.number != nullptr && f.member == nullptr;
        if (f.layout.kind == FieldKind::Str ? !text : !number) return false;
    }
    return true;
}

// Reads every field of the table from `record` into `into`.
template <typename Record, std::size_t N>
void decodeFields(std::string_view record, const std::array<BoundField<Record>, N>& fields, Record& into) {
    for (const auto& f : fields) {
        if (f.layout.kind == FieldKind::Str)
            into.*f.member = getStr(record, f.layout);
        else
            into.*f.number = getInt32(record, f.layout);
    }
}

// Writes every field of the table from `from` into `record`; bytes no field
// owns, and those after a text's new length, stay as they were.
template <typename Record, std::size_t N>
void encodeFields(RecordBytes& record, const std::array<BoundField<Record>, N>& fields, const Record& from) {
    for (const auto& f : fields) {
        if (f.layout.kind == FieldKind::Str)
            putStr(record, f.layout, from.*f.member);
        else
            putInt32(record, f.layout, from.*f.number);
    }
}

// A record of the table's type read from `record`.
template <typename Record, std::size_t N>
Record decodeRecord(std::string_view record, const std::array<BoundField<Record>, N>& fields) {
    Record into{};
    decodeFields(record, fields, into);
    return into;
}

// A fresh record of `size` zero bytes holding `from`.
template <typename Record, std::size_t N>
RecordBytes encodeRecord(const Record& from, const std::array<BoundField<Record>, N>& fields, std::size_t size) {
    RecordBytes record(size, '\0');
    encodeFields(record, fields, from);
    return record;
}

}  // namespace talmorek::data
