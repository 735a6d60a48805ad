#pragma once
// The station record STANICE.RCD: which municipality and precinct this
// installation serves. The installation writes it; the program reads all of
// it and writes back only the status letter `Stav`.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/data/file_system.h"
#include "core/data/record_layout.h"

namespace talmorek::data {

struct TStanice {
    std::string Oznaceni;     // str[2], not interpreted
    std::string KodUzemi;     // str[3]; "999" marks a precinct abroad for the entry window
    std::string NazevObce;    // str[40]; for a precinct abroad its name
    std::string KodObce;      // str[6]; "999997" for the special precincts abroad
    std::int32_t CisloOkrsku = 0;
    std::string KodOkresu;    // str[4]
    std::string NazevOkresu;  // str[25]
    std::string CisloKraje;   // str[2]
    std::string KodKraje;     // str[4]
    std::string NazevKraje;   // str[20]
    std::string reserved = std::string(128, '\0');  // carried through unchanged
    std::string Pripona;      // str[3], suffix of the printing fonts, e.g. " CE"
    std::string KodOS;        // str[2], operating-system code
    std::string Stav;         // str[1]: "A" exported and printed, "N" saved or checked since

    // The STANICE.RCD this record was read from, so that a field found not
    // to be a number later names its file; empty for a record made in memory.
    std::string sourceFile;
};

namespace stanice {
constexpr std::size_t kRecordSize = 260;
constexpr std::size_t kReservedOffset = 120;
constexpr std::size_t kReservedSize = 128;
// The number carried into the summary record sits as a length-prefixed text
// at this offset inside the reserved area.
constexpr std::size_t kReservedTextOffset = 186;
extern const RecordLayout kLayout;
}  // namespace stanice

TStanice decodeStanice(std::string_view record);
// Encodes onto `base` (a 260-byte record), so that bytes the layout does not
// own stay as they were.
RecordBytes encodeStanice(const TStanice& station, RecordBytes base = RecordBytes(stanice::kRecordSize, '\0'));

// Reads the station record from STANICE.RCD of the station directory.
// A record whose municipality code is not six digits or whose precinct
// number lies outside 1..99999 is refused: ConversionError for a code that
// is no number, FieldValueError otherwise, each naming the file and the
// field. The other fields are checked where they are used; a status letter
// other than "A" counts as not exported.
TStanice NactiStanici(const std::string& stationDir, FileSystem& fs = systemFileSystem());

// Re-reads the station record from disk into `shared`, sets the status
// letter and writes the file back; afterwards the file differs only in the
// two bytes of `Stav`. The file is replaced atomically.
void ZapisStavStanice(const std::string& stationDir, std::string_view letter, TStanice& shared,
                      FileSystem& fs = systemFileSystem());

inline constexpr std::string_view kKodZvlastnihoOkrsku = "999997";

// A special precinct abroad (form T/4b) for the main window, the export and the printouts.
bool isSpecialPrecinct(const TStanice& station);
// The precinct number as five digits with leading zeros, as file names use it.
std::string precinctFiveDigits(std::int32_t cisloOkrsku);
// The days of the election shown on screen and printouts; special precincts
// 83..96 vote a day earlier.
std::string electionDates(const TStanice& station);
// The length-prefixed text at offset 186 of the record, in the reserved area.
std::string reservedText(const TStanice& station);

}  // namespace talmorek::data
