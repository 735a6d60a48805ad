// The menu commands as the commission chooses them in the main window: F3
// and cancelling the data in every state the data can be in.
#include <gtest/gtest.h>

#include <ostream>

#include <QAction>
#include <QTimer>

#include "core/data/station.h"
#include "shell_fixtures.h"
#include "support/installation.h"

namespace talmorek::gui::testing {
namespace {

const std::string kE = "data/EP554782.00003";
const std::string kO = "data/OP554782.00003";
const std::string kAskCancel = "questionDefaultNo|Rušení dat|Opravdu chcete zrušit pořízená data?";

class CommandsTest : public StartedProgram {
protected:
};

TEST_F(CommandsTest, F3OnAFreshInstallationRefuses) {
    start();
    window().workflow().state().DataOK = true;
    choose("Kontroly_MI");
    EXPECT_EQ(inst.prompts.calls, (std::vector<std::string>{"exclamation|Kontrola dat|Data nejsou pořízena!!!"}));
    EXPECT_FALSE(window().workflow().state().DataOK);
    EXPECT_TRUE(inst.printJobs.calls.empty());
    EXPECT_FALSE(inst.dir.exists(kE));
    EXPECT_FALSE(inst.dir.exists(kO));
}

TEST_F(CommandsTest, F3OnDataWithErrorsLeavesTheEFile) {
    inst.writeData(talmorek::testing::recordWithErrors(inst.parties()), exporting::DataLetter::O);  // saved as checked, but it is not clean
    start();
    choose("Kontroly_MI");
    EXPECT_TRUE(inst.prompts.calls.empty()) << inst.prompts.calls[0];
    EXPECT_EQ(inst.printJobs.jobs(), (std::vector<std::string>{"protocolOfChecks"}));
    EXPECT_TRUE(inst.dir.exists(kE));
    EXPECT_FALSE(inst.dir.exists(kO));
    const auto& state = window().workflow().state();
    EXPECT_FALSE(state.KontrolyOK);
    EXPECT_FALSE(state.ExportOK);
    EXPECT_TRUE(state.DataOK);
    EXPECT_EQ(stav(), "N");
}

TEST_F(CommandsTest, F3OnCleanDataWithWarningsOnlyLeavesTheOFile) {
    inst.writeData(talmorek::testing::recordWithWarningsOnly(inst.parties()), exporting::DataLetter::E);
    start();
    choose("Kontroly_MI");
    EXPECT_TRUE(inst.prompts.calls.empty()) << inst.prompts.calls[0];
    EXPECT_EQ(inst.printJobs.jobs(), (std::vector<std::string>{"protocolOfChecks"}));
    EXPECT_TRUE(inst.dir.exists(kO));
    EXPECT_FALSE(inst.dir.exists(kE));
    const auto& state = window().workflow().state();
    EXPECT_TRUE(state.KontrolyOK);
    EXPECT_TRUE(state.ExportOK);
    // The warning was found, and nothing else: the protocol lists it.
    ASSERT_EQ(inst.printJobs.calls.size(), 1u);
    EXPECT_EQ(inst.printJobs.calls[0].codes, std::vector<int>{97});
}

TEST_F(CommandsTest, F3OnExportedDataAnsweredNoChangesNothing) {
    inst.writeData(talmorek::testing::recordWithWarningsOnly(inst.parties()), exporting::DataLetter::O);
    data::TStanice station = data::NactiStanici(inst.dir.path());
    data::ZapisStavStanice(inst.dir.path(), "A", station);
    const std::string dataBefore = inst.dir.read(kO);
    const std::string stationBefore = inst.dir.read("STANICE.RCD");
    start();
    inst.prompts.answers = {false};
    choose("Kontroly_MI");
    ASSERT_EQ(inst.prompts.calls.size(), 1u);
    EXPECT_EQ(inst.prompts.calls[0],
              "questionDefaultNo|Vstup dat za okrsek|Data okrsku byla již vyexportována.\rV případě opakovaných kontrol "
              "budete muset zopakovat export dat i tisk zápisu.\rChcete opravdu znovu zkontrolovat data?");
    EXPECT_TRUE(inst.printJobs.calls.empty());
    EXPECT_EQ(inst.dir.read(kO), dataBefore);
    EXPECT_FALSE(inst.dir.exists(kE));
    EXPECT_EQ(inst.dir.read("STANICE.RCD"), stationBefore);
    EXPECT_FALSE(window().workflow().state().KontrolyOK);
}

TEST_F(CommandsTest, F3OnADamagedDataFileTellsWhichFileAndGoesOn) {
    inst.dir.write(kE, "not a package at all!");
    start();
    choose("Kontroly_MI");
    ASSERT_EQ(inst.prompts.calls.size(), 1u);
    EXPECT_EQ(inst.prompts.calls[0].rfind("failure|", 0), 0u) << inst.prompts.calls[0];
    EXPECT_NE(inst.prompts.calls[0].find("EP554782.00003"), std::string::npos) << inst.prompts.calls[0];
    EXPECT_EQ(inst.dir.read(kE), "not a package at all!");  // nothing overwritten
    EXPECT_FALSE(window().workflow().state().KontrolyOK);
    EXPECT_TRUE(window().isVisible());
    // The program goes on: the next command works as usual.
    inst.prompts.answers = {false};
    choose("ZrusitData_MI");
    EXPECT_EQ(inst.prompts.calls.back(), kAskCancel);
}

struct CancelCase {
    const char* name;
    const char* fileLetter;  // the data file present, or null
    bool answer;             // to "Opravdu chcete zrušit pořízená data?"
    std::vector<std::string> calls;
    bool fileRemains;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const CancelCase& c, std::ostream* os) { *os << c.name; }


const std::string kAsk = kAskCancel;

class CancellingData : public CommandsTest, public ::testing::WithParamInterface<CancelCase> {};

TEST_P(CancellingData, DeletesOnlyTheDataFileAfterYes) {
    const CancelCase& c = GetParam();
    const std::string file = c.fileLetter ? (std::string(c.fileLetter) == "E" ? kE : kO) : std::string();
    if (c.fileLetter) inst.writeData(talmorek::testing::recordWithWarningsOnly(inst.parties()),
                                  *c.fileLetter == 'E' ? exporting::DataLetter::E : exporting::DataLetter::O);
    const std::string hlaso = inst.dir.read("data/HLASO.RCD");
    const std::string komise = inst.dir.read("data/KOMISE.RCD");
    start();
    inst.prompts.answers = {c.answer};
    choose("ZrusitData_MI");
    EXPECT_EQ(inst.prompts.calls, c.calls);
    if (c.fileLetter) {
        EXPECT_EQ(inst.dir.exists(file), c.fileRemains);
    }
    // The course of voting and the commission stay.
    EXPECT_EQ(inst.dir.read("data/HLASO.RCD"), hlaso);
    EXPECT_EQ(inst.dir.read("data/KOMISE.RCD"), komise);
}

INSTANTIATE_TEST_SUITE_P(
    States, CancellingData,
    ::testing::Values(
        CancelCase{"noData", nullptr, true, {"information|Rušení dat|Data nejsou pořízena!"}, false},
        CancelCase{"eFileYes", "E", true, {kAsk, "information|Rušení dat|Data jsou zrušena."}, false},
        CancelCase{"oFileYes", "O", true, {kAsk, "information|Rušení dat|Data jsou zrušena."}, false},
        CancelCase{"eFileNo", "E", false, {kAsk}, true},
        CancelCase{"oFileNo", "O", false, {kAsk}, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommandsTest, PrintingItemsReachTheirJobs) {
    start();
    choose("Scitaciarch_MI");
    choose("VyberTiskarny_MI");
    choose("ZkusebniTisk_MI");
    EXPECT_EQ(inst.printJobs.jobs(), (std::vector<std::string>{"tallySheet", "selectPrinter", "testPage"}));
    ASSERT_EQ(inst.prompts.calls.size(), 1u);
    EXPECT_EQ(inst.prompts.calls[0].rfind("info|Sčítací arch|Tisk pomocného sčítacího archu obsahuje tabulky pro 5 stran.|",
                                          0),
              0u)
        << inst.prompts.calls[0];
}

}  // namespace
}  // namespace talmorek::gui::testing
