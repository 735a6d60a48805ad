#include "export/blowfish.h"

#include <cstddef>
#include <stdexcept>

namespace talmorek::exporting {
namespace {

// Zeroes memory through a volatile pointer: the writes are observable side
// effects, so the compiler cannot drop them as stores to an object that is
// about to die.
void wipe(void* data, std::size_t size) {
    volatile unsigned char* p = static_cast<volatile unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) p[i] = 0;
}

std::uint32_t loadBigEndian(const std::uint8_t* b) {
    return (std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) |
           (std::uint32_t{b[2]} << 8) | std::uint32_t{b[3]};
}

void storeBigEndian(std::uint32_t v, std::uint8_t* b) {
    b[0] = static_cast<std::uint8_t>(v >> 24);
    b[1] = static_cast<std::uint8_t>(v >> 16);
    b[2] = static_cast<std::uint8_t>(v >> 8);
    b[3] = static_cast<std::uint8_t>(v);
}

}  // namespace

Blowfish::Blowfish(std::string_view key) : p_(kBlowfishInitialP), s_(kBlowfishInitialS) {
    if (key.size() < kMinKeyLength || key.size() > kMaxKeyLength) {
        // Nothing secret is in the tables yet: they still hold the constants.
        throw std::invalid_argument("Blowfish: Key must be between 1 and 56 bytes long");
    }
    // Key bytes are taken cyclically, four at a time, first byte most
    // significant, and folded into the P-array.
    std::size_t k = 0;
    for (auto& subkey : p_) {
        std::uint32_t word = 0;
        for (int i = 0; i < 4; ++i) {
            word = (word << 8) | static_cast<std::uint8_t>(key[k]);
            k = (k + 1) % key.size();
        }
        subkey ^= word;
    }
    // Then every subkey and S-box entry, in order, is replaced by the
    // running encryption of the all-zero block under the table so far.
    std::uint32_t left = 0;
    std::uint32_t right = 0;
    for (std::size_t i = 0; i < p_.size(); i += 2) {
        encrypt(left, right);
        p_[i] = left;
        p_[i + 1] = right;
    }
    for (auto& box : s_) {
        for (std::size_t i = 0; i < box.size(); i += 2) {
            encrypt(left, right);
            box[i] = left;
            box[i + 1] = right;
        }
    }
    wipe(&left, sizeof left);
    wipe(&right, sizeof right);
}

Blowfish::~Blowfish() {
    wipe(p_.data(), sizeof p_);
    wipe(s_.data(), sizeof s_);
}

std::uint32_t Blowfish::f(std::uint32_t x) const {
    return ((s_[0][x >> 24] + s_[1][(x >> 16) & 0xFF]) ^ s_[2][(x >> 8) & 0xFF]) + s_[3][x & 0xFF];
}

void Blowfish::encrypt(std::uint32_t& left, std::uint32_t& right) const {
    std::uint32_t l = left;
    std::uint32_t r = right;
    for (std::size_t round = 0; round < 16; round += 2) {
        l ^= p_[round];
        r ^= f(l);
        r ^= p_[round + 1];
        l ^= f(r);
    }
    left = r ^ p_[17];
    right = l ^ p_[16];
}

void Blowfish::decrypt(std::uint32_t& left, std::uint32_t& right) const {
    std::uint32_t l = left;
    std::uint32_t r = right;
    for (std::size_t round = 17; round > 1; round -= 2) {
        l ^= p_[round];
        r ^= f(l);
        r ^= p_[round - 1];
        l ^= f(r);
    }
    left = r ^ p_[0];
    right = l ^ p_[1];
}

Blowfish::Block Blowfish::encryptBlock(const Block& plain) const {
    std::uint32_t left = loadBigEndian(plain.data());
    std::uint32_t right = loadBigEndian(plain.data() + 4);
    encrypt(left, right);
    Block out;
    storeBigEndian(left, out.data());
    storeBigEndian(right, out.data() + 4);
    return out;
}

Blowfish::Block Blowfish::decryptBlock(const Block& cipher) const {
    std::uint32_t left = loadBigEndian(cipher.data());
    std::uint32_t right = loadBigEndian(cipher.data() + 4);
    decrypt(left, right);
    Block out;
    storeBigEndian(left, out.data());
    storeBigEndian(right, out.data() + 4);
    return out;
}

BlowfishCfb8::BlowfishCfb8(std::string_view key, const Blowfish::Block& iv)
    : cipher_(key), register_(iv) {}

BlowfishCfb8::~BlowfishCfb8() { wipe(register_.data(), register_.size()); }

std::uint8_t BlowfishCfb8::keystreamByte() const {
    Blowfish::Block encrypted = cipher_.encryptBlock(register_);
    std::uint8_t k = encrypted[0];
    wipe(encrypted.data(), encrypted.size());
    return k;
}

void BlowfishCfb8::shiftIn(std::uint8_t cipherByte) {
    for (std::size_t i = 0; i + 1 < register_.size(); ++i) register_[i] = register_[i + 1];
    register_.back() = cipherByte;
}

void BlowfishCfb8::encrypt(std::span<char> bytes) {
    for (char& c : bytes) {
        auto out = static_cast<std::uint8_t>(static_cast<std::uint8_t>(c) ^ keystreamByte());
        c = static_cast<char>(out);
        shiftIn(out);
    }
}

void BlowfishCfb8::decrypt(std::span<char> bytes) {
    for (char& c : bytes) {
        auto in = static_cast<std::uint8_t>(c);
        c = static_cast<char>(in ^ keystreamByte());
        shiftIn(in);
    }
}

}  // namespace talmorek::exporting
