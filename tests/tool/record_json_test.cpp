#include "tool/record_json.h"

#include <gtest/gtest.h>

#include "core/export/widest_record.h"
#include "support/installation.h"

namespace talmorek::tool {
namespace {

using Json = nlohmann::ordered_json;

// Every block of the record, field by field.
void expectSameRecord(const record::RecordOfVote& a, const record::RecordOfVote& b) {
    EXPECT_EQ(a.T4, b.T4);
    for (int n = 1; n <= record::kPartySlots; ++n) EXPECT_EQ(a.party(n), b.party(n)) << "T4P " << n;
    EXPECT_EQ(a.TS, b.TS);
    EXPECT_EQ(a.hlasovani, b.hlasovani);
    EXPECT_EQ(a.komise, b.komise);
}

// The message of the refusal of `text`, or "" when it was accepted.
std::string refusal(const std::string& text) {
    try {
        parseRecordJson(text);
    } catch (const RecordJsonError& e) {
        return e.what();
    }
    return "";
}

TEST(RecordJson, AnEmptyObjectIsAClearedRecord) {
    record::RecordOfVote r = parseRecordJson("{}");
    EXPECT_EQ(r.T4, record::TT4{});
    EXPECT_EQ(r.T4.Typ, 1);
    EXPECT_EQ(r.T4.ZakrStrany, std::string(60, '0'));
    EXPECT_EQ(r.TS.Typ, 3);
    for (int n = 1; n <= record::kPartySlots; ++n) EXPECT_EQ(r.party(n), record::TT4P{});
    EXPECT_EQ(r.hlasovani, data::Hlasovani{});
    EXPECT_TRUE(r.komise.empty());
}

TEST(RecordJson, ReadsTheFieldsGiven) {
    record::RecordOfVote r = parseRecordJson(R"({
        "T4": {"Obec": 554782, "Okrsek": 3, "RegKod": 3201, "VydObalky": 530,
               "ZakrStrany": "000000100000000000000000000000000000000000000000000000000000"},
        "T4P": {"7": {"PocHlasu": 120, "PrefHlasy": [15, 0, 40, 0, 0, 0, 0, 0, 0, 0, 0, 2,
                                                     0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                     0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 65535]}},
        "TS": {"SeznamChyb": "1604", "Rezerva": 2021, "Celkem": 123456789012},
        "Hlasovani": {"ClenuOVKC": "7", "Zapisovat": "Jana Nováková"},
        "Komise": ["Karel Dvořák", "Eva Malá"]
    })");
    EXPECT_EQ(r.T4.Obec, 554782);
    EXPECT_EQ(r.T4.VydObalky, 530);
    EXPECT_TRUE(r.isFlagged(7));
    EXPECT_EQ(r.party(7).Typ, 2) << "a given annex is of kind 2 unless it says otherwise";
    EXPECT_EQ(r.party(7).PocHlasu, 120);
    EXPECT_EQ(r.party(7).pref(12), 2);
    EXPECT_EQ(r.party(7).pref(36), 65535);
    EXPECT_EQ(r.party(6), record::TT4P{});
    EXPECT_EQ(r.TS.Typ, 3);
    EXPECT_EQ(r.TS.SeznamChyb, "1604");
    EXPECT_EQ(r.TS.Rezerva, 2021);
    EXPECT_EQ(r.TS.Celkem, 123456789012);
    EXPECT_EQ(r.hlasovani.Zapisovat, "Jana Nováková");
    ASSERT_EQ(r.komise.size(), 2u);
    EXPECT_EQ(r.komise[1].clen, "Eva Malá");
}

TEST(RecordJson, AnAnnexMayStateItsOwnKind) {
    EXPECT_EQ(parseRecordJson(R"({"T4P": {"7": {"Typ": 0}}})").party(7).Typ, 0);
}

TEST(RecordJson, WritingAndReadingGiveTheSameRecord) {
    data::PartyList parties;
    parties.length = 3;
    parties.entries[1] = {"1", "A", "36"};
    parties.entries[2] = {"2", "B", "20"};
    parties.entries[3] = {"7", "C", "36"};
    record::RecordOfVote r = testing::cleanRecord(parties);
    r.TS.RezervaA1 = "x";
    r.TS.RezervaB5 = -5;
    r.TS.RezervaD2 = 9007199254740993;  // more than a double holds exactly
    r.party(40).KC3 = 1;  // not flagged but not empty either
    r.hlasovani.DuvodPrer = "Výpadek proudu";
    const Json json = recordToJson(r);
    expectSameRecord(recordFromJson(json), r);
    expectSameRecord(parseRecordJson(json.dump()), r);
    EXPECT_EQ(json["T4P"].size(), 4u) << "parties 1, 2, 7 and the non-empty 40";
    EXPECT_EQ(json["T4P"]["7"]["PrefHlasy"].size(), 36u);
}

TEST(RecordJson, EveryFieldAtItsWidestComesBack) {
    record::RecordOfVote r = testing::widestRecord();
    r.party(99) = testing::widestParty(99);  // an annex beyond the flags is written too
    for (const auto& f : data::hlaso::kFields) r.hlasovani.*f.member = testing::czechLetters(f.layout.capacity);
    r.komise = {{testing::czechLetters(50)}, {testing::czechLetters(50, 1)}};
    expectSameRecord(parseRecordJson(recordToJson(r).dump()), r);
}

TEST(RecordJson, WritesTheFieldsInTheOrderOfTheForm) {
    const Json json = recordToJson(parseRecordJson("{}"));
    std::vector<std::string> blocks, t4;
    for (const auto& item : json.items()) blocks.push_back(item.key());
    for (const auto& item : json["T4"].items()) t4.push_back(item.key());
    EXPECT_EQ(blocks, (std::vector<std::string>{"T4", "T4P", "TS", "Hlasovani", "Komise"}));
    EXPECT_EQ(t4.front(), "Typ");
    EXPECT_EQ(t4.back(), "ZakrStrany");
    EXPECT_EQ(json["Hlasovani"].size(), 29u);
    EXPECT_EQ(json["TS"].size(), 35u);
}

struct RefusalCase {
    const char* name;
    const char* json;
    const char* mentions;
};

const RefusalCase kRefusals[] = {
    {"notJson", "{\"T4\": ", "není platný JSON"},
    {"topLevelArray", "[]", "objekt"},
    {"unknownBlock", R"({"T5": {}})", "T5"},
    {"unknownField", R"({"T4": {"Foo": 1}})", "T4.Foo"},
    {"blockNotObject", R"({"TS": 3})", "TS"},
    {"textForNumber", R"({"T4": {"VydObalky": "530"}})", "T4.VydObalky"},
    {"fraction", R"({"T4": {"VydObalky": 5.5}})", "T4.VydObalky"},
    {"wholeFraction", R"({"T4": {"VydObalky": 5.0}})", "T4.VydObalky"},
    {"null", R"({"T4": {"VydObalky": null}})", "T4.VydObalky"},
    {"boolean", R"({"T4": {"Oprava": true}})", "T4.Oprava"},
    {"above16Bits", R"({"T4": {"VydObalky": 65536}})", "0..65535"},
    {"negativeCount", R"({"T4": {"PlatneHlasy": -1}})", "T4.PlatneHlasy"},
    {"above32Bits", R"({"T4": {"Obec": 2147483648}})", "-2147483648..2147483647"},
    {"above64Bits", R"({"TS": {"Celkem": 9223372036854775808}})", "TS.Celkem"},
    {"shortFlags", R"({"T4": {"ZakrStrany": "0"}})", "T4.ZakrStrany"},
    {"numberForText", R"({"TS": {"Datum": 20211009}})", "TS.Datum"},
    {"longText", R"({"TS": {"Cas": "1430050"}})", "TS.Cas"},
    {"longList", R"({"TS": {"SeznamChyb": "010203040506070809101112131415161718192021222324252"}})",
     "TS.SeznamChyb"},
    {"annexKeyZero", R"({"T4P": {"0": {}}})", "\"0\""},
    {"annexKey100", R"({"T4P": {"100": {}}})", "\"100\""},
    {"annexKeyLeadingZero", R"({"T4P": {"07": {}}})", "\"07\""},
    {"annexKeyName", R"({"T4P": {"x": {}}})", "\"x\""},
    {"annexUnknownField", R"({"T4P": {"7": {"Hlasy": 1}}})", "T4P.7.Hlasy"},
    {"shortPreferences", R"({"T4P": {"7": {"PrefHlasy": [1, 2]}}})", "T4P.7.PrefHlasy"},
    {"preferenceOutOfRange",
     R"({"T4P": {"7": {"PrefHlasy": [0,0,70000,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0]}}})",
     "T4P.7.PrefHlasy[3]"},
    {"unknownCourseField", R"({"Hlasovani": {"Zahajeno3": "7:00"}})", "Hlasovani.Zahajeno3"},
    {"courseTextTooLong", R"({"Hlasovani": {"ClenuOVKC": "123"}})", "Hlasovani.ClenuOVKC"},
    {"commissionNotList", R"({"Komise": "Karel"})", "Komise"},
    {"commissionNumber", R"({"Komise": ["Karel", 5]})", "Komise[2]"},
    // A flag that is a character, not "0" or "1", would shift or hide annexes.
    {"flagNotDigit", R"({"T4": {"ZakrStrany": "00000000000000000000000000000000000000000000000000000000000č"}})",
     "T4.ZakrStrany smí obsahovat jen znaky 0 a 1 (znak 60)"},
    {"flagBlank", R"({"T4": {"ZakrStrany": "0 0000000000000000000000000000000000000000000000000000000000"}})",
     "(znak 2)"},
    // The files hold code page 1250: what it cannot hold would come back as "?".
    {"textOutsideCodePage", R"({"TS": {"SeznamChyb": "€ ok, but ☃ not"}})", "TS.SeznamChyb obsahuje znak"},
    {"courseOutsideCodePage", R"({"Hlasovani": {"Zapisovat": "Jana 日本"}})", "Hlasovani.Zapisovat"},
    {"commissionOutsideCodePage", R"({"Komise": ["Karel ☃"]})", "Komise[1]"},
    // A number beyond every type is the reader's refusal, not a library's failure.
    {"numberBeyondEveryType", R"({"T4": {"VydObalky": 9e997}})", "není platný JSON"},
    {"numberBeyondEveryTypeAlone", "9e997", "není platný JSON"},
};

class Refusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(Refusal, NamesWhatIsWrong) {
    const std::string message = refusal(GetParam().json);
    ASSERT_FALSE(message.empty()) << "accepted";
    EXPECT_NE(message.find(GetParam().mentions), std::string::npos) << message;
}

INSTANTIATE_TEST_SUITE_P(RecordJson, Refusal, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RecordJson, TextLimitsCountCharactersNotBytes) {
    EXPECT_EQ(refusal(R"({"Hlasovani": {"ClenuOVKC": "čř"}})"), "");
}

TEST(RecordJson, AcceptsEveryFieldItWrites) {
    record::RecordOfVote r;
    r.ClearResults();
    r.MarkParty(60, true);
    const Json json = recordToJson(r);
    EXPECT_NO_THROW(recordFromJson(json));
    EXPECT_EQ(json["T4P"].size(), 1u);
}

}  // namespace
}  // namespace talmorek::tool
