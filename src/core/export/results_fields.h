#pragma once
// The fields of the results block, each described once: its name on the
// form, its width in the data file line, its kind and the member of `TT4`,
// `TT4P` or `TS` that holds it, in the order of the line. The data file's
// writer and reader and the record's JSON all walk these tables, so no two
// of them can disagree on a name, a width or an order.
//
// Each block of the line starts with the same seven header fields; the
// tables below list them once for all three blocks.

#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>

#include "core/record/record_of_vote.h"

namespace talmorek::exporting {

inline constexpr std::size_t kT4BlockLength = 105;
inline constexpr std::size_t kT4PBlockLength = 239;
inline constexpr std::size_t kTSBlockLength = 276;

enum class ResultFieldKind {
    Number,    // decimal digits, right-aligned and blank-padded on the left
    Text,      // code page 1250, blank-padded on the right; at most `width` characters
    FullText,  // a text that always fills its width: the sixty party flags
};

// The preferential votes of one party: 36 numbers of one width, one after the other.
using PreferenceCounts = decltype(record::TT4P::PrefHlasy);

template <typename Rec>
struct ResultField {
    // The member holding the value, by its type. Counts keep the unsigned
    // 16 bits, sums the 64 bits of the record: the line carries them as
    // digits and the reader converts back to the member's type.
    using Member = std::variant<std::uint16_t Rec::*, std::int32_t Rec::*, std::int64_t Rec::*, std::string Rec::*,
                                PreferenceCounts Rec::*>;

    std::string_view name;
    std::size_t width = 0;  // of one value; `PrefHlasy` is 36 values of this width
    ResultFieldKind kind = ResultFieldKind::Number;
    Member member;

