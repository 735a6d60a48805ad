#include "tool/station_layout.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <stdexcept>
#include <sstream>
#include <system_error>

#include "core/data/directories.h"
#include "core/data/errors.h"
#include "core/data/file_io.h"
#include "core/data/path_text.h"
#include "core/data/station.h"
#include "core/data/working_files.h"
#include "core/workflow/error_messages.h"

namespace talmorek::tool {
namespace {

namespace fs = std::filesystem;
using namespace talmorek::data;

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

// A directory that cannot be listed might hold anything: that is an error,
// not an empty directory. A missing one is empty.
std::vector<fs::path> entriesOf(const std::string& dir) {
    std::vector<fs::path> entries;
    std::error_code ec;
    if (!fs::exists(pathOf(dir), ec) && !ec) return entries;
    fs::directory_iterator it(pathOf(dir), ec), end;
    for (; !ec && it != end; it.increment(ec)) entries.push_back(it->path());
    if (ec) throw IoError(dir, ec.value(), "Cannot list '" + dir + "'");
    std::sort(entries.begin(), entries.end());
    return entries;
}

bool isWorkingFile(const std::string& upperName) {
    return upperName == "HLASO.RCD" || upperName == "KOMISE.RCD" || upperName == "STANICE.RCD";
}

// A station directory (STANICE.RCD) or a data directory (the rest), or both.
std::optional<std::string> workInStationOrData(const std::string& dir, const std::string& shownAs) {
    if (hasFileIgnoringCase(dir, "STANICE.RCD")) {
        const std::string bytes = readWholeFile(resolveFile(dir, "STANICE.RCD"));
        if (bytes.size() >= stanice::kRecordSize) {
            const std::string stav = decodeStanice(bytes.substr(0, stanice::kRecordSize)).Stav;
            if (stav == "A") return "stanice " + shownAs + "STANICE.RCD je vedena jako exportovaná";
            if (stav == "N") return "stanice " + shownAs + "STANICE.RCD má uložená data";
        }
    }
    for (const fs::path& entry : entriesOf(dir)) {
        const std::string shown = shownAs + utf8Of(entry.filename());
        const std::string name = upper(utf8Of(entry.filename()));
        std::error_code ec;
        if (fs::is_directory(entry, ec)) continue;
        // EP<obec>.<okrsek> / OP<obec>.<okrsek>
        const bool dataFile = name.size() == 14 && (name[0] == 'E' || name[0] == 'O') && name[1] == 'P' &&
                              name[8] == '.';
        if (dataFile) return "soubor dat okrsku " + shown;
        if (name.rfind("ZURNAL.", 0) == 0) return "záznam rozepsaných údajů " + shown;
        // Beside the office's files only what a layout writes: anything else
        // (a copy, a set-aside file) may be the only trace of the work.
        if (!shownAs.empty() && !isWorkingFile(name)) return "soubor " + shown;
    }
    if (hasFileIgnoringCase(dir, "HLASO.RCD")) {
        const std::string bytes = readWholeFile(resolveFile(dir, "HLASO.RCD"));
        const std::string empty = encodeHlasovani(Hlasovani{});
        if (bytes.substr(0, empty.size()) != empty) return "průběh hlasování v " + shownAs + "HLASO.RCD";
    }
    if (hasFileIgnoringCase(dir, "KOMISE.RCD") && fs::file_size(pathOf(resolveFile(dir, "KOMISE.RCD"))) > 0)
        return "složení komise v " + shownAs + "KOMISE.RCD";
    return std::nullopt;
}

// The desktop entry's quoting of one argument of Exec (always quoted), then
// the escapes of a string value, which apply first when it is read.
std::string execArgument(const std::string& argument) {
    std::string quoted = "\"";
    for (char c : argument) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            throw std::invalid_argument("a control character cannot be passed in a desktop entry: " + argument);
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        if (c == '%') quoted += '%';
        quoted += c;
    }
    quoted += '"';
    std::string value;
    for (char c : quoted) {
        if (c == '\\') value += '\\';
        value += c;
    }
    return value;
}

std::string stringValue(const std::string& text) {
    std::string value;
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            throw std::invalid_argument("a control character cannot be stored in a desktop entry: " + text);
        if (c == '\\') value += '\\';
        value += c;
    }
    return value;
}

void linkProgram(const std::string& program, const std::string& link) {
    const std::string temporary = link + ".novy";
    std::error_code ec;
    fs::remove(pathOf(temporary), ec);
    fs::create_symlink(pathOf(program), pathOf(temporary), ec);
    if (!ec) fs::rename(pathOf(temporary), pathOf(link), ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(pathOf(temporary), ignored);
        throw fs::filesystem_error("cannot link the program", pathOf(link), ec);
    }
}

std::string entryName(const TStanice& station) {
    return std::string("Talmorek – ") + (isSpecialPrecinct(station) ? "zvláštní okrsek " : "okrsek ") +
           std::to_string(station.CisloOkrsku) + ", " + station.NazevObce;
}

}  // namespace

