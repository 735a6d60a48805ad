#pragma once
// SHA-256 (FIPS 180-4) of the fingerprint of an exported file, computed by
// the core's cryptographic library (Nettle on Linux, libgcrypt on Windows:
// export/crypto_<library>.cpp), so the program and the tool compute it the
// same way.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace talmorek::exporting {

using Sha256Digest = std::array<std::uint8_t, 32>;

Sha256Digest sha256(std::string_view bytes);

// The digest as 64 lower-case hex digits.
std::string toHex(const Sha256Digest& digest);

}  // namespace talmorek::exporting
