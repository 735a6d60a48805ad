#include "core/data/working_files.h"

#include <algorithm>

#include "core/data/blanks.h"
#include "core/data/directories.h"
#include "core/data/file_io.h"
#include "core/data/record_file.h"
#include "core/data/station.h"

namespace talmorek::data {

namespace hlaso {
constexpr std::array<HlasovaniField, 29> kFields = {{
    HlasovaniField{strField("DatumVoleb", 0, 10), &Hlasovani::DatumVoleb},
    HlasovaniField{strField("Zahajeno1", 11, 5), &Hlasovani::Zahajeno1},
    HlasovaniField{strField("Ukonceno1", 17, 5), &Hlasovani::Ukonceno1},
    HlasovaniField{strField("Zahajeno2", 23, 5), &Hlasovani::Zahajeno2},
    HlasovaniField{strField("Ukonceno2", 29, 5), &Hlasovani::Ukonceno2},
    HlasovaniField{strField("Odroceno", 35, 1), &Hlasovani::Odroceno},
    HlasovaniField{strField("OdrocenoD", 37, 23), &Hlasovani::OdrocenoD},
    HlasovaniField{strField("OdrocenoH", 61, 2), &Hlasovani::OdrocenoH},
    HlasovaniField{strField("OdrocenoM", 64, 2), &Hlasovani::OdrocenoM},
    HlasovaniField{strField("DuvodOdroc", 67, 200), &Hlasovani::DuvodOdroc},
    HlasovaniField{strField("Prodlouzeno", 268, 1), &Hlasovani::Prodlouzeno},
    HlasovaniField{strField("ProdlouzD", 270, 23), &Hlasovani::ProdlouzD},
    HlasovaniField{strField("ProdlouzH", 294, 2), &Hlasovani::ProdlouzH},
    HlasovaniField{strField("ProdlouzM", 297, 2), &Hlasovani::ProdlouzM},
    HlasovaniField{strField("DuvodProdl", 300, 200), &Hlasovani::DuvodProdl},
    HlasovaniField{strField("Preruseno", 501, 1), &Hlasovani::Preruseno},
    HlasovaniField{strField("PrerusD", 503, 23), &Hlasovani::PrerusD},
    HlasovaniField{strField("PrerusOd", 527, 5), &Hlasovani::PrerusOd},
    HlasovaniField{strField("PrerusDo", 533, 5), &Hlasovani::PrerusDo},
    HlasovaniField{strField("DuvodPrer", 539, 200), &Hlasovani::DuvodPrer},
    HlasovaniField{strField("Stiznosti", 740, 1), &Hlasovani::Stiznosti},
    HlasovaniField{strField("StizListu", 742, 2), &Hlasovani::StizListu},
    HlasovaniField{strField("Schranka", 745, 1), &Hlasovani::Schranka},
    HlasovaniField{strField("PrilListu", 747, 2), &Hlasovani::PrilListu},
    HlasovaniField{strField("ClenuOVKC", 750, 2), &Hlasovani::ClenuOVKC},
    HlasovaniField{strField("ClenuOVKP", 753, 2), &Hlasovani::ClenuOVKP},
    HlasovaniField{strField("Ostatni", 756, 200), &Hlasovani::Ostatni},
    HlasovaniField{strField("PoverPred", 957, 200), &Hlasovani::PoverPred},
    HlasovaniField{strField("Zapisovat", 1158, 35), &Hlasovani::Zapisovat},
}};

namespace {
constexpr std::array<FieldLayout, 29> kLayouts = layoutsOf(kFields);
static_assert(bindsByKind(kFields));
static_assert(isPacked(kLayouts, kRecordSize), "HLASO.RCD fields must fill the record without gaps");
}  // namespace

const RecordLayout kLayout{"HLASO.RCD", kRecordSize, kLayouts};
}  // namespace hlaso

namespace komise {
namespace {
constexpr FieldLayout kClen = strField("clen", 0, 50);
constexpr std::array kFields = {kClen};
static_assert(isConsistent(kFields, kRecordSize) && kClen.end() == kRecordSize);
}  // namespace
const RecordLayout kLayout{"KOMISE.RCD", kRecordSize, kFields};
}  // namespace komise

Hlasovani decodeHlasovani(std::string_view record) { return decodeRecord<Hlasovani>(record, hlaso::kFields); }

RecordBytes encodeHlasovani(const Hlasovani& h) { return encodeRecord(h, hlaso::kFields, hlaso::kRecordSize); }

void ZapisHlasovani(const std::string& dataDir, const Hlasovani& h, FileSystem& fs) {
    replaceFileAtomically(resolveFile(dataDir, hlaso::kLayout.name), encodeHlasovani(h), fs);
}

Hlasovani NactiHlasovani(const std::string& dataDir, FileSystem& fs) {
    auto file = RecordFile::openExisting(resolveFile(dataDir, hlaso::kLayout.name), hlaso::kRecordSize, fs);
    Hlasovani h = decodeHlasovani(file.readView());
    file.close();
    return h;
}

std::optional<int> otherMembersPresent(std::string_view clenuOVKP, const FieldOrigin& origin) {
    const std::string present = trimBlanks(clenuOVKP);
    if (present.empty()) return std::nullopt;
    // "00" and "01" are counts below two as much as "0" and "1" are.
    const std::int32_t n = toIntStrict(present, origin);
    if (n < 2) return std::nullopt;
    return std::min<std::int32_t>(n - 1, static_cast<std::int32_t>(komise::kMaxEntries));
}

void DelkaKomise(SeznamKomise& list, std::size_t n) { list.resize(std::min(n, komise::kMaxEntries)); }

void ZapisKomisi(const std::string& dataDir, const SeznamKomise& list, FileSystem& fs) {
    std::string bytes;
    bytes.reserve(list.size() * komise::kRecordSize);
    for (const auto& entry : list) {
        RecordBytes r(komise::kRecordSize, '\0');
        putStr(r, komise::kLayout.fields[0], entry.clen);
        bytes += r;
    }
    replaceFileAtomically(resolveFile(dataDir, komise::kLayout.name), bytes, fs);
}

SeznamKomise NactiKomisi(const std::string& dataDir, FileSystem& fs) {
    auto file = RecordFile::openExisting(resolveFile(dataDir, komise::kLayout.name), komise::kRecordSize, fs);
    file.requireWholeRecords();
    SeznamKomise list(std::min(file.size(), komise::kMaxEntries));
    for (auto& entry : list) entry.clen = getStr(file.readView(), komise::kLayout.fields[0]);
    file.close();
    return list;
}

bool KomiseNeprazdna(const std::string& dataDir, FileSystem& fs) {
    auto file = RecordFile::openExisting(resolveFile(dataDir, komise::kLayout.name), komise::kRecordSize, fs);
    bool notEmpty = file.byteSize() != 0;
    file.close();
    return notEmpty;
}

std::string journalFile(const std::string& dataDir, std::int32_t cisloOkrsku) {
    return dataDir + "ZURNAL." + precinctFiveDigits(cisloOkrsku);
}

}  // namespace talmorek::data
