#pragma once
// Blowfish, the 64-bit block cipher that protects a precinct's package, and
// the 8-bit cipher-feedback mode in which the package is encrypted.
//
// The receiving office decrypts with its own implementation, so nothing here
// may deviate from the published algorithm: 16 rounds, the standard key
// schedule, and blocks read as two big-endian 32-bit halves (the first byte of
// a block is the most significant byte of the left half). The block cipher
// and the feedback come from a cryptographic library whose Blowfish is
// exactly that: Nettle on Linux, libgcrypt on Windows (one backend source
// each, export/crypto_<library>.cpp, chosen by the build). What is ours is
// which keys are taken; the library's own types stay in its backend.
//
// Key material is wiped from memory when a cipher object is destroyed, so a
// package key does not linger in freed memory after the operation ends.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string_view>

namespace talmorek::exporting {

// A key the cipher does not take. Either it is not 1 to 56 bytes long, or it
// is weak: its key schedule leaves two equal entries in one S-box, which
// weakens the cipher, and both libraries refuse to set it up. A weak key is rare
// (about one in thirty thousand), but one given from outside is refused
// rather than used. The English text is the cipher's own; the command level
// words it in Czech from `reason()`.
class KeyError : public std::invalid_argument {
public:
    enum class Reason { Length, Weak };
    explicit KeyError(Reason reason);
    Reason reason() const noexcept { return reason_; }

private:
    Reason reason_;
};

class Blowfish {
public:
    using Block = std::array<std::uint8_t, 8>;

    static constexpr std::size_t kMinKeyLength = 1;
    static constexpr std::size_t kMaxKeyLength = 56;

    // Runs the key schedule on the key's raw bytes; KeyError when the key is
    // not 1 to 56 bytes long or is weak.
    explicit Blowfish(std::string_view key);
    ~Blowfish();
    Blowfish(const Blowfish&) = delete;
    Blowfish& operator=(const Blowfish&) = delete;

    Block encryptBlock(const Block& plain) const;
    Block decryptBlock(const Block& cipher) const;

    // The key schedule as the library keeps it; only its backend knows
    // what it holds.
    struct Schedule;
    const Schedule& schedule() const noexcept { return *schedule_; }

private:
    std::unique_ptr<Schedule> schedule_;
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
    // KeyError as for Blowfish.
    explicit BlowfishCfb8(std::string_view key, const Blowfish::Block& iv = {});
    ~BlowfishCfb8();
    BlowfishCfb8(const BlowfishCfb8&) = delete;
    BlowfishCfb8& operator=(const BlowfishCfb8&) = delete;

    // Both work in place and advance the register by one byte per byte.
    void encrypt(std::span<char> bytes);
    void decrypt(std::span<char> bytes);

    // The key schedule and the register as the library keeps them; only
    // its backend knows what it holds.
    struct Stream;

private:
    std::unique_ptr<Stream> stream_;
};

}  // namespace talmorek::exporting
