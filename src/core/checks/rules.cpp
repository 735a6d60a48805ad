#include "core/checks/rules.h"

#include "core/checks/error_class.h"
#include "core/data/cp1250.h"
#include "core/record/party_list.h"

namespace talmorek::checks {
namespace {
// `SeznamChyb` has room for 25 two-digit codes.
constexpr std::size_t kSeznamChybCapacity = 50;
}  // namespace

CheckRules::CheckRules(record::RecordOfVote& record, const data::PartyList& parties, const data::Registers& registers,
                       std::string stationKodObce, TChybProt& protocol)
    : record_(record),
      parties_(parties),
      ownRegisters_(std::in_place, registers),
      registers_(*ownRegisters_),
      stationKodObce_(std::move(stationKodObce)),
      protocol_(protocol),
      referenceOkrsek_{std::string(6, ' '), std::string(40, ' '), std::string(5, ' '),
                       std::string(5, ' '), std::string(4, ' '), std::string(25, ' ')} {}

CheckRules::CheckRules(record::RecordOfVote& record, const data::PartyList& parties,
                       data::RegisterSnapshot& registers, std::string stationKodObce, TChybProt& protocol)
    : record_(record),
      parties_(parties),
      registers_(registers),
      stationKodObce_(std::move(stationKodObce)),
      protocol_(protocol),
      // What the lookup of rule 02 starts from: blanks to every field's
      // capacity, so that rule 72 before any lookup expects no district.
      referenceOkrsek_{std::string(6, ' '), std::string(40, ' '), std::string(5, ' '),
                       std::string(5, ' '), std::string(4, ' '), std::string(25, ' ')} {}

void CheckRules::OznacChybu(std::string_view code, int iZaznam) {
    std::string& listed = record_.TS.SeznamChyb;
    if (!listedAtCodeBoundary(listed, code)) {
        listed += code;
        listed = data::utf8Prefix(listed, kSeznamChybCapacity);
    }
    const ErrorClass kind = classOf(code);
    switch (kind) {
        case ErrorClass::Passable: classFlags_.PriznakPropustitelne = true; break;
        case ErrorClass::Warning: classFlags_.PriznakUpozorneni = true; break;
        case ErrorClass::Error: classFlags_.PriznakChyby = true; break;
    }
    // A warning is a question for the commission, not a fault of a record.
    if (kind == ErrorClass::Warning) return;
    if (iZaznam == kZaznamTS) {
        record_.TS.Chyba = 1;
    } else if (iZaznam == kZaznamT4) {
        record_.T4.Chyba = 1;
    } else if (iZaznam >= 1 && iZaznam <= 50) {
        slot(iZaznam).Chyba = 1;
    }
}

bool CheckRules::judge(bool holds, bool iBezHlaseni, std::string_view code, int iZaznam) {
    if (!holds && !iBezHlaseni) OznacChybu(code, iZaznam);
    return holds;
}

std::string CheckRules::obecText() const { return std::to_string(record_.T4.Obec); }

// ---- Section II ----------------------------------------------------------

bool CheckRules::Kontrola01(bool iBezHlaseni) {
    return judge(registers_.JeObec(obecText()), iBezHlaseni, "01", kZaznamT4);
}

bool CheckRules::Kontrola02(bool iBezHlaseni) {
    // The register's municipality field holds six characters.
    const std::string obec = obecText().substr(0, 6);
    const bool known = registers_.NajdiOkrsek(obec, record_.T4.Okrsek, referenceOkrsek_);
    return judge(known, iBezHlaseni, "02", kZaznamT4);
}

bool CheckRules::Kontrola03(bool iBezHlaseni, std::int64_t* expectedKC1) {
    const record::TT4& t4 = record_.T4;
    // 999999 × 100000 + 99999 needs 37 bits.
    const std::int64_t expected = (std::int64_t{t4.Obec} * 100000 + t4.Okrsek) % 7;
    if (expectedKC1) *expectedKC1 = expected;
    return judge(t4.KC1 == expected, iBezHlaseni, "03", kZaznamT4);
}

bool CheckRules::Kontrola04(bool iBezHlaseni) {
    return judge(record_.T4.ZapsOsoby > 0, iBezHlaseni, "04", kZaznamT4);
}

bool CheckRules::Kontrola05(bool iBezHlaseni) {
    const record::TT4& t4 = record_.T4;
    return judge(t4.ZapsOsoby <= 0 || t4.VydObalky > 0, iBezHlaseni, "05", kZaznamT4);
}

bool CheckRules::Kontrola06(bool iBezHlaseni) {
    const record::TT4& t4 = record_.T4;
    return judge(std::int64_t{t4.VydObalky} <= t4.ZapsOsoby, iBezHlaseni, "06", kZaznamT4);
}

bool CheckRules::Kontrola07(bool iBezHlaseni) {
    const record::TT4& t4 = record_.T4;
    return judge(t4.VydObalky == 0 || t4.OdevzdObalky > 0, iBezHlaseni, "07", kZaznamT4);
}

bool CheckRules::Kontrola08(bool iBezHlaseni) {
    const record::TT4& t4 = record_.T4;
    return judge(t4.OdevzdObalky <= t4.VydObalky, iBezHlaseni, "08", kZaznamT4);
}

bool CheckRules::Kontrola09(bool iBezHlaseni) {
    const record::TT4& t4 = record_.T4;
    return judge(t4.OdevzdObalky == 0 || t4.PlatneHlasy > 0, iBezHlaseni, "09", kZaznamT4);
}

bool CheckRules::Kontrola10(bool iBezHlaseni) {
    const record::TT4& t4 = record_.T4;
    return judge(t4.PlatneHlasy <= t4.OdevzdObalky, iBezHlaseni, "10", kZaznamT4);
}

bool CheckRules::Kontrola11(bool iBezHlaseni, std::int64_t* expectedKC2) {
    const record::TT4& t4 = record_.T4;
    const std::int64_t expected = std::int64_t{t4.ZapsOsoby} + t4.VydObalky + t4.OdevzdObalky + t4.PlatneHlasy;
    if (expectedKC2) *expectedKC2 = expected;
    return judge(t4.KC2 == expected, iBezHlaseni, "11", kZaznamT4);
}

bool CheckRules::Kontrola16(bool iBezHlaseni) {
    std::int64_t votes = 0;
    record::forEachFlaggedParty(record_, parties_, [&](int, int n) { votes += slot(n).PocHlasu; });
    return judge(record_.T4.PlatneHlasy == votes, iBezHlaseni, "16", kZaznamT4);
}

}  // namespace talmorek::checks