std::optional<std::string> commissionWorkIn(const std::string& dirArg) {
    const std::string dir = slashed(dirArg);
    if (auto work = workInStationOrData(dir, "")) return work;
    const std::string dataDir = dir + "data/";
    if (auto work = workInStationOrData(dataDir, "data/")) return work;
    for (const fs::path& entry : entriesOf(dataDir)) {
        std::error_code ec;
        if (!fs::is_directory(entry, ec)) continue;
        const std::string name = utf8Of(entry.filename());
        if (auto work = workInStationOrData(slashed(utf8Of(entry)), "data/" + name + "/")) return work;
    }
    for (const fs::path& entry : entriesOf(dir + "Export")) {
        std::error_code ec;
        if (fs::is_regular_file(entry, ec)) return "export Export/" + utf8Of(entry.filename());
    }
    return std::nullopt;
}

std::string stationDesktopEntry(const std::string& program, const std::string& argument, const std::string& name,
                                const std::string& workingDirectory) {
    std::string exec = execArgument(program);
    if (!argument.empty()) exec += " " + execArgument(argument);
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Version=1.0\n"
           "Name=" + stringValue(name) + "\n"
           "Comment=Zápis o průběhu a výsledku hlasování ve volbách do Poslanecké sněmovny\n"
           "TryExec=" + stringValue(program) + "\n"
           "Exec=" + exec + "\n"
           "Path=" + stringValue(workingDirectory) + "\n"
           "Icon=talmorek\n"
           "Terminal=false\n"
           "Categories=Office;\n"
           "StartupWMClass=talmorek\n";
}

namespace {

// Whether `inner` is `outer` or lies below it: by the letters of the
// paths, and by the directories themselves, since on Windows "SADA" and
// "sada" are one directory, and a second mount names one in another way.
bool inside(const fs::path& inner, const fs::path& outer) {
    bool byLetters = true;
    auto o = outer.begin();
    auto i = inner.begin();
    for (; o != outer.end(); ++o, ++i) {
        if (o->empty()) continue;  // the trailing separator
        if (i == inner.end() || *i != *o) {
            byLetters = false;
            break;
        }
    }
    if (byLetters) return true;
    std::error_code ec;
    if (!fs::is_directory(outer, ec)) return false;
    for (fs::path p = inner;; p = p.parent_path()) {
        if (fs::exists(p, ec) && fs::equivalent(p, outer, ec)) return true;
        if (!p.has_relative_path()) return false;
    }
}

std::string canonicalOf(const std::string& path) {
    return utf8Of(fs::weakly_canonical(fs::absolute(pathOf(path))).lexically_normal());
}

// The station record as a fresh station has it: the status letter blank, so
// that a record copied from a used or rehearsal station does not read as
// saved or exported.
std::string freshStationRecord(const std::string& office) {
    RecordBytes record = office.substr(0, stanice::kRecordSize);
    TStanice s = decodeStanice(record);
    if (s.Stav.empty() || s.Stav == " ") return office;
    s.Stav = "";
    return encodeStanice(s, record) + office.substr(stanice::kRecordSize);
}

// The Path= of a desktop entry written by a layout, as the desktop reads it.
std::string pathOfEntry(const std::string& file) {
    std::istringstream text(readWholeFile(file));
    for (std::string line; std::getline(text, line);) {
        if (line.rfind("Path=", 0) != 0) continue;
        std::string value;
        for (std::size_t i = 5; i < line.size(); ++i) {
            if (line[i] == '\\' && i + 1 < line.size()) ++i;
            value += line[i];
        }
        return value;
    }
    return {};
}

struct PlannedStation {
    LaidOutStation station;
    std::string dataDir;
    std::string record;
    std::string entryText;
};

}  // namespace

