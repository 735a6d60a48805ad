#include "core/entry/entry_section2.h"

#include <cstdint>
#include <string>

#include "core/data/decimal.h"

namespace talmorek::entry {
namespace {

FieldFinding hard(int code, EntryField field) {
    FieldFinding f;
    f.code = code;
    f.field = field;
    f.iPropust = true;
    return f;
}

FieldFinding warning(int code, EntryField field, std::string param = {}) {
    FieldFinding f;
    f.code = code;
    f.param = std::move(param);
    f.field = field;
    f.iInfo = true;
    return f;
}

std::optional<FieldFinding> personsFinding(checks::CheckRules& rules) {
    constexpr EntryField field = EntryField::R_EdZapsOsoby;
    if (!rules.Kontrola04(true)) return hard(4, field);
    std::int32_t registered = 0;
    if (!rules.Kontrola96(true, &registered)) return warning(96, field, "(" + std::to_string(registered) + ")");
    if (registered == 0 && !rules.Kontrola93(true)) return warning(93, field);
    return std::nullopt;
}

std::optional<FieldFinding> issuedFinding(checks::CheckRules& rules) {
    constexpr EntryField field = EntryField::R_EdVydObalky;
    if (!rules.Kontrola05(true)) return hard(5, field);
    if (!rules.Kontrola06(true)) return hard(6, field);
    if (!rules.Kontrola91(true)) return warning(91, field);
    if (!rules.Kontrola97(true)) return warning(97, field);
    if (!rules.Kontrola94(true)) return warning(94, field);
    return std::nullopt;
}

std::optional<FieldFinding> handedInFinding(checks::CheckRules& rules) {
    constexpr EntryField field = EntryField::R_EdOdevzdObalky;
    if (!rules.Kontrola07(true)) return hard(7, field);
    if (!rules.Kontrola08(true)) return hard(8, field);
    if (!rules.Kontrola92(true)) return warning(92, field);
    return std::nullopt;
}

std::optional<FieldFinding> validFinding(checks::CheckRules& rules) {
    constexpr EntryField field = EntryField::R_EdPlatneHlasy;
    if (!rules.Kontrola09(true)) return hard(9, field);
    if (!rules.Kontrola10(true)) return hard(10, field);
    if (!rules.Kontrola95(true)) return warning(95, field);
    return std::nullopt;
}

}  // namespace

bool isSection2Total(EntryField field) {
    return field == EntryField::R_EdZapsOsoby || field == EntryField::R_EdVydObalky ||
           field == EntryField::R_EdOdevzdObalky || field == EntryField::R_EdPlatneHlasy;
}

void storeSection2Total(record::TT4& t4, EntryField field, std::string_view text) {
    const std::int32_t value = data::toIntOr(text, 0);
    const auto kept = static_cast<std::uint16_t>(value);
    switch (field) {
        case EntryField::R_EdZapsOsoby: t4.ZapsOsoby = value; break;
        case EntryField::R_EdVydObalky: t4.VydObalky = kept; break;
        case EntryField::R_EdOdevzdObalky: t4.OdevzdObalky = kept; break;
        case EntryField::R_EdPlatneHlasy: t4.PlatneHlasy = kept; break;
        default: break;
    }
}

std::optional<FieldFinding> section2Finding(EntryField field, checks::CheckRules& rules) {
    switch (field) {
        case EntryField::R_EdZapsOsoby: return personsFinding(rules);
        case EntryField::R_EdVydObalky: return issuedFinding(rules);
        case EntryField::R_EdOdevzdObalky: return handedInFinding(rules);
        case EntryField::R_EdPlatneHlasy: return validFinding(rules);
        default: return std::nullopt;
    }
}

}  // namespace talmorek::entry
