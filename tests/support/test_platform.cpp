#include "support/test_platform.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#endif

#include "core/data/path_text.h"
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

FileHeldElsewhere::FileHeldElsewhere([[maybe_unused]] const std::string& path) {
#ifdef _WIN32
    if (_wsopen_s(&descriptor_, data::pathOf(path).c_str(), _O_RDWR | _O_BINARY, _SH_DENYRW, _S_IREAD | _S_IWRITE) != 0)
        descriptor_ = -1;
#endif
}

FileHeldElsewhere::~FileHeldElsewhere() {
#ifdef _WIN32
    if (descriptor_ >= 0) _close(descriptor_);
#endif
}

}  // namespace talmorek::testing
