#include "data/registers.h"

#include <stdexcept>

#include "data/cp1250.h"
#include "data/decimal.h"
#include "data/directories.h"
#include "data/errors.h"
#include "data/record_file.h"

namespace talmorek::data {

namespace okrsky {
namespace f {
constexpr FieldLayout KodObce = strField("KodObce", 0, 6);
constexpr FieldLayout NazevObce = strField("NazevObce", 7, 40);
constexpr FieldLayout OkrsekOd = strField("OkrsekOd", 48, 5);
constexpr FieldLayout OkrsekDo = strField("OkrsekDo", 54, 5);
constexpr FieldLayout KodOkresu = strField("KodOkresu", 60, 4);
constexpr FieldLayout NazevOkresu = strField("NazevOkresu", 65, 25);
}  // namespace f
constexpr std::array kFields = {f::KodObce, f::NazevObce, f::OkrsekOd, f::OkrsekDo, f::KodOkresu, f::NazevOkresu};
static_assert(isConsistent(kFields, kRecordSize) && f::NazevOkresu.end() == kRecordSize);
const RecordLayout kLayout{"OKRSKY.RCD", kRecordSize, kFields};
}  // namespace okrsky

namespace psrzvo {
namespace f {
constexpr FieldLayout KodObce = strField("KodObce", 0, 6);
constexpr FieldLayout CisloOkrsku = intField("CisloOkrsku", 8);
constexpr FieldLayout Nazev1 = strField("Nazev1", 12, 25);
constexpr FieldLayout Nazev2 = strField("Nazev2", 38, 25);
}  // namespace f
constexpr std::array kFields = {f::KodObce, f::CisloOkrsku, f::Nazev1, f::Nazev2};
static_assert(isConsistent(kFields, kRecordSize) && f::Nazev2.end() == kRecordSize);
const RecordLayout kLayout{"PSRZVO.RCD", kRecordSize, kFields};
}  // namespace psrzvo

namespace psrvok {
namespace f {
constexpr FieldLayout KodObce = strField("KodObce", 0, 6);
constexpr FieldLayout CisloOkrsku = intField("CisloOkrsku", 8);
constexpr FieldLayout Volicu = intField("Volicu", 12);
}  // namespace f
constexpr std::array kFields = {f::KodObce, f::CisloOkrsku, f::Volicu};
static_assert(isConsistent(kFields, kRecordSize) && f::Volicu.end() == kRecordSize);
const RecordLayout kLayout{"PSRVOK.RCD", kRecordSize, kFields};
}  // namespace psrvok

namespace strany {
namespace f {
constexpr FieldLayout CisloStrany = strField("CisloStrany", 0, 3);
constexpr FieldLayout NazevStrany = strField("NazevStrany", 4, 50);
constexpr FieldLayout PocetKandidatu = strField("PocetKandidatu", 55, 2);
}  // namespace f
constexpr std::array kFields = {f::CisloStrany, f::NazevStrany, f::PocetKandidatu};
static_assert(isConsistent(kFields, kRecordSize) && f::PocetKandidatu.end() == kRecordSize);
const RecordLayout kLayout{"STRANY.RCD", kRecordSize, kFields};
}  // namespace strany

namespace kandidat {
namespace f {
constexpr FieldLayout CisloStrany = strField("CisloStrany", 0, 3);
constexpr FieldLayout Poradi = strField("Poradi", 4, 2);
constexpr FieldLayout Jmeno1 = strField("Jmeno1", 7, 40);
constexpr FieldLayout Jmeno2 = strField("Jmeno2", 48, 40);
constexpr FieldLayout Priznak = strField("Priznak", 89, 1);
}  // namespace f
constexpr std::array kFields = {f::CisloStrany, f::Poradi, f::Jmeno1, f::Jmeno2, f::Priznak};
static_assert(isConsistent(kFields, kRecordSize) && f::Priznak.end() == kRecordSize);
const RecordLayout kLayout{"KANDIDAT.RCD", kRecordSize, kFields};
}  // namespace kandidat

TOkrsky decodeOkrsky(std::string_view r) {
    using namespace okrsky;
    return {getStr(r, f::KodObce),  getStr(r, f::NazevObce), getStr(r, f::OkrsekOd),
            getStr(r, f::OkrsekDo), getStr(r, f::KodOkresu), getStr(r, f::NazevOkresu)};
}
RecordBytes encodeOkrsky(const TOkrsky& v) {
    using namespace okrsky;
    RecordBytes r(kRecordSize, '\0');
    putStr(r, f::KodObce, v.KodObce);
    putStr(r, f::NazevObce, v.NazevObce);
    putStr(r, f::OkrsekOd, v.OkrsekOd);
    putStr(r, f::OkrsekDo, v.OkrsekDo);
    putStr(r, f::KodOkresu, v.KodOkresu);
    putStr(r, f::NazevOkresu, v.NazevOkresu);
    return r;
}

TPsrzvo decodePsrzvo(std::string_view r) {
    using namespace psrzvo;
    return {getStr(r, f::KodObce), getInt32(r, f::CisloOkrsku), getStr(r, f::Nazev1), getStr(r, f::Nazev2)};
}
RecordBytes encodePsrzvo(const TPsrzvo& v) {
    using namespace psrzvo;
    RecordBytes r(kRecordSize, '\0');
    putStr(r, f::KodObce, v.KodObce);
    putInt32(r, f::CisloOkrsku, v.CisloOkrsku);
    putStr(r, f::Nazev1, v.Nazev1);
    putStr(r, f::Nazev2, v.Nazev2);
    return r;
}

TPsrvok decodePsrvok(std::string_view r) {
    using namespace psrvok;
    return {getStr(r, f::KodObce), getInt32(r, f::CisloOkrsku), getInt32(r, f::Volicu)};
}
RecordBytes encodePsrvok(const TPsrvok& v) {
    using namespace psrvok;
    RecordBytes r(kRecordSize, '\0');
    putStr(r, f::KodObce, v.KodObce);
    putInt32(r, f::CisloOkrsku, v.CisloOkrsku);
    putInt32(r, f::Volicu, v.Volicu);
    return r;
}

TStrana decodeStrana(std::string_view r) {
    using namespace strany;
    return {getStr(r, f::CisloStrany), getStr(r, f::NazevStrany), getStr(r, f::PocetKandidatu)};
}
RecordBytes encodeStrana(const TStrana& v) {
    using namespace strany;
    RecordBytes r(kRecordSize, '\0');
    putStr(r, f::CisloStrany, v.CisloStrany);
    putStr(r, f::NazevStrany, v.NazevStrany);
    putStr(r, f::PocetKandidatu, v.PocetKandidatu);
    return r;
}

TKandidat decodeKandidat(std::string_view r) {
    using namespace kandidat;
    return {getStr(r, f::CisloStrany), getStr(r, f::Poradi), getStr(r, f::Jmeno1), getStr(r, f::Jmeno2),
            getStr(r, f::Priznak)};
}
RecordBytes encodeKandidat(const TKandidat& v) {
    using namespace kandidat;
    RecordBytes r(kRecordSize, '\0');
    putStr(r, f::CisloStrany, v.CisloStrany);
    putStr(r, f::Poradi, v.Poradi);
    putStr(r, f::Jmeno1, v.Jmeno1);
    putStr(r, f::Jmeno2, v.Jmeno2);
    putStr(r, f::Priznak, v.Priznak);
    return r;
}

std::size_t CandidateTable::index(int party, int order) {
    if (party < 1 || party > kParties || order < 1 || order > kCandidates)
        throw std::out_of_range("candidate (" + std::to_string(party) + ", " + std::to_string(order) + ")");
    return static_cast<std::size_t>((party - 1) * kCandidates + (order - 1));
}

std::string Registers::path(std::string_view fileName) const { return resolveFile(dir_, fileName); }

PartyList Registers::NactiStrany() const {
    PartyList list;
    auto file = RecordFile::openExisting(path(strany::kLayout.name), strany::kRecordSize);
    int index = 1;
    while (!file.atEnd()) {
        if (index > PartyList::kCapacity)
            throw FormatError(file.path(), index - 1,
                              "More than " + std::to_string(PartyList::kCapacity) + " parties in " + file.path(),
                              FormatError::Unit::Record);
        list.entries[static_cast<std::size_t>(index)] = decodeStrana(file.read());
        ++index;
    }
    list.length = index - 1;
    list.sourceFile = file.path();
    file.close();
    return list;
}

CandidateTable Registers::NactiKandidaty() const {
    CandidateTable table;
    NactiKandidaty(table);
    return table;
}

void Registers::NactiKandidaty(CandidateTable& table) const {
    table.reset();
    auto file = RecordFile::openExisting(path(kandidat::kLayout.name), kandidat::kRecordSize);
    while (!file.atEnd()) {
        std::size_t recordIndex = file.position();
        TKandidat k = decodeKandidat(file.read());
        const auto at = static_cast<long long>(recordIndex);
        std::int32_t party = toIntStrict(k.CisloStrany, {file.path(), kandidat::f::CisloStrany.name, at});
        std::int32_t order = toIntStrict(k.Poradi, {file.path(), kandidat::f::Poradi.name, at});
        if (party < 1 || party > CandidateTable::kParties || order < 1 || order > CandidateTable::kCandidates)
            throw FormatError(file.path(), static_cast<long long>(recordIndex),
                              "Candidate outside the table (party " + k.CisloStrany + ", order " + k.Poradi +
                                  ") in record " + std::to_string(recordIndex + 1) + " of " + file.path(),
                              FormatError::Unit::Record);
        auto& e = table.at(party, order);
        e.Jmeno1 = k.Jmeno1;
        e.Jmeno2 = k.Jmeno2;
        e.Priznak = k.Priznak;
    }
    file.close();
}

bool Registers::JeObec(std::string_view kodObce) const {
    auto file = RecordFile::openExisting(path(okrsky::kLayout.name), okrsky::kRecordSize);
    const StrFieldMatcher isKey(okrsky::f::KodObce, utf8ToCp1250(kodObce));
    bool found = false;
    do {
        found = isKey(file.readView());
    } while (!found && !file.atEnd());
    file.close();
    return found;
}

bool Registers::NajdiOkrsek(std::string_view kodObce, std::int32_t okrsek, TOkrsky& result) const {
    result = TOkrsky{std::string(6, ' '), std::string(40, ' '), std::string(5, ' '),
                     std::string(5, ' '), std::string(4, ' '), std::string(25, ' ')};
    bool found = false;
    auto file = RecordFile::openExisting(path(okrsky::kLayout.name), okrsky::kRecordSize);
    // The code is a str[6] like the field it is compared with: a longer text
    // is cut to its first six characters, as storing it into the field would.
    const std::string key = utf8ToCp1250(utf8Prefix(kodObce, okrsky::f::KodObce.capacity));
    const StrFieldMatcher isKey(okrsky::f::KodObce, key);
    std::string_view last;
    do {
        last = file.readView();
        found = isKey(last);
    } while (!found && !file.atEnd());
    result = decodeOkrsky(last);
    if (found) {
        // Only the first record of the municipality counts.
        const auto at = static_cast<long long>(file.position()) - 1;
        if (toIntStrict(result.OkrsekOd, {file.path(), okrsky::f::OkrsekOd.name, at}) > okrsek ||
            toIntStrict(result.OkrsekDo, {file.path(), okrsky::f::OkrsekDo.name, at}) < okrsek)
            found = false;
    }
    file.close();
    if (key == "999997") found = NajdiZvlastniOkrsek(cp1250ToUtf8(key), okrsek, result);
    return found;
}

bool Registers::NajdiZvlastniOkrsek(std::string_view kodObce, std::int32_t okrsek, TOkrsky& result) const {
    using namespace psrzvo;
    bool found = false;
    auto file = RecordFile::openExisting(path(kLayout.name), kRecordSize);
    const std::string key = utf8ToCp1250(kodObce);
    std::int32_t cislo = 0;
    do {
        std::string_view r = file.readView();
        cislo = getInt32(r, f::CisloOkrsku);
        if (cislo == okrsek && strEquals(r, f::KodObce, key)) {
            result.KodObce = getStr(r, f::KodObce);
            result.NazevObce = getStr(r, f::Nazev1);
            result.NazevOkresu = getStr(r, f::Nazev2);
            found = true;
        }
        // The search stops at the first record with the precinct number,
        // whatever its municipality code.
    } while (cislo != okrsek && !file.atEnd());
    file.close();
    return found;
}

std::int32_t Registers::PocetKandidatuStrany(std::int32_t party) const {
    auto file = RecordFile::openExisting(path(strany::kLayout.name), strany::kRecordSize);
    std::int32_t count = 0;
    bool found = false;
    do {
        std::string_view r = file.readView();
        const auto at = static_cast<long long>(file.position()) - 1;
        using strany::f::CisloStrany, strany::f::PocetKandidatu;
        if (toIntStrict(getStr(r, CisloStrany), {file.path(), CisloStrany.name, at}) == party) {
            count = toIntStrict(getStr(r, PocetKandidatu), {file.path(), PocetKandidatu.name, at});
            found = true;
        }
    } while (!found && !file.atEnd());
    file.close();
    return count;
}

std::int32_t Registers::PocetVolicu(std::string_view kodObce, std::int32_t okrsek) const {
    using namespace psrvok;
    auto file = RecordFile::openExisting(path(kLayout.name), kRecordSize);
    std::int32_t count = 0;
    const StrFieldMatcher isKey(f::KodObce, utf8ToCp1250(kodObce));
    // Every record is read (the last match wins), so the whole file is walked
    // as one block: the national register has some 15,000 records.
    const std::string_view records = file.readRemaining();
    for (std::size_t at = 0; at < records.size(); at += kRecordSize) {
        const std::string_view r(records.data() + at, kRecordSize);
        if (getInt32(r, f::CisloOkrsku) == okrsek && isKey(r)) count = getInt32(r, f::Volicu);
    }
    if (!file.atEnd()) file.readView();  // a partial last record fails here, as reading on would
    file.close();
    return count;
}

}  // namespace talmorek::data
