#pragma once
// Blowfish, the 64-bit block cipher that protects a precinct's package, and
// the 8-bit cipher-feedback mode in which the package is encrypted.
//
// The receiving office decrypts with its own implementation, so nothing here
// may deviate from the published algorithm: 16 rounds, the standard key
// schedule, and blocks read as two big-endian 32-bit halves (the first byte of
// a block is the most significant byte of the left half).
//
// Key material is wiped from memory when a cipher object is destroyed, so a
// package key does not linger in freed memory after the operation ends.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "export/blowfish_tables.h"

namespace talmorek::exporting {

class Blowfish {
public:
    using Block = std::array<std::uint8_t, 8>;

    static constexpr std::size_t kMinKeyLength = 1;
    static constexpr std::size_t kMaxKeyLength = 56;

    // Runs the key schedule; std::invalid_argument when the key is not 1 to
    // 56 bytes long. The key is taken as raw bytes.
    explicit Blowfish(std::string_view key);
    ~Blowfish();
    Blowfish(const Blowfish&) = delete;
    Blowfish& operator=(const Blowfish&) = delete;

    Block encryptBlock(const Block& plain) const;
    Block decryptBlock(const Block& cipher) const;

    // The same on the two halves of a block.
    void encrypt(std::uint32_t& left, std::uint32_t& right) const;
    void decrypt(std::uint32_t& left, std::uint32_t& right) const;

private:
    std::uint32_t f(std::uint32_t x) const;

    std::array<std::uint32_t, kBlowfishSubkeys> p_;
    std::array<std::array<std::uint32_t, 256>, 4> s_;
};

// Cipher feedback with 8-bit feedback over a 64-bit shift register. Each byte
// is XORed with the first byte of the encrypted register, and the cipher-text
// byte is then shifted into the register from the right. The register carries
// over from call to call, so a stream may be fed in slices of any size and
// gives the same bytes as when fed whole. Decryption also runs the block
// cipher forwards, which is why no Blowfish decryption is involved.
class BlowfishCfb8 {
public:
    // The register starts as `iv`; packages always use eight zero bytes.
    explicit BlowfishCfb8(std::string_view key, const Blowfish::Block& iv = {});
    ~BlowfishCfb8();
    BlowfishCfb8(const BlowfishCfb8&) = delete;
    BlowfishCfb8& operator=(const BlowfishCfb8&) = delete;

    // Both work in place and advance the register by one byte per byte.
    void encrypt(std::span<char> bytes);
    void decrypt(std::span<char> bytes);

private:
    std::uint8_t keystreamByte() const;
    void shiftIn(std::uint8_t cipherByte);

    Blowfish cipher_;
    Blowfish::Block register_;
};

}  // namespace talmorek::exporting
