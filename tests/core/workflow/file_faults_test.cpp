// The commands when the disk lets them down: a full disk, a write-protected
// working file, a data file that vanishes under the command, a deletion the
// system refuses. Each is told in Czech under the command's title, nothing
// crashes, and the data saved before stay as they were. The faults are
// injected, so this holds as root too.

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <set>

#include "core/workflow/workflow_fixture.h"
#include "core/data/file_io.h"

namespace talmorek::testing {
namespace {

using Messages = std::vector<Message>;

class FileFaults : public WorkflowTest {
protected:
    FileFaults() { EXPECT_TRUE(workflow.start()); }

    std::string path(DataLetter letter) const { return dir.file(dataFile(letter)); }
    std::set<std::string> dataDirNames() const {
        std::set<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dataDir())) names.insert(e.path().filename().string());
        return names;
    }
    std::set<std::string> savedNames(DataLetter letter) const {
        return {"HLASO.RCD", "KOMISE.RCD", exporting::dataFileName(letter, "554782", kOkrsek)};
    }
};

// The check command rewrites the "O" file with a new time stamp; a disk
// that fills up part way leaves the "O" file of the last save.
TEST_F(FileFaults, ADiskFullWhileTheCheckCommandSavesKeepsTheOldDataFile) {
    save(cleanRecord(parties), DataLetter::O);
    const std::string before = dir.read(dataFile(DataLetter::O));
    files.diskFullAfter(path(DataLetter::O), 40);
    workflow.Kontroly_MIClick();
    EXPECT_EQ(messages(),
              (Messages{{"failure", "Na disku není dost místa pro soubor " + path(DataLetter::O) + ".", "Kontrola dat", {}}}));
    EXPECT_EQ(dir.read(dataFile(DataLetter::O)), before);
    EXPECT_EQ(dataDirNames(), savedNames(DataLetter::O)) << "no temporary file is left beside it";
}

// The first "O" file takes the place of the "E" file only once it is on
// disk: a disk full while writing it leaves the "E" file.
TEST_F(FileFaults, ADiskFullWhileWritingTheFirstOFileKeepsTheEFile) {
    save(cleanRecord(parties), DataLetter::E);
    const std::string before = dir.read(dataFile(DataLetter::E));
    files.diskFullAfter(path(DataLetter::O), 0);
    workflow.Kontroly_MIClick();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].kind, "failure");
    EXPECT_EQ(messages()[0].title, "Kontrola dat");
    EXPECT_EQ(dir.read(dataFile(DataLetter::E)), before);
    EXPECT_EQ(dataDirNames(), savedNames(DataLetter::E));
}

// Opening HLASO.RCD asks for write access, as every working file is opened:
// a write-protected one ends the check run before anything is judged.
TEST_F(FileFaults, AWriteProtectedHlasoEndsTheCheckRun) {
    save(cleanRecord(parties), DataLetter::O);
    const std::string before = dir.read(dataFile(DataLetter::O));
    files.writeProtect(dir.file("data/HLASO.RCD"));
    workflow.Kontroly_MIClick();
    EXPECT_EQ(messages(), (Messages{{"failure",
                                     "K souboru " + dir.file("data/HLASO.RCD") +
                                         " není povolen přístup pro čtení a zápis.",
                                     "Kontrola dat", {}}}));
    EXPECT_TRUE(printJobs.calls.empty()) << "no protocol of a run that did not finish";
    EXPECT_FALSE(workflow.state().KontrolyOK);
    EXPECT_FALSE(workflow.state().ExportOK);
    EXPECT_EQ(dir.read(dataFile(DataLetter::O)), before);
}

