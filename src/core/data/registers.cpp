#include "core/data/registers.h"

#include <stdexcept>

#include "core/data/cp1250.h"
#include "core/data/decimal.h"
#include "core/data/directories.h"
#include "core/data/errors.h"
#include "core/data/record_file.h"
#include "core/data/register_layouts.h"
#include "core/data/register_snapshot.h"

namespace talmorek::data {

namespace okrsky { const RecordLayout kLayout{"OKRSKY.RCD", kRecordSize, kLayouts}; }
namespace psrzvo { const RecordLayout kLayout{"PSRZVO.RCD", kRecordSize, kLayouts}; }
namespace psrvok { const RecordLayout kLayout{"PSRVOK.RCD", kRecordSize, kLayouts}; }
namespace strany { const RecordLayout kLayout{"STRANY.RCD", kRecordSize, kLayouts}; }
namespace kandidat { const RecordLayout kLayout{"KANDIDAT.RCD", kRecordSize, kLayouts}; }

TOkrsky decodeOkrsky(std::string_view r) { return decodeRecord<TOkrsky>(r, okrsky::kFields); }
TPsrzvo decodePsrzvo(std::string_view r) { return decodeRecord<TPsrzvo>(r, psrzvo::kFields); }
TPsrvok decodePsrvok(std::string_view r) { return decodeRecord<TPsrvok>(r, psrvok::kFields); }
TStrana decodeStrana(std::string_view r) { return decodeRecord<TStrana>(r, strany::kFields); }
TKandidat decodeKandidat(std::string_view r) { return decodeRecord<TKandidat>(r, kandidat::kFields); }

RecordBytes encodeOkrsky(const TOkrsky& v) { return encodeRecord(v, okrsky::kFields, okrsky::kRecordSize); }
RecordBytes encodePsrzvo(const TPsrzvo& v) { return encodeRecord(v, psrzvo::kFields, psrzvo::kRecordSize); }
RecordBytes encodePsrvok(const TPsrvok& v) { return encodeRecord(v, psrvok::kFields, psrvok::kRecordSize); }
RecordBytes encodeStrana(const TStrana& v) { return encodeRecord(v, strany::kFields, strany::kRecordSize); }
RecordBytes encodeKandidat(const TKandidat& v) {
    return encodeRecord(v, kandidat::kFields, kandidat::kRecordSize);
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
