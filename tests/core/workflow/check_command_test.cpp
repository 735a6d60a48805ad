// The check command (F3) and the check procedure it shares with the export
// command and the entry window's save.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "core/workflow/workflow_fixture.h"
#include "core/data/errors.h"
#include "core/data/file_io.h"

namespace talmorek::testing {
namespace {

using Messages = std::vector<Message>;

constexpr const char* kAskRecheck =
    "Data okrsku byla již vyexportována.\rV případě opakovaných kontrol budete muset zopakovat export dat i tisk "
    "zápisu.\rChcete opravdu znovu zkontrolovat data?";

class CheckCommand : public WorkflowTest {
protected:
    CheckCommand() { EXPECT_TRUE(workflow.start()); }
};

TEST_F(CheckCommand, AFreshInstallationHasNoDataToCheck) {
    workflow.state().DataOK = true;
    workflow.Kontroly_MIClick();
    EXPECT_EQ(messages(), (Messages{{"exclamation", "Data nejsou pořízena!!!", "Kontrola dat", {}}}));
    EXPECT_FALSE(workflow.state().DataOK);
    EXPECT_TRUE(printJobs.calls.empty());
    EXPECT_FALSE(has(DataLetter::E));
    EXPECT_FALSE(has(DataLetter::O));
}

TEST_F(CheckCommand, DataWithErrorsStayInTheEFileAndForbidExport) {
    save(withErrors(), DataLetter::E);
    workflow.Kontroly_MIClick();

    EXPECT_EQ(messages(), Messages{});
    ASSERT_EQ(printJobs.jobs(), std::vector<std::string>{"protocolOfChecks"});
    EXPECT_EQ(printJobs.calls[0].codes, (std::vector<int>{16, 15}));
    EXPECT_EQ(printJobs.calls[0].obec, kObec);
    EXPECT_TRUE(has(DataLetter::E));
    EXPECT_FALSE(has(DataLetter::O));
    EXPECT_FALSE(workflow.state().KontrolyOK);
    EXPECT_FALSE(workflow.state().ExportOK);
    EXPECT_TRUE(workflow.state().DataOK);
    // The verdict travels in the data file for the receiving office.
    const record::RecordOfVote saved = readBack(DataLetter::E);
    EXPECT_EQ(saved.TS.SeznamChyb.substr(0, 4), "1615");
    EXPECT_EQ(saved.party(7).Chyba, 1);
}

TEST_F(CheckCommand, AnOFileWhoseDataNowFailIsReplacedByTheEFile) {
    save(withErrors(), DataLetter::O);
    workflow.Kontroly_MIClick();
    EXPECT_TRUE(has(DataLetter::E));
    EXPECT_FALSE(has(DataLetter::O));
    EXPECT_FALSE(workflow.state().KontrolyOK);
}

// Both files are left only by a save that wrote one and could not remove
// the other. The "E" file holds what was typed last (a page change after a
// successful check writes "E" and fails to remove "O"), so it is the one
// checked, and the save after the checks leaves one file again, whichever
// letter the verdict gives.
TEST_F(CheckCommand, WithBothFilesTheEFileIsCheckedAndTheOtherGoes) {
    struct Case {
        const char* name;
        bool typedHasErrors;
        DataLetter kept;
    } cases[] = {
        {"cleanTyping", false, DataLetter::O},
        {"typingWithErrors", true, DataLetter::E},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const record::RecordOfVote typed = c.typedHasErrors ? withErrors() : cleanRecord(parties);
        const record::RecordOfVote older = c.typedHasErrors ? cleanRecord(parties) : withErrors();
        save(older, DataLetter::O);
        writeDataFileOnly(typed, DataLetter::E);
        workflow.Kontroly_MIClick();
        EXPECT_EQ(workflow.state().KontrolyOK, !c.typedHasErrors);
        EXPECT_TRUE(has(c.kept));
        EXPECT_FALSE(has(exporting::otherLetter(c.kept)));
        EXPECT_EQ(readBack(c.kept).party(7).PocHlasu, typed.party(7).PocHlasu);
    }
}

TEST_F(CheckCommand, AFailedWriteOfTheEFileKeepsTheOFile) {
    save(withErrors(), DataLetter::O);
    const std::string before = dir.read(dataFile(DataLetter::O));
    // A directory in the place of the "E" file: the write cannot replace it.
    std::filesystem::create_directory(dir.file(dataFile(DataLetter::E)));
    workflow.Kontroly_MIClick();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].kind, "failure");
    EXPECT_EQ(messages()[0].title, "Kontrola dat");
    ASSERT_TRUE(has(DataLetter::O)) << "the precinct must never be left without its data";
    EXPECT_EQ(dir.read(dataFile(DataLetter::O)), before);
}

