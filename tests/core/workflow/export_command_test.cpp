// The export and print command (F4): its refusals, the checks it runs, the
// messages before export and what a completed export leaves behind.

#include <gtest/gtest.h>

#include "core/workflow/export_messages.h"
#include "core/workflow/workflow_fixture.h"
#include "core/data/errors.h"

namespace talmorek::testing {
namespace {

using Messages = std::vector<Message>;

const Message kAllowed{"infoDialog", "TISK ZÁPISU I EXPORT DAT POVOLEN.", "Export dat a tisk zápisu",
                       "Pro export na USB disk\rvložte (zapojte) technický nosič,\rna který chcete data "
                       "exportovat.\r\rPokud žádný nevložíte,\rbude umožněn jen export dat na pevný disk."};

class ExportCommand : public WorkflowTest {
protected:
    ExportCommand() { EXPECT_TRUE(workflow.start()); }
};

TEST_F(ExportCommand, AFreshInstallationHasNoDataToExport) {
    workflow.state().DataOK = true;
    workflow.ExportTisk_MIClick();
    EXPECT_EQ(messages(), (Messages{{"exclamation", "Data nejsou pořízena!", "Export dat", {}}}));
    EXPECT_FALSE(workflow.state().DataOK);
    EXPECT_EQ(exportDialogs.targetShown, 0);
}

TEST_F(ExportCommand, AnEFileIsRefusedWithoutRunningTheChecks) {
    save(cleanRecord(parties), DataLetter::E);
    workflow.state().DataOK = true;
    workflow.ExportTisk_MIClick();
    EXPECT_EQ(messages(), (Messages{{"exclamation",
                                     "Data obsahují chyby, nebo nebyly po editaci dat spuštěny kontroly!",
                                     "Export dat", {}}}));
    EXPECT_FALSE(workflow.state().DataOK);
    EXPECT_EQ(stationOnDisk().Stav, "N");
    EXPECT_TRUE(printJobs.calls.empty());
    EXPECT_EQ(exportDialogs.targetShown, 0);
}

TEST_F(ExportCommand, CleanDataAreCheckedQuietlyAndOfferedForExport) {
    save(cleanRecord(parties), DataLetter::O);
    const std::string before = dir.read(dataFile(DataLetter::O));
    workflow.ExportTisk_MIClick();
    EXPECT_EQ(messages(), Messages{kAllowed}) << "no passable error, no warning: nothing to tell";
    EXPECT_TRUE(printJobs.calls.empty()) << "no protocol printout for the export's checks";
    EXPECT_EQ(exportDialogs.targetShown, 1);
    EXPECT_EQ(dir.read(dataFile(DataLetter::O)), before) << "the export's checks do not rewrite the file";
    EXPECT_TRUE(workflow.state().KontrolyOK);
}

TEST_F(ExportCommand, ACancelledExportLeavesTheStationUnexportedAndPrintsNothing) {
    data::TStanice s = station();
    s.Stav = "A";
    writeStation(s);
    save(cleanRecord(parties), DataLetter::O);
    exportDialogs.exportDone = false;
    workflow.ExportTisk_MIClick();
    EXPECT_EQ(exportDialogs.targetShown, 1);
    EXPECT_EQ(exportDialogs.copiesShown, 0);
    EXPECT_FALSE(workflow.state().ExportProveden);
    EXPECT_EQ(stationOnDisk().Stav, "N") << "set by the export's checks";
    EXPECT_TRUE(printJobs.calls.empty());
}

TEST_F(ExportCommand, ACompletedExportMarksTheStationAndPrintsTheRecord) {
    const record::RecordOfVote clean = cleanRecord(parties);
    save(clean, DataLetter::O);
    exportDialogs.exportDone = true;
    exportDialogs.copies = 3;
    workflow.ExportTisk_MIClick();
    EXPECT_EQ(exportDialogs.stavWhenShown, "N");
    EXPECT_TRUE(workflow.state().ExportProveden);
    EXPECT_EQ(stationOnDisk().Stav, "A");
    EXPECT_EQ(workflow.station().Stav, "A");
    EXPECT_EQ(exportDialogs.copiesShown, 1);
    ASSERT_EQ(printJobs.jobs(), std::vector<std::string>{"recordOfVote"});
    EXPECT_EQ(printJobs.calls[0].copies, 3);
    EXPECT_FALSE(printJobs.calls[0].zvlastniOkrsek);
    EXPECT_TRUE(printJobs.calls[0].sDiakritikou);
    EXPECT_EQ(printJobs.calls[0].celkem, clean.TS.Celkem) << "the printed control total is the exported one";
    EXPECT_TRUE(has(DataLetter::O));
}

TEST_F(ExportCommand, DataThatNowFailTheChecksAreNeitherExportedNorPrinted) {
    save(withErrors(), DataLetter::O);  // e.g. checked against registers that have changed since
    workflow.ExportTisk_MIClick();
    EXPECT_EQ(messages(), (Messages{{"exclamation",
                                     "CHYBY V DATECH.\r\rNELZE VYTVOŘIT EXPORT DAT ANI VYTISKNOUT ZÁPIS!!!",
                                     "Export dat a tisk zápisu", {}}}));
    EXPECT_EQ(exportDialogs.targetShown, 0);
    EXPECT_TRUE(has(DataLetter::O)) << "the export's checks never rewrite the data file";
}

TEST_F(ExportCommand, WarningsAreAnnouncedBeforeTheExport) {
    save(warningsOnly(), DataLetter::O);
    workflow.ExportTisk_MIClick();
    EXPECT_EQ(messages(),
              (Messages{{"information",
                         "Data obsahují UPOZORNĚNÍ.\r\rNa přebíracím místě budete vyzváni k uvedení možné příčiny "
                         "zjištěných chyb a budete podepisovat protokol.",
                         "Export dat a tisk zápisu", {}},
                        kAllowed}));
    EXPECT_EQ(exportDialogs.targetShown, 1);
}

TEST_F(ExportCommand, PassableErrorsAreAnnouncedBeforeTheExport) {
    save(passableOnly(), DataLetter::O);
    workflow.ExportTisk_MIClick();
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[0].text,
              "Data obsahují PROPUSTITELNÉ CHYBY.\r\rNa přebíracím místě budete vyzváni k uvedení možné příčiny "
              "zjištěných chyb a budete podepisovat protokol.");
    EXPECT_EQ(messages()[1], kAllowed);
}

TEST_F(ExportCommand, RightAfterTheSaveTheChecksAreNotRunAgain) {
    save(cleanRecord(parties), DataLetter::E);
    // What the entry window's save runs, and hands on to the export.
    const workflow::CheckedRecord checked = workflow.Kontroly(checks::Vybrano::CheckCommandOrSave);
    ASSERT_TRUE(workflow.state().KontrolyOK);
    EXPECT_EQ(printJobs.jobs(), std::vector<std::string>{"protocolOfChecks"}) << "the save shows the protocol";
    save(cleanRecord(parties), DataLetter::O);
    std::remove(dir.file("data/HLASO.RCD").c_str());  // checks would fail now
    printJobs.calls.clear();

    workflow.ExportTisk(&checked);
    EXPECT_EQ(messages(), Messages{kAllowed});
    EXPECT_EQ(exportDialogs.targetShown, 1);
}

TEST_F(ExportCommand, AfterARestartTheChecksRunAgainBeforeTheExport) {
    save(cleanRecord(parties), DataLetter::O);
    std::remove(dir.file("data/HLASO.RCD").c_str());
    workflow.ExportTisk_MIClick();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].kind, "failure");
    EXPECT_EQ(messages()[0].title, "Export dat a tisk zápisu");
    EXPECT_NE(messages()[0].text.find("HLASO.RCD"), std::string::npos);
    EXPECT_EQ(exportDialogs.targetShown, 0);
    EXPECT_FALSE(workflow.state().ExportOK);
}

