// What the cipher's backends share: the refusal of a key and the wiping of
// key material. The cipher itself is in export/crypto_<library>.cpp.
#include "core/export/blowfish.h"

#include "core/export/crypto_backend.h"

namespace talmorek::exporting {
namespace {

const char* textOf(KeyError::Reason reason) {
    return reason == KeyError::Reason::Length ? "Blowfish: Key must be between 1 and 56 bytes long"
                                              : "Blowfish: Weak key (two entries of an S-box are equal)";
}

}  // namespace

KeyError::KeyError(Reason reason) : std::invalid_argument(textOf(reason)), reason_(reason) {}

void wipe(void* data, std::size_t size) {
    volatile unsigned char* p = static_cast<volatile unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) p[i] = 0;
}

void refuseKeyLength(std::string_view key) {
    if (key.size() < Blowfish::kMinKeyLength || key.size() > Blowfish::kMaxKeyLength)
        throw KeyError(KeyError::Reason::Length);
}

}  // namespace talmorek::exporting
