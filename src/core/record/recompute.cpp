#include "core/record/recompute.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <random>

#include "core/data/decimal.h"
#include "core/data/errors.h"
#include "core/record/check_numbers.h"
#include "core/record/party_list.h"

namespace talmorek::record {
namespace {

std::function<std::int32_t()> generatorFrom(std::uint32_t seed) {
    auto engine = std::make_shared<std::mt19937>(seed);
    return [engine] { return std::uniform_int_distribution<std::int32_t>(0, 999998)(*engine); };
}

std::string digits(int value, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    return buffer;
}

}  // namespace

RecomputeSources sourcesOf(std::shared_ptr<const data::Clock> clock, std::optional<std::uint32_t> seed) {
    if (!seed) seed = static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count());
    return {std::move(clock), generatorFrom(*seed)};
}

RecomputeSources systemSources() { return sourcesOf(data::systemClock()); }

RecomputeSources fixedSources(const data::LocalDateTime& now, std::uint32_t seed) {
    return sourcesOf(std::make_shared<data::FixedClock>(now), seed);
}

void ProcDopoctiT4ZakrStrana(RecordOfVote& r, const data::PartyList& parties, const std::set<int>& ticked) {
    // The flags are what the boxes of page II say, and only they: a party
    // the list does not hold has no box, so a flag of its that came with a
    // loaded record (typed against another list) goes, and with it the
    // party's annex from the data file. Kept, it would leave the station
    // with check numbers that no summary sum covers and no check judges.
    std::string flags(kFlagPositions, '0');
    for (int i = 1; i <= parties.length; ++i) {
        const int n = partyNumberOf(parties.at(i));
        if (n >= 1 && n <= kFlagPositions && ticked.count(n)) flags[static_cast<std::size_t>(n - 1)] = '1';
    }
    r.T4.ZakrStrany = std::move(flags);
}

std::set<int> tickedParties(const RecordOfVote& r, const data::PartyList& parties) {
    std::set<int> ticked;
    forEachFlaggedParty(r, parties, [&](int, int n) { ticked.insert(n); });
    return ticked;
}

void ProcDopoctiT4P(RecordOfVote& r, int iKStrana, const data::PartyList& parties) {
    TT4P& p = r.party(iKStrana);
    p.KC1 = KontrolniCislo1(p.Obec, p.Okrsek);
    p.KC2 = std::int32_t{p.KStrana} + p.PocHlasu;
    p.KC3 = kc3Of(p);
    p.KC4 = p.KC2 + p.KC3;
    int candidates = kCandidates;  // a party missing from the list is scanned from its last place
    for (int i = 1; i <= parties.length; ++i) {
        if (partyNumberOf(parties.at(i)) == iKStrana) {
            candidates = candidateCountOf(parties.at(i));
            break;
        }
    }
    p.PoslKand = candidates <= 0 ? 0 : lastCandidateWithVotes(p, candidates);
    p.KSoucet = controlSumOf(p);
}

SummarySums summarySums(const RecordOfVote& r, const data::PartyList& parties) {
    SummarySums s;
    s.kc1 = std::int64_t{r.T4.KC1} + r.TS.KC1;
    s.kc2 = r.T4.KC2;
    forEachFlaggedParty(r, parties, [&](int, int n) {
        const TT4P& p = r.party(n);
        s.kc1 += p.KC1;
        s.kc2 += p.KC2;
        s.kc3 += p.KC3;
        s.kc4 += p.KC4;
        s.kSoucet += p.KSoucet;
    });
    return s;
}

std::int64_t celkemOf(const TTS& ts) {
    return data::toInt64Or(ts.Datum, 0) + ts.SumaKC1 + ts.SumaKC2 + ts.SumaKC3 + ts.SumaKC4 + ts.SumaKSoucet +
           data::toInt64Or(ts.Cas, 0) + ts.Rezerva + ts.Nahoda;
}

void ProcDopoctiTS(RecordOfVote& r, const data::PartyList& parties, const data::TStanice& station,
                   const RecomputeSources& sources) {
    TTS& ts = r.TS;
    ts.Typ = 3;
    ts.Oprava = 0;
    ts.Chyba = 0;
    ts.RegKod = r.T4.RegKod;
    ts.Obec = r.T4.Obec;
    ts.Okrsek = r.T4.Okrsek;
    ts.KC1 = KontrolniCislo1(ts.Obec, ts.Okrsek);
    const data::LocalDateTime now = sources.clock->now();
    ts.Datum = digits(now.year, 4) + digits(now.month, 2) + digits(now.day, 2);
    ts.Cas = digits(now.hour, 2) + digits(now.minute, 2) + digits(now.second, 2);
    ts.Nahoda = sources.nahoda();
    ts.Rezerva = data::toInt64Or(data::reservedText(station), 0);
    ts.ZpusobPorizeni = kEnteredAtStation;
    const std::string_view stationFile =
        station.sourceFile.empty() ? data::stanice::kLayout.name : std::string_view(station.sourceFile);
    // Two digits of the installation's; a negative code would come out as
    // 65535 and be refused later in the data file's name, not the station's.
    const std::int32_t kodOS = data::toIntStrict(station.KodOS, {stationFile, "KodOS"});
    if (kodOS < 0 || kodOS > 99) throw data::FieldValueError(station.KodOS, "KodOS", std::string(stationFile));
    ts.KodOS = static_cast<std::uint16_t>(kodOS);
    ts.RezervaA1.clear();
    ts.RezervaA2 = 0;
    ts.RezervaA3.clear();
    ts.RezervaA4.clear();
    ts.RezervaA5.clear();
    ts.RezervaA6 = 0;
    ts.RezervaB1 = 0;
    ts.RezervaB2.clear();
    ts.RezervaB3.clear();
    ts.RezervaB4.clear();
    ts.RezervaB5 = 0;
    ts.RezervaC1 = ts.RezervaC2 = 0;
    ts.RezervaD1 = ts.RezervaD2 = 0;
    SummarySums sums = summarySums(r, parties);
    ts.SumaKC1 = sums.kc1;
    ts.SumaKC2 = sums.kc2;
    ts.SumaKC3 = sums.kc3;
    ts.SumaKC4 = sums.kc4;
    ts.SumaKSoucet = sums.kSoucet;
    ts.Celkem = celkemOf(ts);
    r.hlasovani.PrilListu = std::to_string(PocetListuPrilohy(r));
}

void RecomputeAll(RecordOfVote& r, const data::PartyList& parties, const std::set<int>& ticked,
                  const data::TStanice& station, const RecomputeSources& sources) {
    ProcDopoctiT4ZakrStrana(r, parties, ticked);
    forEachFlaggedParty(r, parties, [&](int, int n) { ProcDopoctiT4P(r, n, parties); });
    ProcDopoctiTS(r, parties, station, sources);
}

int PocetListuPrilohy(const RecordOfVote& r) {
    int sheets = 0;
    for (int n = 1; n <= 22; ++n) sheets += r.isFlagged(n) ? 1 : 0;
    return sheets;
}

}  // namespace talmorek::record
