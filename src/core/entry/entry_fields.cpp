#include "core/entry/entry_fields.h"

#include <array>
#include <charconv>

namespace talmorek::entry {
namespace {

using F = EntryField;
using K = FieldKind;
constexpr std::optional<EntryPage> kFrame = std::nullopt;
constexpr EntryPage P1 = EntryPage::Section1, P2 = EntryPage::Section2, PA = EntryPage::Annex1,
                    P3 = EntryPage::Section3;

struct Entry {
    EntryField field;
    std::string_view name;
    std::optional<EntryPage> page;
    FieldInput input;
};

constexpr FieldInput text(int length) { return {K::Text, length, {}}; }
constexpr FieldInput digits(int length, std::string_view defaultValue = {}) { return {K::Digits, length, defaultValue}; }
constexpr FieldInput display(int length) { return {K::Display, length, {}}; }
constexpr FieldInput choice() { return {K::Choice, 0, {}}; }

// Every control the logic names, in the order of the enum; the lengths are
// those of the fields on the form (a date field takes 10 characters though
// the record holds 23).
constexpr std::array kControls = {
    Entry{F::None, "", kFrame, choice()},
    Entry{F::R_EdObec_Z, "R_EdObec_Z", P1, display(6)},
    Entry{F::R_EdOkrsek_Z, "R_EdOkrsek_Z", P1, display(5)},
    Entry{F::R_EdT4KC_1_Z, "R_EdT4KC_1_Z", P1, display(1)},
    Entry{F::R_SEdDatumVoleb, "R_SEdDatumVoleb", P1, display(10)},
    Entry{F::R_SEdZahajeno1, "R_SEdZahajeno1", P1, text(5)},
    Entry{F::R_SEdUkonceno1, "R_SEdUkonceno1", P1, text(5)},
    Entry{F::R_SEdZahajeno2, "R_SEdZahajeno2", P1, text(5)},
    Entry{F::R_SEdUkonceno2, "R_SEdUkonceno2", P1, text(5)},
    Entry{F::R_OdrocNRB, "R_OdrocNRB", P1, choice()},
    Entry{F::R_OdrocBRB, "R_OdrocBRB", P1, choice()},
    Entry{F::R_SEdOdrocenoD, "R_SEdOdrocenoD", P1, text(10)},
    Entry{F::R_SEdOdrocenoH, "R_SEdOdrocenoH", P1, digits(2)},
    Entry{F::R_SEdOdrocenoM, "R_SEdOdrocenoM", P1, digits(2)},
    Entry{F::R_SEdDuvodOdroc, "R_SEdDuvodOdroc", P1, text(200)},
    Entry{F::R_ProdlNRB, "R_ProdlNRB", P1, choice()},
    Entry{F::R_ProdlBRB, "R_ProdlBRB", P1, choice()},
    Entry{F::R_SEdProdlouzD, "R_SEdProdlouzD", P1, text(10)},
    Entry{F::R_SEdProdlouzH, "R_SEdProdlouzH", P1, digits(2)},
    Entry{F::R_SEdProdlouzM, "R_SEdProdlouzM", P1, digits(2)},
    Entry{F::R_SEdDuvodProdl, "R_SEdDuvodProdl", P1, text(200)},
    Entry{F::R_PrerusNRB, "R_PrerusNRB", P1, choice()},
    Entry{F::R_PrerusBRB, "R_PrerusBRB", P1, choice()},
    Entry{F::R_SEdPrerusD, "R_SEdPrerusD", P1, text(10)},
    Entry{F::R_SEdPrerusOd, "R_SEdPrerusOd", P1, text(5)},
    Entry{F::R_SEdPrerusDo, "R_SEdPrerusDo", P1, text(5)},
    Entry{F::R_SEdDuvodPrer, "R_SEdDuvodPrer", P1, text(200)},
    Entry{F::R_StiznBRB, "R_StiznBRB", P1, choice()},
    Entry{F::R_StiznNRB, "R_StiznNRB", P1, choice()},
    Entry{F::R_SEdStizListu, "R_SEdStizListu", P1, digits(2)},
    Entry{F::R_SchrankaBRB, "R_SchrankaBRB", P1, choice()},
    Entry{F::R_SchrankaNRB, "R_SchrankaNRB", P1, choice()},
    Entry{F::R_Dalsi_Btn, "R_Dalsi_Btn", P1, choice()},
    Entry{F::R_EdObec, "R_EdObec", P2, display(6)},
    Entry{F::R_EdOkrsek, "R_EdOkrsek", P2, display(5)},
    Entry{F::R_EdT4KC_1, "R_EdT4KC_1", P2, display(1)},
    Entry{F::R_EdZapsOsoby, "R_EdZapsOsoby", P2, digits(5, "0")},
    Entry{F::R_EdVydObalky, "R_EdVydObalky", P2, digits(5, "0")},
    Entry{F::R_EdOdevzdObalky, "R_EdOdevzdObalky", P2, digits(5, "0")},
    Entry{F::R_EdPlatneHlasy, "R_EdPlatneHlasy", P2, digits(5, "0")},
    Entry{F::R_EdT4KC_2, "R_EdT4KC_2", P2, display(6)},
    Entry{F::PartyBox, "PartyBox", P2, choice()},
    Entry{F::R_Dalsi2_Btn, "R_Dalsi2_Btn", P2, choice()},
    Entry{F::R_CBT4P_1, "R_CBT4P_1", PA, choice()},
    Entry{F::R_EdCisStr, "R_EdCisStr", PA, display(2)},
    Entry{F::R_EdPocHl, "R_EdPocHl", PA, digits(5)},
    Entry{F::R_EdT4PKC2, "R_EdT4PKC2", PA, display(6)},
    Entry{F::CandEdit, "CandEdit", PA, digits(5)},
    Entry{F::R_EdT4PKC3, "R_EdT4PKC3", PA, display(8)},
    Entry{F::R_EdT4PKC4, "R_EdT4PKC4", PA, display(8)},
    Entry{F::R_EdT4PPoslKand, "R_EdT4PPoslKand", PA, display(2)},
    Entry{F::R_T4POpravaCB, "R_T4POpravaCB", PA, choice()},
    Entry{F::R_SEdPrilListu, "R_SEdPrilListu", P3, display(2)},
    Entry{F::R_SEdClenuOVKC, "R_SEdClenuOVKC", P3, digits(2)},
    Entry{F::R_SEdClenuOVKP, "R_SEdClenuOVKP", P3, digits(2)},
    Entry{F::R_SEdZapisovat, "R_SEdZapisovat", P3, text(35)},
    Entry{F::R_JmenaKomise_SG, "R_JmenaKomise_SG", P3, choice()},
    Entry{F::R_SEdPoverPred, "R_SEdPoverPred", P3, text(200)},
    Entry{F::R_SEdOstatni, "R_SEdOstatni", P3, text(200)},
    Entry{F::UlozitOkrBtn, "UlozitOkrBtn", P3, choice()},
    Entry{F::zrusitBtn, "zrusitBtn", kFrame, choice()},
    Entry{F::Other, "", kFrame, choice()},
};

constexpr bool inEnumOrder() {
    for (std::size_t i = 0; i < kControls.size(); ++i)
        if (static_cast<std::size_t>(kControls[i].field) != i) return false;
    return kControls.back().field == F::Other;
}
static_assert(inEnumOrder(), "one entry per control, in the order of EntryField");

const Entry& entryOf(EntryField f) { return kControls.at(static_cast<std::size_t>(f)); }

bool isIndexed(EntryField f) { return f == F::CandEdit || f == F::PartyBox; }

}  // namespace

std::string_view pageCaption(EntryPage page) {
    switch (page) {
        case EntryPage::Section1: return "T/4 - odd. I";
        case EntryPage::Section2: return "T/4 - odd. II";
        case EntryPage::Annex1: return "Příloha č. 1";
        case EntryPage::Section3: return "T/4 - odd. III";
    }
    return {};
}

std::string_view controlName(EntryField field) { return entryOf(field).name; }

std::string objectName(const EntryControl& control) {
    std::string name(controlName(control.field));
    if (isIndexed(control.field)) name += std::to_string(control.index);
    return name;
}

std::optional<EntryControl> controlNamed(std::string_view objectName) {
    if (objectName.empty()) return std::nullopt;
    for (const Entry& e : kControls) {
        if (e.name.empty() || !objectName.starts_with(e.name)) continue;
        const std::string_view rest = objectName.substr(e.name.size());
        if (!isIndexed(e.field)) {
            if (rest.empty()) return EntryControl{e.field};
            continue;
        }
        int index = 0;
        const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), index);
        if (!rest.empty() && ec == std::errc{} && end == rest.data() + rest.size() && index > 0)
            return EntryControl{e.field, index};
    }
    return std::nullopt;
}

std::optional<EntryPage> pageOf(EntryField field) { return entryOf(field).page; }

FieldInput fieldInput(EntryField field) { return entryOf(field).input; }

}  // namespace talmorek::entry
