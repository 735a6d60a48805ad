#pragma once
// Page "T/4 - odd. III": the commission. The recording clerk is member 1 of
// those present; the names grid lists the others, rows "2." to "n." for n
// members present, and KOMISE.RCD holds those n − 1 names.
//
// The names live in a shadow list longer than the grid may be: a count
// typed as "1" by mistake and corrected to "5" brings the four names back
// instead of four empty rows. The grid shows the first n − 1 names; what is
// stored is exactly those.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/decimal.h"
#include "core/entry/entry_fields.h"
#include "core/entry/entry_section1.h"
#include "core/data/working_files.h"

namespace talmorek::entry {

inline constexpr int kNameLength = 50;  // characters of one name, as KOMISE.RCD holds it

std::span<const HlasovaniEdit> section3Edits();

class CommissionNames {
public:
    // The names as read from KOMISE.RCD, for `clenuOVKP` members present.
    void load(const data::SeznamKomise& names, std::string_view clenuOVKP);
    // Leaving `R_SEdClenuOVKP`: the rows follow the new count; no name is lost.
    void setMembersPresent(std::string_view clenuOVKP);

    // Rows of names in the grid (without the header): n − 1, or one empty row.
    int rows() const;
    // "2." for row 1.
    static std::string rowNumber(int row);
    // The number shown in the first column of row 1..rows(): `rowNumber`
    // for a row of a name; nothing for the one empty row shown while fewer
    // than two are present, whose both cells are blank.
    std::string shownNumber(int row) const;
    // The name shown in row 1..rows().
    std::string name(int row) const;
    // The cell of row 1..rows() was left with `text` (cut to 50 characters).
    void setName(int row, std::string_view text);

    // The list to store, or nothing when KOMISE.RCD is to stay as it is
    // (fewer than two members present).
    std::optional<data::SeznamKomise> toStore() const;

private:
    std::vector<std::string> shadow_;  // every name ever in row i + 1
    std::optional<int> others_;        // rows that are names; nothing: one empty row
    std::string placeholder_;          // the one row shown while there are no names
};

// `ProcNatahniHlasovani`: pages I and III filled from the course of voting
// and the commission list as read: every yes/no question as its buttons
// show it (see `normaliseYesNo`), the names grid from the list.
void ProcNatahniHlasovani(data::Hlasovani& h, const data::SeznamKomise& komise, CommissionNames& names);

// The control that Enter in the last row of the grid moves to: the
// entrusted member, or for a precinct abroad, where that field is hidden,
// the other persons present.
EntryField KamDale(bool abroad);

}  // namespace talmorek::entry
