#include "core/entry/entry_precinct.h"

#include <algorithm>
#include <array>

#include "core/workflow/station_display.h"

namespace talmorek::entry {

EntryPrecinct entryPrecinctOf(const data::TStanice& station) {
    EntryPrecinct p;
    p.abroad = station.KodObce == data::kKodZvlastnihoOkrsku;
    p.special = p.abroad || station.KodUzemi == "999";
    return p;
}

std::vector<std::pair<std::string_view, std::string>> precinctLabels(const EntryPrecinct& precinct) {
    const bool s = precinct.special;
    const std::string nazev = s ? "Název okrsku" : "Název obce";
    return {
        {"R_Label35", nazev},
        {"R_Label105", nazev},
        {"R_Label106", s ? "Počet osob zapsaných do výpisu" : "Počet osob zapsaných do výpisů ze stálého"},
        {"R_Label107", s ? "ze zvláštního seznamu voličů:" : "a zvláštního seznamu voličů celkem: "},
        {"R_Label110", s ? "Počet platných hlasů ve zvláštním volebním okrsku celkem:"
                         : "Počet platných hlasů ve volebním okrsku celkem: "},
    };
}

bool hiddenForPrecinct(const EntryPrecinct& precinct, std::string_view objectName) {
    // Abroad there is no portable ballot box (page I) and nobody hands the
    // record over in person (page III).
    static constexpr std::array<std::string_view, 7> kAbroadHidden = {
        "R_Label27", "R_Label28", "R_SchrankaBRB", "R_SchrankaNRB", "R_Label90", "R_Label91", "R_SEdPoverPred"};
    return precinct.abroad && std::find(kAbroadHidden.begin(), kAbroadHidden.end(), objectName) != kAbroadHidden.end();
}

std::string entryWindowCaption() { return std::string("Vstup dat za okrsek - ") + workflow::kMainWindowCaption; }

}  // namespace talmorek::entry
