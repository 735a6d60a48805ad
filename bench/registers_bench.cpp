// Register lookups against registers of national size.
//
// The check rules look single entries up in the registers many times per
// check run, each time opening, reading and closing the file. A lookup should
// cost about what reading the file once costs; the ReadWholeFile rows are that
// reference, and each lookup row for the same file should stay within twice
// its time. Keys sit at the end of the file (the worst case for a search
// that stops at the first match) or are absent (the whole file is read).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "core/data/file_io.h"
#include "core/data/registers.h"

namespace {

using namespace talmorek::data;

constexpr int kMunicipalities = 6300;
constexpr int kPrecinctRecords = 15000;
constexpr int kSpecialPrecincts = 100;
constexpr int kParties = 22;

std::string municipalityCode(int i) { return std::to_string(500000 + i * 7); }

// The registers, written once into a temporary directory for the whole run.
class NationalRegisters {
public:
    NationalRegisters() {
        std::random_device rd;
        dir_ = (std::filesystem::temp_directory_path() / ("talmorek-bench-" + std::to_string(rd()))).string() + "/";
        std::filesystem::create_directories(dir_);

        std::string okrsky;
        for (int i = 0; i < kMunicipalities; ++i)
            okrsky += encodeOkrsky({municipalityCode(i), "Obec č. " + std::to_string(i), "1",
                                    std::to_string(1 + i % 60), std::to_string(3100 + i % 77), "Okres " + std::to_string(i % 77)});
        write("OKRSKY.RCD", okrsky);

        // Precincts spread over the municipalities, 2 or 3 each, in file order.
        std::string psrvok;
        for (int i = 0; i < kPrecinctRecords; ++i) {
            int municipality = static_cast<int>(static_cast<long long>(i) * kMunicipalities / kPrecinctRecords);
            psrvok += encodePsrvok({municipalityCode(municipality), 1 + i % 3, 400 + i % 900});
        }
        lastPrecinctCode_ = municipalityCode((kPrecinctRecords - 1) * kMunicipalities / kPrecinctRecords);
        lastPrecinctNumber_ = 1 + (kPrecinctRecords - 1) % 3;
        write("PSRVOK.RCD", psrvok);

        std::string psrzvo;
        for (int i = 1; i <= kSpecialPrecincts; ++i)
            psrzvo += encodePsrzvo({"999997", i, "Zastupitelský úřad " + std::to_string(i), "Stát " + std::to_string(i)});
        write("PSRZVO.RCD", psrzvo);

        std::string strany;
        for (int i = 1; i <= kParties; ++i)
            strany += encodeStrana({std::to_string(i), "Strana " + std::to_string(i), "36"});
        write("STRANY.RCD", strany);
    }
    ~NationalRegisters() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    const std::string& dir() const { return dir_; }
    std::string lastMunicipalityCode() const { return municipalityCode(kMunicipalities - 1); }
    const std::string& lastPrecinctCode() const { return lastPrecinctCode_; }
    int lastPrecinctNumber() const { return lastPrecinctNumber_; }

private:
    void write(const char* name, const std::string& bytes) const {
        std::ofstream out(dir_ + name, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    std::string dir_;
    std::string lastPrecinctCode_;
    int lastPrecinctNumber_ = 0;
};

const NationalRegisters& registersOnDisk() {
    static const NationalRegisters instance;
    return instance;
}

void BM_ReadWholeFile(benchmark::State& state, const char* name) {
    const std::string path = registersOnDisk().dir() + name;
    for (auto _ : state) benchmark::DoNotOptimize(readWholeFile(path));
}
BENCHMARK_CAPTURE(BM_ReadWholeFile, OKRSKY, "OKRSKY.RCD");
BENCHMARK_CAPTURE(BM_ReadWholeFile, PSRVOK, "PSRVOK.RCD");
BENCHMARK_CAPTURE(BM_ReadWholeFile, PSRZVO, "PSRZVO.RCD");
BENCHMARK_CAPTURE(BM_ReadWholeFile, STRANY, "STRANY.RCD");

void BM_JeObec(benchmark::State& state, bool present) {
    Registers registers(registersOnDisk().dir());
    const std::string code = present ? registersOnDisk().lastMunicipalityCode() : "999999";
    for (auto _ : state) {
        bool found = registers.JeObec(code);
        if (found != present) state.SkipWithError("wrong answer");
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK_CAPTURE(BM_JeObec, OKRSKY_last, true);
BENCHMARK_CAPTURE(BM_JeObec, OKRSKY_absent, false);

void BM_NajdiOkrsek(benchmark::State& state, bool present) {
    Registers registers(registersOnDisk().dir());
    const std::string code = present ? registersOnDisk().lastMunicipalityCode() : "999999";
    TOkrsky result;
    for (auto _ : state) {
        bool found = registers.NajdiOkrsek(code, 1, result);
        if (found != present) state.SkipWithError("wrong answer");
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK_CAPTURE(BM_NajdiOkrsek, OKRSKY_last, true);
BENCHMARK_CAPTURE(BM_NajdiOkrsek, OKRSKY_absent, false);

void BM_PocetVolicu(benchmark::State& state, bool present) {
    Registers registers(registersOnDisk().dir());
    const std::string code = present ? registersOnDisk().lastPrecinctCode() : "999999";
    const int precinct = registersOnDisk().lastPrecinctNumber();
    for (auto _ : state) {
        std::int32_t voters = registers.PocetVolicu(code, precinct);
        if ((voters != 0) != present) state.SkipWithError("wrong answer");
        benchmark::DoNotOptimize(voters);
    }
}
BENCHMARK_CAPTURE(BM_PocetVolicu, PSRVOK_last, true);
BENCHMARK_CAPTURE(BM_PocetVolicu, PSRVOK_absent, false);

void BM_NajdiZvlastniOkrsek(benchmark::State& state, bool present) {
    Registers registers(registersOnDisk().dir());
    const int precinct = present ? kSpecialPrecincts : kSpecialPrecincts + 1;
    TOkrsky result;
    for (auto _ : state) {
        bool found = registers.NajdiZvlastniOkrsek("999997", precinct, result);
        if (found != present) state.SkipWithError("wrong answer");
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK_CAPTURE(BM_NajdiZvlastniOkrsek, PSRZVO_last, true);
BENCHMARK_CAPTURE(BM_NajdiZvlastniOkrsek, PSRZVO_absent, false);

void BM_PocetKandidatuStrany(benchmark::State& state, bool present) {
    Registers registers(registersOnDisk().dir());
    const int party = present ? kParties : kParties + 1;
    for (auto _ : state) {
        std::int32_t count = registers.PocetKandidatuStrany(party);
        if ((count != 0) != present) state.SkipWithError("wrong answer");
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK_CAPTURE(BM_PocetKandidatuStrany, STRANY_last, true);
BENCHMARK_CAPTURE(BM_PocetKandidatuStrany, STRANY_absent, false);

}  // namespace