StationLayout layOutStation(const OfficeFiles& files, const std::string& dirArg, const StationLayoutOptions& options) {
    std::error_code ec;
    if (fs::exists(pathOf(dirArg), ec) && !fs::is_directory(pathOf(dirArg), ec))
        throw OfficeFilesError(workflow::notADirectory(dirArg));
    const std::string dir = slashed(utf8Of(fs::absolute(pathOf(dirArg)).lexically_normal()));
    if (!files.sourceDirectory.empty()) {
        const fs::path station = pathOf(canonicalOf(dir)), source = pathOf(canonicalOf(files.sourceDirectory));
        if (inside(station, source) || inside(source, station))
            throw OfficeFilesError(workflow::stationAndOfficeSetOverlap(dir, files.sourceDirectory));
    }
    if (auto work = commissionWorkIn(dir)) throw OfficeFilesError(workflow::stationHoldsWork(dir, *work));

    // Everything that can be refused is refused before the first write.
    StationLayout layout;
    layout.dir = dir;
    if (!options.program.empty()) {
        layout.programLink = dir + "talmorek";
        if (fs::is_directory(fs::symlink_status(pathOf(layout.programLink), ec)))
            throw OfficeFilesError(workflow::programPlaceTaken(layout.programLink));
        if (dir.find('%') != std::string::npos) throw OfficeFilesError(workflow::pathUnfitForLauncher(dir));
    }
    std::vector<PlannedStation> planned;
    for (const auto& office : files.stations) {
        PlannedStation p;
        LaidOutStation& station = p.station;
        station.directoryName = office.directoryName;
        station.stationDir = office.directoryName.empty() ? dir : dir + "data/" + office.directoryName + "/";
        p.dataDir = office.directoryName.empty() ? dir + "data/" : station.stationDir;
        p.record = freshStationRecord(office.stanice);
        const TStanice s = decodeStanice(p.record.substr(0, stanice::kRecordSize));
        station.kodObce = s.KodObce;
        station.nazevObce = s.NazevObce;
        station.cisloOkrsku = s.CisloOkrsku;
        if (!layout.programLink.empty()) {
            try {
                p.entryText = stationDesktopEntry(layout.programLink, office.directoryName, entryName(s), dir);
            } catch (const std::invalid_argument&) {
                throw OfficeFilesError(workflow::pathUnfitForLauncher(station.stationDir));
            }
            if (office.directoryName.find('%') != std::string::npos)
                throw OfficeFilesError(workflow::pathUnfitForLauncher(station.stationDir));
            station.launcher = dir + (office.directoryName.empty() ? "talmorek.desktop"
                                                                   : "talmorek-" + office.directoryName + ".desktop");
            if (!options.menuDirectory.empty()) {
                station.menuEntry = slashed(options.menuDirectory) + "talmorek-" + s.KodObce + "-" +
                                    precinctFiveDigits(s.CisloOkrsku) + ".desktop";
                // The menu has one entry per precinct: it is not taken from a
                // station that holds the commission's work.
                if (fs::exists(pathOf(station.menuEntry), ec)) {
                    const std::string other = pathOfEntry(station.menuEntry);
                    if (!other.empty() && canonicalOf(other) != canonicalOf(dir)) {
                        if (auto work = commissionWorkIn(other))
                            throw OfficeFilesError(workflow::menuEntryOfAnotherStation(station.menuEntry, other, *work));
                    }
                }
            }
        }
        planned.push_back(std::move(p));
    }

    // The link goes first: where none can be made (a FAT medium, Windows)
    // the layout is refused before any of the office's files is written.
    if (!layout.programLink.empty()) {
        const bool dirExisted = fs::exists(pathOf(dir), ec);
        fs::create_directories(pathOf(dir));
        try {
            linkProgram(options.program, layout.programLink);
        } catch (const fs::filesystem_error& e) {
            if (!dirExisted) fs::remove(pathOf(dir), ec);
            throw OfficeFilesError(workflow::programNotLinked(layout.programLink, options.program, e.code().value()));
        }
    }
    fs::create_directories(pathOf(dir + "data"));
    fs::create_directories(pathOf(dir + "Export"));
    for (const auto& [name, bytes] : files.registers) replaceFileAtomically(resolveFile(dir, name), bytes);
    // A STANICE.RCD beside the program makes a single-station installation
    // whatever data/ holds: a multi-station layout must not keep one.
    if (files.multiStation && hasFileIgnoringCase(dir, "STANICE.RCD")) fs::remove(pathOf(resolveFile(dir, "STANICE.RCD")));

    // The launchers of an earlier layout of this directory that this one
    // does not make again would start a station that is gone.
    std::vector<std::string> stale;
    for (const fs::path& entry : entriesOf(dir)) {
        const std::string name = utf8Of(entry.filename());
        if (name.rfind("talmorek", 0) == 0 && entry.extension() == ".desktop") stale.push_back(utf8Of(entry));
    }
    if (!options.menuDirectory.empty()) {
        for (const fs::path& entry : entriesOf(options.menuDirectory)) {
            const std::string name = utf8Of(entry.filename());
            if (name.rfind("talmorek-", 0) != 0 || entry.extension() != ".desktop") continue;
            const std::string other = pathOfEntry(utf8Of(entry));
            if (!other.empty() && canonicalOf(other) == canonicalOf(dir)) stale.push_back(utf8Of(entry));
        }
    }

    for (auto& p : planned) {
        LaidOutStation& station = p.station;
        fs::create_directories(pathOf(station.stationDir));
        replaceFileAtomically(resolveFile(station.stationDir, "STANICE.RCD"), p.record);
        // Empty working files: the entry window reads them at its first opening.
        if (!hasFileIgnoringCase(p.dataDir, "HLASO.RCD")) ZapisHlasovani(p.dataDir, Hlasovani{});
        if (!hasFileIgnoringCase(p.dataDir, "KOMISE.RCD")) ZapisKomisi(p.dataDir, {});
        if (!station.launcher.empty()) {
            replaceFileAtomically(station.launcher, p.entryText);
            // A launcher in a file manager runs only when it may be executed.
            fs::permissions(pathOf(station.launcher), fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                            fs::perm_options::add);
            std::erase(stale, station.launcher);
        }
        if (!station.menuEntry.empty()) {
            fs::create_directories(pathOf(options.menuDirectory));
            replaceFileAtomically(station.menuEntry, p.entryText);
            std::erase(stale, station.menuEntry);
        }
        layout.stations.push_back(std::move(station));
    }
    for (const auto& file : stale) fs::remove(pathOf(file), ec);
    return layout;
}

}  // namespace talmorek::tool
