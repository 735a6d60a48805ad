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

// `talmorek-tool print` of a build without printing (the Windows build:
// Debian has no Qt to draw with there).
std::string printingNotBuilt();

// What an operating system's error code means, in Czech words ("na disku
// není dost místa"), for whoever words a failure of its own around it.
std::string osReason(int osError);

}  // namespace talmorek::workflow
