// SHA-256 against the published test vectors, around the block boundaries
// where padding goes wrong, and the fingerprint built from it.

#include <gtest/gtest.h>

#include <string>

#include "core/export/export_fingerprint.h"
#include "core/export/sha256.h"

namespace talmorek::exporting {
namespace {

struct Vector {
    const char* name;
    std::string message;
    const char* digest;
};

TEST(Sha256, PublishedVectors) {
    const Vector vectors[] = {
        {"empty", "", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"two_blocks_448_bits", "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {"896_bits", "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrs"
                     "mnopqrstnopqrstu",
         "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
        {"million_a", std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const Vector& v : vectors) EXPECT_EQ(toHex(sha256(v.message)), v.digest) << v.name;
}

// Lengths 55, 56 and 64 end exactly where the length field fits, does not
// fit, and a block is full; each byte value 0..255 goes through the rounds.
TEST(Sha256, BoundaryLengthsAndAllByteValues) {
    EXPECT_EQ(toHex(sha256(std::string(55, 'a'))),
              "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318");
    EXPECT_EQ(toHex(sha256(std::string(56, 'a'))),
              "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a");
    EXPECT_EQ(toHex(sha256(std::string(64, 'a'))),
              "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb");
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(toHex(sha256(all)), "40aff2e9d2d8922e47afd4648e6967497158785fbd1da870e7110266bf944880");
}

TEST(ExportFingerprint, FirstSixteenHexDigitsInGroupsOfFour) {
    EXPECT_EQ(exportFingerprint("abc"), "ba78 16bf 8f01 cfea");
    EXPECT_EQ(exportFingerprint(""), "e3b0 c442 98fc 1c14");
}

}  // namespace
}  // namespace talmorek::exporting
