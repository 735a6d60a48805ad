// What the main window's status line and menu show about the station.

#include "core/workflow/station_display.h"

#include <gtest/gtest.h>

#include "core/data/cp1250.h"

namespace talmorek::workflow {
namespace {

data::TStanice stationOf(std::string kodObce, std::int32_t okrsek, std::string nazevObce, std::string cisloKraje,
                         std::string nazevKraje) {
    data::TStanice s;
    s.KodObce = std::move(kodObce);
    s.CisloOkrsku = okrsek;
    s.NazevObce = std::move(nazevObce);
    s.CisloKraje = std::move(cisloKraje);
    s.NazevKraje = std::move(nazevKraje);
    return s;
}

struct LabelCase {
    const char* name;
    data::TStanice station;
    StatusLabels expected;
    bool bezHacku;
    const char* dates;
};

const LabelCase kCases[] = {
    {"ordinary_Kladno", stationOf("532053", 1, "Kladno", "2", "Středočeský"),
     {"Obec: 532053 - Kladno", "Okrsek: 1", "Volební kraj: 2 - Středočeský", false}, false, "08.10. - 09.10.2021"},
    {"special_Washington", stationOf("999997", 90, "Washington", "", ""),
     {"Obec: 999997", "Okrsek: 90 - Washington", "Volební kraj:  - ", true}, true, "07.10. - 08.10.2021"},
    {"special_outsideTheEarlyDays", stationOf("999997", 12, "Ottawa", "", ""),
     {"Obec: 999997", "Okrsek: 12 - Ottawa", "Volební kraj:  - ", true}, true, "08.10. - 09.10.2021"},
    {"regionTrimmedOfBlanks", stationOf("554782", 3, "Testov", "9", "  Pardubický kraj   "),
     {"Obec: 554782 - Testov", "Okrsek: 3", "Volební kraj: 9 - Pardubický kraj", false}, false,
     "08.10. - 09.10.2021"},
    {"nameOf40CharactersCutAt55", stationOf("500011", 7, "Částečně Dlouhé Jméno Obce Nad Řekou Ohř", "14", "Kraj"),
     {"Obec: 500011 - Částečně Dlouhé Jméno Obce Nad Řekou Ohř", "Okrsek: 7", "Volební kraj: 14 - Kraj", false},
     false, "08.10. - 09.10.2021"},
};

class StatusLine : public ::testing::TestWithParam<LabelCase> {};

TEST_P(StatusLine, ShowsTheStation) {
    const LabelCase& c = GetParam();
    const StatusLabels labels = statusLabels(c.station);
    EXPECT_EQ(labels.obec, c.expected.obec);
    EXPECT_EQ(labels.okrsek, c.expected.okrsek);
    EXPECT_EQ(labels.kraj, c.expected.kraj);
    EXPECT_EQ(labels.wideOkrsek, c.expected.wideOkrsek);
    EXPECT_EQ(bezHackuEnabled(c.station), c.bezHacku);
    EXPECT_EQ(electionDatesText(c.station), c.dates);
}

INSTANTIATE_TEST_SUITE_P(Stations, StatusLine, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StatusLine, AFortyCharacterNameFillsExactlyFiftyFiveCharacters) {
    const std::string name = "Částečně Dlouhé Jméno Obce Nad Řekou Ohř";
    ASSERT_EQ(data::utf8Length(name), 40u);
    EXPECT_EQ(data::utf8Length(statusLabels(stationOf("500011", 7, name, "1", "K")).obec), 55u);
}

TEST(StatusLine, ALongerNameIsCutByCharactersNotBytes) {
    // Stored names never exceed 40 characters; a longer text still ends at
    // 55 characters with no broken letter.
    const std::string name = "Žluťoučký kůň úpěl ďábelské ódy, Žluťoučký kůň úpěl";
    const std::string label = statusLabels(stationOf("500011", 7, name, "1", "K")).obec;
    EXPECT_EQ(data::utf8Length(label), 55u);
    EXPECT_EQ(label, "Obec: 500011 - Žluťoučký kůň úpěl ďábelské ódy, Žluťouč");
}

TEST(MainWindow, Caption) {
    EXPECT_STREQ(kMainWindowCaption, "Volby do Poslanecké sněmovny Parlamentu ČR - pořízení dat okrskovými komisemi");
}

}  // namespace
}  // namespace talmorek::workflow
