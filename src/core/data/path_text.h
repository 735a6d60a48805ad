#pragma once
// Paths are UTF-8 text throughout the program. std::filesystem takes a
// narrow string in the system's own code page, which on Windows is not
// UTF-8 (a "č" in a Windows path would come back as two other letters), so
// every path handed to or taken from std::filesystem goes through these
// two, which say UTF-8 on every system.

#include <filesystem>
#include <string>
#include <string_view>

namespace talmorek::data {

inline std::filesystem::path pathOf(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// A directory's path ready for a file's name to be appended: ending with
// "/", or with the backslash a Windows path may already end with.
inline std::string slashed(const std::string& dir) {
    if (dir.empty() || dir.back() == '/' || (dir.back() == '\\' && std::filesystem::path::preferred_separator == '\\'))
        return dir;
    return dir + "/";
}

}  // namespace talmorek::data
