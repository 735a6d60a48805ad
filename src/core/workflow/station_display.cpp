#include "core/workflow/station_display.h"

#include "core/data/blanks.h"
#include "core/data/cp1250.h"

namespace talmorek::workflow {

StatusLabels statusLabels(const data::TStanice& station) {
    StatusLabels labels;
    const std::string okrsek = "Okrsek: " + std::to_string(station.CisloOkrsku);
    if (data::isSpecialPrecinct(station)) {
        // Abroad the municipality is the same for every precinct; the name
        // that tells the precincts apart is the place of the embassy.
        labels.obec = "Obec: " + station.KodObce;
        labels.okrsek = okrsek + " - " + station.NazevObce;
        labels.wideOkrsek = true;
    } else {
        labels.obec = data::utf8Prefix("Obec: " + station.KodObce + " - " + station.NazevObce, kMunicipalityLabelLength);
        labels.okrsek = okrsek;
    }
    labels.kraj = "Volební kraj: " + station.CisloKraje + " - " + data::trimBlanks(station.NazevKraje);
    return labels;
}

bool bezHackuEnabled(const data::TStanice& station) { return data::isSpecialPrecinct(station); }

std::string electionDatesText(const data::TStanice& station) { return data::electionDates(station); }

}  // namespace talmorek::workflow
