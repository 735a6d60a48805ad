// One precinct data file as the receiving office reads it.
#include "core/receiving/received_file.h"

#include <charconv>
#include <set>

#include "core/checks/check_run.h"
#include "core/checks/error_class.h"
#include "core/checks/protocol.h"
#include "core/data/station.h"
#include "core/export/container.h"
#include "core/export/export_fingerprint.h"
#include "core/export/sha256.h"
#include "core/record/check_numbers.h"
#include "core/record/party_list.h"
#include "core/record/recompute.h"
#include "core/workflow/error_messages.h"

namespace talmorek::receiving {
namespace {

bool allDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

Outcome outcomeOf(const checks::Verdict& v) {
    if (v.PriznakChyby) return Outcome::Errors;
    if (v.PriznakPropustitelne) return Outcome::Passable;
    if (v.PriznakUpozorneni) return Outcome::Warnings;
    return Outcome::Clean;
}

// The votes of the parties the check run judged: those of the party list
// that the record flags. A flag for a party the list does not hold is no
// vote anybody checked.
std::shared_ptr<const PrecinctVotes> votesOf(const record::RecordOfVote& r, const data::PartyList& parties) {
    auto votes = std::make_shared<PrecinctVotes>();
    votes->zapsOsoby = r.T4.ZapsOsoby;
    votes->vydObalky = r.T4.VydObalky;
    votes->odevzdObalky = r.T4.OdevzdObalky;
    votes->platneHlasy = r.T4.PlatneHlasy;
    record::forEachFlaggedParty(r, parties, [&](int, int n) {
        PrecinctVotes::Party& party = votes->parties[n];
        party.votes = r.party(n).PocHlasu;
        for (int j = 1; j <= record::kCandidates; ++j)
            party.preferential[static_cast<std::size_t>(j - 1)] = r.party(n).pref(j);
    });
    return votes;
}

// What the results come to, for telling copies from files that disagree:
// the precinct and its votes, not the moment or the marks of the save.
std::string resultsHash(const record::RecordOfVote& r, const PrecinctVotes& v) {
    std::string text = std::to_string(r.T4.Obec) + "/" + std::to_string(r.T4.Okrsek) + ":" +
                       std::to_string(v.zapsOsoby) + "," + std::to_string(v.vydObalky) + "," +
                       std::to_string(v.odevzdObalky) + "," + std::to_string(v.platneHlasy);
    for (const auto& [n, party] : v.parties) {
        text += ";" + std::to_string(n) + "=" + std::to_string(party.votes);
        for (std::int64_t p : party.preferential) text += "," + std::to_string(p);
    }
    return exporting::toHex(exporting::sha256(text));
}

// KČ1–KČ4 of the summary as the counts give them: every check number
// computed afresh from the votes, then summed as the summary sums them.
std::array<std::int64_t, 4> recomputedSums(const record::RecordOfVote& r, const data::PartyList& parties) {
    record::RecordOfVote fresh = r;
    fresh.T4.KC1 = record::KontrolniCislo1(fresh.T4.Obec, fresh.T4.Okrsek);
    fresh.T4.KC2 = record::kc2OfSection2(fresh.T4);
    record::forEachFlaggedParty(fresh, parties, [&](int, int n) {
        fresh.party(n).KC1 = fresh.T4.KC1;
        record::ProcDopoctiT4P(fresh, n, parties);
    });
    const record::SummarySums sums = record::summarySums(fresh, parties);
    return {sums.kc1, sums.kc2, sums.kc3, sums.kc4};
}

}  // namespace

std::optional<DataFileName> parseDataFileName(std::string_view name) {
    // A letter, "P", six digits of the municipality, ".", five of the precinct.
    if (name.size() != 14 || name[1] != 'P' || name[8] != '.') return std::nullopt;
    DataFileName parsed;
    if (name[0] == 'E') {
        parsed.letter = exporting::DataLetter::E;
    } else if (name[0] == 'O') {
        parsed.letter = exporting::DataLetter::O;
    } else {
        return std::nullopt;
    }
    const std::string_view obec = name.substr(2, 6);
    const std::string_view okrsek = name.substr(9, 5);
    if (!allDigits(obec) || !allDigits(okrsek)) return std::nullopt;
    parsed.kodObce = std::string(obec);
    std::from_chars(okrsek.data(), okrsek.data() + okrsek.size(), parsed.okrsek);
    return parsed;
}

std::string_view outcomeName(Outcome outcome) {
    switch (outcome) {
        case Outcome::Damaged: return "poškozen";
        case Outcome::Errors: return "chyby";
        case Outcome::Passable: return "propustitelné chyby";
        case Outcome::Warnings: return "upozornění";
        case Outcome::Clean: return "bez chyb";
    }
    return {};
}

ReceivingRegisters::ReceivingRegisters(const std::string& programDir)
    : registers(programDir), parties(registers.NactiStrany()), catalogue(programDir) {
    // Every register a rule may need, read now: each lookup reads its file
    // to the end when it asks for nothing there is.
    data::RegisterSnapshot snapshot(registers);
    snapshot.JeObec("000000");
    snapshot.PocetVolicu("000000", 0);
    snapshot.PocetKandidatuStrany(0);
    data::TOkrsky none;
    snapshot.NajdiZvlastniOkrsek(data::kKodZvlastnihoOkrsku, 0, none);
}

ReceivedFile receiveFile(const std::string& path, const ReceivingRegisters& registers,
                         data::RegisterSnapshot& snapshot) {
    ReceivedFile file;
    file.path = path;
    const std::size_t slash = path.find_last_of('/');
    file.name = parseDataFileName(slash == std::string::npos ? path : std::string_view(path).substr(slash + 1));
    record::RecordOfVote r;
    try {
        const std::string bytes = exporting::readDataFileBytes(path);
        file.fingerprint = exporting::exportFingerprint(bytes);
        std::string line;
        try {
            line = exporting::readResultsPackage(bytes, path);
        } catch (const data::FormatError& e) {
            // Base64, cipher and compression faults all mean one thing here.
            const bool tooLarge = e.field() == exporting::kPlainSizeField;
            file.reason = tooLarge ? workflow::czechMessage(e) : workflow::notAPackage(path);
            return file;
        }
        exporting::parseResultsLine(line, r, path);
    } catch (const data::DataError& e) {
        file.reason = workflow::czechMessage(e);
        return file;
    }
    file.obec = r.T4.Obec;
    file.okrsek = r.T4.Okrsek;
    // A file renamed, or a record saved under another precinct's name,
    // would be counted for the wrong precinct.
    if (file.name && (file.name->kodObce != std::to_string(r.T4.Obec) || file.name->okrsek != r.T4.Okrsek)) {
        file.reason = workflow::namedForAnotherPrecinct(path, file.name->kodObce, file.name->okrsek,
                                                        std::to_string(r.T4.Obec), r.T4.Okrsek);
        return file;
    }
    file.kcStored = {r.TS.SumaKC1, r.TS.SumaKC2, r.TS.SumaKC3, r.TS.SumaKC4};
    file.kcRecomputed = recomputedSums(r, registers.parties);
    file.votes = votesOf(r, registers.parties);
    file.contentHash = resultsHash(r, *file.votes);

    checks::TChybProt protocol(registers.catalogue);
    const checks::Verdict verdict = checks::checkResultsBlock(r, snapshot, registers.parties, protocol);
    file.outcome = outcomeOf(verdict);
    std::set<int> listed;
    for (const checks::TChyba& f : protocol.findings()) {
        if (!listed.insert(f.Chyba).second) continue;
        if (!file.codes.empty()) file.codes += ' ';
        file.codes += checks::twoDigitCode(f.Chyba);
    }
    return file;
}

}  // namespace talmorek::receiving
