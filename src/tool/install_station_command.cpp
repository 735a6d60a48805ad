#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <system_error>

#include "core/data/directories.h"
#include "core/data/path_text.h"
#include "core/platform/process.h"
#include "core/data/station.h"
#include "tool/command_support.h"
#include "tool/commands.h"
#include "tool/demo_installation.h"
#include "tool/office_files.h"
#include "tool/station_layout.h"

namespace talmorek::tool {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage =
    "Použití: talmorek-tool install-station SOURCE DIR [--multi] [--program PATH] [--menu MENU | --no-menu]\n";

// The installed program beside this tool (the package puts them together).
std::string programBesideTool() {
    const std::string self = platform::executablePath();
    if (self.empty()) return {};
    const fs::path program = data::pathOf(self).parent_path() / "talmorek";
    std::error_code ec;
    return fs::is_regular_file(program, ec) ? data::utf8Of(program) : std::string();
}

// The user's menu of programs, as desktops read it.
std::string userMenuDirectory() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) return std::string(data) + "/applications";
    if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.local/share/applications";
    return {};
}

void report(const StationLayout& layout, const OfficeFiles& files, std::ostream& out) {
    out << "Stanice založena v " << layout.dir << " ("
        << (files.multiStation ? "víceokrsková" : "jednookrsková") << " instalace):\n";
    out << "  registry a číselník:";
    for (const auto& [name, bytes] : files.registers) out << " " << name;
    out << "\n";
    for (const auto& station : layout.stations) {
        out << "  okrsek " << station.cisloOkrsku << ", obec " << station.kodObce << " " << station.nazevObce;
        if (!station.directoryName.empty()) out << " (spouští se s argumentem " << station.directoryName << ")";
        out << ": " << station.stationDir << "\n";
        if (!station.launcher.empty()) out << "    spouštěč: " << station.launcher << "\n";
        if (!station.menuEntry.empty()) out << "    v nabídce programů: " << station.menuEntry << "\n";
    }
    out << "  data: " << layout.dir << "data/, export na pevný disk: " << layout.dir << "Export/\n";
    if (!layout.programLink.empty()) {
        out << "  program: " << layout.programLink << " -> " << data::utf8Of(fs::read_symlink(data::pathOf(layout.programLink)))
            << "\n";
    } else {
        out << "  program: talmorek nebyl vedle nástroje nalezen; zadejte --program PATH, nebo program "
               "zkopírujte do "
            << layout.dir << "\n";
    }
}

}  // namespace

int runInstallStation(const Args& args, std::ostream& out, std::ostream& err) {
    std::vector<std::string> positional;
    bool multi = false, menu = true;
    std::string program, menuDirectory;
    bool programGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--multi") {
            multi = true;
        } else if (a == "--no-menu") {
            menu = false;
        } else if (a == "--menu" && i + 1 < args.size()) {
            menuDirectory = args[++i];
        } else if (a == "--program" && i + 1 < args.size()) {
            program = args[++i];
            programGiven = true;
        } else if (!a.empty() && a[0] != '-') {
            positional.push_back(a);
        } else {
            err << kUsage;
            return kExitFailure;
        }
    }
    if (positional.size() != 2) {
        err << kUsage;
        return kExitFailure;
    }
    StationLayoutOptions options;
    if (programGiven) {
        std::error_code ec;
        if (!fs::is_regular_file(data::pathOf(program), ec)) {
            err << "Program " << program << " neexistuje.\n";
            return kExitFailure;
        }
        program = data::utf8Of(fs::absolute(data::pathOf(program)).lexically_normal());
    } else {
        program = programBesideTool();
    }
    options.program = program;
    if (menu && !program.empty()) options.menuDirectory = menuDirectory.empty() ? userMenuDirectory() : menuDirectory;
    try {
        const OfficeFiles files = readOfficeFiles(positional[0], multi);
        report(layOutStation(files, positional[1], options), files, out);
    } catch (const OfficeFilesError& e) {
        err << e.what() << "\n";
        return kExitFailure;
    } catch (const fs::filesystem_error& e) {
        err << "Stanici se nepodařilo založit: " << data::utf8Of(e.path1()) << ": " << workflow::osReason(e.code().value())
            << "\n";
        return kExitFailure;
    } catch (const std::exception& e) {
        return reportFailure(e, err);
    }
    return kExitOk;
}

int runDemoOffice(const Args& args, std::ostream& out, std::ostream& err) {
    const auto parsed = demoArguments(args, "Použití: talmorek-tool demo-office DIR [--multi]\n", err);
    if (!parsed) return kExitFailure;
    const auto& [dir, slashed, multi] = *parsed;
    if (data::hasFileIgnoringCase(slashed, "OKRSKY.RCD")) {
        err << "Adresář " << dir << " již obsahuje sadu souborů; ukázková sada se zakládá do prázdného adresáře.\n";
        return kExitFailure;
    }
    try {
        writeOfficeFiles(demoOfficeFiles(multi), slashed);
    } catch (const fs::filesystem_error& e) {
        err << "Sadu souborů se nepodařilo zapsat: " << data::utf8Of(e.path1()) << ": "
            << workflow::osReason(e.code().value()) << "\n";
        return kExitFailure;
    } catch (const std::exception& e) {
        return reportFailure(e, err);
    }
    out << "Ukázková sada souborů volebního úřadu (" << (multi ? "víceokrsková" : "jednookrsková") << ") zapsána do "
        << slashed << "\n";
    return kExitOk;
}

}  // namespace talmorek::tool
