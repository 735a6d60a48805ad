#include "data/registers.h"

#include <stdexcept>

#include "data/cp1250.h"
#include "data/decimal.h"
#include "data/directories.h"
#include "data/errors.h"
#include "data/record_file.h"
#include "data/register_layouts.h"
#include "data/register_snapshot.h"

namespace talmorek::data {

namespace okrsky { const RecordLayout kLayout{"OKRSKY.RCD", kRecordSize, kFields}; }
namespace psrzvo { const RecordLayout kLayout{"PSRZVO.RCD", kRecordSize, kFields}; }
namespace psrvok { const RecordLayout kLayout{"PSRVOK.RCD", kRecordSize, kFields}; }
namespace strany { const RecordLayout kLayout{"STRANY.RCD", kRecordSize, kFields}; }
namespace kandidat { const RecordLayout kLayout{"KANDIDAT.RCD", kRecordSize, kFields}; }

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

namespace {

// A number of the party list within `lo`..`hi`: ConversionError when it is
// no number, FieldValueError when it lies outside.
void checkNumber(const std::string& text, const FieldLayout& field, std::int32_t lo, std::int32_t hi,
                 const std::string& file, long long record) {
    const std::int32_t value = toIntStrict(text, {file, field.name, record});
    if (value < lo || value > hi) throw FieldValueError(text, std::string(field.name), file, record);
}

// The party number picks the party's annex and its flag among the sixty of
// `ZakrStrany`: a record whose number is none, or one no flag can hold, is
// refused when the list is read, naming its record and field, rather than
// read as party 0 or dropped at every save. The candidate count is checked
// where it is used: the entry window shows a party whose count is no number
// without candidate fields and goes on with the others, while the tally
// sheet and the checks on preferential votes convert it strictly and stop
// there, naming the record and the field.
void checkStrana(const TStrana& s, const std::string& file, long long record) {
    checkNumber(s.CisloStrany, strany::f::CisloStrany, 1, kHighestPartyNumber, file, record);
}

}  // namespace

PartyList Registers::NactiStrany() const {
    PartyList list;
    auto file = RecordFile::openExisting(path(strany::kLayout.name), strany::kRecordSize);
    int index = 1;
    while (!file.atEnd()) {
        if (index > PartyList::kCapacity)
            throw FormatError(file.path(), index - 1,
                              "More than " + std::to_string(PartyList::kCapacity) + " parties in " + file.path(),
                              FormatError::Unit::Record);
        const auto at = static_cast<long long>(file.position());
        const TStrana& strana = list.entries[static_cast<std::size_t>(index)] = decodeStrana(file.read());
        checkStrana(strana, file.path(), at);
        ++index;
    }
    list.length = index - 1;
    list.sourceFile = file.path();
    file.close();
    // A list without a party offers nothing to tick and nothing to count.
    if (list.length == 0) throw EmptyFileError(list.sourceFile);
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

// A lookup on its own is a snapshot used once: the file is read for it alone.

bool Registers::JeObec(std::string_view kodObce) const { return RegisterSnapshot(*this).JeObec(kodObce); }

bool Registers::NajdiOkrsek(std::string_view kodObce, std::int32_t okrsek, TOkrsky& result) const {
    return RegisterSnapshot(*this).NajdiOkrsek(kodObce, okrsek, result);
}

bool Registers::NajdiZvlastniOkrsek(std::string_view kodObce, std::int32_t okrsek, TOkrsky& result) const {
    return RegisterSnapshot(*this).NajdiZvlastniOkrsek(kodObce, okrsek, result);
}

std::int32_t Registers::PocetKandidatuStrany(std::int32_t party) const {
    return RegisterSnapshot(*this).PocetKandidatuStrany(party);
}

std::int32_t Registers::PocetVolicu(std::string_view kodObce, std::int32_t okrsek) const {
    return RegisterSnapshot(*this).PocetVolicu(kodObce, okrsek);
}

}  // namespace talmorek::data