TEST_F(ExportCommand, AFailingExportCopyEndsTheCommandWithoutMarkingTheStation) {
    class FailingCopy : public ScriptedExportDialogs {
        bool exportTarget(const data::Directories&, const data::TStanice&) override {
            throw data::IoError("/media/E/OP554782.00003", 30, "read-only file system");
        }
    } failing;
    workflow::Workflow wf{data::Directories{dir.path(), dir.path(), dir.file("data/"), false}, prompts, printJobs,
                     failing, fixedClock()};
    ASSERT_TRUE(wf.start());
    save(cleanRecord(parties), DataLetter::O);
    wf.ExportTisk_MIClick();
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[1],
              (Message{"failure", "K souboru /media/E/OP554782.00003 není povolen přístup pro čtení a zápis.",
                       "Export dat a tisk zápisu", {}}));
    EXPECT_FALSE(wf.state().ExportProveden);
    EXPECT_EQ(stationOnDisk().Stav, "N");
    EXPECT_TRUE(printJobs.calls.empty());
}

TEST_F(WorkflowTest, AnExportThatDoesNotHappenEndsTheCommandAfterItsMessages) {
    ScriptedExportDialogs none;
    none.exportDone = false;
    workflow::Workflow wf{data::Directories{dir.path(), dir.path(), dir.file("data/"), false}, prompts, printJobs, none,
                     fixedClock()};
    ASSERT_TRUE(wf.start());
    save(cleanRecord(parties), DataLetter::O);
    wf.ExportTisk_MIClick();
    EXPECT_EQ(messages(), Messages{kAllowed});
    EXPECT_FALSE(wf.state().ExportProveden);
    EXPECT_EQ(stationOnDisk().Stav, "N");
    EXPECT_EQ(none.copiesShown, 0);
}

