#include "core/export/export_fingerprint.h"

#include "core/export/sha256.h"

namespace talmorek::exporting {

std::string exportFingerprint(std::string_view fileBytes) {
    const std::string hex = toHex(sha256(fileBytes));
    std::string grouped;
    for (int group = 0; group < 4; ++group) {
        if (group > 0) grouped += ' ';
        grouped += hex.substr(static_cast<std::size_t>(group) * 4, 4);
    }
    return grouped;
}

}  // namespace talmorek::exporting
