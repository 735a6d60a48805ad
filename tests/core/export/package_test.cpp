#include "core/export/package.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <set>
#include <stdexcept>
#include <string>

#include "core/export/hex.h"
#include "core/data/errors.h"
#include "core/data/file_io.h"
#include "core/export/base64.h"
#include "support/error_of.h"
#include "support/temp_dir.h"

namespace talmorek::exporting {
namespace {

using talmorek::testing::errorOf;
using talmorek::testing::fromHex;
using talmorek::testing::TempDir;

// Record-like text with some noise, so that compressed sizes vary with length.
std::string sampleText(std::size_t size, std::uint32_t seed = 1) {
    std::string text;
    std::uint32_t state = seed;
    while (text.size() < size) {
        state = state * 1103515245u + 12345u;
        text += (state >> 16) % 3 == 0 ? static_cast<char>('0' + (state >> 20) % 10) : ';';
        if ((state >> 24) % 17 == 0) text += "\r\n";
    }
    text.resize(size);
    return text;
}

std::string u32(std::uint32_t v) {
    std::string s;
    for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

constexpr std::size_t kHeaderSize = 20;  // mark, L, "data.dmp", plain size

TEST(ContainerTest, headerOfA1000ByteFile) {
    const std::string container = packToContainer(sampleText(1000));
    ASSERT_GE(container.size(), kHeaderSize + 2);
    EXPECT_EQ(fromHex("01000000 08000000") + "data.dmp" + fromHex("E8030000 789C"),
              container.substr(0, kHeaderSize + 2));
}

TEST(ContainerTest, markAndNameAreNotCheckedWhenRead) {
    const std::string plain = sampleText(300);
    const std::string stream = packToContainer(plain).substr(kHeaderSize);
    const std::string otherMarkAndName = u32(7) + u32(9) + "other.txt" + u32(300) + stream;
    EXPECT_EQ(plain, unpackContainer(otherMarkAndName, "x"));
    // A name length over 255 still stores (and skips) only 255 name bytes.
    const std::string longName = u32(1) + u32(1000) + std::string(255, 'n') + u32(300) + stream;
    EXPECT_EQ(plain, unpackContainer(longName, "x"));
}

TEST(ContainerTest, bytesAfterTheStreamAreIgnored) {
    const std::string plain = sampleText(300);
    EXPECT_EQ(plain, unpackContainer(packToContainer(plain) + std::string(7, '\xA5'), "x"));
}

// A few kilobytes of zlib stream can claim, and inflate to, gigabytes. A
// plain size above the reader's limit is refused from the header, at the
// size field, before one byte is inflated; the limit itself still reads.
TEST(ContainerTest, aPlainSizeAboveTheLimitIsRefusedBeforeInflating) {
    const std::string plain(64 * 1024, '\0');
    const std::string stream = packToContainer(plain).substr(kHeaderSize);
    const std::string header = u32(1) + u32(8) + "data.dmp";
    struct Case {
        const char* name;
        std::uint32_t claimed;
        std::size_t limit;
    };
    const Case cases[] = {
        {"claims_300_MB", 300u * 1024 * 1024, kLargestUnpacked},
        {"claims_4_GB", 0xFFFFFFFFu, kLargestUnpacked},
        {"one_byte_over_a_small_limit", 64 * 1024 + 1, 64 * 1024},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (const auto e = errorOf<data::FormatError>([&] {
            unpackContainer(header + u32(c.claimed) + stream, "bomb.dat", c.limit);
        })) {
            EXPECT_EQ(e->position(), 16) << "refused at the size field, not inside the stream";
            EXPECT_EQ(e->field(), kPlainSizeField);
            EXPECT_EQ(e->file(), "bomb.dat");
        }
    }
    EXPECT_EQ(unpackContainer(header + u32(64 * 1024) + stream, "x", 64 * 1024), plain);
}

TEST(ContainerTest, flippingAnyByteOfTheStreamIsNoticed) {
    const std::string container = packToContainer(sampleText(200));
    for (std::size_t at = kHeaderSize; at < container.size(); ++at) {
        SCOPED_TRACE("byte " + std::to_string(at));
        std::string damaged = container;
        damaged[at] = static_cast<char>(damaged[at] ^ 0xFF);
        EXPECT_THROW(unpackContainer(damaged, "x"), data::FormatError);
    }
}

TEST(PackageTest, roundTripAtEveryContainerLengthModulo8) {
    std::set<std::size_t> residues;
    std::vector<std::size_t> sizes;
    for (std::size_t n = 0; n <= 64; ++n) sizes.push_back(n);
    for (std::size_t n : {1000u, 4096u, 100000u}) sizes.push_back(n);
    for (std::size_t n : sizes) {
        SCOPED_TRACE("plain size " + std::to_string(n));
        const std::string plain = sampleText(n, static_cast<std::uint32_t>(n));
        residues.insert(packToContainer(plain).size() % 8);
        EXPECT_EQ(plain, readPackage(makePackage(plain), "P.dat"));
    }
    EXPECT_EQ(8u, residues.size()) << "the sizes no longer cover every container length modulo 8";
}

TEST(PackageTest, sameContainerTwiceGivesTheSamePackage) {
    const std::string container = packToContainer(sampleText(777));
    EXPECT_EQ(encryptToPackage(container), encryptToPackage(container));
    EXPECT_EQ(makePackage(sampleText(777)), makePackage(sampleText(777)));
}

// Computed with pycryptodome's Blowfish (MODE_CFB, segment_size=8, zero
// vector, the package key), slicing the container by 8 through a buffer as
// the writer does, then Base64.
TEST(PackageTest, knownPackagesOfShortContainers) {
    EXPECT_EQ("LBCEiqLQq3/gs5zZL82R5Q==", encryptToPackage("ABCDEFGHIJKLM"));
    EXPECT_EQ("FbuxgWYyX9Q=", encryptToPackage("xyz"));
    EXPECT_EQ("", encryptToPackage(""));
}

// A short last slice is filled with the previous slice's cipher text at the
// same places, encrypted like data; with no previous slice, with zeros.
TEST(PackageTest, shortLastSliceIsFilledFromTheWriterBuffer) {
    for (std::size_t length : {1u, 3u, 7u, 8u, 9u, 13u, 15u, 16u, 17u, 30u}) {
        SCOPED_TRACE("container length " + std::to_string(length));
        const std::string container = sampleText(length, 7);
        const std::string package = encryptToPackage(container);
        const std::string encrypted = decodeBase64(package);
        const std::string decrypted = decryptPackage(package, kPackageKey, "P.dat");

        const std::size_t rounded = (length + 7) / 8 * 8;
        ASSERT_EQ(rounded, encrypted.size());
        ASSERT_EQ(rounded, decrypted.size());
        EXPECT_EQ(container, decrypted.substr(0, length));
        for (std::size_t i = length; i < rounded; ++i) {
            const char filler = length < 8 ? '\0' : encrypted[i - 8];
            EXPECT_EQ(filler, decrypted[i]) << "filler byte " << i;
        }
    }
}

TEST(PackageTest, packageOfWholeLinesEndsWithCrLf) {
    // 456 encrypted bytes = 8 × 57: eight full lines of Base64.
    for (std::size_t length : {449u, 456u}) {
        SCOPED_TRACE("container length " + std::to_string(length));
        const std::string package = encryptToPackage(sampleText(length));
        EXPECT_EQ(8u * 78u, package.size());
        EXPECT_EQ("\r\n", package.substr(package.size() - 2));
    }
}

TEST(PackageTest, keyOutsideOneTo56BytesIsRefusedWithTheMessage) {
    const std::string package = makePackage("abc");
    for (std::size_t length : {0u, 57u}) {
        SCOPED_TRACE("key length " + std::to_string(length));
        const std::string key(length, 'k');
        for (const auto& operation : std::vector<std::function<void()>>{
                 [&] { encryptToPackage("container", key); },
                 [&] { decryptPackage(package, key, "P.dat"); }}) {
            if (const auto e = errorOf<std::invalid_argument>([&] { operation(); })) {
                EXPECT_STREQ("Blowfish: Key must be between 1 and 56 bytes long", e->what());
            }
        }
    }
}

struct DamageCase {
    const char* name;
    std::function<std::string()> package;
    long long position;  // -1: not asserted
};

std::string withContainer(const std::string& container) { return encryptToPackage(container); }

std::string goodContainer() { return packToContainer(sampleText(1000)); }

const std::vector<DamageCase>& damageCases() {
    static const std::vector<DamageCase> cases = {
        {"badBase64Character",
         [] {
             std::string p = makePackage(sampleText(1000));
             p[10] = '*';
             return p;
         },
         10},
        {"textCutInsideAGroup", [] { std::string p = makePackage(sampleText(1000)); return p.substr(0, p.size() - 5); },
         -1},
        {"textCutAtAGroup", [] { return encryptToPackage(goodContainer()).substr(0, 76); }, -1},
        {"wrongKey", [] { return encryptToPackage(goodContainer(), "Kx7mQ2vLp9RtW4zM"); }, -1},
        {"brokenZlibStream",
         [] {
             std::string c = goodContainer();
             c[kHeaderSize + 10] = static_cast<char>(c[kHeaderSize + 10] ^ 0x5A);
             return withContainer(c);
         },
         -1},
        {"checksumBroken",
         [] {
             std::string c = goodContainer();
             c.back() = static_cast<char>(c.back() ^ 1);
             return withContainer(c);
         },
         -1},
        {"sizeLargerThanTheStream",
         [] { std::string c = goodContainer(); return withContainer(c.replace(16, 4, u32(1001))); }, -1},
        {"sizeSmallerThanTheStream",
         [] { std::string c = goodContainer(); return withContainer(c.replace(16, 4, u32(999))); }, -1},
        {"containerShorterThanItsHeader", [] { return withContainer(u32(1) + u32(8) + "data"); }, 16},
        {"containerShorterThanNameLength", [] { return withContainer(u32(1)); }, 8},
        {"nameLengthBeyondTheData",
         [] { std::string c = packToContainer("abc"); return withContainer(c.replace(4, 4, u32(255))); }, -1},
        {"emptyPackage", [] { return std::string(); }, 0},
    };
    return cases;
}

TEST(PackageTest, damagedPackagesAreRefusedNamingTheFile) {
    for (const auto& c : damageCases()) {
        SCOPED_TRACE(c.name);
        if (const auto e = errorOf<data::FormatError>([&] { readPackage(c.package(), "P5000540001.dat"); })) {
            EXPECT_EQ("P5000540001.dat", e->file());
            if (c.position >= 0) {
                EXPECT_EQ(c.position, e->position()) << e->what();
            }
        }
    }
}

TEST(PackageFilesTest, packEncryptDecryptUnpackGivesTheFileBack) {
    TempDir dir;
    const std::string plain = sampleText(5000);
    dir.write("data.temp", plain);
    Zabal(dir.file("data.temp"), dir.file("data.comp"));
    EXPECT_EQ(packToContainer(plain), dir.read("data.comp"));
    Zasifruj(dir.file("data.comp"), dir.file("package.dat"), kPackageKey);
    EXPECT_EQ(makePackage(plain), dir.read("package.dat"));

    Desifruj(dir.file("package.dat"), dir.file("back.comp"), kPackageKey);
    Rozbal(dir.file("back.comp"), dir.file("back.temp"));
    EXPECT_EQ(plain, dir.read("back.temp"));
}

struct FailingFileCase {
    const char* name;
    const char* input;  // written to "in" unless null (then "in" is missing)
    std::function<void(const std::string& in, const std::string& out)> run;
};

TEST(PackageFilesTest, failureLeavesNoNewOutput) {
    const std::vector<FailingFileCase> cases = {
        {"zabalMissingInput", nullptr, [](auto& in, auto& out) { Zabal(in, out); }},
        {"rozbalDamagedContainer", "\x01\0\0\0\x08\0\0\0data", [](auto& in, auto& out) { Rozbal(in, out); }},
        {"zasifrujMissingInput", nullptr, [](auto& in, auto& out) { Zasifruj(in, out, kPackageKey); }},
        {"zasifrujBadKey", "container", [](auto& in, auto& out) { Zasifruj(in, out, ""); }},
        {"desifrujBadBase64", "Zm9v!!!!", [](auto& in, auto& out) { Desifruj(in, out, kPackageKey); }},
    };
    for (const auto& c : cases) {
        for (bool outputExists : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (outputExists ? " over an old output" : " without output"));
            TempDir dir;
            if (c.input) dir.write("in", c.input);
            if (outputExists) dir.write("out", "old content");
            EXPECT_ANY_THROW(c.run(dir.file("in"), dir.file("out")));
            EXPECT_EQ(outputExists, dir.exists("out"));
            if (outputExists) {
                EXPECT_EQ("old content", dir.read("out"));
            }
            EXPECT_FALSE(dir.exists("out.tmp~"));
        }
    }
}

TEST(PackageFilesTest, errorsNameTheFileConcerned) {
    TempDir dir;
    if (const auto e = errorOf<data::IoError>([&] { Zabal(dir.file("missing"), dir.file("out")); })) {
        EXPECT_EQ(dir.file("missing"), e->path());
        EXPECT_EQ(ENOENT, e->osError());
    }
    dir.write("plain", "abc");
    EXPECT_THROW(Zabal(dir.file("plain"), dir.file("no-such-dir/out")), data::IoError);

    dir.write("bad.dat", "Zm9v*");
    if (const auto e = errorOf<data::FormatError>([&] {
        Desifruj(dir.file("bad.dat"), dir.file("out"), kPackageKey);
    })) {
        EXPECT_EQ(dir.file("bad.dat"), e->file());
        EXPECT_EQ(4, e->position());
    }
}

}  // namespace
}  // namespace talmorek::exporting
