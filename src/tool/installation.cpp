#include "tool/installation.h"

#include <ostream>

namespace talmorek::tool {

std::optional<data::Directories> installationDirectories(const std::vector<std::string>& positional,
                                                         std::ostream& err) {
    if (positional.empty() || positional.size() > 2) {
        err << "Uveďte adresář instalace a u víceokrskové instalace jméno stanice.\n";
        return std::nullopt;
    }
    std::string dir = positional[0];
    if (dir.empty()) dir = ".";
    if (dir.back() != '/') dir += '/';
    std::vector<std::string> arguments(positional.begin() + 1, positional.end());
    auto dirs = data::chooseDirectories(dir + "talmorek", arguments, [](const std::string& programDir) {
        return data::hasFileIgnoringCase(programDir, "STANICE.RCD");
    });
    if (!dirs) {
        err << "V adresáři " << dir
            << " není STANICE.RCD: u víceokrskové instalace uveďte jméno stanice (adresáře v data/).\n";
        return std::nullopt;
    }
    return dirs;
}

}  // namespace talmorek::tool
