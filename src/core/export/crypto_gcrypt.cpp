// The cipher and the hash from libgcrypt (the Windows build, where Debian
// ships no Nettle): Blowfish with its 8-bit cipher feedback, and SHA-256.
// Both backends give the same bytes; the tests of the package format hold
// for each.
#include <gcrypt.h>

#include <stdexcept>
#include <string>

#include "core/export/blowfish.h"
#include "core/export/blowfish_weak_key.h"
#include "core/export/crypto_backend.h"
#include "core/export/sha256.h"

namespace talmorek::exporting {
namespace {

// libgcrypt is set up once per process before its first use. Key material
// lives in ordinary memory, wiped when a cipher is closed, as with Nettle.
void initialiseLibrary() {
    static const bool initialised = [] {
        if (gcry_check_version(GCRYPT_VERSION) == nullptr) throw std::runtime_error("libgcrypt: version mismatch");
        gcry_control(GCRYCTL_DISABLE_SECMEM, 0);
        gcry_control(GCRYCTL_INITIALIZATION_FINISHED, 0);
        return true;
    }();
    (void)initialised;
}

// A Blowfish cipher in `mode` with the key set; KeyError for a key it
// refuses.
gcry_cipher_hd_t openBlowfish(std::string_view key, int mode) {
    refuseKeyLength(key);
    // libgcrypt's key schedule takes the key bytes cyclically for any length
    // from one byte up, as the format does. It refuses some weak keys, not
    // all: the rest are found by the schedule computed apart, before any
    // handle is opened.
    if (leavesRepeatedSBoxWord(key)) throw KeyError(KeyError::Reason::Weak);
    initialiseLibrary();
    gcry_cipher_hd_t handle = nullptr;
    if (gcry_error_t e = gcry_cipher_open(&handle, GCRY_CIPHER_BLOWFISH, mode, 0); e != 0)
        throw std::runtime_error(std::string("libgcrypt: Blowfish: ") + gcry_strerror(e));
    const gcry_error_t set = gcry_cipher_setkey(handle, key.data(), key.size());
    if (set != 0) {
        gcry_cipher_close(handle);
        if (gcry_err_code(set) == GPG_ERR_WEAK_KEY) throw KeyError(KeyError::Reason::Weak);
        if (gcry_err_code(set) == GPG_ERR_INV_KEYLEN) throw KeyError(KeyError::Reason::Length);
        throw std::runtime_error(std::string("libgcrypt: Blowfish key: ") + gcry_strerror(set));
    }
    return handle;
}

void check(gcry_error_t e) {
    if (e != 0) throw std::runtime_error(std::string("libgcrypt: Blowfish: ") + gcry_strerror(e));
}

}  // namespace

// The handle holds the key schedule; closing it wipes it.
struct Blowfish::Schedule {
    explicit Schedule(std::string_view key) : handle(openBlowfish(key, GCRY_CIPHER_MODE_ECB)) {}
    ~Schedule() { gcry_cipher_close(handle); }
    Schedule(const Schedule&) = delete;
    Schedule& operator=(const Schedule&) = delete;
    gcry_cipher_hd_t handle;
};

// The handle keeps the shift register between calls, so slices continue
// the stream.
struct BlowfishCfb8::Stream {
    Stream(std::string_view key, const Blowfish::Block& iv) : handle(openBlowfish(key, GCRY_CIPHER_MODE_CFB8)) {
        const gcry_error_t e = gcry_cipher_setiv(handle, iv.data(), iv.size());
        if (e != 0) {
            gcry_cipher_close(handle);
            check(e);
        }
    }
    ~Stream() { gcry_cipher_close(handle); }
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;
    gcry_cipher_hd_t handle;
};

Blowfish::Blowfish(std::string_view key) : schedule_(std::make_unique<Schedule>(key)) {}

Blowfish::~Blowfish() = default;

Blowfish::Block Blowfish::encryptBlock(const Block& plain) const {
    Block out;
    check(gcry_cipher_encrypt(schedule_->handle, out.data(), out.size(), plain.data(), plain.size()));
    return out;
}

Blowfish::Block Blowfish::decryptBlock(const Block& cipher) const {
    Block out;
    check(gcry_cipher_decrypt(schedule_->handle, out.data(), out.size(), cipher.data(), cipher.size()));
    return out;
}

BlowfishCfb8::BlowfishCfb8(std::string_view key, const Blowfish::Block& iv)
    : stream_(std::make_unique<Stream>(key, iv)) {}

BlowfishCfb8::~BlowfishCfb8() = default;

void BlowfishCfb8::encrypt(std::span<char> bytes) {
    if (bytes.empty()) return;
    check(gcry_cipher_encrypt(stream_->handle, bytes.data(), bytes.size(), nullptr, 0));
}

void BlowfishCfb8::decrypt(std::span<char> bytes) {
    if (bytes.empty()) return;
    check(gcry_cipher_decrypt(stream_->handle, bytes.data(), bytes.size(), nullptr, 0));
}

Sha256Digest sha256(std::string_view bytes) {
    initialiseLibrary();
    Sha256Digest digest{};
    gcry_md_hash_buffer(GCRY_MD_SHA256, digest.data(), bytes.data(), bytes.size());
    return digest;
}

}  // namespace talmorek::exporting
