// The package command must give back exactly the file it was given, and on a
// damaged package say so in one line without writing anything.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "core/export/package.h"
#include "support/temp_dir.h"
#include "tool/commands.h"

namespace talmorek::tool {
namespace {

using testing::TempDir;

struct Outcome {
    int code;
    std::string out, err;
};

Outcome package(const Args& args) {
    std::ostringstream out, err;
    int code = runPackage(args, out, err);
    return {code, out.str(), err.str()};
}

TEST(PackageCommand, EncodeThenDecodeGivesTheFileBack) {
    TempDir dir;
    const std::string plain = "P;500054;00001;Obec Řečany;0;1;2;3\r\n" + std::string(3000, '7');
    dir.write("plain.txt", plain);

    Outcome encoded = package({"encode", dir.file("plain.txt"), dir.file("P.dat")});
    ASSERT_EQ(0, encoded.code) << encoded.err;
    EXPECT_NE(plain, dir.read("P.dat"));

    Outcome decoded = package({"decode", dir.file("P.dat"), dir.file("back.txt")});
    ASSERT_EQ(0, decoded.code) << decoded.err;
    EXPECT_EQ(plain, dir.read("back.txt"));
    EXPECT_TRUE(decoded.err.empty());
}

TEST(PackageCommand, DamagedOrMissingInputWritesNothing) {
    TempDir dir;
    dir.write("plain.txt", "abc");
    ASSERT_EQ(0, package({"encode", dir.file("plain.txt"), dir.file("P.dat")}).code);
    std::string damaged = dir.read("P.dat");
    damaged[3] = '*';
    dir.write("damaged.dat", damaged);

    struct Case {
        const char* name;
        Args args;
        const char* message;
    };
    const Case cases[] = {
        {"damagedPackage", {"decode", dir.file("damaged.dat"), dir.file("out")}, "není platný balíček dat"},
        {"plainFileIsNoPackage", {"decode", dir.file("plain.txt"), dir.file("out")}, "není platný balíček dat"},
        {"missingInput", {"encode", dir.file("missing.txt"), dir.file("out")}, "nebyl nalezen"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Outcome r = package(c.args);
        EXPECT_EQ(2, r.code);
        EXPECT_NE(std::string::npos, r.err.find(c.args[1])) << r.err;
        EXPECT_NE(std::string::npos, r.err.find(c.message)) << r.err;
        EXPECT_EQ(1, std::count(r.err.begin(), r.err.end(), '\n')) << r.err;
        EXPECT_FALSE(dir.exists("out"));
    }
}

// A package that claims more than any package holds is refused from its
// header, in one line, and nothing is written.
TEST(PackageCommand, APackageClaimingTooMuchIsNotInflated) {
    TempDir dir;
    std::string container = exporting::packToContainer(std::string(1024 * 1024, '\0'));
    const std::uint32_t claimed = 0xFFFFFFF0u;
    for (int i = 0; i < 4; ++i) container[16 + i] = static_cast<char>((claimed >> (8 * i)) & 0xFF);
    dir.write("bomb.dat", exporting::encryptToPackage(container));
    Outcome r = package({"decode", dir.file("bomb.dat"), dir.file("out")});
    EXPECT_EQ(2, r.code);
    EXPECT_EQ(r.err, "Soubor " + dir.file("bomb.dat") +
                         " uvádí víc dat (nad 16 MiB), než balíček dat může obsahovat; nebyl rozbalen.\n");
    EXPECT_FALSE(dir.exists("out"));
}

// A key of one's own encrypts and decrypts; the package key no longer reads
// such a package.
TEST(PackageCommand, OwnKeyEncodesAndDecodes) {
    TempDir dir;
    const std::string plain = "P;500054;00001;0;1;2;3\r\n";
    dir.write("plain.txt", plain);
    const std::string key = "jiný klíč 2021";
    ASSERT_EQ(0, package({"encode", dir.file("plain.txt"), dir.file("P.dat"), "--key", key}).code);
    EXPECT_NE(dir.read("P.dat"), exporting::makePackage(plain));

    Outcome decoded = package({"decode", dir.file("P.dat"), dir.file("back.txt"), "--key", key});
    ASSERT_EQ(0, decoded.code) << decoded.err;
    EXPECT_EQ(plain, dir.read("back.txt"));
    EXPECT_EQ(2, package({"decode", dir.file("P.dat"), dir.file("other.txt")}).code);
    EXPECT_FALSE(dir.exists("other.txt"));
}

// A key the cipher does not take is refused in one Czech line before any
// file is written: a weak key (two equal words in an S-box), and a key
// outside 1 to 56 bytes.
TEST(PackageCommand, AKeyTheCipherDoesNotTakeIsRefused) {
    TempDir dir;
    dir.write("plain.txt", "abc");
    ASSERT_EQ(0, package({"encode", dir.file("plain.txt"), dir.file("P.dat")}).code);
    const std::string weak = "Zadaný klíč je pro šifru Blowfish slabý, program ho nepoužije; zvolte jiný klíč.\n";
    const std::string length = "Zadaný klíč musí mít 1 až 56 bajtů, program ho nepoužije; zvolte jiný klíč.\n";
    struct Case {
        const char* name;
        Args args;
        const std::string& message;
    };
    const Case cases[] = {
        {"encodeWeak", {"encode", dir.file("plain.txt"), dir.file("out"), "--key", "00012570"}, weak},
        {"decodeWeak", {"decode", dir.file("P.dat"), dir.file("out"), "--key", "00096753"}, weak},
        {"encodeEmpty", {"encode", dir.file("plain.txt"), dir.file("out"), "--key", ""}, length},
        {"decodeTooLong", {"decode", dir.file("P.dat"), dir.file("out"), "--key", std::string(57, 'k')}, length},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Outcome r = package(c.args);
        EXPECT_EQ(2, r.code);
        EXPECT_EQ(c.message, r.err);
        EXPECT_FALSE(dir.exists("out"));
    }
}

TEST(PackageCommand, WrongUsagePrintsTheUsageLine) {
    for (const Args& args : {Args{}, Args{"encode", "a"}, Args{"pack", "a", "b"}, Args{"decode", "a", "b", "c"},
                             Args{"encode", "a", "b", "--key"}, Args{"decode", "a", "b", "--klic", "k"}}) {
        Outcome r = package(args);
        EXPECT_EQ(2, r.code);
        EXPECT_EQ(0u, r.err.find("Použití: talmorek-tool package")) << r.err;
    }
}

}  // namespace
}  // namespace talmorek::tool
