// The commands that print without entered data, "bez háčků", the entry
// command's question and the closing question.

#include <gtest/gtest.h>

#include "core/workflow/workflow_fixture.h"
#include "core/data/errors.h"

namespace talmorek::testing {
namespace {

using Messages = std::vector<Message>;

constexpr const char* kTallyBody =
    "Pokud chcete tisknout jen vybrané stránky,\rjejich výběr provedete zadáním jejich rozsahu\r(pozor - číslo "
    "stránky neodpovídá číslu strany)\rv Nastavení tiskárny (ikonka s tiskárnou)\rv preview tisku a potvrdíte "
    "tlačítkem OK.\rVlastní tisk provedete stisknutím tlačítka Tisk.";

class PrintCommands : public WorkflowTest {
protected:
    PrintCommands() { EXPECT_TRUE(workflow.start()); }
};

// A station of precinct 90 abroad.
class SpecialPrecinct : public WorkflowTest {
protected:
    SpecialPrecinct() {
        data::TStanice s = station("999997", 90);
        s.NazevObce = "Washington";
        writeStation(s);
        EXPECT_TRUE(workflow.start());
    }
};

TEST_F(PrintCommands, TheTallySheetTellsHowManyTablesItHoldsAndThenRuns) {
    workflow.Scitaciarch_MIClick();
    EXPECT_EQ(messages(), (Messages{{"infoDialog", "Tisk pomocného sčítacího archu obsahuje tabulky pro 5 stran.",
                                     "Sčítací arch", kTallyBody}}));
    ASSERT_EQ(printJobs.jobs(), std::vector<std::string>{"tallySheet"});
    EXPECT_EQ(printJobs.calls[0].parties, 5);
    EXPECT_TRUE(printJobs.calls[0].sDiakritikou);
}

TEST_F(PrintCommands, TheTallySheetNeedsNoDataAndChangesNoState) {
    const workflow::ProcessingState before = workflow.state();
    workflow.Scitaciarch_MIClick();
    EXPECT_FALSE(has(DataLetter::E));
    EXPECT_FALSE(has(DataLetter::O));
    EXPECT_EQ(workflow.state().DataOK, before.DataOK);
    EXPECT_EQ(stationOnDisk().Stav, "N");
}

TEST_F(PrintCommands, AMissingPartyListEndsTheTallySheetCommand) {
    std::remove(dir.file("STRANY.RCD").c_str());
    workflow.Scitaciarch_MIClick();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].kind, "failure");
    EXPECT_EQ(messages()[0].title, "Sčítací arch");
    EXPECT_NE(messages()[0].text.find("STRANY.RCD"), std::string::npos) << messages()[0].text;
    EXPECT_TRUE(printJobs.calls.empty());
}

TEST_F(PrintCommands, ADamagedCandidateRegisterEndsTheTallySheetCommand) {
    dir.write("KANDIDAT.RCD", std::string(50, 'x'));  // less than one record
    workflow.Scitaciarch_MIClick();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].kind, "failure");
    EXPECT_TRUE(printJobs.calls.empty());
}

TEST_F(PrintCommands, BezHackuIsDisabledForAnOrdinaryPrecinct) {
    EXPECT_FALSE(workflow.bezHackuEnabled());
    workflow.BezHacku_MIClick();
    EXPECT_TRUE(workflow.sDiakritikou());
    EXPECT_FALSE(workflow.bezHackuChecked());
}

