#include "core/checks/protocol.h"

#include <gtest/gtest.h>

namespace talmorek::checks {
namespace {

using Findings = std::vector<TChyba>;

class Protocol : public ::testing::Test {
protected:
    TCisChyb catalogue{std::vector<TChybaInfo>{{4, "P", "Nula osob"}, {18, "C", "Mnoho hlasů"}}};
    TChybProt protocol{catalogue};
};

TEST(ProtocolKey, PadsPartyAndCodeToTwoCharacters) {
    EXPECT_EQ((TChyba{0, 4, ""}).AsString(), " 0 4");
    EXPECT_EQ((TChyba{12, 18, "(kand. č. 3)"}).AsString(), "1218(kand. č. 3)");
    EXPECT_EQ((TChyba{100, 4, ""}).AsString(), "100 4");
}

TEST_F(Protocol, KeepsThePrecinctFirstThenPartiesThenCodesThenDetails) {
    protocol.PridejChybu(0, 16);
    protocol.PridejChybu(3, 15);
    protocol.PridejChybu(0, 4);
    protocol.PridejChybu(12, 18, "(kand. č. 2)");
    protocol.PridejChybu(12, 18, "(kand. č. 10)");
    EXPECT_EQ(protocol.findings(),
              (Findings{{0, 4, ""}, {0, 16, ""}, {3, 15, ""}, {12, 18, "(kand. č. 10)"}, {12, 18, "(kand. č. 2)"}}));
}

TEST_F(Protocol, AFindingAddedTwiceStandsTwiceTheNewerFirst) {
    protocol.PridejChybu(0, 72);
    protocol.PridejChybu(0, 72);
    protocol.PridejChybu(0, 72, "");
    EXPECT_EQ(protocol.Count(), 3u);
    EXPECT_EQ(protocol.findings(), (Findings{{0, 72, ""}, {0, 72, ""}, {0, 72, ""}}));
}

TEST_F(Protocol, WithinAPartyCodeFourSortsBeforeSixteen) {
    protocol.PridejChybu(5, 16);
    protocol.PridejChybu(5, 4);
    EXPECT_EQ(protocol.VratChybu(0).Chyba, 4);
}

TEST_F(Protocol, TextsComeFromTheCatalogue) {
    protocol.PridejChybu(0, 4);
    protocol.PridejChybu(7, 18, "(kand. č. 3)");
    protocol.PridejChybu(7, 99);
    EXPECT_EQ(protocol.VratHlasku(0), "Nula osob");
    EXPECT_EQ(protocol.VratHlaskuParam(0), "Nula osob ") << "the space stands also without a detail";
    EXPECT_EQ(protocol.VratHlaskuParam(1), "Mnoho hlasů (kand. č. 3)");
    EXPECT_EQ(protocol.VratHlasku(2), "Chyba nenalezena");
}

TEST_F(Protocol, CutsADetailTo200Characters) {
    protocol.PridejChybu(0, 39, std::string(150, 'a') + std::string(100, 'b'));
    protocol.PridejChybu(0, 40, std::string(199, 'a') + "čř");  // counted in characters, not bytes
    EXPECT_EQ(protocol.VratChybu(0).Param, std::string(150, 'a') + std::string(50, 'b'));
    EXPECT_EQ(protocol.VratChybu(1).Param, std::string(199, 'a') + "č");
}

TEST_F(Protocol, ClearEmptiesIt) {
    protocol.PridejChybu(0, 4);
    protocol.Clear();
    EXPECT_EQ(protocol.Count(), 0u);
    EXPECT_THROW(protocol.VratChybu(0), std::out_of_range);
}

}  // namespace
}  // namespace talmorek::checks
