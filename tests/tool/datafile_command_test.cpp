// The data file commands write what the program's save writes and read it
// back in the record JSON of the check command, so the two can be chained.

#include <gtest/gtest.h>

#include "export/export_fingerprint.h"

#include <nlohmann/json.hpp>
#include <sstream>

#include "support/temp_dir.h"
#include "tool/commands.h"

namespace talmorek::tool {
namespace {

using testing::TempDir;

struct Outcome {
    int code;
    std::string out, err;
};

Outcome call(const Args& argv) {
    std::ostringstream out, err;
    int code = runTool(argv, out, err);
    return {code, out.str(), err.str()};
}

constexpr const char* kRecord = R"({
  "T4": {"RegKod": 3203, "Obec": 532053, "Okrsek": 1, "KC1": 0, "ZapsOsoby": 812, "VydObalky": 530,
         "OdevzdObalky": 528, "PlatneHlasy": 521, "KC2": 2391,
         "ZakrStrany": "001000100000000000000000000000000000000000000000000000000000"},
  "T4P": {"3": {"RegKod": 3203, "Obec": 532053, "Okrsek": 1, "KStrana": 3, "PocHlasu": 400,
                "PrefHlasy": [15,0,40,0,0,0,0,0,0,0,0,2,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0]},
          "7": {"RegKod": 3203, "Obec": 532053, "Okrsek": 1, "KStrana": 7, "PocHlasu": 121,
                "PrefHlasy": [10,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0]}},
  "Hlasovani": {"ClenuOVKC": "5", "ClenuOVKP": "3", "Zapisovat": "Jana Malá", "PoverPred": "Petr Velký"},
  "Komise": ["Eva Nová", "Karel Starý"]
})";

TEST(Datafile, WriteThenCheckTheSavedDataThenShowAndFeedBack) {
    TempDir dir;
    ASSERT_EQ(call({"init-demo", dir.path()}).code, 0);
    EXPECT_EQ(call({"check", dir.path()}).err, "Data nejsou pořízena!!!\n");
    dir.write("rec.json", kRecord);

    Outcome w = call({"datafile", "write", dir.path(), "--record", dir.file("rec.json"), "--letter", "O",
                      "--recompute", "--now", "2021-10-09T14:30:00", "--seed", "7"});
    ASSERT_EQ(w.code, 0) << w.err;
    EXPECT_TRUE(dir.exists("data/OP532053.00001"));
    EXPECT_EQ(dir.read("data/KOMISE.RCD").size(), 2u * 51u);

    Outcome saved = call({"check", dir.path()});
    EXPECT_EQ(saved.code, 0) << saved.out << saved.err;  // only the registered-voters warning
    EXPECT_NE(saved.out.find("96 - "), std::string::npos) << saved.out;

    Outcome shown = call({"datafile", "show", dir.file("data/OP532053.00001"), "--json"});
    ASSERT_EQ(shown.code, 0) << shown.err;
    auto json = nlohmann::json::parse(shown.out);
    EXPECT_EQ(json["T4P"]["3"]["KC3"], 159);
    EXPECT_EQ(json["TS"]["Datum"], "20211009");
    dir.write("back.json", shown.out);
    EXPECT_EQ(call({"check", dir.path(), "--record", dir.file("back.json")}).code, 1);  // no commission in it

    Outcome text = call({"datafile", "show", dir.file("data/OP532053.00001")});
    EXPECT_NE(text.out.find("Strana 3: hlasy 400"), std::string::npos) << text.out;
    const std::string fingerprint = exporting::exportFingerprint(dir.read("data/OP532053.00001"));
    EXPECT_EQ(fingerprint.size(), 19u);
    EXPECT_NE(text.out.find("\nOtisk souboru: " + fingerprint + "\n"), std::string::npos) << text.out;
}

TEST(Datafile, WriteLeavesTheFileOfItsLetterOnly) {
    TempDir dir;
    ASSERT_EQ(call({"init-demo", dir.path()}).code, 0);
    dir.write("rec.json", kRecord);
    for (const char* letter : {"O", "E", "O"}) {
        SCOPED_TRACE(letter);
        Outcome w = call({"datafile", "write", dir.path(), "--record", dir.file("rec.json"), "--letter", letter});
        ASSERT_EQ(w.code, 0) << w.err;
        const std::string written = std::string(letter) + "P532053.00001";
        const std::string other = std::string(letter) == "E" ? "OP532053.00001" : "EP532053.00001";
        EXPECT_EQ(w.out, dir.file("data/" + written) + "\n");
        EXPECT_TRUE(dir.exists("data/" + written));
        EXPECT_FALSE(dir.exists("data/" + other));
    }
}

TEST(Datafile, DamagedFileOrBadArgumentsExitTwoWithoutWriting) {
    TempDir dir;
    ASSERT_EQ(call({"init-demo", dir.path()}).code, 0);
    dir.write("data/EP532053.00001", "not a package at all!");
    Outcome damaged = call({"datafile", "show", dir.file("data/EP532053.00001")});
    EXPECT_EQ(damaged.code, 2);
    EXPECT_NE(damaged.err.find("EP532053.00001"), std::string::npos) << damaged.err;
    EXPECT_EQ(call({"check", dir.path()}).code, 2);
    EXPECT_EQ(dir.read("data/EP532053.00001"), "not a package at all!");

    dir.write("rec.json", kRecord);
    EXPECT_EQ(call({"datafile", "write", dir.path(), "--record", dir.file("rec.json"), "--letter", "X"}).code, 2);
    EXPECT_EQ(call({"datafile", "write", dir.path(), "--record", dir.file("rec.json")}).code, 2);
    EXPECT_EQ(call({"datafile", "write", dir.path(), "--record", dir.file("rec.json"), "--letter", "O", "--letter",
                    "o"}).code,
              2);
    EXPECT_FALSE(dir.exists("data/OP532053.00001"));
}

}  // namespace
}  // namespace talmorek::tool
