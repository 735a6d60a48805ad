#pragma once
// The precinct data file: the results block (`T4`, the `T4P` of every flagged
// party, `TS`) as one line of fixed-width text, packed, encrypted and Base64
// encoded. "EP…" holds data entered or checked with errors; "OP…" data whose
// last check allowed export — the very file the receiving office reads.

#include <string>
#include <string_view>

#include "data/file_system.h"
#include "entry/record_of_vote.h"

namespace talmorek::exporting {

inline constexpr std::size_t kT4BlockLength = 105;
inline constexpr std::size_t kT4PBlockLength = 239;
inline constexpr std::size_t kTSBlockLength = 276;

// "EP532053.00001": letter, "P", the municipality code as stored, ".", the
// precinct number as five digits.
std::string dataFileName(std::string_view letter, std::string_view kodObce, std::int32_t cisloOkrsku);

// The text line of the results block (UTF-8 texts written in code page 1250).
std::string resultsLine(const entry::RecordOfVote& r);
// Parses a text line into the results block of `r` (cleared first). A field
// that is not a number raises ConversionError naming the field; a line
// shorter than its blocks raises FormatError.
void parseResultsLine(std::string_view line, entry::RecordOfVote& r, const std::string& fileForErrors);

// Writes the results block as the data file with `letter` in `dataDir`. The
// new package is complete on disk before it replaces the target; only then is
// a lone "E" file removed when "O" is written. Writing "E" never touches "O".
void ZapisData(const entry::RecordOfVote& r, const std::string& dataDir, std::string_view kodObce,
               std::int32_t cisloOkrsku, std::string_view letter, data::FileSystem& fs = data::systemFileSystem());

// Clears the results block and fills it from the file with `letter`, if it
// exists. Returns whether it existed. A damaged file raises FormatError or
// ConversionError and leaves the disk unchanged.
bool NactiData(entry::RecordOfVote& r, const std::string& dataDir, std::string_view kodObce,
               std::int32_t cisloOkrsku, std::string_view letter, data::FileSystem& fs = data::systemFileSystem());

}  // namespace talmorek::exporting
