// The check run against registers of national size, reported next to its
// floor: reading each register the run needs once. The run reads each
// register once too and answers its many lookups from memory, so it should
// stay within twice the floor; the rules themselves cost little.

#include <benchmark/benchmark.h>

#include <optional>

#include <cstdio>

#include <filesystem>
#include <random>
#include <string>

#include "core/checks/catalogue.h"
#include "core/checks/catalogue_texts.h"
#include "core/checks/check_run.h"
#include "core/checks/protocol.h"
#include "core/data/file_io.h"
#include "core/data/registers.h"
#include "core/data/station.h"
#include "core/record/check_numbers.h"
#include "core/record/recompute.h"

#include "bench_support.h"

namespace {

using namespace talmorek;

constexpr int kMunicipalities = 6300;
constexpr int kVoterRecords = 15000;
constexpr int kParties = 22;

// The precinct checked is in the last municipality of the register, so every
// search reads the whole file.
std::string municipalityCode(int i) { return std::to_string(500000 + i); }

struct NationalInstallation {
    std::string dir;

    NationalInstallation() {
        std::random_device rd;
        dir = (std::filesystem::temp_directory_path() / ("talmorek-bench-" + std::to_string(rd()))).string() + "/";
        std::filesystem::create_directories(dir);
        std::string okrsky, psrvok, strany, cischyb;
        for (int i = 0; i < kMunicipalities; ++i)
            okrsky += data::encodeOkrsky({municipalityCode(i), "Obec " + std::to_string(i), "1", "40",
                                          std::to_string(3100 + i % 77), "Okres"});
        for (int i = 0; i < kVoterRecords; ++i)
            psrvok += data::encodePsrvok({municipalityCode(i % kMunicipalities), 1 + i / kMunicipalities, 800});
        for (int n = 1; n <= kParties; ++n) strany += data::encodeStrana({std::to_string(n), "Strana", "36"});
        for (const auto& entry : checks::catalogueTexts()) cischyb += checks::encodeChybaInfo(entry);
        data::replaceFileAtomically(dir + "OKRSKY.RCD", okrsky);
        data::replaceFileAtomically(dir + "PSRVOK.RCD", psrvok);
        data::replaceFileAtomically(dir + "PSRZVO.RCD", data::encodePsrzvo({"999997", 90, "Washington", "USA"}));
        data::replaceFileAtomically(dir + "STRANY.RCD", strany);
        data::replaceFileAtomically(dir + "CISCHYB.RCD", cischyb);
    }
    ~NationalInstallation() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

const NationalInstallation& installation() {
    static const NationalInstallation kInstallation;
    return kInstallation;
}

// A precinct of 1,200 voters where all 22 parties got votes and every one of
// their 36 candidates a preferential vote; recomputed, so it passes.
record::RecordOfVote fullRecord(const data::PartyList& parties, std::int32_t obec) {
    record::RecordOfVote r;
    r.ClearResults();
    r.T4.RegKod = static_cast<std::uint16_t>(3100 + (kMunicipalities - 1) % 77);
    r.T4.Obec = obec;
    r.T4.Okrsek = 1;
    r.T4.ZapsOsoby = 820;
    r.T4.VydObalky = 600;
    r.T4.OdevzdObalky = 598;
    r.T4.PlatneHlasy = 594;
    r.T4.KC1 = record::KontrolniCislo1(r.T4.Obec, r.T4.Okrsek);
    r.T4.KC2 = record::kc2OfSection2(r.T4);
    for (int n = 1; n <= kParties; ++n) {
        r.MarkParty(n, true);
        r.party(n).PocHlasu = 27;
        r.party(n).PrefHlasy.fill(1);
    }
    r.hlasovani.ClenuOVKC = "7";
    r.hlasovani.ClenuOVKP = "5";
    r.hlasovani.Zapisovat = "Jana";
    r.hlasovani.PoverPred = "Petr";
    r.komise = {{"A"}, {"B"}, {"C"}, {"D"}};
    data::TStanice station;
    station.KodObce = std::to_string(obec);
    station.KodOS = "17";
    record::RecomputeAll(r, parties, record::tickedParties(r, parties), station,
                        record::fixedSources({2021, 10, 9, 14, 30, 0}, 1));
    return r;
}

void BM_ReadRegistersOnce(benchmark::State& state) {
    const data::Registers registers(installation().dir);
    for (auto _ : state) {
        benchmark::DoNotOptimize(registers.JeObec("999999"));  // absent: the whole OKRSKY.RCD
        benchmark::DoNotOptimize(registers.PocetVolicu("999999", 1));  // always the whole PSRVOK.RCD
        benchmark::DoNotOptimize(registers.NactiStrany());
    }
}
BENCHMARK(BM_ReadRegistersOnce)->Unit(benchmark::kMillisecond);

// Its floor: the same three files read whole, nothing searched.
void BM_ReadRegistersOnceFloor(benchmark::State& state) {
    const std::string dir = installation().dir;
    for (auto _ : state) {
        for (const char* name : {"OKRSKY.RCD", "PSRVOK.RCD", "STRANY.RCD"}) {
            const std::optional<std::string> bytes = bench::readPlain(dir + name);
            if (!bytes) {
                state.SkipWithError("a register could not be read");
                return;
            }
            benchmark::DoNotOptimize(bytes);
        }
    }
}
BENCHMARK(BM_ReadRegistersOnceFloor)->Unit(benchmark::kMillisecond);

void BM_WholeCheckRun(benchmark::State& state) {
    const data::Registers registers(installation().dir);
    const data::PartyList parties = registers.NactiStrany();
    const checks::TCisChyb catalogue(installation().dir);
    const std::int32_t obec = std::stoi(municipalityCode(kMunicipalities - 1));
    const record::RecordOfVote clean = fullRecord(parties, obec);
    checks::TChybProt protocol(catalogue);
    for (auto _ : state) {
        record::RecordOfVote record = clean;
        const checks::Verdict verdict = checks::ProvedKontroly(record, registers, parties, std::to_string(obec),
                                                               protocol, checks::Vybrano::CheckCommandOrSave);
        if (protocol.Count() != 0) state.SkipWithError("the record should pass every rule");
        benchmark::DoNotOptimize(verdict);
    }
}
BENCHMARK(BM_WholeCheckRun)->Unit(benchmark::kMillisecond);

}  // namespace
