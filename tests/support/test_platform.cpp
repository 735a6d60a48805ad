#include "support/test_platform.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "support/temp_dir.h"

namespace talmorek::testing {

bool filePermissionsBind() {
    static const bool bind = [] {
        const TempDir dir;
        dir.write("read-only", "x");
        std::filesystem::permissions(dir.file("read-only"), std::filesystem::perms::owner_read,
                                     std::filesystem::perm_options::replace);
        const bool opened = std::ofstream(dir.file("read-only"), std::ios::binary | std::ios::app).is_open();
        std::error_code ec;
        std::filesystem::permissions(dir.file("read-only"), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::replace, ec);
        return !opened;
    }();
    return bind;
}

bool symbolicLinksCanBeMade() {
    static const bool made = [] {
        const TempDir dir;
        dir.write("target", "x");
        std::error_code ec;
        std::filesystem::create_symlink(dir.file("target"), dir.file("link"), ec);
        return !ec;
    }();
    return made;
}

bool letterCaseTellsFilesApart() {
    static const bool apart = [] {
        const TempDir dir;
        dir.write("case", "x");
        return !dir.exists("CASE");
    }();
    return apart;
}

bool backslashSeparatesDirectories() { return std::filesystem::path::preferred_separator == '\\'; }

}  // namespace talmorek::testing
