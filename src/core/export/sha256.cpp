#include "core/export/sha256.h"

#include <nettle/sha2.h>

namespace talmorek::exporting {

Sha256Digest sha256(std::string_view bytes) {
    sha256_ctx context;
    sha256_init(&context);
    sha256_update(&context, bytes.size(), reinterpret_cast<const std::uint8_t*>(bytes.data()));
    Sha256Digest digest{};
    sha256_digest(&context, digest.size(), digest.data());
    return digest;
}

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
