// `gen-precincts`: valid, varied precinct data files of an installation's
// precincts, for the receiving side's benchmark and tests.
#include <algorithm>
#include <filesystem>
#include <map>
#include <ostream>
#include <random>
#include <set>

#include "core/data/file_io.h"
#include "core/data/path_text.h"
#include "core/data/registers.h"
#include "core/data/station.h"
#include "core/export/data_file.h"
#include "core/record/check_numbers.h"
#include "core/record/party_list.h"
#include "core/record/recompute.h"
#include "tool/command_support.h"
#include "tool/commands.h"

namespace talmorek::tool {
namespace {

constexpr const char* kUsage = "Použití: talmorek-tool gen-precincts INST DIR --count N [--seed S]\n";

struct Precinct {
    std::string kodObce;
    std::int32_t okrsek = 0;
    std::string kodOkresu;
};

// The ordinary precincts of OKRSKY.RCD in file order (each municipality's
// range of precincts), and the voters PSRVOK.RCD gives them.
std::vector<Precinct> precinctsOf(const data::Registers& registers) {
    std::vector<Precinct> precincts;
    const std::string okrsky = data::readWholeFile(registers.path(data::okrsky::kLayout.name));
    for (std::size_t at = 0; at + data::okrsky::kRecordSize <= okrsky.size(); at += data::okrsky::kRecordSize) {
        const data::TOkrsky m = data::decodeOkrsky(std::string_view(okrsky).substr(at, data::okrsky::kRecordSize));
        if (m.KodObce == data::kKodZvlastnihoOkrsku) continue;
        const int from = data::toIntOr(m.OkrsekOd, 0), to = data::toIntOr(m.OkrsekDo, 0);
        for (int n = std::max(from, 1); n <= to; ++n) precincts.push_back({m.KodObce, n, m.KodOkresu});
    }
    return precincts;
}

std::map<std::pair<std::string, std::int32_t>, std::int32_t> votersOf(const data::Registers& registers) {
    std::map<std::pair<std::string, std::int32_t>, std::int32_t> voters;
    const std::string path = registers.path(data::psrvok::kLayout.name);
    if (!data::fileExists(path)) return voters;
    const std::string psrvok = data::readWholeFile(path);
    for (std::size_t at = 0; at + data::psrvok::kRecordSize <= psrvok.size(); at += data::psrvok::kRecordSize) {
        const data::TPsrvok v = data::decodePsrvok(std::string_view(psrvok).substr(at, data::psrvok::kRecordSize));
        voters[{v.KodObce, v.CisloOkrsku}] = v.Volicu;
    }
    return voters;
}

// A record a commission could have typed: turnout between a half and
// three quarters, a few envelopes not handed in or invalid, the valid votes
// shared among three to twelve parties, each voter giving at most four
// preferential votes to candidates of the party's list.
record::RecordOfVote makeRecord(const Precinct& p, std::int32_t registered, const data::PartyList& parties,
                                std::mt19937& random, data::TStanice& station) {
    auto between = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, std::max(lo, hi))(random); };
    record::RecordOfVote r;
    r.ClearResults();
    r.T4.Typ = 1;
    r.T4.RegKod = static_cast<std::uint16_t>(data::toIntOr(p.kodOkresu, 0));
    r.T4.Obec = data::toIntOr(p.kodObce, 0);
    r.T4.Okrsek = p.okrsek;
    r.T4.KC1 = record::KontrolniCislo1(r.T4.Obec, r.T4.Okrsek);
    r.T4.ZapsOsoby = registered > 0 ? registered : between(300, 1500);
    r.T4.VydObalky = static_cast<std::uint16_t>(r.T4.ZapsOsoby * between(50, 75) / 100);
    r.T4.OdevzdObalky = static_cast<std::uint16_t>(std::max(0, r.T4.VydObalky - between(0, 2)));
    r.T4.PlatneHlasy = static_cast<std::uint16_t>(std::max(0, r.T4.OdevzdObalky - between(0, 6)));
    r.T4.KC2 = record::kc2OfSection2(r.T4);

