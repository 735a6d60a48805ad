#include "core/data/directories.h"

#include <algorithm>
#include <cctype>

#include "core/data/file_system.h"

namespace talmorek::data {
namespace {

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::optional<std::string> findIgnoringCase(const std::string& dir, std::string_view name) {
    FileSystem& fs = systemFileSystem();
    // The exact name first; where the file system itself ignores letter
    // case, the name it answers with is the one the directory holds.
    if (const std::optional<std::string> stored = fs.storedName(dir + std::string(name))) return dir + *stored;
    for (const std::string& entry : fs.filesIn(dir)) {
        if (equalIgnoringCase(entry, name)) return dir + entry;
    }
    return std::nullopt;
}

}  // namespace

std::string programDirectoryOf(std::string_view executablePath, char separator) {
    auto cut = executablePath.rfind(separator);
    if (cut == std::string_view::npos) return {};
    return std::string(executablePath.substr(0, cut + 1));
}

std::string startedExecutablePath(std::string_view argv0, std::string_view workingDir, std::string_view resolved) {
    if (argv0.find('/') == std::string_view::npos) return std::string(resolved);
    if (argv0.front() == '/' || workingDir.empty()) return std::string(argv0);
    std::string started(workingDir);
    if (started.back() != '/') started += '/';
    // "./talmorek" from the station directory: the station, without "./".
    while (argv0.substr(0, 2) == "./") argv0.remove_prefix(2);
    return started + std::string(argv0);
}

std::optional<Directories> chooseDirectories(std::string_view executablePath,
                                             const std::vector<std::string>& arguments,
                                             const std::function<bool(const std::string&)>& hasStationFile,
                                             char separator) {
    Directories d;
    d.program = programDirectoryOf(executablePath, separator);
    d.data = d.program + "data" + separator;
    d.station = d.program;
    if (hasStationFile(d.program)) return d;
    if (arguments.size() != 1) return std::nullopt;
    d.station = d.program + "data" + separator + arguments[0] + separator;
    d.data = d.station;
    d.multiStation = true;
    return d;
}

std::string resolveFile(const std::string& dir, std::string_view name) {
    auto found = findIgnoringCase(dir, name);
    return found ? *found : dir + std::string(name);
}

bool hasFileIgnoringCase(const std::string& dir, std::string_view name) {
    return findIgnoringCase(dir, name).has_value();
}

}  // namespace talmorek::data
