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
#include "data/file_io.h"

namespace talmorek::testing {
namespace {

using Messages = std::vector<Message>;

class FileFaults : public WorkflowTest {
protected:
    FileFaults() { EXPECT_TRUE(workflow.start()); }

    std::string path(const char* letter) const { return dir.file(dataFile(letter)); }
    std::set<std::string> dataDirNames() const {
        std::set<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dataDir())) names.insert(e.path().filename().string());
        return names;
    }
    std::set<std::string> savedNames(const char* letter) const {
        return {"HLASO.RCD", "KOMISE.RCD", exporting::dataFileName(letter, "554782", kOkrsek)};
    }
};

// The check command rewrites the "O" file with a new time stamp; a disk
// that fills up part way leaves the "O" file of the last save.
TEST_F(FileFaults, ADiskFullWhileTheCheckCommandSavesKeepsTheOldDataFile) {
    save(cleanRecord(parties), "O");
    const std::string before = dir.read(dataFile("O"));
    files.diskFullAfter(path("O"), 40);
    workflow.Kontroly_MIClick();
    EXPECT_EQ(messages(),
              (Messages{{"failure", "Na disku není dost místa pro soubor " + path("O") + ".", "Kontrola dat", {}}}));
    EXPECT_EQ(dir.read(dataFile("O")), before);
    EXPECT_EQ(dataDirNames(), savedNames("O")) << "no temporary file is left beside it";
}

// The first "O" file takes the place of the "E" file only once it is on
// disk: a disk full while writing it leaves the "E" file.
TEST_F(FileFaults, ADiskFullWhileWritingTheFirstOFileKeepsTheEFile) {
    save(cleanRecord(parties), "E");
    const std::string before = dir.read(dataFile("E"));
    files.diskFullAfter(path("O"), 0);
    workflow.Kontroly_MIClick();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].kind, "failure");
    EXPECT_EQ(messages()[0].title, "Kontrola dat");
    EXPECT_EQ(dir.read(dataFile("E")), before);
    EXPECT_EQ(dataDirNames(), savedNames("E"));
}

// Opening HLASO.RCD asks for write access, as every working file is opened:
// a write-protected one ends the check run before anything is judged.
TEST_F(FileFaults, AWriteProtectedHlasoEndsTheCheckRun) {
    save(cleanRecord(parties), "O");
    const std::string before = dir.read(dataFile("O"));
    files.writeProtect(dir.file("data/HLASO.RCD"));
    workflow.Kontroly_MIClick();
    EXPECT_EQ(messages(), (Messages{{"failure",
                                     "K souboru " + dir.file("data/HLASO.RCD") +
                                         " není povolen přístup pro čtení a zápis.",
                                     "Kontrola dat", {}}}));
    EXPECT_TRUE(printJobs.calls.empty()) << "no protocol of a run that did not finish";
    EXPECT_FALSE(workflow.state().KontrolyOK);
    EXPECT_FALSE(workflow.state().ExportOK);
    EXPECT_EQ(dir.read(dataFile("O")), before);
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
        save(cleanRecord(parties), "O");
        prompts.messages.clear();
        files.vanishOnOpen(path("O"));
        (workflow.*c.command)();
        EXPECT_EQ(messages(), (Messages{{"failure", "Soubor " + path("O") + " nebyl nalezen.", c.title, {}}}));
        EXPECT_TRUE(printJobs.calls.empty());
        EXPECT_EQ(exportDialogs.targetShown, 0);
        EXPECT_FALSE(workflow.state().KontrolyOK);
        EXPECT_FALSE(has("O"));
        EXPECT_FALSE(has("E")) << "nothing is saved from a record that was not read";
    }
}

// Cancelling the data when the system refuses to delete the file.
TEST_F(FileFaults, ADeletionTheSystemRefusesKeepsTheData) {
    save(cleanRecord(parties), "O");
    files.refuseRemove(path("O"), EPERM);
    prompts.answers = {true};
    workflow.ZrusitData_MIClick();
    EXPECT_EQ(messages(), (Messages{{"question", "Opravdu chcete zrušit pořízená data?", "Rušení dat", {}},
                                    {"information", "Data se nepovedlo zrušit!", "Rušení dat", {}}}));
    EXPECT_TRUE(has("O"));
}

// The new "O" file is on disk; the "E" file it supersedes refuses to go. The
// user is told, and both stay: the export refuses until the "E" file is gone.
TEST_F(FileFaults, AnEFileThatCannotBeDeletedAfterASaveIsReported) {
    save(cleanRecord(parties), "E");
    files.refuseRemove(path("E"), EACCES);
    workflow.Kontroly_MIClick();
    EXPECT_EQ(messages(), (Messages{{"failure",
                                     "K souboru " + path("E") + " není povolen přístup pro čtení a zápis.",
                                     "Kontrola dat", {}}}));
    EXPECT_TRUE(has("O"));
    EXPECT_TRUE(has("E"));
}

// The station record's status letter is written through the same
// temporary-file path: a full disk leaves the letter of before.
TEST_F(FileFaults, ADiskFullWhileMarkingTheStationKeepsItsRecord) {
    data::TStanice s = station();
    s.Stav = "A";
    writeStation(s);
    save(cleanRecord(parties), "O");
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
    save(cleanRecord(parties), "O");
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
    const std::string o = exporting::dataFileName("O", "554782", kOkrsek);
    EXPECT_EQ(renamed, (std::vector<std::string>{"rename STANICE.RCD.tmp~ STANICE.RCD",
                                                 "rename " + o + ".tmp~ " + o}));
}

}  // namespace
}  // namespace talmorek::testing
