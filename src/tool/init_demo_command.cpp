#include <ostream>

#include "core/data/directories.h"
#include "tool/command_support.h"
#include "tool/commands.h"
#include "tool/demo_installation.h"

namespace talmorek::tool {

int runInitDemo(const Args& args, std::ostream& out, std::ostream& err) {
    const auto parsed = demoArguments(args, "Použití: talmorek-tool init-demo DIR [--multi]\n", err);
    if (!parsed) return kExitFailure;
    const auto& [dir, slashed, multi] = *parsed;
    // Never overwrite an installation that may hold a commission's work.
    if (data::hasFileIgnoringCase(slashed, "OKRSKY.RCD") || data::hasFileIgnoringCase(slashed, "STANICE.RCD")) {
        err << "Adresář " << dir << " již obsahuje instalaci; ukázková instalace se zakládá do prázdného adresáře.\n";
        return kExitFailure;
    }
    try {
        writeDemoInstallation(slashed, multi);
    } catch (const std::exception& e) {
        return reportFailure(e, err);
    }
    out << "Ukázková " << (multi ? "víceokrsková" : "jednookrsková") << " instalace založena v " << slashed << "\n";
    return kExitOk;
}

}  // namespace talmorek::tool
