// Writing and reading the data file of a precinct with 22 parties, next to
// the floor measured on the same line in the same run: zlib deflate of the
// line plus one Blowfish block encryption per byte of the result.

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <filesystem>
#include <string>

#include "core/export/blowfish.h"
#include "core/export/data_file.h"
#include "core/export/package.h"

namespace {

using namespace talmorek;

record::RecordOfVote fullRecord() {
    record::RecordOfVote r;
    r.T4.RegKod = 3203;
    r.T4.Obec = 532053;
    r.T4.Okrsek = 1;
    r.T4.ZapsOsoby = 1800;
    for (int n = 1; n <= 22; ++n) {
        r.MarkParty(n, true);
        for (int j = 0; j < record::kCandidates; ++j) r.party(n).PrefHlasy[static_cast<std::size_t>(j)] = static_cast<std::uint16_t>((n * 37 + j * 11) % 90);
        r.party(n).PocHlasu = static_cast<std::uint16_t>(100 + n);
    }
    r.TS.Datum = "20211009";
    r.TS.Cas = "143000";
    return r;
}

std::string benchDir() {
    auto dir = std::filesystem::temp_directory_path() / "talmorek-bench-datafile";
    std::filesystem::create_directories(dir);
    return dir.string() + "/";
}

void BM_DataFileWriteAndRead(benchmark::State& state) {
    const record::RecordOfVote record = fullRecord();
    const std::string dir = benchDir();
    for (auto _ : state) {
        exporting::saveResults(record, dir, "532053", 1, exporting::DataLetter::E);
        record::RecordOfVote back;
        benchmark::DoNotOptimize(exporting::NactiData(back, dir, "532053", 1, exporting::DataLetter::E));
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_DataFileWriteAndRead);

void BM_DataFileFloor(benchmark::State& state) {
    const std::string line = exporting::resultsLine(fullRecord());
    const exporting::Blowfish cipher(exporting::kPackageKey);
    std::string compressed(compressBound(static_cast<uLong>(line.size())), '\0');
    for (auto _ : state) {
        uLongf size = static_cast<uLongf>(compressed.size());
        compress2(reinterpret_cast<Bytef*>(compressed.data()), &size, reinterpret_cast<const Bytef*>(line.data()),
                  static_cast<uLong>(line.size()), Z_DEFAULT_COMPRESSION);
        exporting::Blowfish::Block block{};
        for (uLongf i = 0; i < size; ++i) block = cipher.encryptBlock(block);
        benchmark::DoNotOptimize(block);
    }
}
BENCHMARK(BM_DataFileFloor);

}  // namespace

namespace {

// The same work without the disk: the line packed, then unpacked and parsed.
void BM_DataFileInMemory(benchmark::State& state) {
    const record::RecordOfVote record = fullRecord();
    for (auto _ : state) {
        std::string package = exporting::makePackage(exporting::resultsLine(record));
        record::RecordOfVote back;
        exporting::parseResultsLine(exporting::readPackage(package, "bench"), back, "bench");
        benchmark::DoNotOptimize(back.TS.Celkem);
    }
}
BENCHMARK(BM_DataFileInMemory);

}  // namespace
