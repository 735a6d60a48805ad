// The registers an installation brings (OKRSKY, PSRZVO, PSRVOK, STRANY,
// KANDIDAT): the first byte of an input chooses the file, the rest is its
// content; every lookup of the program then runs on it, directly and through
// the snapshot a check run uses, and both must answer alike.

#include <array>

#include "core/data/register_snapshot.h"
#include "core/data/registers.h"
#include "fuzz_support.h"

namespace {

constexpr std::array<std::string_view, 5> kFiles = {"OKRSKY.RCD", "PSRZVO.RCD", "PSRVOK.RCD", "STRANY.RCD",
                                                    "KANDIDAT.RCD"};

// The municipalities and precincts of the demo installation, an ordinary
// one and the special precincts abroad, and a code that is in no register.
struct Precinct {
    std::string_view kodObce;
    std::int32_t okrsek;
};
constexpr std::array<Precinct, 4> kPrecincts = {{{"532053", 1}, {"554782", 7}, {"999997", 90}, {"000000", 0}}};

template <class Answer>
void sameAnswer(Answer direct, Answer snapshot, const char* lookup) {
    if (direct != snapshot) talmorek::fuzz::fail("the snapshot answers another than the register", lookup);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace talmorek;
    if (size == 0) return 0;
    const data::Directories& dirs = fuzz::demoInstallation();
    const std::string_view file = kFiles[data[0] % kFiles.size()];
    fuzz::putFile(dirs.program, file, fuzz::bytesOf(data + 1, size - 1));

    const data::Registers registers(dirs.program);
    fuzz::refusingOnlyByDataError([&] { (void)registers.NactiStrany(); });
    fuzz::refusingOnlyByDataError([&] { (void)registers.NactiKandidaty(); });
    for (const Precinct& p : kPrecincts) {
        // A lookup either answers or refuses; where it answers directly,
        // the snapshot must answer the same.
        data::RegisterSnapshot snapshot(registers);
        fuzz::refusingOnlyByDataError([&] {
            const bool direct = registers.JeObec(p.kodObce);
            sameAnswer(direct, snapshot.JeObec(p.kodObce), "JeObec");
        });
        fuzz::refusingOnlyByDataError([&] {
            data::TOkrsky a, b;
            const bool direct = registers.NajdiOkrsek(p.kodObce, p.okrsek, a);
            sameAnswer(direct, snapshot.NajdiOkrsek(p.kodObce, p.okrsek, b), "NajdiOkrsek");
        });
        fuzz::refusingOnlyByDataError([&] {
            data::TOkrsky a, b;
            const bool direct = registers.NajdiZvlastniOkrsek(p.kodObce, p.okrsek, a);
            sameAnswer(direct, snapshot.NajdiZvlastniOkrsek(p.kodObce, p.okrsek, b), "NajdiZvlastniOkrsek");
        });
        fuzz::refusingOnlyByDataError([&] {
            const std::int32_t direct = registers.PocetVolicu(p.kodObce, p.okrsek);
            sameAnswer(direct, snapshot.PocetVolicu(p.kodObce, p.okrsek), "PocetVolicu");
        });
    }
    for (std::int32_t party : {1, 7, 22, 0, -1}) {
        data::RegisterSnapshot snapshot(registers);
        fuzz::refusingOnlyByDataError([&] {
            const std::int32_t direct = registers.PocetKandidatuStrany(party);
            sameAnswer(direct, snapshot.PocetKandidatuStrany(party), "PocetKandidatuStrany");
        });
    }
    return 0;
}
