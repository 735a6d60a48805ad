#pragma once
// The precinct data file: the results block (`T4`, the `T4P` of every flagged
// party, `TS`) as one line of fixed-width text, packed, encrypted and Base64
// encoded. "EP…" holds data entered or checked with errors; "OP…" data whose
// last check allowed export — the very file the receiving office reads.
// Letters travel as `DataLetter`; they become text only in the file name.

#include <string>
#include <string_view>

#include "core/data/file_system.h"
#include "core/record/record_of_vote.h"
#include "core/export/results_fields.h"

namespace talmorek::exporting {

// The two data files of a precinct. Once the results are saved exactly one
// of them exists: "E" while the data have not passed a check, "O" when the
// last check allowed their export.
enum class DataLetter { E, O };

// The letter as it stands at the start of the file name.
char letterOf(DataLetter letter);
// The file that a save under `letter` supersedes.
DataLetter otherLetter(DataLetter letter);

// "EP532053.00001": letter, "P", the municipality code as stored, ".", the
// precinct number as five digits.
std::string dataFileName(DataLetter letter, std::string_view kodObce, std::int32_t cisloOkrsku);
// That file in the station's data directory (`dataDir` ends with a separator).
std::string dataFilePath(const std::string& dataDir, DataLetter letter, std::string_view kodObce,
                         std::int32_t cisloOkrsku);

// The text line of the results block (UTF-8 texts written in code page
// 1250), field by field as results_fields.h lists them. A number wider than
// its field raises FieldWidthError; party flags that are not sixty "0"/"1"
// characters, or a text with a character code page 1250 cannot hold, raise
// FieldValueError: what is written always reads back.
std::string resultsLine(const record::RecordOfVote& r);
// Parses a text line into the results block of `r` (cleared first). A field
// that is not a number raises ConversionError naming the file and the field;
// a line shorter than its blocks, or a party flag that is not "0" or "1",
// raises FormatError with the position in the line.
void parseResultsLine(std::string_view line, record::RecordOfVote& r, const std::string& fileForErrors);

// The longest results line there is: the T4 block, the annexes of all sixty
// parties a flag can name, the TS block. A data file whose package claims a
// longer plain text is refused before anything is inflated.
inline constexpr std::size_t kLongestResultsLine =
    kT4BlockLength + record::kFlagPositions * kT4PBlockLength + kTSBlockLength;

// The largest a data file can be: the package of the longest results line
// takes some 21 KB; a file of more is refused before it is read.
inline constexpr std::uint64_t kLargestDataFile = 64 * 1024;
// The field a refusal of a file above that size names, as the commission reads it.
inline constexpr std::string_view kFileSizeField = "velikost souboru";

// The results line in the package text of a data file; FormatError (naming
// `fileForErrors`) for a damaged package or one that claims more than
// `kLongestResultsLine` bytes.
std::string readResultsPackage(std::string_view packageText, const std::string& fileForErrors);

// Saves the results block: every save of the results goes through here.
// Writes the data file with `letter` in `dataDir`, then removes the file of
// the other letter, so that exactly one of them remains. The new package is
// complete on disk before it replaces its target, and the other file goes
// only after that: a save that fails (FieldWidthError, IoError) leaves the
// precinct with the data it had.
void saveResults(const record::RecordOfVote& r, const std::string& dataDir, std::string_view kodObce,
                 std::int32_t cisloOkrsku, DataLetter letter, data::FileSystem& fs = data::systemFileSystem());

// Writes the data file with `letter` alone, crash-safely, and leaves the
// other file as it is (a value too wide for its field raises FieldWidthError
// naming the target): the writing step of `saveResults`, which alone keeps
// the rule of one file. On its own it serves to set up a given pair of files.
void ZapisData(const record::RecordOfVote& r, const std::string& dataDir, std::string_view kodObce,
               std::int32_t cisloOkrsku, DataLetter letter, data::FileSystem& fs = data::systemFileSystem());

// The bytes of the data file at `path`. A carrier may hold anything under
// the name: a file larger than any data file is refused (FormatError naming
// `kFileSizeField`) without being read into memory.
std::string readDataFileBytes(const std::string& path, data::FileSystem& fs = data::systemFileSystem());

// Clears the results block and fills it from the file with `letter`, if it
// exists. Returns whether it existed. A damaged file raises FormatError or
// ConversionError and leaves the disk unchanged.
bool NactiData(record::RecordOfVote& r, const std::string& dataDir, std::string_view kodObce,
               std::int32_t cisloOkrsku, DataLetter letter, data::FileSystem& fs = data::systemFileSystem());

}  // namespace talmorek::exporting
