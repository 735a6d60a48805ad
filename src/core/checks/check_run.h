#pragma once
// The check run: every rule once, in a fixed order, with marking. It leaves
// the verdict in the protocol (one finding per failure, sorted), in the class
// flags of `rules`, in `SeznamChyb` of the summary and in the `Chyba` flags
// of the records.

#include "checks/rules.h"

namespace talmorek::checks {

// Which command started the run: the check command and the entry window's
// save start from clean `Chyba` flags; the export-and-print command keeps the
// flags read from the data file and can only add to them.
inline constexpr int kVybranoKontroly = 5;
inline constexpr int kVybranoExport = 3;

// Runs every rule on `rules`' record. An exception raised by a rule (a
// missing register, a count that is not a number) ends the run there; the
// protocol and the flags keep what was found before.
void ProvedKontroly(CheckRules& rules, int Vybrano);

}  // namespace talmorek::checks
