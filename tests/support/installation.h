#pragma once
// The one installation of the tests, in a temporary directory: the
// registers, the catalogue of check messages and a station record, built
// with the encoders of the data layer; and records of its precinct, clean
// or with the findings a test needs. Core, tool and program tests all stand
// on it.
//
// The precinct is 554782 / 3 of district 3201 with 812 registered voters.
// The party list holds parties 1 (36 candidates), 2 (20), 3 (2), 7 (36) and
// 9 (0 candidates: a list that was withdrawn).
//
// `cleanRecord()` is a record of that precinct that passes every rule:
// 812 persons, 530 envelopes issued, 528 handed in, 521 valid votes, split
// 300 / 150 / 71 among parties 1, 2 and 7.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/checks/catalogue.h"
#include "core/checks/catalogue_texts.h"
#include "core/data/registers.h"
#include "core/data/station.h"
#include "core/data/working_files.h"
#include "core/record/check_numbers.h"
#include "core/record/recompute.h"
#include "core/record/record_of_vote.h"
#include "core/export/data_file.h"
#include "support/temp_dir.h"

namespace talmorek::testing {

inline constexpr std::int32_t kObec = 554782;
inline constexpr std::int32_t kOkrsek = 3;
inline constexpr std::uint16_t kRegKod = 3201;
inline constexpr std::int32_t kRegistered = 812;

struct InstallationContent {
    std::vector<data::TOkrsky> okrsky = {
        {"532053", "Kolín", "1", "56", "3204", "Kolín"},
        {"554782", "Testov", "1", "12", "3201", "Chrudim"},
        {"554782", "Testov", "13", "20", "3299", "Chrudim"},  // a second range: never consulted
        {"999997", "Zahraničí", "1", "99", "9999", "Zahraničí"},
    };
    std::vector<data::TPsrzvo> psrzvo = {
        {"999997", 12, "Ottawa", "Kanada"},
        {"999997", 90, "Washington", "USA"},
    };
    std::vector<data::TPsrvok> psrvok = {
        {"554782", 3, 800},
        {"554782", 3, kRegistered},  // the last matching record counts
        {"532053", 1, 1500},
    };
    std::vector<data::TStrana> strany = {
        {"1", "Strana první", "36"}, {"2", "Strana druhá", "20"}, {"3", "Strana třetí", "2"},
        {"7", "Strana sedmá", "36"}, {"9", "Strana devátá", "0"},
    };
    std::vector<checks::TChybaInfo> catalogue{checks::catalogueTexts().begin(), checks::catalogueTexts().end()};
};

template <typename T, typename Encode>
std::string recordsOf(const std::vector<T>& values, Encode encode) {
    std::string bytes;
    for (const auto& v : values) bytes += encode(v);
    return bytes;
}

// Writes the registers and CISCHYB.RCD into `dir`.
inline void writeInstallation(const TempDir& dir, const InstallationContent& c = {}, const std::string& sub = "") {
    dir.write(sub + "OKRSKY.RCD", recordsOf(c.okrsky, data::encodeOkrsky));
    dir.write(sub + "PSRZVO.RCD", recordsOf(c.psrzvo, data::encodePsrzvo));
    dir.write(sub + "PSRVOK.RCD", recordsOf(c.psrvok, data::encodePsrvok));
    dir.write(sub + "STRANY.RCD", recordsOf(c.strany, data::encodeStrana));
    dir.write(sub + "KANDIDAT.RCD", "");
    dir.write(sub + "CISCHYB.RCD", recordsOf(c.catalogue, checks::encodeChybaInfo));
}

inline data::TStanice station(const std::string& kodObce = "554782", std::int32_t okrsek = kOkrsek) {
    data::TStanice s;
    s.Oznaceni = "PS";
    s.KodUzemi = "0";
    s.NazevObce = "Testov";
    s.KodObce = kodObce;
    s.CisloOkrsku = okrsek;
    s.KodOkresu = "3201";
    s.NazevOkresu = "Chrudim";
    s.CisloKraje = "9";
    s.KodKraje = "CZ05";
    s.NazevKraje = "Pardubický kraj";
    s.KodOS = "17";
    s.Stav = "N";
    return s;
}

inline record::RecomputeSources fixedClock() { return record::fixedSources({2021, 10, 9, 14, 30, 5}, 7); }

// Puts preferential votes `votes` for the list order `order` of party n.
inline void prefer(record::RecordOfVote& r, int n, int order, std::uint16_t votes) {
    r.party(n).PrefHlasy.at(static_cast<std::size_t>(order - 1)) = votes;
}

// The record of the precinct as the entry window saves it: identification,
// totals, the party votes, section III, and everything derived recomputed.
inline record::RecordOfVote cleanRecord(const data::PartyList& parties) {
    record::RecordOfVote r;
    r.ClearResults();
    r.T4.RegKod = kRegKod;
    r.T4.Obec = kObec;
    r.T4.Okrsek = kOkrsek;
    r.T4.ZapsOsoby = 812;
    r.T4.VydObalky = 530;
    r.T4.OdevzdObalky = 528;
    r.T4.PlatneHlasy = 521;
    for (int n : {1, 2, 7}) r.MarkParty(n, true);
    r.party(1).PocHlasu = 300;
    prefer(r, 1, 1, 40);
    prefer(r, 1, 3, 30);
    r.party(2).PocHlasu = 150;
    prefer(r, 2, 2, 10);
    r.party(7).PocHlasu = 71;
    prefer(r, 7, 1, 15);
    prefer(r, 7, 3, 40);
    prefer(r, 7, 12, 2);
    r.hlasovani.ClenuOVKC = "7";
    r.hlasovani.ClenuOVKP = "5";
    r.hlasovani.Zapisovat = "Jana Nováková";
    r.hlasovani.PoverPred = "Petr Svoboda";
    r.komise = {{"Karel Dvořák"}, {"Eva Malá"}, {"Tomáš Černý"}, {"Lucie Bílá"}};
    r.T4.KC1 = record::KontrolniCislo1(kObec, kOkrsek);
    r.T4.KC2 = record::kc2OfSection2(r.T4);
    record::RecomputeAll(r, parties, record::tickedParties(r, parties), station(), fixedClock());
    return r;
}

// The clean record of the precinct changed by `change`, recomputed as the
// entry window recomputes before it saves.
template <typename Change>
record::RecordOfVote changedRecord(const data::PartyList& parties, Change change) {
    record::RecordOfVote r = cleanRecord(parties);
    change(r);
    r.T4.KC2 = record::kc2OfSection2(r.T4);
    record::RecomputeAll(r, parties, record::tickedParties(r, parties), station(), fixedClock());
    return r;
}
// Turnout of 92 %: warning 97 only.
inline record::RecordOfVote recordWithWarningsOnly(const data::PartyList& parties) {
    return changedRecord(parties, [](record::RecordOfVote& r) {
        r.T4.VydObalky = 750;
        r.T4.OdevzdObalky = 745;
        r.T4.PlatneHlasy = 740;
        r.party(1).PocHlasu = 519;
    });
}
// The count of the extracts not typed: passable errors 04 and 06.
inline record::RecordOfVote recordWithPassableErrorsOnly(const data::PartyList& parties) {
    return changedRecord(parties, [](record::RecordOfVote& r) { r.T4.ZapsOsoby = 0; });
}
// Party 7 with more votes than the precinct's valid votes: errors.
inline record::RecordOfVote recordWithErrors(const data::PartyList& parties) {
    return changedRecord(parties, [](record::RecordOfVote& r) { r.party(7).PocHlasu = 600; });
}

// What the entry window leaves in the data directory `dataDir` (ending with
// "/") after a save of the precinct's record: the results block under
// `letter` (the file of the other letter removed), HLASO.RCD and KOMISE.RCD.
inline void saveRecord(const std::string& dataDir, const record::RecordOfVote& r, exporting::DataLetter letter) {
    exporting::saveResults(r, dataDir, station().KodObce, station().CisloOkrsku, letter);
    data::ZapisHlasovani(dataDir, r.hlasovani);
    data::ZapisKomisi(dataDir, r.komise);
}

// The special precinct abroad 999997 / 90 (Washington) of the registers.
inline data::TStanice specialStation() {
    data::TStanice s = station("999997", 90);
    s.NazevObce = "Washington";
    s.KodUzemi = "999";
    s.KodOkresu = "9999";
    s.NazevOkresu = "Zahraničí";
    s.CisloKraje = "15";
    s.KodKraje = "9999";
    s.NazevKraje = "Zahraničí";
    return s;
}

// A whole installation as the program finds it beside itself: the registers
// and the catalogue in `dir`, and the station with empty working files.
// Single-station: STANICE.RCD of `station()` beside the registers, the data
// in "data/". Multi-station: no STANICE.RCD beside the registers; stations
// "data/OK3" (`station()`) and "data/ZO90" (`specialStation()`), each its
// own data directory.
inline void writeProgramInstallation(const TempDir& dir, bool multiStation = false) {
    writeInstallation(dir);
    auto stationAt = [&](const std::string& sub, const data::TStanice& s) {
        const std::string dataDir = dir.file(sub.empty() ? "data/" : sub);
        std::filesystem::create_directories(dataDir);
        dir.write(sub + "STANICE.RCD", data::encodeStanice(s));
        data::ZapisHlasovani(dataDir, data::Hlasovani{});
        data::ZapisKomisi(dataDir, {});
    };
    if (!multiStation) {
        stationAt("", station());
        return;
    }
    stationAt("data/OK3/", station());
    stationAt("data/ZO90/", specialStation());
}

}  // namespace talmorek::testing
