#pragma once
// The working files of a station in its data directory: HLASO.RCD holds the
// course of voting (section I) and the scalar fields of section III, and
// KOMISE.RCD the names of the commission members present. Both are rewritten
// whole on every save, through a temporary file, so a failed save keeps the
// previous version.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/decimal.h"
#include "core/data/file_system.h"
#include "core/data/record_fields.h"
#include "core/data/record_layout.h"

namespace talmorek::data {

// Every field is text; yes/no fields hold "B" (yes) or "N" (no).
struct Hlasovani {
    std::string DatumVoleb;
    std::string Zahajeno1, Ukonceno1, Zahajeno2, Ukonceno2;
    std::string Odroceno, OdrocenoD, OdrocenoH, OdrocenoM, DuvodOdroc;
    std::string Prodlouzeno, ProdlouzD, ProdlouzH, ProdlouzM, DuvodProdl;
    std::string Preruseno, PrerusD, PrerusOd, PrerusDo, DuvodPrer;
    std::string Stiznosti, StizListu;
    std::string Schranka, PrilListu;
    std::string ClenuOVKC, ClenuOVKP;
    std::string Ostatni, PoverPred, Zapisovat;

    bool operator==(const Hlasovani&) const = default;
};

using HlasovaniField = BoundField<Hlasovani>;

namespace hlaso {
constexpr std::size_t kRecordSize = 1194;
extern const RecordLayout kLayout;
// Every field with the member that holds it, in record order.
extern const std::array<HlasovaniField, 29> kFields;
}  // namespace hlaso

Hlasovani decodeHlasovani(std::string_view record);
RecordBytes encodeHlasovani(const Hlasovani& h);

// One entry of the commission list: the name of a member present.
struct TKomise {
    std::string clen;  // str[50]
    bool operator==(const TKomise&) const = default;
};
using SeznamKomise = std::vector<TKomise>;

namespace komise {
constexpr std::size_t kRecordSize = 51;
constexpr std::size_t kMaxEntries = 255;  // the list's length is held in one byte
extern const RecordLayout kLayout;
}  // namespace komise

void ZapisHlasovani(const std::string& dataDir, const Hlasovani& h, FileSystem& fs = systemFileSystem());
// A HLASO.RCD shorter than one record fails with IoError; extra bytes are ignored.
Hlasovani NactiHlasovani(const std::string& dataDir, FileSystem& fs = systemFileSystem());

// Whether the commission list exists for the count of members present,
// `ClenuOVKP`, and how long it is. The recording clerk is member 1; the list
// names the others. A count n ≥ 2 asks for n − 1 names. An empty count, or
// a number below two ("0", "00", "1", "01"), is the chair alone: no list,
// and KOMISE.RCD is neither read for the record nor written. The count is
// trimmed first. A count that is not a number (only a damaged HLASO.RCD
// holds one) raises ConversionError naming `origin`. The one rule for the
// entry window, the loading of a saved record, the printouts and the tool.
std::optional<int> otherMembersPresent(std::string_view clenuOVKP, const FieldOrigin& origin = {});

// Sets the list's length (0..255): entries below n keep their names, new ones are empty.
void DelkaKomise(SeznamKomise& list, std::size_t n);
void ZapisKomisi(const std::string& dataDir, const SeznamKomise& list, FileSystem& fs = systemFileSystem());
// Reads the records (at most the first 255), each name cut to 50 characters;
// a last record cut short fails (IoError naming it) rather than dropping a
// name unseen.
SeznamKomise NactiKomisi(const std::string& dataDir, FileSystem& fs = systemFileSystem());
// True when KOMISE.RCD is not empty; a missing file fails with IoError.
bool KomiseNeprazdna(const std::string& dataDir, FileSystem& fs = systemFileSystem());

// ZURNAL.<precinct as five digits> in the data directory: the journal of
// what the entry window took since its last save (see the entry window's
// journal). Cancelling the entered data removes it with them.
std::string journalFile(const std::string& dataDir, std::int32_t cisloOkrsku);

}  // namespace talmorek::data
