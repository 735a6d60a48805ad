#include "core/export/blowfish.h"

#include <nettle/cfb.h>

#include <cstddef>

namespace talmorek::exporting {
namespace {

// Zeroes memory through a volatile pointer: the writes are observable side
// effects, so the compiler cannot drop them as stores to an object that is
// about to die.
void wipe(void* data, std::size_t size) {
    volatile unsigned char* p = static_cast<volatile unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) p[i] = 0;
}

const char* textOf(KeyError::Reason reason) {
    return reason == KeyError::Reason::Length ? "Blowfish: Key must be between 1 and 56 bytes long"
                                              : "Blowfish: Weak key (two entries of an S-box are equal)";
}

// The block cipher in the shape Nettle's modes call it.
void encryptBlocks(const void* context, std::size_t length, std::uint8_t* dst, const std::uint8_t* src) {
    blowfish_encrypt(static_cast<const blowfish_ctx*>(context), length, dst, src);
}

std::uint8_t* bytesOf(std::span<char> bytes) { return reinterpret_cast<std::uint8_t*>(bytes.data()); }

}  // namespace

KeyError::KeyError(Reason reason) : std::invalid_argument(textOf(reason)), reason_(reason) {}

Blowfish::Blowfish(std::string_view key) {
    if (key.size() < kMinKeyLength || key.size() > kMaxKeyLength) throw KeyError(KeyError::Reason::Length);
    // Nettle names 8 bytes as the least, but its key schedule takes the key
    // bytes cyclically for any length from one byte up, as the format does.
    if (blowfish_set_key(&context_, key.size(), reinterpret_cast<const std::uint8_t*>(key.data())) == 0) {
        wipe(&context_, sizeof context_);
        throw KeyError(KeyError::Reason::Weak);
    }
}

Blowfish::~Blowfish() { wipe(&context_, sizeof context_); }

Blowfish::Block Blowfish::encryptBlock(const Block& plain) const {
    Block out;
    blowfish_encrypt(&context_, out.size(), out.data(), plain.data());
    return out;
}

Blowfish::Block Blowfish::decryptBlock(const Block& cipher) const {
    Block out;
    blowfish_decrypt(&context_, out.size(), out.data(), cipher.data());
    return out;
}

BlowfishCfb8::BlowfishCfb8(std::string_view key, const Blowfish::Block& iv) : cipher_(key), register_(iv) {}

BlowfishCfb8::~BlowfishCfb8() { wipe(register_.data(), register_.size()); }

// Nettle keeps the shift register in `register_` between calls, so slices
// continue the stream.
void BlowfishCfb8::encrypt(std::span<char> bytes) {
    cfb8_encrypt(&cipher_.context(), encryptBlocks, register_.size(), register_.data(), bytes.size(), bytesOf(bytes),
                 bytesOf(bytes));
}

void BlowfishCfb8::decrypt(std::span<char> bytes) {
    cfb8_decrypt(&cipher_.context(), encryptBlocks, register_.size(), register_.data(), bytes.size(), bytesOf(bytes),
                 bytesOf(bytes));
}

}  // namespace talmorek::exporting
