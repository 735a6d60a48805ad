#pragma once
// What the main window shows about its station once the station record is
// read: the three labels of the status line, the caption, and whether the
// "bez háčků" menu item may be used. Pure functions, so the window only sets
// texts.

#include <string>

#include "core/data/station.h"

namespace talmorek::workflow {

inline constexpr const char* kMainWindowCaption =
    "Volby do Poslanecké sněmovny Parlamentu ČR - pořízení dat okrskovými komisemi";

// The municipality label of an ordinary station is cut to this many characters.
inline constexpr std::size_t kMunicipalityLabelLength = 55;

struct StatusLabels {
    std::string obec;    // `Z_StatusObec_Lbl`
    std::string okrsek;  // `Z_StatusOkrsek_Lbl`
    std::string kraj;    // `Z_StatusKraj_lbl`
    // A special precinct abroad: the municipality label is narrowed and the
    // precinct label widened and moved left next to it, to hold the name.
    bool wideOkrsek = false;
};

// Ordinary station: "Obec: " + code + " - " + name (cut to 55 characters),
// "Okrsek: " + number. Special precinct (999997): "Obec: " + code, and
// "Okrsek: " + number + " - " + the precinct's name. Region for both:
// "Volební kraj: " + region number + " - " + region name without blanks
// around it.
StatusLabels statusLabels(const data::TStanice& station);

// "bez háčků" serves the precincts abroad, whose printers may lack Czech
// fonts; it is enabled only there.
bool bezHackuEnabled(const data::TStanice& station);

// The days of the election, as every window and printout shows them.
std::string electionDatesText(const data::TStanice& station);

}  // namespace talmorek::workflow
