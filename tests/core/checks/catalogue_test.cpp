#include "core/checks/catalogue.h"

#include <gtest/gtest.h>

#include "core/checks/catalogue_texts.h"
#include "core/data/hand_bytes.h"
#include "core/data/errors.h"
#include "support/error_of.h"
#include "support/temp_dir.h"

namespace talmorek::checks {
namespace {

using talmorek::testing::errorOf;
using talmorek::testing::TempDir;

// A CISCHYB.RCD record made by hand: code, class mark, text (code page 1250).
std::string handRecord(std::uint32_t code, std::string_view mark, std::string_view text) {
    std::string r = talmorek::testing::blankRecord(72);
    talmorek::testing::putLe32(r, 0, code);
    talmorek::testing::putLenText(r, 4, mark);
    talmorek::testing::putLenText(r, 6, text);
    return r;
}

TEST(Catalogue, ReadsTheRecordsInFileOrder) {
    TempDir dir;
    // "Chybné KČ1" in code page 1250: é = E9, Č = C8.
    dir.write("CISCHYB.RCD", handRecord(3, "C", "Chybn\xE9 K\xC8" "1") + handRecord(91, "U", "Upozorn\xEC" "n\xED"));
    TCisChyb catalogue(dir.path());
    ASSERT_EQ(catalogue.entries().size(), 2u);
    EXPECT_EQ(catalogue.NajdiChybu(3), (TChybaInfo{3, "C", "Chybné KČ1"}));
    EXPECT_EQ(catalogue.NajdiChybu(91).ZkrText, "Upozornění");
}

TEST(Catalogue, FindsTheFileInAnyLetterCase) {
    TempDir dir;
    dir.write("cischyb.rcd", handRecord(4, "P", "text"));
    EXPECT_EQ(TCisChyb(dir.path()).NajdiChybu(4).ZkrText, "text");
}

// A catalogue without a message, or one of random bytes, would make every
// message of the checks "Chyba nenalezena" without saying why: it is refused
// when it is loaded, naming the file (and the record and field).
TEST(Catalogue, AnEmptyOrDamagedFileIsRefusedByName) {
    TempDir dir;
    dir.write("CISCHYB.RCD", "");
    if (const auto e = errorOf<data::EmptyFileError>([&] { TCisChyb catalogue(dir.path()); })) {
        EXPECT_EQ(e->file(), dir.file("CISCHYB.RCD"));
    }
    const struct {
        const char* name;
        TChybaInfo second;
        std::string bytesOfTheSecond;  // instead of the start of the encoded entry, when given
        const char* field;
    } cases[] = {
        {"code_zero", {0, "C", "Text"}, {}, "Chyba"},
        {"code_above_the_checks", {100, "C", "Text"}, {}, "Chyba"},
        {"random_bytes", {}, std::string("\x05\0\0\0\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 12), "TypChyby"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string second = encodeChybaInfo(c.second);
        if (!c.bytesOfTheSecond.empty()) second.replace(0, c.bytesOfTheSecond.size(), c.bytesOfTheSecond);
        dir.write("CISCHYB.RCD", encodeChybaInfo({4, "P", "Text"}) + second);
        if (const auto e = errorOf<data::DataError>([&] { TCisChyb catalogue(dir.path()); })) {
            EXPECT_EQ(e->file(), dir.file("CISCHYB.RCD"));
            EXPECT_EQ(e->record(), 1);
            EXPECT_EQ(e->field(), c.field);
        }
    }
}

TEST(Catalogue, ACodeTheCatalogueLacksIsChybaNenalezena) {
    TempDir dir;
    dir.write("CISCHYB.RCD", encodeChybaInfo({4, "P", "Text"}));
    TCisChyb catalogue(dir.path());
    const TChybaInfo missing = catalogue.NajdiChybu(5);
    EXPECT_EQ(missing.Chyba, -1);
    EXPECT_EQ(missing.TypChyby, "");
    EXPECT_EQ(missing.ZkrText, "Chyba nenalezena");
}

TEST(Catalogue, TheFirstRecordOfACodeWins) {
    TempDir dir;
    dir.write("CISCHYB.RCD", handRecord(16, "C", "first") + handRecord(16, "C", "second"));
    EXPECT_EQ(TCisChyb(dir.path()).NajdiChybu(16).ZkrText, "first");
}

TEST(Catalogue, AFileCutInsideARecordFails) {
    TempDir dir;
    dir.write("CISCHYB.RCD", handRecord(1, "C", "a") + handRecord(2, "C", "b").substr(0, 71));
    EXPECT_THROW(TCisChyb{dir.path()}, data::IoError);
}

TEST(Catalogue, AMissingFileFails) {
    TempDir dir;
    EXPECT_THROW(TCisChyb{dir.path()}, data::IoError);
}

TEST(Catalogue, EncodingRoundTrips) {
    const TChybaInfo info{98, "U", "Neobvyklé využití přednostních hlasů"};
    const auto bytes = encodeChybaInfo(info);
    EXPECT_EQ(bytes.size(), 72u);
    EXPECT_EQ(decodeChybaInfo(bytes), info);
}

TEST(Catalogue, TheShippedTextsCoverEveryCodeTheRulesReport) {
    TCisChyb catalogue(std::vector<TChybaInfo>(catalogueTexts().begin(), catalogueTexts().end()));
    for (int code : {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23,
                     24, 39, 41, 42, 62, 63, 64, 66, 67, 68, 69, 70, 72, 76, 77, 91, 92, 93, 94, 95, 96, 97, 98}) {
        EXPECT_EQ(catalogue.NajdiChybu(code).Chyba, code);
    }
}

}  // namespace
}  // namespace talmorek::checks
