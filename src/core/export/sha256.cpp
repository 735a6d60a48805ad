#include "core/export/sha256.h"

namespace talmorek::exporting {

// sha256() itself is the cryptographic library's, in export/crypto_<library>.cpp.

std::string toHex(const Sha256Digest& digest) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(64);
    for (std::uint8_t byte : digest) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0xf];
    }
    return hex;
}

}  // namespace talmorek::exporting
