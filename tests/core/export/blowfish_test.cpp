#include "core/export/blowfish.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/export/blowfish_weak_key.h"
#include "core/export/hex.h"
#include "core/export/package.h"
#include "support/error_of.h"

namespace talmorek::exporting {
namespace {

using talmorek::testing::errorOf;
using talmorek::testing::fromHex;
using talmorek::testing::toHex;

Blowfish::Block toBlock(const std::string& bytes) {
    Blowfish::Block block{};
    std::copy(bytes.begin(), bytes.end(), block.begin());
    return block;
}

std::string fromBlock(const Blowfish::Block& block) { return std::string(block.begin(), block.end()); }

struct EcbCase {
    const char* key;
    const char* plain;
    const char* cipher;
};

// Eric Young's published ECB vectors (8-byte keys); the seventh row repeats
// the first, as in the published list.
constexpr EcbCase kEcbCases[] = {
    {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
    {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
    {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
    {"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
    {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
    {"1111111111111111", "0123456789ABCDEF", "7D0CC630AFDA1EC7"},
    {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
    {"FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"},
    {"7CA110454A1A6E57", "01A1D6D039776742", "59C68245EB05282B"},
    {"0131D9619DC1376E", "5CD54CA83DEF57DA", "B1B8CC0B250F09A0"},
    {"07A1133E4A0B2686", "0248D43806F67172", "1730E5778BEA1DA4"},
    {"3849674C2602319E", "51454B582DDF440A", "A25E7856CF2651EB"},
    {"04B915BA43FEB5B6", "42FD443059577FA2", "353882B109CE8F1A"},
    {"0113B970FD34F2CE", "059B5E0851CF143A", "48F4D0884C379918"},
    {"0170F175468FB5E6", "0756D8E0774761D2", "432193B78951FC98"},
    {"43297FAD38E373FE", "762514B829BF486A", "13F04154D69D1AE5"},
    {"07A7137045DA2A16", "3BDD119049372802", "2EEDDA93FFD39C79"},
    {"04689104C2FD3B2F", "26955F6835AF609A", "D887E0393C2DA6E3"},
    {"37D06BB516CB7546", "164D5E404F275232", "5F99D04F5B163969"},
    {"1F08260D1AC2465E", "6B056E18759F5CCA", "4A057A3B24D3977B"},
    {"584023641ABA6176", "004BD6EF09176062", "452031C1E4FADA8E"},
    {"025816164629B007", "480D39006EE762F2", "7555AE39F59B87BD"},
    {"49793EBC79B3258F", "437540C8698F3CFA", "53C55F9CB49FC019"},
    {"4FB05E1515AB73A7", "072D43A077075292", "7A8E7BFA937E89A3"},
    {"49E95D6D4CA229BF", "02FE55778117F12A", "CF9C5D7A4986ADB5"},
    {"018310DC409B26D6", "1D9D5C5018F728C2", "D1ABB290658BC778"},
    {"1C587F1C13924FEF", "305532286D6F295A", "55CB3774D13EF201"},
    {"0101010101010101", "0123456789ABCDEF", "FA34EC4847B268B2"},
    {"1F1F1F1F0E0E0E0E", "0123456789ABCDEF", "A790795108EA3CAE"},
    {"E0FEE0FEF1FEF1FE", "0123456789ABCDEF", "C39E072D9FAC631D"},
    {"0000000000000000", "FFFFFFFFFFFFFFFF", "014933E0CDAFF6E4"},
    {"FFFFFFFFFFFFFFFF", "0000000000000000", "F21E9A77B71C49BC"},
    {"0123456789ABCDEF", "0000000000000000", "245946885754369A"},
    {"FEDCBA9876543210", "FFFFFFFFFFFFFFFF", "6B5C5A9C5D9E0A5A"},
};

TEST(BlowfishTest, publishedEcbVectorsEncryptAndDecrypt) {
    for (std::size_t i = 0; i < std::size(kEcbCases); ++i) {
        const auto& c = kEcbCases[i];
        SCOPED_TRACE("row " + std::to_string(i + 1) + " key " + c.key);
        Blowfish cipher(fromHex(c.key));
        EXPECT_EQ(c.cipher, toHex(fromBlock(cipher.encryptBlock(toBlock(fromHex(c.plain))))));
        EXPECT_EQ(c.plain, toHex(fromBlock(cipher.decryptBlock(toBlock(fromHex(c.cipher))))));
    }
}

// Eric Young's variable-key-length vectors: the plain block FEDCBA9876543210
// under the first n bytes of one 24-byte key, n = 1..24. The short keys prove
// that key bytes are taken cyclically.
constexpr const char* kVariableKey = "F0E1D2C3B4A5968778695A4B3C2D1E0F0011223344556677";
constexpr const char* kVariableKeyCiphers[] = {
    "F9AD597C49DB005E", "E91D21C1D961A6D6", "E9C2B70A1BC65CF3", "BE1E639408640F05",
    "B39E44481BDB1E6E", "9457AA83B1928C0D", "8BB77032F960629D", "E87A244E2CC85E82",
    "15750E7A4F4EC577", "122BA70B3AB64AE0", "3A833C9AFFC537F6", "9409DA87A90F6BF2",
    "884F80625060B8B4", "1F85031C19E11968", "79D9373A714CA34F", "93142887EE3BE15C",
    "03429E838CE2D14B", "A4299E27469FF67B", "AFD5AED1C1BC96A8", "10851C0E3858DA9F",
    "E6F51ED79B9DB21F", "64A6E14AFD36B46F", "80C7D7D45A5479AD", "05044B62FA52D080",
};

TEST(BlowfishTest, publishedVariableKeyLengthVectors) {
    const std::string fullKey = fromHex(kVariableKey);
    const Blowfish::Block plain = toBlock(fromHex("FEDCBA9876543210"));
    for (std::size_t n = 1; n <= std::size(kVariableKeyCiphers); ++n) {
        SCOPED_TRACE("key length " + std::to_string(n));
        Blowfish cipher(fullKey.substr(0, n));
        EXPECT_EQ(kVariableKeyCiphers[n - 1], toHex(fromBlock(cipher.encryptBlock(plain))));
    }
}

TEST(BlowfishTest, keyOutsideOneTo56BytesIsRefusedWithTheMessage) {
    for (std::size_t length : {std::size_t{0}, std::size_t{57}, std::size_t{100}}) {
        SCOPED_TRACE("key length " + std::to_string(length));
        const std::string key(length, 'k');
        const auto e = errorOf<std::invalid_argument>([&] { Blowfish cipher(key); });
        ASSERT_TRUE(e);
        EXPECT_STREQ("Blowfish: Key must be between 1 and 56 bytes long", e->what());
        EXPECT_THROW(BlowfishCfb8 cfb(key), std::invalid_argument);
    }
    EXPECT_NO_THROW(Blowfish(std::string(56, 'k')));
}

// A weak key makes two entries of one S-box equal; such keys are refused
// (found by trying the eight-digit texts in order: all ten below 00400000),
// by the block cipher and the feedback mode alike, never used. Some of them
// the libraries' own checks let through (libgcrypt 1.10: 00123954,
// 00258202, 00263265).
constexpr const char* kWeakKeys[] = {"00012570", "00096753", "00123954", "00126191", "00168441",
                                     "00235987", "00251099", "00258202", "00263265", "00358180"};

TEST(BlowfishTest, weakKeyIsRefused) {
    for (const char* key : kWeakKeys) {
        SCOPED_TRACE(key);
        for (const auto& construct : std::vector<std::function<void()>>{
                 [&] { Blowfish cipher(key); }, [&] { BlowfishCfb8 cfb(key); }}) {
            const auto e = errorOf<KeyError>(construct);
            ASSERT_TRUE(e);
            EXPECT_EQ(KeyError::Reason::Weak, e->reason());
            EXPECT_STREQ("Blowfish: Weak key (two entries of an S-box are equal)", e->what());
        }
    }
}

// The schedule computed apart from the libraries finds the same keys weak,
// and no other of the eight-digit texts around them.
TEST(BlowfishTest, theScheduleComputedApartFindsTheWeakKeys) {
    for (const char* key : kWeakKeys) EXPECT_TRUE(leavesRepeatedSBoxWord(key)) << key;
    for (const char* key : {"00012569", "00012571", "00123953", "00258203", "abcdefghijklmnopqrstuvwxyz"})
        EXPECT_FALSE(leavesRepeatedSBoxWord(key)) << key;
    EXPECT_FALSE(leavesRepeatedSBoxWord(kPackageKey));
    EXPECT_FALSE(leavesRepeatedSBoxWord(std::string(56, 'k')));
    EXPECT_THROW(leavesRepeatedSBoxWord(""), KeyError);
    EXPECT_THROW(leavesRepeatedSBoxWord(std::string(57, 'k')), KeyError);
}

// The package key is not weak: the key schedule takes it (the count of its
// S-boxes apart from the library is blowfish_nettle_test.cpp's).
TEST(BlowfishTest, packageKeyIsNotWeak) {
    EXPECT_NO_THROW(Blowfish{kPackageKey});
    EXPECT_NO_THROW(BlowfishCfb8{kPackageKey});
}

struct Cfb8Case {
    const char* name;
    std::string key;
    const char* iv;
    std::string plain;
    const char* cipher;
};

// Computed with pycryptodome's Blowfish in MODE_CFB with segment_size=8 (an
// implementation independent of this one, block cipher and mode alike).
const Cfb8Case kCfb8Cases[] = {
    {"packageKey_text", "Kx7mQ2vLp9RtW4zN", "0000000000000000", "Okrsek 00001, obec 500054",
     "223EF6349A2D0D908852047D3CE6169F0D97A751D1A1EE213B"},
    {"packageKey_zeros", "Kx7mQ2vLp9RtW4zN", "0000000000000000", std::string(16, '\0'),
     "6DD1428813CAB5A3A027C42C1424D733"},
    {"givenVector", fromHex("0123456789ABCDEFF0E1D2C3B4A59687"), "FEDCBA9876543210",
     std::string("7654321 Now is the time for \0", 29), "E7BB1FC3073EB8314B378689FAB0B1160244415D4D017FCE0D9B4CB2FA"},
    {"key56", fromHex("000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F"
                      "202122232425262728292A2B2C2D2E2F3031323334353637"),
     "0000000000000000", std::string(9, '\xFF'), "A2D7007AAA15A75637"},
};

TEST(BlowfishCfb8Test, matchesIndependentVectorsBothWays) {
    for (const auto& c : kCfb8Cases) {
        SCOPED_TRACE(c.name);
        std::string bytes = c.plain;
        BlowfishCfb8(c.key, toBlock(fromHex(c.iv))).encrypt(bytes);
        EXPECT_EQ(c.cipher, toHex(bytes));
        BlowfishCfb8(c.key, toBlock(fromHex(c.iv))).decrypt(bytes);
        EXPECT_EQ(c.plain, bytes);
    }
}

TEST(BlowfishCfb8Test, registerCarriesOverBetweenSlicesOfAnySize) {
    for (const auto& c : kCfb8Cases) {
        SCOPED_TRACE(c.name);
        std::string bytes = c.plain;
        BlowfishCfb8 encryptor(c.key, toBlock(fromHex(c.iv)));
        for (std::size_t at = 0, step = 1; at < bytes.size(); at += step, step = step % 5 + 1) {
            encryptor.encrypt(std::span<char>(bytes).subspan(at, std::min(step, bytes.size() - at)));
        }
        EXPECT_EQ(c.cipher, toHex(bytes));

        // Whole blocks, two blocks and odd slices across block ends alike.
        for (const std::size_t slice : {std::size_t{3}, std::size_t{8}, std::size_t{16}, std::size_t{11}}) {
            SCOPED_TRACE("decrypted in slices of " + std::to_string(slice));
            std::string text = bytes;
            BlowfishCfb8 decryptor(c.key, toBlock(fromHex(c.iv)));
            for (std::size_t at = 0; at < text.size(); at += slice) {
                decryptor.decrypt(std::span<char>(text).subspan(at, std::min(slice, text.size() - at)));
            }
            EXPECT_EQ(c.plain, text);
        }
    }
}

}  // namespace
}  // namespace talmorek::exporting
