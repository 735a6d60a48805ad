// Moving between the pages of the entry window: the refusal of Annex 1
// without a ticked party, the save of every page change, the focus on the
// new page, and a write that fails.

#include <gtest/gtest.h>

#include <filesystem>

#include "core/entry/entry_form_fixture.h"
#include "core/data/file_io.h"

namespace talmorek::testing {
namespace {

using entry::EntryControl;
using entry::PageChange;

class EntryPages : public EntryFormTest {};

TEST_F(EntryPages, NextAndPreviousWrapAndSkipAnnex1WithoutATickedParty) {
    struct Case {
        const char* name;
        bool partyTicked;
        Page from, next, previous;
    } cases[] = {
        {"withParty_fromI", true, Page::Section1, Page::Section2, Page::Section3},
        {"withParty_fromII", true, Page::Section2, Page::Annex1, Page::Section1},
        {"withParty_fromAnnex", true, Page::Annex1, Page::Section3, Page::Section2},
        {"withParty_fromIII", true, Page::Section3, Page::Section1, Page::Annex1},
        {"noParty_fromI", false, Page::Section1, Page::Section2, Page::Section3},
        {"noParty_fromII", false, Page::Section2, Page::Section3, Page::Section1},
        {"noParty_fromIII", false, Page::Section3, Page::Section1, Page::Section2},
    };
    openForm();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        form.tickParty(7, c.partyTicked);
        ASSERT_NE(form.changePage(c.from), PageChange::Failed);
        ASSERT_EQ(form.page(), c.from);
        EXPECT_EQ(form.nextPage(), PageChange::Changed);
        EXPECT_EQ(form.page(), c.next);
        ASSERT_EQ(form.changePage(c.from), PageChange::Changed);
        EXPECT_EQ(form.previousPage(), PageChange::Changed);
        EXPECT_EQ(form.page(), c.previous);
    }
    EXPECT_EQ(beep.count, 0);
}

TEST_F(EntryPages, Annex1WithoutATickedPartyIsRefusedWithABeepAndNothingElse) {
    openForm();
    const auto before = filesOnDisk();
    EXPECT_EQ(form.changePage(Page::Annex1), PageChange::Refused);
    EXPECT_EQ(beep.count, 1);
    EXPECT_EQ(form.page(), Page::Section1);
    EXPECT_EQ(form.focus(), EntryControl(Field::R_SEdZahajeno1));
    EXPECT_EQ(filesOnDisk(), before);
    EXPECT_TRUE(messages().empty());
}

TEST_F(EntryPages, PokracovatGoesOnByTheTickedParties) {
    openForm();
    EXPECT_EQ(form.continueFromSection1(), PageChange::Changed);
    EXPECT_EQ(form.page(), Page::Section2);
    EXPECT_EQ(form.continueFromSection2(), PageChange::Changed);
    EXPECT_EQ(form.page(), Page::Section3) << "no party ticked";
    form.changePage(Page::Section2);
    form.tickParty(2, true);
    EXPECT_EQ(form.continueFromSection2(), PageChange::Changed);
    EXPECT_EQ(form.page(), Page::Annex1);
    EXPECT_EQ(beep.count, 0);
}

TEST_F(EntryPages, EachPageFocusesItsFirstField) {
    struct Case {
        Page page;
        Field focus;
    } cases[] = {
        {Page::Section2, Field::R_EdZapsOsoby},
        {Page::Annex1, Field::R_CBT4P_1},
        {Page::Section3, Field::R_SEdClenuOVKC},
        {Page::Section1, Field::R_SEdZahajeno1},
    };
    openForm();
    form.tickParty(1, true);
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.page));
        EXPECT_EQ(form.changePage(c.page), PageChange::Changed);
        EXPECT_EQ(form.focus(), EntryControl(c.focus));
        EXPECT_EQ(form.LastPage(), c.page);
    }
}

TEST_F(EntryPages, APageChangeSavesEverythingAsNotYetChecked) {
    save(cleanRecord(parties), DataLetter::O);
    data::TStanice exported = station();
    exported.Stav = "A";
    writeStation(exported);
    openForm();
    type(Field::R_SEdZahajeno1, "7:00");
    type(Field::R_SEdClenuOVKP, "3");
    form.nameExit(2, "Eva Nová");

    ASSERT_EQ(form.changePage(Page::Section2), PageChange::Changed);
    EXPECT_TRUE(has(DataLetter::E));
    EXPECT_FALSE(has(DataLetter::O)) << "checked data typed over are not checked any more";
    EXPECT_EQ(readBack(DataLetter::E).T4.PlatneHlasy, 521);
    EXPECT_EQ(readBack(DataLetter::E).T4.ZakrStrany, cleanRecord(parties).T4.ZakrStrany);
    EXPECT_EQ(hlasoOnDisk().Zahajeno1, "7:00");
    EXPECT_EQ(data::NactiKomisi(dataDir()), (data::SeznamKomise{{"Karel Dvořák"}, {"Eva Nová"}}));
    EXPECT_EQ(stationOnDisk().Stav, "N");
    EXPECT_EQ(workflow.station().Stav, "N");
    EXPECT_TRUE(messages().empty());
}

