#include "tool/office_files.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <map>
#include <random>
#include <system_error>

#include "core/checks/catalogue.h"
#include "core/data/decimal.h"
#include "core/data/directories.h"
#include "core/data/errors.h"
#include "core/data/path_text.h"
#include "core/data/file_io.h"
#include "core/data/record_file.h"
#include "core/data/register_layouts.h"
#include "core/data/registers.h"
#include "core/data/station.h"
#include "core/workflow/error_messages.h"

namespace talmorek::tool {
namespace {

namespace fs = std::filesystem;
using namespace talmorek::data;

// The readers open every record file for writing, as the program does; an
// office's medium may be write-protected. So the set is checked in a
// private copy, and a failure found there names the original file.
class Staging {
public:
    Staging() {
        std::random_device random;
        for (int attempt = 0;; ++attempt) {
            dir_ = fs::temp_directory_path() / ("talmorek-sada-" + std::to_string(random()));
            std::error_code ec;
            if (fs::create_directory(dir_, ec)) break;
            if (attempt == 100) throw IoError(utf8Of(dir_), ec.value(), "Cannot create '" + utf8Of(dir_) + "'");
        }
    }
    ~Staging() {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    Staging(const Staging&) = delete;
    Staging& operator=(const Staging&) = delete;

    // Writes `bytes` as `relative` in the copy, remembering `original`.
    std::string put(const std::string& relative, const std::string& bytes, const std::string& original) {
        const fs::path path = dir_ / pathOf(relative);
        fs::create_directories(path.parent_path());
        replaceFileAtomically(utf8Of(path), bytes);
        originals_[utf8Of(path)] = original;
        return utf8Of(path);
    }
    std::string dir(const std::string& relative = {}) const {
        return slashed(utf8Of(relative.empty() ? dir_ : dir_ / pathOf(relative)));
    }
    // Runs `check`, naming the original file in a failure found in the copy.
    template <typename Check>
    void run(Check check) const {
        try {
            check();
        } catch (DataError& e) {
            // The reader may spell the copy's path with other separators
            // (Windows): the paths are compared, not their texts.
            const fs::path failed = pathOf(e.file()).lexically_normal();
            for (const auto& [copy, original] : originals_) {
                if (pathOf(copy).lexically_normal() != failed) continue;
                e.nameOriginal(original);
                break;
            }
            throw;
        }
    }

private:
    fs::path dir_;
    std::map<std::string, std::string> originals_;
};

// Every record of a register whose fields the program converts only when it
// meets them: a damaged one is found now, not on election night.
void checkOkrsky(const std::string& path) {
    auto file = RecordFile::openExisting(path, okrsky::kRecordSize);
    if (file.atEnd()) throw EmptyFileError(path);
    while (!file.atEnd()) {
        const auto at = static_cast<long long>(file.position());
        const TOkrsky o = decodeOkrsky(file.readView());
        toIntStrict(o.OkrsekOd, {path, okrsky::f::OkrsekOd.name, at});
        toIntStrict(o.OkrsekDo, {path, okrsky::f::OkrsekDo.name, at});
    }
    file.close();
}

// The program converts a party's candidate count where it uses it (the
// tally sheet and the checks stop on one that is no number); an office's
// register must hold a count the annex can show for every party.
void checkCandidateCounts(const PartyList& parties) {
    for (int position = 1; position <= parties.length; ++position) {
        const std::string& count = parties.at(position).PocetKandidatu;
        const std::int32_t value =
            toIntStrict(count, {parties.sourceFile, strany::f::PocetKandidatu.name, position - 1});
        if (value < 0 || value > CandidateTable::kCandidates)
            throw FieldValueError(count, std::string(strany::f::PocetKandidatu.name), parties.sourceFile,
                                  position - 1);
    }
}

// Whole records only; `mayBeEmpty` for the special precincts, which a
// region's set without precincts abroad need not list.
void checkRecords(const std::string& path, std::size_t recordSize, bool mayBeEmpty) {
    auto file = RecordFile::openExisting(path, recordSize);
    if (file.atEnd() && !mayBeEmpty) throw EmptyFileError(path);
    while (!file.atEnd()) file.readView();
    file.close();
}

std::vector<std::string> stationSubdirectories(const std::string& sourceDir) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(pathOf(sourceDir), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = utf8Of(it->path().filename());
        if (name.empty() || name[0] == '.' || !it->is_directory(ec)) continue;
        if (hasFileIgnoringCase(slashed(utf8Of(it->path())), "STANICE.RCD")) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string readOriginal(const std::string& dir, std::string_view name, const std::string& sourceDir) {
    if (!hasFileIgnoringCase(dir, name))
        throw OfficeFilesError(workflow::officeFileMissing(sourceDir, std::string(name)));
    return readWholeFile(resolveFile(dir, name));
}

}  // namespace

OfficeFiles readOfficeFiles(const std::string& sourceArg, bool multiStation) {
    const std::string source = slashed(sourceArg);
    std::error_code ec;
    if (fs::exists(pathOf(sourceArg), ec) && !fs::is_directory(pathOf(sourceArg), ec))
        throw OfficeFilesError(workflow::notADirectory(sourceArg));
    if (!fs::is_directory(pathOf(source), ec))
        throw IoError(sourceArg, ec ? ec.value() : ENOENT, "'" + sourceArg + "' is not a directory");

    OfficeFiles files;
    files.multiStation = multiStation;
    files.sourceDirectory = source;
    for (const char* name : kOfficeRegisterNames) files.registers.emplace_back(name, readOriginal(source, name, source));

    const bool topStation = hasFileIgnoringCase(source, "STANICE.RCD");
    const std::vector<std::string> subdirectories = stationSubdirectories(source);
    if (!multiStation) {
        if (!topStation) throw OfficeFilesError(workflow::officeStationsMissing(source, false, !subdirectories.empty()));
        files.stations.push_back({"", readOriginal(source, "STANICE.RCD", source)});
    } else {
        if (subdirectories.empty()) throw OfficeFilesError(workflow::officeStationsMissing(source, true, topStation));
        for (const auto& name : subdirectories)
            files.stations.push_back({name, readOriginal(slashed(source + name), "STANICE.RCD", source)});
    }

    Staging staging;
    std::map<std::string, std::string> staged;
    for (const auto& [name, bytes] : files.registers) staged[name] = staging.put(name, bytes, resolveFile(source, name));
    staging.run([&] {
        checkOkrsky(staged["OKRSKY.RCD"]);
        checkRecords(staged["PSRZVO.RCD"], psrzvo::kRecordSize, true);
        checkRecords(staged["PSRVOK.RCD"], psrvok::kRecordSize, false);
        const Registers registers(staging.dir());
        checkCandidateCounts(registers.NactiStrany());
        checkRecords(staged["KANDIDAT.RCD"], kandidat::kRecordSize, false);
        registers.NactiKandidaty();
        checks::TCisChyb catalogue(staging.dir());
    });
    for (const auto& station : files.stations) {
        const std::string relative = station.directoryName.empty() ? "" : station.directoryName;
        const std::string original = resolveFile(slashed(source + relative), "STANICE.RCD");
        staging.put(relative.empty() ? "STANICE.RCD" : relative + "/STANICE.RCD", station.stanice, original);
        staging.run([&] {
            const TStanice s = NactiStanici(staging.dir(relative));
            const Registers registers(staging.dir());
            TOkrsky found;
            // The special precincts abroad are looked up in PSRZVO.RCD.
            if (!registers.NajdiOkrsek(s.KodObce, s.CisloOkrsku, found)) throw OfficeFilesError(workflow::stationNotInRegisters(original, s.KodObce, s.CisloOkrsku));
        });
    }
    return files;
}

void writeOfficeFiles(const OfficeFiles& files, const std::string& dirArg) {
    const std::string dir = slashed(dirArg);
    fs::create_directories(pathOf(dir));
    for (const auto& [name, bytes] : files.registers) replaceFileAtomically(dir + name, bytes);
    for (const auto& station : files.stations) {
        const std::string stationDir = station.directoryName.empty() ? dir : dir + station.directoryName + "/";
        fs::create_directories(pathOf(stationDir));
        replaceFileAtomically(stationDir + "STANICE.RCD", station.stanice);
    }
}

}  // namespace talmorek::tool