TEST_F(SpecialPrecinct, BezHackuTogglesTheDiacriticsOfEveryPrintJob) {
    EXPECT_TRUE(workflow.bezHackuEnabled());
    EXPECT_TRUE(workflow.sDiakritikou());
    workflow.BezHacku_MIClick();
    EXPECT_TRUE(workflow.bezHackuChecked());
    EXPECT_FALSE(workflow.sDiakritikou());
    workflow.ZkusebniTisk_MIClick();
    workflow.Scitaciarch_MIClick();
    workflow.BezHacku_MIClick();
    EXPECT_TRUE(workflow.sDiakritikou()) << "toggled twice: back to diacritics";
    workflow.ZkusebniTisk_MIClick();
    ASSERT_EQ(printJobs.jobs(), (std::vector<std::string>{"testPage", "tallySheet", "testPage"}));
    EXPECT_FALSE(printJobs.calls[0].sDiakritikou);
    EXPECT_FALSE(printJobs.calls[1].sDiakritikou);
    EXPECT_TRUE(printJobs.calls[2].sDiakritikou);
}

TEST_F(PrintCommands, TestPrintAndPrinterSelection) {
    workflow.VyberTiskarny_MIClick();
    workflow.ZkusebniTisk_MIClick();
    EXPECT_EQ(printJobs.jobs(), (std::vector<std::string>{"selectPrinter", "testPage"}));
    EXPECT_EQ(messages(), Messages{});
}

TEST_F(PrintCommands, APrintJobThatFailsIsReportedAndTheProgramGoesOn) {
    class FailingJobs : public RecordingPrintJobs {
        void testPage(const data::TStanice&, bool, const data::LocalDateTime&) override { throw data::IoError("PST.pdf", 28, "disk full"); }
    } failing;
    workflow::Workflow wf{data::Directories{dir.path(), dir.path(), dir.file("data/"), false}, prompts, failing,
                     exportDialogs, fixedClock()};
    ASSERT_TRUE(wf.start());
    wf.ZkusebniTisk_MIClick();
    EXPECT_EQ(messages(), (Messages{{"failure", "Na disku není dost místa pro soubor PST.pdf.", "Zkušební tisk", {}}}));
}

constexpr const char* kAskReopen =
    "Data okrsku byla již vyexportována.\rV případě znovuotevření dat budete muset zopakovat export dat i tisk "
    "zápisu.\rChcete opravdu znovu upravovat data?";

TEST_F(WorkflowTest, EntryOpensWithoutAQuestionBeforeTheExport) {
    ASSERT_TRUE(workflow.start());
    EXPECT_TRUE(workflow.PorizeniDat_MIClick());
    EXPECT_EQ(messages(), Messages{});
}

TEST_F(WorkflowTest, EntryOfExportedDataAsksFirst) {
    data::TStanice s = station();
    s.Stav = "A";
    writeStation(s);
    ASSERT_TRUE(workflow.start());
    prompts.answers = {false, true};
    EXPECT_FALSE(workflow.PorizeniDat_MIClick());
    EXPECT_TRUE(workflow.PorizeniDat_MIClick());
    EXPECT_EQ(messages(), (Messages{{"questionDefaultNo", kAskReopen, "Vstup dat za okrsek", {}},
                                    {"questionDefaultNo", kAskReopen, "Vstup dat za okrsek", {}}}));
    EXPECT_EQ(stationOnDisk().Stav, "A");
}

TEST_F(WorkflowTest, ClosingAsksForConfirmation) {
    prompts.answers = {false, true};
    EXPECT_FALSE(workflow.confirmClose());
    EXPECT_TRUE(workflow.confirmClose());
    EXPECT_EQ(messages().at(0), (Message{"question", "Opravdu ukončit program?", "Ukončení programu", {}}));
}

TEST_F(WorkflowTest, StartResetsTheStateOfTheRun) {
    ASSERT_TRUE(workflow.start());
    EXPECT_FALSE(workflow.state().KontrolyOK);
    EXPECT_FALSE(workflow.state().ExportOK);
    EXPECT_FALSE(workflow.state().DataOK);
    EXPECT_TRUE(workflow.sDiakritikou());
    ASSERT_NE(workflow.protocol(), nullptr);
    EXPECT_EQ(workflow.protocol()->Count(), 0u);
    EXPECT_EQ(workflow.station().KodObce, "554782");
}

}  // namespace
}  // namespace talmorek::testing
