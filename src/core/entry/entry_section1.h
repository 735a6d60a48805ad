#pragma once
// Page "T/4 - odd. I": the course of voting as the sentences of the paper
// form. Nothing is checked when a field is left; the values go into the
// `Hlasovani` record as typed and the check run judges them later.

#include <span>
#include <string>
#include <string_view>

#include "core/entry/entry_fields.h"
#include "core/data/working_files.h"

namespace talmorek::entry {

// A text field of the `Hlasovani` record on page I or III.
struct HlasovaniEdit {
    EntryField control;
    std::string data::Hlasovani::*member;
    // An hour or minute: "0" (trimmed) is stored empty, as the form leaves
    // the box blank for a whole hour.
    bool zeroMeansEmpty = false;
};

// A yes/no question: two radio buttons over one field, "B" for yes.
struct RadioPair {
    EntryField yes;
    EntryField no;
    std::string data::Hlasovani::*member;
    // Leaving the chosen button sets the field again (the questions whose
    // date, time and reason follow).
    bool setAgainOnLeave = false;
};

std::span<const HlasovaniEdit> section1Edits();
std::span<const RadioPair> section1Radios();

// The edit of `control` among the text fields of pages I and III; null when it is none.
const HlasovaniEdit* hlasovaniEdit(EntryField control);
// The radio pair that `button` belongs to; null when it is none.
const RadioPair* radioPairOf(EntryField button);

// Stores the text left in the field: cut to the record field's capacity,
// "0" of an hour or minute stored empty.
void storeHlasovaniText(data::Hlasovani& h, const HlasovaniEdit& edit, std::string_view text);

// The page I part of `ProcNatahniHlasovani`: every yes/no field that holds
// neither "B" nor "N" is set to "N", as its "no" button shows it.
void normaliseYesNo(data::Hlasovani& h);

// Whether `button` shows checked for the record: the yes button for "B",
// the no button for anything else.
bool radioChecked(const data::Hlasovani& h, EntryField button);

// Choosing (or leaving, for the pairs that set again) a button sets its pair's field.
void chooseRadio(data::Hlasovani& h, EntryField button);

}  // namespace talmorek::entry