    constexpr std::size_t values() const {
        return std::holds_alternative<PreferenceCounts Rec::*>(member) ? record::kCandidates : 1;
    }
    // The characters the field takes in the line.
    constexpr std::size_t length() const { return width * values(); }
};

template <typename Rec, typename T>
    requires std::integral<T> || std::same_as<T, PreferenceCounts>
constexpr ResultField<Rec> numberField(std::string_view name, std::size_t width, T Rec::*member) {
    return {name, width, ResultFieldKind::Number, member};
}
template <typename Rec>
constexpr ResultField<Rec> textField(std::string_view name, std::size_t width, std::string Rec::*member) {
    return {name, width, ResultFieldKind::Text, member};
}
template <typename Rec>
constexpr ResultField<Rec> fullTextField(std::string_view name, std::size_t width, std::string Rec::*member) {
    return {name, width, ResultFieldKind::FullText, member};
}

// The seven header fields followed by the fields of the block itself.
template <typename Rec, std::size_t N>
constexpr std::array<ResultField<Rec>, 7 + N> withHeader(const std::array<ResultField<Rec>, N>& own) {
    const std::array<ResultField<Rec>, 7> header = {
        numberField("Typ", 1, &Rec::Typ),       numberField("Oprava", 1, &Rec::Oprava),
        numberField("Chyba", 1, &Rec::Chyba),   numberField("RegKod", 4, &Rec::RegKod),
        numberField("Obec", 6, &Rec::Obec),     numberField("Okrsek", 5, &Rec::Okrsek),
        numberField("KC1", 1, &Rec::KC1),
    };
    std::array<ResultField<Rec>, 7 + N> all{};
    for (std::size_t i = 0; i < header.size(); ++i) all[i] = header[i];
    for (std::size_t i = 0; i < N; ++i) all[header.size() + i] = own[i];
    return all;
}

template <typename Rec, std::size_t N>
constexpr std::size_t lineLength(const std::array<ResultField<Rec>, N>& fields) {
    std::size_t length = 0;
    for (const auto& f : fields) length += f.length();
    return length;
}

// Section II of the form.
inline constexpr auto kT4Fields = withHeader(std::array{
    numberField("ZapsOsoby", 5, &record::TT4::ZapsOsoby),
    numberField("VydObalky", 5, &record::TT4::VydObalky),
    numberField("OdevzdObalky", 5, &record::TT4::OdevzdObalky),
    numberField("PlatneHlasy", 5, &record::TT4::PlatneHlasy),
    numberField("KC2", 6, &record::TT4::KC2),
    fullTextField("ZakrStrany", record::kFlagPositions, &record::TT4::ZakrStrany),
});

// Annex 1, one block per flagged party.
inline constexpr auto kT4PFields = withHeader(std::array{
    numberField("KStrana", 2, &record::TT4P::KStrana),
    numberField("PocHlasu", 5, &record::TT4P::PocHlasu),
    numberField("KC2", 6, &record::TT4P::KC2),
    numberField("PrefHlasy", 5, &record::TT4P::PrefHlasy),
    numberField("KC3", 8, &record::TT4P::KC3),
    numberField("KC4", 8, &record::TT4P::KC4),
    numberField("PoslKand", 2, &record::TT4P::PoslKand),
    numberField("KSoucet", 9, &record::TT4P::KSoucet),
});

// The summary record.
inline constexpr auto kTSFields = withHeader(std::array{
    textField("SeznamChyb", 50, &record::TTS::SeznamChyb),
    textField("Datum", 8, &record::TTS::Datum),
    textField("Cas", 6, &record::TTS::Cas),
    numberField("Rezerva", 10, &record::TTS::Rezerva),
    numberField("ZpusobPorizeni", 1, &record::TTS::ZpusobPorizeni),
    numberField("KodOS", 2, &record::TTS::KodOS),
    textField("RezervaA1", 1, &record::TTS::RezervaA1),
    numberField("RezervaA2", 2, &record::TTS::RezervaA2),
    textField("RezervaA3", 15, &record::TTS::RezervaA3),
    textField("RezervaA4", 8, &record::TTS::RezervaA4),
    textField("RezervaA5", 6, &record::TTS::RezervaA5),
    numberField("RezervaA6", 10, &record::TTS::RezervaA6),
    numberField("RezervaB1", 2, &record::TTS::RezervaB1),
    textField("RezervaB2", 15, &record::TTS::RezervaB2),
    textField("RezervaB3", 8, &record::TTS::RezervaB3),
    textField("RezervaB4", 6, &record::TTS::RezervaB4),
    numberField("RezervaB5", 10, &record::TTS::RezervaB5),
    numberField("SumaKC1", 3, &record::TTS::SumaKC1),
    numberField("SumaKC2", 8, &record::TTS::SumaKC2),
    numberField("SumaKC3", 10, &record::TTS::SumaKC3),
    numberField("SumaKC4", 10, &record::TTS::SumaKC4),
    numberField("Nahoda", 6, &record::TTS::Nahoda),
    numberField("RezervaC1", 6, &record::TTS::RezervaC1),
    numberField("RezervaC2", 6, &record::TTS::RezervaC2),
    numberField("SumaKSoucet", 11, &record::TTS::SumaKSoucet),
    numberField("Celkem", 12, &record::TTS::Celkem),
    numberField("RezervaD1", 12, &record::TTS::RezervaD1),
    numberField("RezervaD2", 13, &record::TTS::RezervaD2),
});

static_assert(lineLength(kT4Fields) == kT4BlockLength, "the T4 fields must fill their block");
static_assert(lineLength(kT4PFields) == kT4PBlockLength, "the T4P fields must fill their block");
static_assert(lineLength(kTSFields) == kTSBlockLength, "the TS fields must fill their block");

constexpr const auto& resultFieldsOf(const record::TT4&) { return kT4Fields; }
constexpr const auto& resultFieldsOf(const record::TT4P&) { return kT4PFields; }
constexpr const auto& resultFieldsOf(const record::TTS&) { return kTSFields; }

// Calls `visit(field, value)` for every field of the block in line order,
// `value` being the member of `block` the field names: a reference to a
// std::uint16_t, std::int32_t, std::int64_t, std::string or
// PreferenceCounts, const when `block` is.
template <typename Block, typename Visit>
void forEachResultField(Block& block, Visit&& visit) {
    for (const auto& field : resultFieldsOf(block))
        std::visit([&](auto member) { visit(field, block.*member); }, field.member);
}

}  // namespace talmorek::exporting