TEST_F(CheckCommand, WarningsOnlyAllowExportAndMoveTheDataToTheOFile) {
    save(warningsOnly(), DataLetter::E);
    workflow.Kontroly_MIClick();

    EXPECT_EQ(messages(), Messages{});
    ASSERT_EQ(printJobs.jobs(), std::vector<std::string>{"protocolOfChecks"});
    EXPECT_EQ(printJobs.calls[0].codes, std::vector<int>{97});
    EXPECT_TRUE(has(DataLetter::O));
    EXPECT_FALSE(has(DataLetter::E));
    EXPECT_TRUE(workflow.state().KontrolyOK);
    EXPECT_TRUE(workflow.state().ExportOK);
    // The summary was recomputed at the command's time before it was saved.
    const record::RecordOfVote saved = readBack(DataLetter::O);
    EXPECT_EQ(saved.TS.SeznamChyb.substr(0, 2), "97");
    EXPECT_EQ(saved.TS.Datum, "20211009");
    EXPECT_EQ(saved.TS.Cas, "143005");
    EXPECT_EQ(saved.T4.PlatneHlasy, 740);
}

TEST_F(WorkflowTest, EveryRunMarksTheStationChecked) {
    data::TStanice s = station();
    s.Stav = "";
    writeStation(s);
    ASSERT_TRUE(workflow.start());
    save(cleanRecord(parties), DataLetter::E);
    workflow.Kontroly_MIClick();
    EXPECT_EQ(stationOnDisk().Stav, "N");
    EXPECT_EQ(workflow.station().Stav, "N");
    EXPECT_EQ(printJobs.calls.at(0).codes, std::vector<int>{}) << "the clean record has no finding";
    EXPECT_TRUE(has(DataLetter::O));
    EXPECT_FALSE(has(DataLetter::E));
}

class ExportedStation : public WorkflowTest {
protected:
    ExportedStation() {
        data::TStanice s = station();
        s.Stav = "A";
        writeStation(s);
        save(cleanRecord(parties), DataLetter::O);
        EXPECT_TRUE(workflow.start());
    }
};

TEST_F(ExportedStation, NoToTheQuestionChangesNothing) {
    const std::string before = dir.read(dataFile(DataLetter::O));
    prompts.answers = {false};
    workflow.Kontroly_MIClick();
    EXPECT_EQ(messages(), (Messages{{"questionDefaultNo", kAskRecheck, "Vstup dat za okrsek", {}}}));
    EXPECT_TRUE(printJobs.calls.empty());
    EXPECT_EQ(stationOnDisk().Stav, "A");
    EXPECT_EQ(dir.read(dataFile(DataLetter::O)), before);
    EXPECT_FALSE(workflow.state().KontrolyOK);
}

TEST_F(ExportedStation, YesChecksAgainAndTheExportMustBeRepeated) {
    prompts.answers = {true};
    workflow.Kontroly_MIClick();
    EXPECT_EQ(messages(), (Messages{{"questionDefaultNo", kAskRecheck, "Vstup dat za okrsek", {}}}));
    EXPECT_EQ(printJobs.jobs(), std::vector<std::string>{"protocolOfChecks"});
    EXPECT_EQ(stationOnDisk().Stav, "N");
    EXPECT_TRUE(has(DataLetter::O));
    EXPECT_TRUE(workflow.state().KontrolyOK);
}

