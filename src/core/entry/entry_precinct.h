#pragma once
// How the entry window differs for a special precinct. A precinct abroad
// (municipality "999997") and any precinct of the territory "999" use the
// form's wording for special precincts ("Název okrsku", the extract "ze
// zvláštního seznamu voličů"); only abroad, where no portable ballot box
// goes round and no member hands the record over in person, are those two
// questions hidden.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/data/station.h"

namespace talmorek::entry {

struct EntryPrecinct {
    bool special = false;  // the labels of a special precinct
    bool abroad = false;   // the ballot-box question and the entrusted member hidden
};

EntryPrecinct entryPrecinctOf(const data::TStanice& station);

// The labels whose text depends on the precinct, by object name, with
// their text: `R_Label35`, `R_Label105`, `R_Label106`, `R_Label107`, `R_Label110`.
std::vector<std::pair<std::string_view, std::string>> precinctLabels(const EntryPrecinct& precinct);

// Whether the control (or label) of this object name is hidden for the precinct.
bool hiddenForPrecinct(const EntryPrecinct& precinct, std::string_view objectName);

// "Vstup dat za okrsek - " and the main window's caption.
std::string entryWindowCaption();

}  // namespace talmorek::entry
