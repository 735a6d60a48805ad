// The registers as one check run sees them: each file read at its first
// lookup and kept, the searches and failures those of the file on disk.
// The searches themselves are tested through Registers (registers_test.cpp),
// whose lookups are snapshots used once.

#include "core/data/register_snapshot.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/data/errors.h"
#include "support/error_of.h"
#include "support/temp_dir.h"

namespace talmorek::data {
namespace {

using talmorek::testing::errorOf;
using talmorek::testing::TempDir;

std::string okrsky(std::initializer_list<TOkrsky> records) {
    std::string bytes;
    for (const auto& r : records) bytes += encodeOkrsky(r);
    return bytes;
}

std::string strany(std::initializer_list<TStrana> records) {
    std::string bytes;
    for (const auto& r : records) bytes += encodeStrana(r);
    return bytes;
}

class Snapshot : public ::testing::Test {
protected:
    Snapshot() {
        dir.write("OKRSKY.RCD", okrsky({{"500011", "Abertamy", "1", "3", "3403", "Karlovy Vary"},
                                        {"532053", "Kladno", "1", "56", "3203", "Kladno"}}));
        dir.write("PSRVOK.RCD", encodePsrvok({"532053", 1, 812}) + encodePsrvok({"532053", 2, 650}));
        dir.write("STRANY.RCD", strany({{"1", "A", "36"}, {"3", "B", "5"}}));
        dir.write("PSRZVO.RCD", encodePsrzvo({"999997", 90, "Washington", "USA"}));
    }

    TempDir dir;
    Registers registers{dir.path()};
};

TEST_F(Snapshot, ReadsNothingBeforeItsFirstLookup) {
    RegisterSnapshot snapshot(registers);
    dir.write("OKRSKY.RCD", okrsky({{"554782", "Testov", "1", "12", "3201", "Chrudim"}}));
    EXPECT_TRUE(snapshot.JeObec("554782"));
}

TEST_F(Snapshot, KeepsEachRegisterAsItsFirstLookupReadIt) {
    RegisterSnapshot snapshot(registers);
    ASSERT_TRUE(snapshot.JeObec("532053"));
    ASSERT_EQ(snapshot.PocetVolicu("532053", 1), 812);
    ASSERT_EQ(snapshot.PocetKandidatuStrany(3), 5);
    TOkrsky found;
    ASSERT_TRUE(snapshot.NajdiOkrsek("999997", 90, found));
    for (const char* name : {"OKRSKY.RCD", "PSRVOK.RCD", "STRANY.RCD", "PSRZVO.RCD"})
        std::remove(dir.file(name).c_str());

    EXPECT_TRUE(snapshot.JeObec("500011"));
    EXPECT_FALSE(snapshot.JeObec("554782"));
    TOkrsky result;
    EXPECT_TRUE(snapshot.NajdiOkrsek("532053", 56, result));
    EXPECT_EQ(result.KodOkresu, "3203");
    EXPECT_TRUE(snapshot.NajdiOkrsek("999997", 90, result));
    EXPECT_EQ(result.NazevObce, "Washington");
    EXPECT_EQ(snapshot.PocetVolicu("532053", 2), 650);
    EXPECT_EQ(snapshot.PocetKandidatuStrany(1), 36);
    EXPECT_EQ(snapshot.PocetKandidatuStrany(3), 5);
    EXPECT_EQ(snapshot.PocetKandidatuStrany(2), 0);
    EXPECT_THROW(registers.JeObec("500011"), IoError) << "a lookup of its own reads the disk";
}

TEST_F(Snapshot, AMissingRegisterFailsAtEveryLookupUntilItIsThere) {
    std::remove(dir.file("PSRVOK.RCD").c_str());
    RegisterSnapshot snapshot(registers);
    EXPECT_TRUE(snapshot.JeObec("532053")) << "the other registers are unaffected";
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (const auto e = errorOf<IoError>([&] { snapshot.PocetVolicu("532053", 1); })) {
            EXPECT_EQ(e->path(), dir.file("PSRVOK.RCD"));
            EXPECT_EQ(e->osError(), ENOENT);
        }
    }
    dir.write("PSRVOK.RCD", encodePsrvok({"532053", 1, 700}));
    EXPECT_EQ(snapshot.PocetVolicu("532053", 1), 700);
}

// The kept bytes hold the damage; each search fails exactly when a search
// of the file would, with the same message.
TEST_F(Snapshot, ADamagedRecordFailsEverySearchThatReachesIt) {
    const std::string bytes = okrsky({{"500011", "Abertamy", "1", "3", "3403", "Karlovy Vary"},
                                      {"532053", "Kladno", "1", "56", "3203", "Kladno"}});
    dir.write("OKRSKY.RCD", bytes.substr(0, bytes.size() - 1));
    std::string fromDisk;
    try {
        registers.JeObec("532053");
    } catch (const IoError& e) {
        fromDisk = e.what();
    }
    ASSERT_FALSE(fromDisk.empty());
    RegisterSnapshot snapshot(registers);
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_TRUE(snapshot.JeObec("500011")) << "the search stops before the damaged record";
        if (const auto e = errorOf<IoError>([&] { snapshot.JeObec("532053"); })) {
            EXPECT_EQ(e->what(), fromDisk);
            EXPECT_EQ(e->path(), dir.file("OKRSKY.RCD"));
        }
    }
}

TEST_F(Snapshot, APartyCountThatIsNoNumberFailsAtEveryAsk) {
    dir.write("STRANY.RCD", strany({{"1", "A", "36"}, {"2", "B", "x"}}));
    RegisterSnapshot snapshot(registers);
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_THROW(snapshot.PocetKandidatuStrany(2), ConversionError);
        EXPECT_EQ(snapshot.PocetKandidatuStrany(1), 36);
    }
}

TEST_F(Snapshot, AnEmptyPartyRegisterFailsAtEveryAsk) {
    dir.write("STRANY.RCD", "");
    RegisterSnapshot snapshot(registers);
    EXPECT_THROW(snapshot.PocetKandidatuStrany(1), EmptyFileError);
    EXPECT_THROW(snapshot.PocetKandidatuStrany(1), EmptyFileError);
}

}  // namespace
}  // namespace talmorek::data
