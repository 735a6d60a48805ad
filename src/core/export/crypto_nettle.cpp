// The cipher and the hash from Nettle (the Linux build): Blowfish with its
// 8-bit cipher feedback, and SHA-256.
#include <nettle/blowfish.h>
#include <nettle/cfb.h>
#include <nettle/sha2.h>

#include "core/export/blowfish.h"
#include "core/export/crypto_backend.h"
#include "core/export/sha256.h"

namespace talmorek::exporting {

struct Blowfish::Schedule {
    blowfish_ctx context;
    ~Schedule() { wipe(&context, sizeof context); }
};

struct BlowfishCfb8::Stream {
    explicit Stream(std::string_view key, const Blowfish::Block& iv) : cipher(key), shiftRegister(iv) {}
    ~Stream() { wipe(shiftRegister.data(), shiftRegister.size()); }
    Blowfish cipher;
    Blowfish::Block shiftRegister;
};

namespace {

static_assert(Blowfish::kMaxKeyLength == BLOWFISH_MAX_KEY_SIZE);

// The block cipher in the shape Nettle's modes call it.
void encryptBlocks(const void* context, std::size_t length, std::uint8_t* dst, const std::uint8_t* src) {
    blowfish_encrypt(static_cast<const blowfish_ctx*>(context), length, dst, src);
}

std::uint8_t* bytesOf(std::span<char> bytes) { return reinterpret_cast<std::uint8_t*>(bytes.data()); }

}  // namespace

Blowfish::Blowfish(std::string_view key) : schedule_(std::make_unique<Schedule>()) {
    refuseKeyLength(key);
    // Nettle names 8 bytes as the least, but its key schedule takes the key
    // bytes cyclically for any length from one byte up, as the format does.
    if (blowfish_set_key(&schedule_->context, key.size(), reinterpret_cast<const std::uint8_t*>(key.data())) == 0)
        throw KeyError(KeyError::Reason::Weak);
}

Blowfish::~Blowfish() = default;

Blowfish::Block Blowfish::encryptBlock(const Block& plain) const {
    Block out;
    blowfish_encrypt(&schedule_->context, out.size(), out.data(), plain.data());
    return out;
}

Blowfish::Block Blowfish::decryptBlock(const Block& cipher) const {
    Block out;
    blowfish_decrypt(&schedule_->context, out.size(), out.data(), cipher.data());
    return out;
}

BlowfishCfb8::BlowfishCfb8(std::string_view key, const Blowfish::Block& iv)
    : stream_(std::make_unique<Stream>(key, iv)) {}

BlowfishCfb8::~BlowfishCfb8() = default;

// Nettle keeps the shift register in `shiftRegister` between calls, so
// slices continue the stream.
void BlowfishCfb8::encrypt(std::span<char> bytes) {
    Stream& s = *stream_;
    cfb8_encrypt(&s.cipher.schedule().context, encryptBlocks, s.shiftRegister.size(), s.shiftRegister.data(),
                 bytes.size(), bytesOf(bytes), bytesOf(bytes));
}

void BlowfishCfb8::decrypt(std::span<char> bytes) {
    Stream& s = *stream_;
    cfb8_decrypt(&s.cipher.schedule().context, encryptBlocks, s.shiftRegister.size(), s.shiftRegister.data(),
                 bytes.size(), bytesOf(bytes), bytesOf(bytes));
}

Sha256Digest sha256(std::string_view bytes) {
    sha256_ctx context;
    sha256_init(&context);
    sha256_update(&context, bytes.size(), reinterpret_cast<const std::uint8_t*>(bytes.data()));
    Sha256Digest digest{};
    sha256_digest(&context, digest.size(), digest.data());
    return digest;
}

}  // namespace talmorek::exporting
