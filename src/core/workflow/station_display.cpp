#include "workflow/station_display.h"

#include "data/blanks.h"
#include "data/cp1250.h"

namespace talmorek::workflow {

StatusLabels statusLabels(const data::TStanice& s) {
    StatusLabels labels;
    const std::string okrsek = "Okrsek: " + std::to_string(s.CisloOkrsku);
    if (data::isSpecialPrecinct(s)) {
        // Abroad the municipality is the same for every precinct; the name
        // that tells the precincts apart is the place of the embassy.
        labels.obec = "Obec: " + s.KodObce;
        labels.okrsek = okrsek + " - " + s.NazevObce;
        labels.wideOkrsek = true;
    } else {
        labels.obec = data::utf8Prefix("Obec: " + s.KodObce + " - " + s.NazevObce, kMunicipalityLabelLength);
        labels.okrsek = okrsek;
    }
    labels.kraj = "Volební kraj: " + s.CisloKraje + " - " + data::trimBlanks(s.NazevKraje);
    return labels;
}

bool bezHackuEnabled(const data::TStanice& s) { return data::isSpecialPrecinct(s); }

std::string electionDatesText(const data::TStanice& s) { return data::electionDates(s); }

}  // namespace talmorek::workflow
