#pragma once
// The Czech sentence a commission member reads when a command fails on a
// file or a number. Made in one place so the program and the tool say the
// same thing about the same failure: the file, the record and the field
// where the failure knows them, then what went wrong.

#include <cstdint>
#include <exception>
#include <string>

#include "core/data/errors.h"
#include "core/media/proven_copy.h"

namespace talmorek::exporting {
class KeyError;
}

namespace talmorek::workflow {

// E.g. "Soubor /x/STANICE.RCD, pole KodOS: text ']u' není platné celé číslo."
std::string czechMessage(const data::DataError& failure);
// E.g. "Export na /media/usb se nepovedl: na nosiči není dost místa.
// Data nebyla exportována."
std::string czechMessage(const media::ExportError& failure);
// E.g. "Zadaný klíč je pro šifru Blowfish slabý, program ho nepoužije;
// zvolte jiný klíč."
std::string czechMessage(const exporting::KeyError& failure);
// The sentence of a DataError, an ExportError or a KeyError; any other
// failure is unexpected and told with its own text.
std::string czechMessage(const std::exception& failure);

// The journal of the entry window could not be written (`failure`): what
// the commission must know about what it types now.
std::string journalNotWritten(const std::exception& failure);
// A journal that cannot be replayed (`reason`, a sentence) was set aside
// as `badPath`, and the entry window opens with the saved data.
std::string journalSetAside(const std::string& reason, const std::string& badPath);

// A file that cannot be read back as a package of data: damaged, cut short
// or encrypted with another key, which the cipher cannot tell apart.
std::string notAPackage(const std::string& file);

// A precinct data file whose name says another precinct than its content.
std::string namedForAnotherPrecinct(const std::string& file, const std::string& nameKodObce, std::int32_t nameOkrsek,
                                    const std::string& kodObce, std::int32_t okrsek);
// The print commands of the tool could not be started.
std::string printProgramMissing(const std::string& program, int osError);

// The set of files an election office distributes, laid out as a station:
// `name` is not in `sourceDir` (the message says what the file is, e.g.
// "registr okrsků").
std::string officeFileMissing(const std::string& sourceDir, const std::string& name);
// No station record where the kind of installation asked for keeps it;
// `otherKind` when the set holds station records of the other kind.
std::string officeStationsMissing(const std::string& sourceDir, bool multiStation, bool otherKind);
// A station record whose precinct the registers of the set do not know.
std::string stationNotInRegisters(const std::string& file, const std::string& kodObce, std::int32_t okrsek);
// A station is not laid out again over the commission's work (`evidence`).
std::string stationHoldsWork(const std::string& dir, const std::string& evidence);

// A path given as a directory that is a file.
std::string notADirectory(const std::string& path);
// A station laid out in, over or around the office's set of files.
std::string stationAndOfficeSetOverlap(const std::string& dir, const std::string& sourceDir);
// Where the station's link to the program goes, something else is.
std::string programPlaceTaken(const std::string& path);
// The station's link to the program could not be made (`osError`): where
// links cannot be made, the station is not laid out at all.
std::string programNotLinked(const std::string& link, const std::string& program, int osError);
// A path a desktop's launcher cannot carry (control characters, "%").
std::string pathUnfitForLauncher(const std::string& path);
// The menu's entry for the precinct starts another station that holds
// the commission's work (`evidence`).
std::string menuEntryOfAnotherStation(const std::string& menuEntry, const std::string& otherDir,
                                      const std::string& evidence);

// `talmorek-tool print` of a build without printing (the Windows build:
// Debian has no Qt to draw with there).
std::string printingNotBuilt();

// What an operating system's error code means, in Czech words ("na disku
// není dost místa"), for whoever words a failure of its own around it.
std::string osReason(int osError);

}  // namespace talmorek::workflow
