// Writing and reading the data file of a precinct with 22 parties, each
// beside its floor: the save (package made, written to a temporary file,
// flushed, renamed, the directory flushed) and the read back, beside the same
// bytes written and synced the same way with plain POSIX calls and read back;
// the package made and read in memory, beside zlib and one Blowfish block
// per byte in each direction.

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <fcntl.h>
#include <unistd.h>

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

// The floor of the save and read back: the package's bytes (made once)
// written to a temporary file, fsync'ed, renamed over the target, the
// directory fsync'ed, then the file read whole.
void BM_DataFileWriteAndReadFloor(benchmark::State& state) {
    const std::string package = exporting::makePackage(exporting::resultsLine(fullRecord()));
    const std::string dir = benchDir();
    const std::string target = dir + "EP532053.00001";
    const std::string temp = target + ".floor~";
    std::string back(package.size(), '\0');
    for (auto _ : state) {
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
        const bool ok = fd >= 0 && dirFd >= 0 &&
                        ::write(fd, package.data(), package.size()) == static_cast<ssize_t>(package.size()) &&
                        ::fsync(fd) == 0 && ::close(fd) == 0 && ::rename(temp.c_str(), target.c_str()) == 0 &&
                        ::fsync(dirFd) == 0 && ::close(dirFd) == 0;
        const int in = ok ? ::open(target.c_str(), O_RDONLY) : -1;
        const bool read = in >= 0 && ::read(in, back.data(), back.size()) == static_cast<ssize_t>(back.size());
        if (in >= 0) ::close(in);
        if (!ok) {
            if (fd >= 0) ::close(fd);
            if (dirFd >= 0) ::close(dirFd);
        }
        if (!ok || !read) {
            state.SkipWithError("the floor's file could not be written and read");
            break;
        }
        benchmark::DoNotOptimize(back);
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_DataFileWriteAndReadFloor);

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

// Its floor: the line deflated and one Blowfish block per byte, then one
// block per byte and the inflate back.
void BM_DataFileInMemoryFloor(benchmark::State& state) {
    const std::string line = exporting::resultsLine(fullRecord());
    const exporting::Blowfish cipher(exporting::kPackageKey);
    std::string compressed(compressBound(static_cast<uLong>(line.size())), '\0');
    std::string plain(line.size(), '\0');
    for (auto _ : state) {
        uLongf size = static_cast<uLongf>(compressed.size());
        compress2(reinterpret_cast<Bytef*>(compressed.data()), &size, reinterpret_cast<const Bytef*>(line.data()),
                  static_cast<uLong>(line.size()), Z_DEFAULT_COMPRESSION);
        exporting::Blowfish::Block block{};
        for (uLongf i = 0; i < 2 * size; ++i) block = cipher.encryptBlock(block);
        uLongf plainSize = static_cast<uLongf>(plain.size());
        uncompress(reinterpret_cast<Bytef*>(plain.data()), &plainSize,
                   reinterpret_cast<const Bytef*>(compressed.data()), size);
        benchmark::DoNotOptimize(block);
        benchmark::DoNotOptimize(plain);
    }
}
BENCHMARK(BM_DataFileInMemoryFloor);

}  // namespace
