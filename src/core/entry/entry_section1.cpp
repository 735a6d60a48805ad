#include "core/entry/entry_section1.h"

#include <array>

#include "core/data/blanks.h"
#include "core/data/cp1250.h"

namespace talmorek::entry {
namespace {

using F = EntryField;
using H = data::Hlasovani;

constexpr std::array kSection1Edits = {
    HlasovaniEdit{F::R_SEdZahajeno1, &H::Zahajeno1},
    HlasovaniEdit{F::R_SEdUkonceno1, &H::Ukonceno1},
    HlasovaniEdit{F::R_SEdZahajeno2, &H::Zahajeno2},
    HlasovaniEdit{F::R_SEdUkonceno2, &H::Ukonceno2},
    HlasovaniEdit{F::R_SEdOdrocenoD, &H::OdrocenoD},
    HlasovaniEdit{F::R_SEdOdrocenoH, &H::OdrocenoH, true},
    HlasovaniEdit{F::R_SEdOdrocenoM, &H::OdrocenoM, true},
    HlasovaniEdit{F::R_SEdDuvodOdroc, &H::DuvodOdroc},
    HlasovaniEdit{F::R_SEdProdlouzD, &H::ProdlouzD},
    HlasovaniEdit{F::R_SEdProdlouzH, &H::ProdlouzH, true},
    HlasovaniEdit{F::R_SEdProdlouzM, &H::ProdlouzM, true},
    HlasovaniEdit{F::R_SEdDuvodProdl, &H::DuvodProdl},
    HlasovaniEdit{F::R_SEdPrerusD, &H::PrerusD},
    HlasovaniEdit{F::R_SEdPrerusOd, &H::PrerusOd},
    HlasovaniEdit{F::R_SEdPrerusDo, &H::PrerusDo},
    HlasovaniEdit{F::R_SEdDuvodPrer, &H::DuvodPrer},
    HlasovaniEdit{F::R_SEdStizListu, &H::StizListu},
};

constexpr std::array kSection1Radios = {
    RadioPair{F::R_OdrocBRB, F::R_OdrocNRB, &H::Odroceno, true},
    RadioPair{F::R_ProdlBRB, F::R_ProdlNRB, &H::Prodlouzeno, true},
    RadioPair{F::R_PrerusBRB, F::R_PrerusNRB, &H::Preruseno, true},
    RadioPair{F::R_StiznBRB, F::R_StiznNRB, &H::Stiznosti, false},
    RadioPair{F::R_SchrankaBRB, F::R_SchrankaNRB, &H::Schranka, false},
};

// The capacity of the record field that holds `member`.
std::size_t capacityOf(std::string H::*member) {
    for (const auto& f : data::hlaso::kFields)
        if (f.member == member) return f.layout.capacity;
    return 0;
}

}  // namespace

std::span<const HlasovaniEdit> section1Edits() { return kSection1Edits; }
std::span<const RadioPair> section1Radios() { return kSection1Radios; }

const RadioPair* radioPairOf(EntryField button) {
    for (const RadioPair& pair : kSection1Radios)
        if (pair.yes == button || pair.no == button) return &pair;
    return nullptr;
}

void storeHlasovaniText(data::Hlasovani& h, const HlasovaniEdit& edit, std::string_view text) {
    std::string value = data::utf8Prefix(text, capacityOf(edit.member));
    // An hour or minute of "0" is left blank on the paper form; "00" is
    // what the commission wrote and stays.
    if (edit.zeroMeansEmpty && data::trimBlanks(value) == "0") value.clear();
    h.*edit.member = std::move(value);
}

void normaliseYesNo(data::Hlasovani& h) {
    for (const RadioPair& pair : kSection1Radios) {
        std::string& value = h.*pair.member;
        if (value != "B") value = "N";
    }
}

bool radioChecked(const data::Hlasovani& h, EntryField button) {
    const RadioPair* pair = radioPairOf(button);
    if (!pair) return false;
    const bool yes = h.*pair->member == "B";
    return button == pair->yes ? yes : !yes;
}

void chooseRadio(data::Hlasovani& h, EntryField button) {
    if (const RadioPair* pair = radioPairOf(button)) h.*pair->member = button == pair->yes ? "B" : "N";
}

}  // namespace talmorek::entry
