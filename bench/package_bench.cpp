// What writing and reading a precinct's package costs, next to a floor made of
// the work no implementation can avoid: compressing the text once and one
// Blowfish block encryption per byte of the result (8-bit cipher feedback
// runs the block cipher once for every byte it encrypts).

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <string>

#include "core/export/blowfish.h"
#include "core/export/package.h"

namespace {

using namespace talmorek::exporting;

// A 4 KB results text: semicolon-separated numbers in CR LF lines.
std::string resultsLine() {
    std::string text;
    for (unsigned i = 0; text.size() < 4096; ++i) {
        text += std::to_string(i * 7919 % 100000) + ';';
        if (i % 16 == 15) text += "\r\n";
    }
    text.resize(4096);
    return text;
}

void BM_MakePackage(benchmark::State& state) {
    const std::string plain = resultsLine();
    for (auto _ : state) benchmark::DoNotOptimize(makePackage(plain));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * plain.size()));
}
BENCHMARK(BM_MakePackage);

void BM_ReadPackage(benchmark::State& state) {
    const std::string plain = resultsLine();
    const std::string package = makePackage(plain);
    for (auto _ : state) benchmark::DoNotOptimize(readPackage(package, "bench"));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * plain.size()));
}
BENCHMARK(BM_ReadPackage);

void BM_FloorCompressAndOneBlockPerByte(benchmark::State& state) {
    const std::string plain = resultsLine();
    const Blowfish cipher(kPackageKey);
    std::string compressed(compressBound(static_cast<uLong>(plain.size())), '\0');
    for (auto _ : state) {
        uLongf size = static_cast<uLongf>(compressed.size());
        compress2(reinterpret_cast<Bytef*>(compressed.data()), &size,
                  reinterpret_cast<const Bytef*>(plain.data()), static_cast<uLong>(plain.size()),
                  Z_DEFAULT_COMPRESSION);
        Blowfish::Block block{};
        for (uLongf i = 0; i < size; ++i) block = cipher.encryptBlock(block);
        benchmark::DoNotOptimize(block);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * plain.size()));
}
BENCHMARK(BM_FloorCompressAndOneBlockPerByte);

// The floor of reading a package: one Blowfish block per byte of the
// compressed text (8-bit cipher feedback decrypts with the block cipher's
// encryption), then the inflate.
void BM_ReadPackageFloor(benchmark::State& state) {
    const std::string plain = resultsLine();
    const Blowfish cipher(kPackageKey);
    std::string compressed(compressBound(static_cast<uLong>(plain.size())), '\0');
    uLongf size = static_cast<uLongf>(compressed.size());
    compress2(reinterpret_cast<Bytef*>(compressed.data()), &size, reinterpret_cast<const Bytef*>(plain.data()),
              static_cast<uLong>(plain.size()), Z_DEFAULT_COMPRESSION);
    std::string back(plain.size(), '\0');
    for (auto _ : state) {
        Blowfish::Block block{};
        for (uLongf i = 0; i < size; ++i) block = cipher.encryptBlock(block);
        uLongf backSize = static_cast<uLongf>(back.size());
        uncompress(reinterpret_cast<Bytef*>(back.data()), &backSize, reinterpret_cast<const Bytef*>(compressed.data()),
                   size);
        benchmark::DoNotOptimize(block);
        benchmark::DoNotOptimize(back);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * plain.size()));
}
BENCHMARK(BM_ReadPackageFloor);

}  // namespace