TEST_F(CheckCommand, OnlyTheChairPresentLeavesTheCommissionUnread) {
    record::RecordOfVote r = cleanRecord(parties);
    r.hlasovani.ClenuOVKP = " 1 ";
    save(r, DataLetter::E);
    std::remove(dir.file("data/KOMISE.RCD").c_str());  // would fail if it were read
    const workflow::CheckedRecord checked = workflow.Kontroly(checks::Vybrano::CheckCommandOrSave);
    EXPECT_TRUE(checked.record.komise.empty());
    EXPECT_EQ(printJobs.jobs(), std::vector<std::string>{"protocolOfChecks"});
    workflow.Kontroly_MIClick();
    for (const auto& m : messages()) EXPECT_NE(m.kind, "failure") << m.text;
}

TEST_F(CheckCommand, MembersPresentAreReadFromTheCommissionFile) {
    save(cleanRecord(parties), DataLetter::E);
    const workflow::CheckedRecord checked = workflow.Kontroly(checks::Vybrano::CheckCommandOrSave);
    ASSERT_EQ(checked.record.komise.size(), 4u);
    EXPECT_EQ(checked.record.komise[1].clen, "Eva Malá");
}

TEST_F(CheckCommand, AMissingCommissionFileEndsTheCommandWithItsName) {
    save(cleanRecord(parties), DataLetter::E);
    std::remove(dir.file("data/KOMISE.RCD").c_str());
    workflow.Kontroly_MIClick();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].kind, "failure");
    EXPECT_EQ(messages()[0].title, "Kontrola dat");
    EXPECT_NE(messages()[0].text.find("KOMISE.RCD"), std::string::npos) << messages()[0].text;
    EXPECT_TRUE(printJobs.calls.empty());
    EXPECT_TRUE(has(DataLetter::E)) << "nothing saved is lost";
    EXPECT_FALSE(workflow.state().KontrolyOK);
}

// A field of a file that is not a number ends the command with a message
// that names the file and the field, so the commission knows what to have
// repaired; the data file stays as it was.
struct NotANumberCase {
    const char* name;
    std::function<void(const TempDir&, record::RecordOfVote&)> damage;
    std::string file;  // relative to the installation
    const char* where;  // record and field
    const char* text;
};

void PrintTo(const NotANumberCase& c, std::ostream* os) { *os << c.name; }

class NotANumber : public CheckCommand, public ::testing::WithParamInterface<NotANumberCase> {};

TEST_P(NotANumber, EndsTheCommandNamingTheFileAndTheField) {
    const NotANumberCase& c = GetParam();
    record::RecordOfVote r = cleanRecord(parties);
    c.damage(dir, r);
    save(r, DataLetter::E);
    workflow.Kontroly_MIClick();
    const std::string message =
        "Soubor " + dir.file(c.file) + ", " + c.where + ": text '" + c.text + "' není platné celé číslo.";
    EXPECT_EQ(messages(), (Messages{{"failure", message, "Kontrola dat", {}}}));
    EXPECT_TRUE(has(DataLetter::E));
    EXPECT_FALSE(has(DataLetter::O));
}