    std::vector<int> numbers;
    for (int i = 1; i <= parties.length; ++i) numbers.push_back(record::partyNumberOf(parties.at(i)));
    std::shuffle(numbers.begin(), numbers.end(), random);
    const int withVotes = std::min<int>(static_cast<int>(numbers.size()), between(3, 12));
    std::set<int> ticked(numbers.begin(), numbers.begin() + withVotes);
    // Every party with votes gets at least one; the rest is shared at random.
    std::map<int, int> votes;
    int left = r.T4.PlatneHlasy;
    for (int n : ticked) votes[n] = left > 0 ? (--left, 1) : 0;
    for (; left > 0; --left) {
        auto it = votes.begin();
        std::advance(it, between(0, static_cast<int>(votes.size()) - 1));
        ++it->second;
    }
    for (auto& [n, v] : votes) {
        if (v == 0) ticked.erase(n);
    }
    for (int n : ticked) {
        r.MarkParty(n, true);
        record::TT4P& party = r.party(n);
        party.PocHlasu = static_cast<std::uint16_t>(votes[n]);
        const int candidates = std::min(record::kCandidates, [&] {
            for (int i = 1; i <= parties.length; ++i)
                if (record::partyNumberOf(parties.at(i)) == n) return record::candidateCountOf(parties.at(i));
            return 0;
        }());
        // At most four preferential votes a voter, at most one a candidate.
        int budget = party.PocHlasu * between(0, 4) / 4;
        for (int j = 1; j <= candidates && budget > 0; ++j) {
            const int v = std::min<int>({budget, party.PocHlasu, between(0, party.PocHlasu / 3 + 1)});
            party.PrefHlasy[static_cast<std::size_t>(j - 1)] = static_cast<std::uint16_t>(v);
            budget -= v;
        }
    }
    station.KodObce = p.kodObce;
    station.CisloOkrsku = p.okrsek;
    station.KodOkresu = p.kodOkresu;
    record::RecomputeAll(r, parties, ticked, station, record::fixedSources({2025, 10, 4, 14, 0, 0}, random()));
    return r;
}

}  // namespace

// Writes COUNT precinct data files ("O", as a clean save leaves them) of
// the first COUNT ordinary precincts of INST's registers into DIR, made from
// the seed S (1 unless given): the same seed gives the same files.
int runGenPrecincts(const Args& args, std::ostream& out, std::ostream& err) {
    std::vector<std::string> positional;
    std::optional<long> count;
    unsigned seed = 1;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if ((a == "--count" || a == "--seed") && i + 1 < args.size()) {
            const std::string& v = args[++i];
            if (v.empty() || v.size() > 9 || v.find_first_not_of("0123456789") != std::string::npos) {
                err << "Hodnota " << v << " volby " << a << " není celé číslo.\n";
                return kExitFailure;
            }
            (a == "--count" ? count = std::stol(v) : seed = static_cast<unsigned>(std::stoul(v)));
        } else if (!a.empty() && a[0] == '-') {
            err << "Neznámá volba " << a << ".\n" << kUsage;
            return kExitFailure;
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 2 || !count) {
        err << kUsage;
        return kExitFailure;
    }
    try {
        const data::Registers registers(data::utf8Of(data::pathOf(positional[0]) / ""));
        const data::PartyList parties = registers.NactiStrany();
        const std::vector<Precinct> precincts = precinctsOf(registers);
        if (static_cast<long>(precincts.size()) < *count) {
            err << "Registry instalace " << positional[0] << " znají jen " << precincts.size() << " okrsků.\n";
            return kExitFailure;
        }
        const auto voters = votersOf(registers);
        std::filesystem::create_directories(data::pathOf(positional[1]));
        const std::string dir = data::utf8Of(data::pathOf(positional[1]) / "");
        std::mt19937 random(seed);
        data::TStanice station;
        station.KodOS = "0";
        for (long i = 0; i < *count; ++i) {
            const Precinct& p = precincts[static_cast<std::size_t>(i)];
            const auto found = voters.find({p.kodObce, p.okrsek});
            const record::RecordOfVote r =
                makeRecord(p, found == voters.end() ? 0 : found->second, parties, random, station);
            exporting::ZapisData(r, dir, p.kodObce, p.okrsek, exporting::DataLetter::O);
        }
        out << "Zapsáno " << *count << " souborů dat okrsků do " << positional[1] << ".\n";
    } catch (const std::exception& e) {
        return reportFailure(e, err);
    }
    return kExitOk;
}

}  // namespace talmorek::tool
