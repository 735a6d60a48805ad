// "Uložit" (and F2) in the entry window: the checks, the file the verdict
// chooses, the offer to export, and a step that fails.

#include <gtest/gtest.h>

#include <filesystem>

#include "core/entry/entry_form_fixture.h"
#include "core/data/blanks.h"
#include "core/data/file_io.h"

namespace talmorek::testing {
namespace {

using Messages = std::vector<Message>;
using entry::SaveOutcome;

const Message kExportQuestion{"question", "Chcete pokračovat exportem dat a tiskem zápisu?", "Vstup dat za okrsek", {}};

class EntrySave : public EntryFormTest {};

TEST_F(EntrySave, ACleanRecordIsKeptAsCheckedAndTheExportIsOffered) {
    struct Case {
        const char* name;
        bool exportNow;
    } cases[] = {{"no", false}, {"yes", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        save(cleanRecord(parties), DataLetter::E);
        openForm();
        form.changePage(Page::Section3);
        printJobs.calls.clear();
        exportDialogs.targetShown = 0;
        exportDialogs.exportDone = true;
        prompts.answers = {c.exportNow};

        EXPECT_EQ(form.save(), SaveOutcome::Closed);
        EXPECT_FALSE(form.isOpen());
        EXPECT_EQ(form.page(), Page::Section1);
        EXPECT_TRUE(workflow.state().KontrolyOK);
        ASSERT_FALSE(messages().empty());
        EXPECT_EQ(messages()[0], kExportQuestion);
        if (c.exportNow) {
            EXPECT_EQ(exportDialogs.targetShown, 1) << "the export command runs without checking again";
            EXPECT_EQ(printJobs.jobs(), (std::vector<std::string>{"protocolOfChecks", "recordOfVote"}));
            EXPECT_EQ(stationOnDisk().Stav, "A");
            EXPECT_TRUE(has(DataLetter::O));
            // The control total carries the save's time and random number:
            // the record printed is the one saved and exported, no other.
            EXPECT_EQ(printJobs.calls.back().celkem, readBack(DataLetter::O).TS.Celkem);
        } else {
            EXPECT_EQ(messages().size(), 1u);
            EXPECT_EQ(exportDialogs.targetShown, 0);
            EXPECT_EQ(printJobs.jobs(), std::vector<std::string>{"protocolOfChecks"});
            EXPECT_EQ(stationOnDisk().Stav, "N");
        }
        EXPECT_TRUE(has(DataLetter::O));
        EXPECT_FALSE(has(DataLetter::E));
        EXPECT_EQ(readBack(DataLetter::O).T4.PlatneHlasy, 521);
        EXPECT_EQ(data::trimBlanks(readBack(DataLetter::O).TS.SeznamChyb), "") << "no finding";
    }
}

TEST_F(EntrySave, ARecordWithABlockingFindingStaysInTheEFileAndNothingIsAsked) {
    save(withErrors(), DataLetter::O);
    openForm();
    EXPECT_EQ(form.save(), SaveOutcome::Closed);
    EXPECT_EQ(messages(), Messages{});
    EXPECT_TRUE(has(DataLetter::E));
    EXPECT_FALSE(has(DataLetter::O));
    EXPECT_FALSE(workflow.state().KontrolyOK);
    EXPECT_EQ(printJobs.jobs(), std::vector<std::string>{"protocolOfChecks"});
    const record::RecordOfVote saved = readBack(DataLetter::E);
    EXPECT_EQ(saved.party(7).Chyba, 1) << "the file carries what the checks marked";
    EXPECT_EQ(saved.TS.SeznamChyb.substr(0, 4), "1615");
    EXPECT_EQ(stationOnDisk().Stav, "N");
}

TEST_F(EntrySave, SavesWhatWasTypedOnThePageItWasTypedOn) {
    save(cleanRecord(parties), DataLetter::E);
    openForm();
    form.changePage(Page::Section3);
    form.fieldExit(Field::R_SEdOstatni, "pozorovatel");
    prompts.answers = {false};
    ASSERT_EQ(form.save(), SaveOutcome::Closed);
    EXPECT_EQ(hlasoOnDisk().Ostatni, "pozorovatel");
    EXPECT_EQ(data::NactiKomisi(dataDir()).size(), 4u);
}

TEST_F(EntrySave, AFailingCheckKeepsTheWindowOpenWithEverythingTyped) {
    save(cleanRecord(parties), DataLetter::E);
    openForm();
    type(Field::R_SEdZahajeno1, "7:30");
    std::filesystem::remove(dir.file("STRANY.RCD"));  // the check run cannot read the parties

    EXPECT_EQ(form.save(), SaveOutcome::StaysOpen);
    EXPECT_TRUE(form.isOpen());
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].kind, "failure");
    EXPECT_EQ(messages()[0].title, "Vstup dat za okrsek");
    EXPECT_NE(messages()[0].text.find("STRANY.RCD"), std::string::npos) << messages()[0].text;
    EXPECT_EQ(form.fieldText(Field::R_SEdZahajeno1), "7:30");
    EXPECT_EQ(form.record().T4.PlatneHlasy, 521);
    EXPECT_FALSE(workflow.state().KontrolyOK);
    EXPECT_TRUE(has(DataLetter::E)) << "what the page change saved stays";
}

TEST_F(EntrySave, AFailingFirstWriteStopsTheSaveBeforeTheChecks) {
    save(cleanRecord(parties), DataLetter::O);
    openForm();
    form.changePage(Page::Section3);
    prompts.messages.clear();
    const auto before = filesOnDisk();
    std::filesystem::create_directories(data::temporaryPathFor(dir.file(dataFile(DataLetter::E))) + "/x");
    EXPECT_EQ(form.save(), SaveOutcome::StaysOpen);
    EXPECT_EQ(form.page(), Page::Section3);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].kind, "failure");
    EXPECT_TRUE(printJobs.calls.empty()) << "no check ran";
    EXPECT_EQ(filesOnDisk(), before);
}

}  // namespace
}  // namespace talmorek::testing
