// Rules on the results records as records: their kind and flags, the sums
// that the summary keeps over them, and the district code that ties them to
// the precinct register. They guard against a results block that was
// damaged or altered after the program computed it.

#include <cstdint>

#include "core/checks/error_class.h"
#include "core/checks/rules.h"
#include "core/data/decimal.h"
#include "core/record/party_list.h"
#include "core/record/recompute.h"

namespace talmorek::checks {
namespace {

// A sum of 64-bit terms that cannot overflow: two's complement over 128
// bits. The summary's fields may hold anything a damaged file holds.
class WideSum {
public:
    WideSum& add(std::int64_t term) {
        const std::uint64_t low = low_ + static_cast<std::uint64_t>(term);
        high_ += (low < low_ ? 1 : 0) + (term < 0 ? -1 : 0);
        low_ = low;
        return *this;
    }
    bool operator==(const WideSum&) const = default;

private:
    std::int64_t high_ = 0;
    std::uint64_t low_ = 0;
};

struct RecordHeader {
    std::uint16_t Typ, Oprava, Chyba, RegKod;
};

RecordHeader headerOf(const record::TT4& r) { return {r.Typ, r.Oprava, r.Chyba, r.RegKod}; }
RecordHeader headerOf(const record::TT4P& r) { return {r.Typ, r.Oprava, r.Chyba, r.RegKod}; }
RecordHeader headerOf(const record::TTS& r) { return {r.Typ, r.Oprava, r.Chyba, r.RegKod}; }

// Which results record a header belongs to.
enum class Kind { T4, T4P, TS };

struct RecordFinding {
    int code;
    const char* t4Detail;
    const char* tsDetail;
};

// Applies `faulty(header, kind)` to `T4`, each flagged `T4P` in list order
// and `TS`; every faulty record gets a finding and its `Chyba` flag.
template <typename Faulty>
bool eachRecord(CheckRules& rules, bool iBezHlaseni, const RecordFinding& finding, Faulty faulty) {
    record::RecordOfVote& r = rules.record();
    const std::string code = twoDigitCode(finding.code);
    bool holds = true;
    auto report = [&](int party, const char* detail, int iZaznam) {
        holds = false;
        if (iBezHlaseni) return;
        rules.protocol().PridejChybu(party, finding.code, detail);
        rules.OznacChybu(code, iZaznam);
    };
    if (faulty(headerOf(r.T4), Kind::T4)) report(0, finding.t4Detail, kZaznamT4);
    record::forEachFlaggedParty(r, rules.parties(), [&](int, int n) {
        if (faulty(headerOf(r.party(n)), Kind::T4P)) report(n, "", n);
    });
    if (faulty(headerOf(r.TS), Kind::TS)) report(0, finding.tsDetail, kZaznamTS);
    return holds;
}

bool isZeroOrOne(std::uint16_t flag) { return flag == 0 || flag == 1; }

}  // namespace

bool CheckRules::Kontrola62(bool iBezHlaseni) {
    // The detail says which record has the wrong kind: "(T6)" section II, "(TS)" the summary.
    return eachRecord(*this, iBezHlaseni, {62, "(T6)", "(TS)"}, [](const RecordHeader& h, Kind kind) {
        const std::uint16_t expected = kind == Kind::T4 ? 1 : kind == Kind::T4P ? 2 : 3;
        return h.Typ != expected;
    });
}

bool CheckRules::Kontrola63(bool iBezHlaseni) {
    return eachRecord(*this, iBezHlaseni, {63, "", ""},
                      [](const RecordHeader& h, Kind) { return !isZeroOrOne(h.Oprava); });
}

bool CheckRules::Kontrola64(bool iBezHlaseni) {
    return eachRecord(*this, iBezHlaseni, {64, "", ""},
                      [](const RecordHeader& h, Kind) { return !isZeroOrOne(h.Chyba); });
}

bool CheckRules::Kontrola66(bool iBezHlaseni) {
    const record::SummarySums sums = record::summarySums(record_, parties_);
    return judge(record_.TS.SumaKC1 == sums.kc1, iBezHlaseni, "66", kZaznamTS);
}

bool CheckRules::Kontrola67(bool iBezHlaseni) {
    const record::SummarySums sums = record::summarySums(record_, parties_);
    return judge(record_.TS.SumaKC2 == sums.kc2, iBezHlaseni, "67", kZaznamTS);
}

bool CheckRules::Kontrola68(bool iBezHlaseni) {
    const record::SummarySums sums = record::summarySums(record_, parties_);
    return judge(record_.TS.SumaKC3 == sums.kc3, iBezHlaseni, "68", kZaznamTS);
}

bool CheckRules::Kontrola69(bool iBezHlaseni) {
    const record::SummarySums sums = record::summarySums(record_, parties_);
    return judge(record_.TS.SumaKC4 == sums.kc4, iBezHlaseni, "69", kZaznamTS);
}

bool CheckRules::Kontrola70(bool iBezHlaseni) {
    const record::SummarySums sums = record::summarySums(record_, parties_);
    return judge(record_.TS.SumaKSoucet == sums.kSoucet, iBezHlaseni, "70", kZaznamTS);
}

bool CheckRules::Kontrola72(bool iBezHlaseni) {
    // The district code that the register gives the precinct found by rule 02.
    const std::int32_t reference = data::toIntOr(referenceOkrsek_.KodOkresu, 9999);
    const bool holds = eachRecord(*this, iBezHlaseni, {72, "", ""}, [&](const RecordHeader& h, Kind) {
        return std::int32_t{h.RegKod} != reference;
    });
    // Section II carries the precinct's identity, so it is blamed as well.
    return judge(holds, iBezHlaseni, "72", kZaznamT4);
}

bool CheckRules::Kontrola76(bool iBezHlaseni) {
    const std::uint16_t way = record_.TS.ZpusobPorizeni;
    const bool holds =
        way == record::kEnteredAtStation || way == record::kTypedAtReceivingPoint || way == record::kReceivingMarkRemoved;
    if (!holds && !iBezHlaseni) protocol_.PridejChybu(0, 76);
    return judge(holds, iBezHlaseni, "76", kZaznamTS);
}

bool CheckRules::Kontrola77(bool iBezHlaseni) {
    const record::TTS& ts = record_.TS;
    // Only a summary computed at the station carries this total.
    if (ts.ZpusobPorizeni != record::kEnteredAtStation) return true;
    WideSum expected;
    expected.add(data::toInt64Or(ts.Datum, 0))
        .add(ts.SumaKC1)
        .add(ts.SumaKC2)
        .add(ts.SumaKC3)
        .add(ts.SumaKC4)
        .add(ts.SumaKSoucet)
        .add(data::toInt64Or(ts.Cas, 0))
        .add(ts.Rezerva)
        .add(ts.Nahoda);
    return judge(WideSum().add(ts.Celkem) == expected, iBezHlaseni, "77", kZaznamTS);
}

}  // namespace talmorek::checks