struct VerdictCase {
    const char* name;
    bool propustitelne;
    bool upozorneni;
    bool zvlastni;
    const char* message;
};

const VerdictCase kVerdicts[] = {
    {"passableAndWarnings_ordinary", true, true, false,
     "Data obsahují PROPUSTITELNÉ CHYBY a UPOZORNĚNÍ.\r\rNa přebíracím místě budete vyzváni k uvedení možné "
     "příčiny zjištěných chyb a budete podepisovat protokoly."},
    {"passableAndWarnings_special", true, true, true,
     "Data obsahují PROPUSTITELNÉ CHYBY a UPOZORNĚNÍ.\r\rZ přebíracího místa můžete být vyzváni k ověření údajů a "
     "vysvětlení příčiny chyby."},
    {"passableOnly_ordinary", true, false, false,
     "Data obsahují PROPUSTITELNÉ CHYBY.\r\rNa přebíracím místě budete vyzváni k uvedení možné příčiny zjištěných "
     "chyb a budete podepisovat protokol."},
    {"passableOnly_special", true, false, true,
     "Data obsahují PROPUSTITELNÉ CHYBY.\r\rZ přebíracího místa můžete být vyzváni k ověření údajů a vysvětlení "
     "příčiny chyby."},
    {"warningsOnly_ordinary", false, true, false,
     "Data obsahují UPOZORNĚNÍ.\r\rNa přebíracím místě budete vyzváni k uvedení možné příčiny zjištěných chyb a "
     "budete podepisovat protokol."},
    {"warningsOnly_special", false, true, true,
     "Data obsahují UPOZORNĚNÍ.\r\rZ přebíracího místa můžete být vyzváni k ověření údajů a vysvětlení příčiny "
     "chyby."},
    {"neither_ordinary", false, false, false, ""},
    {"neither_special", false, false, true, ""},
};

class ExportVerdictMessage : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(ExportVerdictMessage, MatchesTheVerdictAndTheKindOfPrecinct) {
    const VerdictCase& c = GetParam();
    EXPECT_EQ(workflow::exportVerdictMessage({false, c.propustitelne, c.upozorneni}, c.zvlastni), c.message);
}

INSTANTIATE_TEST_SUITE_P(All, ExportVerdictMessage, ::testing::ValuesIn(kVerdicts),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace talmorek::testing