// The data file was there when the command looked, and is gone when it
// reads it (another program, a pulled stick).
TEST_F(FileFaults, ADataFileThatVanishesBeforeTheReadIsReported) {
    const struct {
        const char* name;
        void (workflow::Workflow::*command)();
        const char* title;
    } commands[] = {
        {"check", &workflow::Workflow::Kontroly_MIClick, "Kontrola dat"},
        {"export", &workflow::Workflow::ExportTisk_MIClick, "Export dat a tisk zápisu"},
    };
    for (const auto& c : commands) {
        SCOPED_TRACE(c.name);
        save(cleanRecord(parties), DataLetter::O);
        prompts.messages.clear();
        files.vanishOnOpen(path(DataLetter::O));
        (workflow.*c.command)();
        EXPECT_EQ(messages(), (Messages{{"failure", "Soubor " + path(DataLetter::O) + " nebyl nalezen.", c.title, {}}}));
        EXPECT_TRUE(printJobs.calls.empty());
        EXPECT_EQ(exportDialogs.targetShown, 0);
        EXPECT_FALSE(workflow.state().KontrolyOK);
        EXPECT_FALSE(has(DataLetter::O));
        EXPECT_FALSE(has(DataLetter::E)) << "nothing is saved from a record that was not read";
    }
}

// Cancelling the data when the system refuses to delete the file.
TEST_F(FileFaults, ADeletionTheSystemRefusesKeepsTheData) {
    save(cleanRecord(parties), DataLetter::O);
    files.refuseRemove(path(DataLetter::O), EPERM);
    prompts.answers = {true};
    workflow.ZrusitData_MIClick();
    EXPECT_EQ(messages(), (Messages{{"questionDefaultNo", "Opravdu chcete zrušit pořízená data?", "Rušení dat", {}},
                                    {"information", "Data se nepovedlo zrušit!", "Rušení dat", {}}}));
    EXPECT_TRUE(has(DataLetter::O));
}

// The new "O" file is on disk; the "E" file it supersedes refuses to go. The
// user is told, and both stay: the export refuses until the "E" file is gone.
TEST_F(FileFaults, AnEFileThatCannotBeDeletedAfterASaveIsReported) {
    save(cleanRecord(parties), DataLetter::E);
    files.refuseRemove(path(DataLetter::E), EACCES);
    workflow.Kontroly_MIClick();
    EXPECT_EQ(messages(), (Messages{{"failure",
                                     "K souboru " + path(DataLetter::E) + " není povolen přístup pro čtení a zápis.",
                                     "Kontrola dat", {}}}));
    EXPECT_TRUE(has(DataLetter::O));
    EXPECT_TRUE(has(DataLetter::E));
}

// The station record's status letter is written through the same
// temporary-file path: a full disk leaves the letter of before.
TEST_F(FileFaults, ADiskFullWhileMarkingTheStationKeepsItsRecord) {
    data::TStanice s = station();
    s.Stav = "A";
    writeStation(s);
    save(cleanRecord(parties), DataLetter::O);
    files.diskFullAfter(dir.file("STANICE.RCD"), 100);
    prompts.answers = {true};  // check exported data again
    workflow.Kontroly_MIClick();
    ASSERT_FALSE(messages().empty());
    EXPECT_EQ(messages().back(), (Message{"failure", "Na disku není dost místa pro soubor " +
                                                         dir.file("STANICE.RCD") + ".",
                                          "Kontrola dat", {}}));
    EXPECT_EQ(stationOnDisk().Stav, "A");
    EXPECT_EQ(workflow.station().Stav, "A") << "the shared copy mirrors the file";
}

// Every file the commands write reaches the medium under a temporary name
// before it takes the target's name.
TEST_F(FileFaults, EverySaveIsFlushedBeforeItIsRenamed) {
    save(cleanRecord(parties), DataLetter::O);
    workflow.Kontroly_MIClick();
    ASSERT_TRUE(messages().empty());
    std::vector<std::string> renamed;
    const auto& journal = files.journal();
    for (std::size_t i = 0; i < journal.size(); ++i) {
        if (journal[i].rfind("rename ", 0) != 0) continue;
        renamed.push_back(journal[i]);
        ASSERT_GE(i, 2u);
        const std::string temp = journal[i].substr(7, journal[i].find(' ', 7) - 7);
        EXPECT_EQ(journal[i - 2], "sync " + temp);
        EXPECT_EQ(journal[i - 1], "close " + temp);
    }
    const std::string o = exporting::dataFileName(DataLetter::O, "554782", kOkrsek);
    EXPECT_EQ(renamed, (std::vector<std::string>{"rename STANICE.RCD.tmp~ STANICE.RCD",
                                                 "rename " + o + ".tmp~ " + o}));
}

}  // namespace
}  // namespace talmorek::testing
