#include "tool/station_layout.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "core/data/directories.h"
#include "core/data/errors.h"
#include "core/data/file_io.h"
#include "core/data/station.h"
#include "core/data/working_files.h"
#include "core/workflow/error_messages.h"

namespace talmorek::tool {
namespace {

namespace fs = std::filesystem;
using namespace talmorek::data;

std::string slashed(const std::string& dir) { return dir.empty() || dir.back() == '/' ? dir : dir + "/"; }

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

std::vector<fs::path> entriesOf(const std::string& dir) {
    std::vector<fs::path> entries;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) entries.push_back(it->path());
    std::sort(entries.begin(), entries.end());
    return entries;
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
        const std::string name = upper(entry.filename().string());
        std::error_code ec;
        if (!fs::is_regular_file(entry, ec)) continue;
        const bool dataFile = name.size() == 13 && (name[0] == 'E' || name[0] == 'O') && name[1] == 'P';
        if (dataFile) return "soubor dat okrsku " + shownAs + entry.filename().string();
        if (name.rfind("ZURNAL.", 0) == 0) return "záznam rozepsaných údajů " + shownAs + entry.filename().string();
    }
    if (hasFileIgnoringCase(dir, "HLASO.RCD")) {
        const std::string bytes = readWholeFile(resolveFile(dir, "HLASO.RCD"));
        const std::string empty = encodeHlasovani(Hlasovani{});
        if (bytes.substr(0, empty.size()) != empty) return "průběh hlasování v " + shownAs + "HLASO.RCD";
    }
    if (hasFileIgnoringCase(dir, "KOMISE.RCD") && fs::file_size(resolveFile(dir, "KOMISE.RCD")) > 0)
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
    fs::remove(temporary, ec);
    fs::create_symlink(program, temporary);
    fs::rename(temporary, link);
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
        const std::string name = entry.filename().string();
        if (auto work = workInStationOrData(slashed(entry.string()), "data/" + name + "/")) return work;
    }
    for (const fs::path& entry : entriesOf(dir + "Export")) {
        std::error_code ec;
        if (fs::is_regular_file(entry, ec)) return "export Export/" + entry.filename().string();
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
           "Exec=" + exec + "\n"
           "Path=" + stringValue(workingDirectory) + "\n"
           "Icon=talmorek\n"
           "Terminal=false\n"
           "Categories=Office;\n"
           "StartupWMClass=talmorek\n";
}

StationLayout layOutStation(const OfficeFiles& files, const std::string& dirArg, const StationLayoutOptions& options) {
    const std::string dir = slashed(fs::absolute(dirArg).lexically_normal().string());
    if (auto work = commissionWorkIn(dir)) throw OfficeFilesError(workflow::stationHoldsWork(dir, *work));

    StationLayout layout;
    layout.dir = dir;
    fs::create_directories(dir + "data");
    fs::create_directories(dir + "Export");
    for (const auto& [name, bytes] : files.registers) replaceFileAtomically(resolveFile(dir, name), bytes);
    // A STANICE.RCD beside the program makes a single-station installation
    // whatever data/ holds: a multi-station layout must not keep one.
    if (files.multiStation && hasFileIgnoringCase(dir, "STANICE.RCD")) fs::remove(resolveFile(dir, "STANICE.RCD"));

    if (!options.program.empty()) {
        layout.programLink = dir + "talmorek";
        linkProgram(options.program, layout.programLink);
    }
    for (const auto& office : files.stations) {
        LaidOutStation station;
        station.directoryName = office.directoryName;
        station.stationDir = office.directoryName.empty() ? dir : dir + "data/" + office.directoryName + "/";
        const std::string dataDir = office.directoryName.empty() ? dir + "data/" : station.stationDir;
        fs::create_directories(station.stationDir);
        replaceFileAtomically(resolveFile(station.stationDir, "STANICE.RCD"), office.stanice);
        // Empty working files: the entry window reads them at its first opening.
        if (!hasFileIgnoringCase(dataDir, "HLASO.RCD")) ZapisHlasovani(dataDir, Hlasovani{});
        if (!hasFileIgnoringCase(dataDir, "KOMISE.RCD")) ZapisKomisi(dataDir, {});

        const TStanice s = decodeStanice(office.stanice.substr(0, stanice::kRecordSize));
        station.kodObce = s.KodObce;
        station.nazevObce = s.NazevObce;
        station.cisloOkrsku = s.CisloOkrsku;
        if (!layout.programLink.empty()) {
            const std::string text =
                stationDesktopEntry(layout.programLink, office.directoryName, entryName(s), dir);
            const std::string own =
                dir + (office.directoryName.empty() ? "talmorek.desktop" : "talmorek-" + office.directoryName + ".desktop");
            replaceFileAtomically(own, text);
            // A launcher in a file manager runs only when it may be executed.
            fs::permissions(own, fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                            fs::perm_options::add);
            station.launcher = own;
            if (!options.menuDirectory.empty()) {
                fs::create_directories(options.menuDirectory);
                const std::string menu = slashed(options.menuDirectory) + "talmorek-" + s.KodObce + "-" +
                                         precinctFiveDigits(s.CisloOkrsku) + ".desktop";
                replaceFileAtomically(menu, text);
                station.menuEntry = menu;
            }
        }
        layout.stations.push_back(std::move(station));
    }
    return layout;
}

}  // namespace talmorek::tool