INSTANTIATE_TEST_SUITE_P(
    CheckCommand, NotANumber,
    ::testing::Values(
        NotANumberCase{"stationOperatingSystemCode",
                       [](const TempDir& dir, record::RecordOfVote&) {
                           data::TStanice s = station();
                           s.KodOS = "]u";
                           dir.write("STANICE.RCD", data::encodeStanice(s));
                       },
                       "STANICE.RCD", "pole KodOS", "]u"},
        NotANumberCase{"partyCandidateCount",
                       [](const TempDir& dir, record::RecordOfVote&) {
                           dir.write("STRANY.RCD", data::encodeStrana({"1", "Strana první", "36"}) +
                                                       data::encodeStrana({"2", "Strana druhá", "2O"}));
                       },
                       "STRANY.RCD", "záznam 2, pole PocetKandidatu", "2O"},
        NotANumberCase{"membersPresent", [](const TempDir&, record::RecordOfVote& r) { r.hlasovani.ClenuOVKP = "5x"; },
                       "data/HLASO.RCD", "pole ClenuOVKP", "5x"},
        NotANumberCase{"membersInTotal", [](const TempDir&, record::RecordOfVote& r) { r.hlasovani.ClenuOVKC = "x"; },
                       "data/HLASO.RCD", "pole ClenuOVKC", "x"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CheckCommand, AFailedRunWithdrawsAnEarlierPermission) {
    save(cleanRecord(parties), DataLetter::E);
    workflow.Kontroly_MIClick();
    ASSERT_TRUE(workflow.state().KontrolyOK);
    std::remove(dir.file("data/HLASO.RCD").c_str());
    workflow.Kontroly_MIClick();
    EXPECT_EQ(messages().back().kind, "failure");
    EXPECT_FALSE(workflow.state().KontrolyOK);
    EXPECT_FALSE(workflow.state().ExportOK);
    EXPECT_TRUE(has(DataLetter::O)) << "the data checked before stay";
}

TEST_F(CheckCommand, ADamagedDataFileEndsTheCommandAndStaysAsItWas) {
    save(cleanRecord(parties), DataLetter::E);
    dir.write(dataFile(DataLetter::E), "not a package");
    workflow.Kontroly_MIClick();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].kind, "failure");
    EXPECT_NE(messages()[0].text.find("EP554782.00003"), std::string::npos) << messages()[0].text;
    EXPECT_EQ(dir.read(dataFile(DataLetter::E)), "not a package");
    EXPECT_FALSE(has(DataLetter::O));
    EXPECT_TRUE(printJobs.calls.empty());
    // The program goes on: a good file is checked by the next command.
    save(cleanRecord(parties), DataLetter::E);
    workflow.Kontroly_MIClick();
    EXPECT_TRUE(has(DataLetter::O));
}

TEST_F(CheckCommand, TheCheckProcedureRaisesToTheEntryWindow) {
    workflow.state().KontrolyOK = workflow.state().ExportOK = true;
    EXPECT_THROW(workflow.Kontroly(checks::Vybrano::CheckCommandOrSave), data::IoError) << "no HLASO.RCD yet";
    EXPECT_TRUE(workflow.state().DataOK);
    EXPECT_FALSE(workflow.state().KontrolyOK);
    EXPECT_FALSE(workflow.state().ExportOK);
    EXPECT_EQ(messages(), Messages{}) << "the caller reports it";
}

TEST_F(WorkflowTest, AMissingStationRecordEndsStartAndEveryCommandUntilItIsThere) {
    std::remove(dir.file("STANICE.RCD").c_str());
    EXPECT_FALSE(workflow.start());
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].kind, "failure");
    EXPECT_EQ(messages()[0].title, "Spuštění aplikace");
    EXPECT_NE(messages()[0].text.find("STANICE.RCD"), std::string::npos) << messages()[0].text;

    workflow.Kontroly_MIClick();
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[1].kind, "failure");
    EXPECT_EQ(messages()[1].title, "Kontrola dat");

    writeStation(station());
    save(cleanRecord(parties), DataLetter::E);
    workflow.Kontroly_MIClick();
    EXPECT_EQ(messages().size(), 2u);
    EXPECT_TRUE(has(DataLetter::O));
}

TEST_F(WorkflowTest, AShortStationRecordIsReportedAsDamaged) {
    dir.write("STANICE.RCD", std::string(100, 'x'));
    EXPECT_FALSE(workflow.start());
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].kind, "failure");
    EXPECT_NE(messages()[0].text.find("STANICE.RCD"), std::string::npos) << messages()[0].text;
    EXPECT_FALSE(workflow.started());
}

TEST_F(WorkflowTest, AMissingCatalogueEndsStart) {
    std::remove(dir.file("CISCHYB.RCD").c_str());
    EXPECT_FALSE(workflow.start());
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_NE(messages()[0].text.find("CISCHYB.RCD"), std::string::npos) << messages()[0].text;
}

}  // namespace
}  // namespace talmorek::testing
