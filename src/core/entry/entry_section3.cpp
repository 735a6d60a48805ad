#include "core/entry/entry_section3.h"

#include <array>

#include "core/data/blanks.h"
#include "core/data/cp1250.h"
#include "core/data/decimal.h"

namespace talmorek::entry {
namespace {

using F = EntryField;
using H = data::Hlasovani;

constexpr std::array kSection3Edits = {
    HlasovaniEdit{F::R_SEdClenuOVKC, &H::ClenuOVKC},
    HlasovaniEdit{F::R_SEdClenuOVKP, &H::ClenuOVKP},
    HlasovaniEdit{F::R_SEdZapisovat, &H::Zapisovat},
    HlasovaniEdit{F::R_SEdPoverPred, &H::PoverPred},
    HlasovaniEdit{F::R_SEdOstatni, &H::Ostatni},
};

std::string cutName(std::string_view text) { return data::utf8Prefix(text, kNameLength); }

}  // namespace

std::span<const HlasovaniEdit> section3Edits() { return kSection3Edits; }

const HlasovaniEdit* hlasovaniEdit(EntryField control) {
    for (std::span<const HlasovaniEdit> edits : {section1Edits(), section3Edits()})
        for (const HlasovaniEdit& edit : edits)
            if (edit.control == control) return &edit;
    return nullptr;
}

void CommissionNames::load(const data::SeznamKomise& names, std::string_view clenuOVKP) {
    std::optional<int> others = data::otherMembersPresent(clenuOVKP);
    shadow_.clear();
    for (const data::TKomise& entry : names) shadow_.push_back(cutName(entry.clen));
    others_ = others;
    placeholder_.clear();
}

void CommissionNames::setMembersPresent(std::string_view clenuOVKP) {
    std::optional<int> others = data::otherMembersPresent(clenuOVKP);
    // A name typed into the one empty row before the count was corrected
    // stays in that row, as a name in a grid row does.
    if (others && !placeholder_.empty()) {
        if (shadow_.empty()) shadow_.resize(1);
        shadow_[0] = placeholder_;
    }
    placeholder_.clear();
    others_ = others;
}

int CommissionNames::rows() const { return others_ ? *others_ : 1; }

std::string CommissionNames::rowNumber(int row) { return std::to_string(row + 1) + "."; }

std::string CommissionNames::shownNumber(int row) const {
    if (!others_ || row < 1 || row > rows()) return {};
    return rowNumber(row);
}

std::string CommissionNames::name(int row) const {
    if (row < 1 || row > rows()) return {};
    if (!others_) return placeholder_;
    const auto i = static_cast<std::size_t>(row - 1);
    return i < shadow_.size() ? shadow_[i] : std::string();
}

void CommissionNames::setName(int row, std::string_view text) {
    if (row < 1 || row > rows()) return;
    if (!others_) {
        placeholder_ = cutName(text);
        return;
    }
    const auto i = static_cast<std::size_t>(row - 1);
    if (shadow_.size() <= i) shadow_.resize(i + 1);
    shadow_[i] = cutName(text);
}

std::optional<data::SeznamKomise> CommissionNames::toStore() const {
    if (!others_) return std::nullopt;
    data::SeznamKomise list;
    data::DelkaKomise(list, static_cast<std::size_t>(*others_));
    for (std::size_t i = 0; i < list.size() && i < shadow_.size(); ++i) list[i].clen = shadow_[i];
    return list;
}

void ProcNatahniHlasovani(data::Hlasovani& h, const data::SeznamKomise& komise, CommissionNames& names) {
    normaliseYesNo(h);
    names.load(komise, h.ClenuOVKP);
}

EntryField KamDale(bool abroad) { return abroad ? EntryField::R_SEdOstatni : EntryField::R_SEdPoverPred; }

}  // namespace talmorek::entry
