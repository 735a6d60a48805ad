#include "core/data/register_snapshot.h"

#include "core/data/cp1250.h"
#include "core/data/decimal.h"
#include "core/data/errors.h"
#include "core/data/record_file.h"
#include "core/data/register_layouts.h"

namespace talmorek::data {

const std::string& RegisterSnapshot::bytesOf(KeptFile& kept, const RecordLayout& layout) {
    if (!kept.bytes) {
        kept.path = registers_.path(layout.name);
        kept.bytes = RecordFile::readContents(kept.path, layout.size);
    }
    return *kept.bytes;
}

const std::string& RegisterSnapshot::searchedBytesOf(KeptFile& kept, const RecordLayout& layout) {
    // A search reads at least one record: a register without any is named
    // as empty rather than as read past its end.
    const std::string& bytes = bytesOf(kept, layout);
    if (bytes.empty()) throw EmptyFileError(kept.path);
    return bytes;
}

bool RegisterSnapshot::JeObec(std::string_view kodObce) {
    RecordReader file(searchedBytesOf(okrsky_, okrsky::kLayout), okrsky::kRecordSize, okrsky_.path);
    const StrFieldMatcher isKey(okrsky::f::KodObce, utf8ToCp1250(kodObce));
    bool found = false;
    do {
        found = isKey(file.readView());
    } while (!found && !file.atEnd());
    return found;
}

bool RegisterSnapshot::NajdiOkrsek(std::string_view kodObce, std::int32_t okrsek, TOkrsky& result) {
    result = TOkrsky{std::string(6, ' '), std::string(40, ' '), std::string(5, ' '),
                     std::string(5, ' '), std::string(4, ' '), std::string(25, ' ')};
    bool found = false;
    RecordReader file(searchedBytesOf(okrsky_, okrsky::kLayout), okrsky::kRecordSize, okrsky_.path);
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
    if (key == "999997") found = NajdiZvlastniOkrsek(cp1250ToUtf8(key), okrsek, result);
    return found;
}

bool RegisterSnapshot::NajdiZvlastniOkrsek(std::string_view kodObce, std::int32_t okrsek, TOkrsky& result) {
    using namespace psrzvo;
    bool found = false;
    RecordReader file(searchedBytesOf(psrzvo_, kLayout), kRecordSize, psrzvo_.path);
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
    return found;
}

std::int32_t RegisterSnapshot::PocetKandidatuStrany(std::int32_t party) {
    if (auto known = candidateCounts_.find(party); known != candidateCounts_.end()) return known->second;
    RecordReader file(searchedBytesOf(strany_, strany::kLayout), strany::kRecordSize, strany_.path);
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
    // Only an answer is kept: a search that failed fails again when asked again.
    candidateCounts_.emplace(party, count);
    return count;
}

std::int32_t RegisterSnapshot::PocetVolicu(std::string_view kodObce, std::int32_t okrsek) {
    using namespace psrvok;
    RecordReader file(bytesOf(psrvok_, kLayout), kRecordSize, psrvok_.path);
    std::int32_t count = 0;
    const StrFieldMatcher isKey(f::KodObce, utf8ToCp1250(kodObce));
    // Every record is read (the last match wins), so the whole register is
    // walked as one block: the national register has some 15,000 records.
    const std::string_view records = file.readRemaining();
    for (std::size_t at = 0; at < records.size(); at += kRecordSize) {
        const std::string_view r(records.data() + at, kRecordSize);
        if (getInt32(r, f::CisloOkrsku) == okrsek && isKey(r)) count = getInt32(r, f::Volicu);
    }
    if (!file.atEnd()) file.readView();  // a partial last record fails here, as reading on would
    return count;
}

}  // namespace talmorek::data