TEST_F(EntryPages, PageIIIShowsTheSheetsOfAnnex1OfTheTickedParties) {
    save(cleanRecord(parties), DataLetter::E);
    openForm();
    form.changePage(Page::Section3);
    EXPECT_EQ(form.fieldText(Field::R_SEdPrilListu), "3");
    form.changePage(Page::Section2);
    form.tickParty(3, true);
    form.tickParty(1, false);
    form.changePage(Page::Section3);
    EXPECT_EQ(form.fieldText(Field::R_SEdPrilListu), "3");
    form.changePage(Page::Section2);
    form.tickParty(9, true);
    form.changePage(Page::Section3);
    EXPECT_EQ(form.fieldText(Field::R_SEdPrilListu), "4");
}

TEST_F(EntryPages, Annex1OffersThePartiesTickedWhenItIsEnteredFromPageII) {
    openForm();
    form.tickParty(7, true);
    form.tickParty(2, true);
    form.changePage(Page::Section2);
    ASSERT_EQ(form.changePage(Page::Annex1), PageChange::Changed);
    EXPECT_EQ(form.partyCombo(), (std::vector<entry::PartyComboItem>{{2, 2, "2: Strana druhá"},
                                                                         {7, 4, "7: Strana sedmá"}}));
    EXPECT_EQ(form.comboIndex(), 0);
    ASSERT_TRUE(form.choosePartyItem(1));
    form.changePage(Page::Section3);
    form.changePage(Page::Annex1);
    EXPECT_EQ(form.partyCombo().size(), 2u) << "not entered from page II: the list stays";
    EXPECT_EQ(form.comboIndex(), 1);
    EXPECT_EQ(form.shownParty(), 7);
    form.changePage(Page::Section3);
    form.tickParty(1, true);
    form.changePage(Page::Annex1);
    EXPECT_EQ(form.partyCombo().size(), 3u) << "the ticks changed since the list was built";
    EXPECT_EQ(form.shownParty(), 1);
    form.changePage(Page::Section2);
    form.changePage(Page::Annex1);
    EXPECT_EQ(form.partyCombo().size(), 3u);
    EXPECT_EQ(form.partyCombo()[0].text, "1: Strana první");
}

TEST_F(EntryPages, CtrlEnterJumpsToTheLastCandidateOnAnnex1Only) {
    openForm();
    form.tickParty(7, true);
    form.KCisloMI1Click();
    EXPECT_EQ(form.focus(), EntryControl(Field::R_SEdZahajeno1));
    form.changePage(Page::Annex1);
    form.KCisloMI1Click();
    EXPECT_EQ(form.focus(), EntryControl(Field::R_EdT4PPoslKand));
}

TEST_F(EntryPages, UntickingAndTickingAPartyKeepsItsVotes) {
    save(cleanRecord(parties), DataLetter::E);
    openForm();
    form.tickParty(7, false);
    form.changePage(Page::Section2);
    form.tickParty(7, true);
    form.changePage(Page::Section3);
    EXPECT_EQ(readBack(DataLetter::E).party(7).PocHlasu, 71);
    EXPECT_EQ(readBack(DataLetter::E).party(7).pref(3), 40);
}

// A write that cannot be made (a full disk, a protected file) is stood for
// by a directory where the temporary file of the crash-safe write must go:
// creating it fails even for root.
TEST_F(EntryPages, AFailedWriteKeepsThePageTheTypedValuesAndTheFilesWhole) {
    struct Case {
        const char* name;
        std::string blocked;  // relative to the installation
    } cases[] = {
        {"dataFile", dataFile(DataLetter::E)},
        {"hlaso", "data/HLASO.RCD"},
        {"komise", "data/KOMISE.RCD"},
        {"station", "STANICE.RCD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        save(cleanRecord(parties), DataLetter::O);
        openForm();
        type(Field::R_SEdZapisovat, "Petra Malá");
        type(Field::R_SEdClenuOVKP, "3");
        const auto before = filesOnDisk();
        const std::string blocker = data::temporaryPathFor(dir.file(c.blocked));
        std::filesystem::create_directories(blocker + "/inside");

        EXPECT_EQ(form.changePage(Page::Section3), PageChange::Failed);
        EXPECT_EQ(form.page(), Page::Section1);
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_EQ(messages()[0].kind, "failure");
        EXPECT_EQ(messages()[0].title, "Vstup dat za okrsek");
        EXPECT_NE(messages()[0].text.find(std::filesystem::path(c.blocked).filename().string()), std::string::npos)
            << messages()[0].text;
        const auto after = filesOnDisk();
        auto bytesOf = [&](const std::map<std::string, std::string>& files) {
            const auto f = files.find(c.blocked);
            return f == files.end() ? std::string("(none)") : f->second;
        };
        EXPECT_EQ(bytesOf(after), bytesOf(before)) << "the file keeps its previous content whole";
        EXPECT_EQ(after.count(dataFile(DataLetter::E)) + after.count(dataFile(DataLetter::O)), 1u);
        EXPECT_EQ(form.fieldText(Field::R_SEdZapisovat), "Petra Malá");
        EXPECT_EQ(form.names().rows(), 2);

        std::filesystem::remove_all(blocker);
        prompts.messages.clear();
        EXPECT_EQ(form.changePage(Page::Section3), PageChange::Changed);
        EXPECT_EQ(hlasoOnDisk().Zapisovat, "Petra Malá");
        EXPECT_EQ(data::NactiKomisi(dataDir()).size(), 2u);
        EXPECT_TRUE(messages().empty());
    }
}

}  // namespace
}  // namespace talmorek::testing
