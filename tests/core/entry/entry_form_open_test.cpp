// Opening the entry window: what it loads and shows, that it writes
// nothing, and closing with "Zrušit".

#include <gtest/gtest.h>

#include "core/entry/entry_form_fixture.h"
#include "core/record/check_numbers.h"

namespace talmorek::testing {
namespace {

using Messages = std::vector<Message>;
using entry::EntryControl;

const Message kCloseQuestion{"questionDefaultNo", "Opravdu ukončit pořizování bez uložení změn na aktuální záložce?",
                             "Vstup dat za okrsek", {}};

class EntryOpening : public EntryFormTest {};

TEST_F(EntryOpening, OpeningThenZrusitChangesNoByteOnDisk) {
    struct Case {
        const char* name;
        std::function<void()> setUp;
    } cases[] = {
        {"freshInstallation", [] {}},
        {"checkedRecord", [this] { save(cleanRecord(parties), DataLetter::O); }},
        {"recordWithErrors", [this] { save(withErrors(), DataLetter::E); }},
        {"bothFilesAndAnOddYesNo",
         [this] {
             record::RecordOfVote r = cleanRecord(parties);
             r.hlasovani.Odroceno = "X";
             save(r, DataLetter::E);
             writeDataFileOnly(r, DataLetter::O);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.setUp();
        const auto before = filesOnDisk();
        prompts.messages.clear();
        prompts.answers = {true};
        ASSERT_TRUE(form.open());
        EXPECT_TRUE(form.requestClose());
        EXPECT_EQ(messages(), Messages{kCloseQuestion});
        EXPECT_EQ(filesOnDisk(), before);
        EXPECT_FALSE(form.isOpen());
        EXPECT_TRUE(form.Closing());
    }
}

TEST_F(EntryOpening, ZrusitAnsweredNoKeepsTheWindowOpen) {
    openForm();
    prompts.answers = {false};
    EXPECT_FALSE(form.requestClose());
    EXPECT_TRUE(form.isOpen());
    EXPECT_FALSE(form.Closing());
}

TEST_F(EntryOpening, ClosingKeepsWhatThePageChangesSavedAndDropsTheRest) {
    openForm();
    type(Field::R_SEdZahajeno1, "7:00");
    ASSERT_EQ(form.changePage(Page::Section3), entry::PageChange::Changed);
    type(Field::R_SEdZapisovat, "Jana Nováková");
    prompts.answers = {true};
    ASSERT_TRUE(form.requestClose());
    EXPECT_EQ(form.page(), Page::Section1) << "every way of closing leaves the window on page I";
    EXPECT_EQ(hlasoOnDisk().Zahajeno1, "7:00");
    EXPECT_EQ(hlasoOnDisk().Zapisovat, "") << "the page closed without saving";
    EXPECT_TRUE(has(DataLetter::E));
}

TEST_F(EntryOpening, LoadsTheLastTypedRecordAndShowsPageIWithItsFirstField) {
    // A page change after a successful check wrote "E" and could not remove
    // the older "O": what was typed last is in "E".
    record::RecordOfVote older = cleanRecord(parties);
    older.T4.ZapsOsoby = 700;
    older.hlasovani.Zahajeno1 = "14:00";
    save(older, DataLetter::O);
    writeDataFileOnly(cleanRecord(parties), DataLetter::E);

    openForm();
    const record::RecordOfVote& r = form.record();
    EXPECT_EQ(r.T4.ZapsOsoby, 812) << "the E file is read when both exist";
    EXPECT_EQ(r.T4.Typ, 1);
    EXPECT_EQ(r.T4.RegKod, kRegKod);
    EXPECT_EQ(r.T4.Obec, kObec);
    EXPECT_EQ(r.T4.Okrsek, kOkrsek);
    EXPECT_EQ(r.T4.KC1, 2);
    EXPECT_EQ(r.T4.KC2, 812 + 530 + 528 + 521);
    EXPECT_EQ(form.fieldText(Field::R_EdT4KC_1_Z), "2");
    EXPECT_EQ(form.fieldText(Field::R_EdObec_Z), "554782");
    EXPECT_EQ(form.fieldText(Field::R_SEdZahajeno1), "14:00");
    EXPECT_EQ(form.fieldText(Field::R_SEdZapisovat), "Jana Nováková");
    EXPECT_TRUE(form.partyTicked(1) && form.partyTicked(2) && form.partyTicked(7));
    EXPECT_FALSE(form.partyTicked(3));
    EXPECT_EQ(form.page(), Page::Section1);
    EXPECT_EQ(form.LastPage(), Page::Section1);
    EXPECT_EQ(form.focus(), EntryControl(Field::R_SEdZahajeno1));
    ASSERT_EQ(form.names().rows(), 4);
    EXPECT_EQ(form.names().name(1), "Karel Dvořák");
    EXPECT_EQ(form.names().name(4), "Lucie Bílá");
    EXPECT_EQ(entry::CommissionNames::rowNumber(4), "5.");
}

TEST_F(EntryOpening, AMissingDataFileLeavesTheResultsCleared) {
    openForm();
    EXPECT_EQ(form.record().T4.ZapsOsoby, 0);
    EXPECT_EQ(form.record().T4.ZakrStrany, std::string(60, '0'));
    EXPECT_FALSE(form.anyPartyTicked());
    EXPECT_EQ(form.names().rows(), 1);
    EXPECT_EQ(form.names().name(1), "");
}

TEST_F(EntryOpening, YesNoFieldsOtherThanBOrNOpenAsN) {
    record::RecordOfVote r = cleanRecord(parties);
    r.hlasovani.Odroceno = "X";
    r.hlasovani.Prodlouzeno = "B";
    r.hlasovani.Preruseno = "";
    r.hlasovani.Stiznosti = "b";
    save(r, DataLetter::E);
    openForm();
    const data::Hlasovani& h = form.record().hlasovani;
    EXPECT_EQ(h.Odroceno, "N");
    EXPECT_EQ(h.Prodlouzeno, "B");
    EXPECT_EQ(h.Preruseno, "N");
    EXPECT_EQ(h.Stiznosti, "N");
    EXPECT_TRUE(form.radioChecked(Field::R_OdrocNRB));
    EXPECT_FALSE(form.radioChecked(Field::R_OdrocBRB));
    EXPECT_TRUE(form.radioChecked(Field::R_ProdlBRB));
    EXPECT_EQ(hlasoOnDisk().Odroceno, "X") << "opening writes nothing";
    ASSERT_EQ(form.nextPage(), entry::PageChange::Changed);
    EXPECT_EQ(hlasoOnDisk().Odroceno, "N");
}

TEST_F(EntryOpening, ADamagedCountOfMembersPresentNamesItsFileAndField) {
    data::Hlasovani h;
    h.ClenuOVKP = "5x";
    data::ZapisHlasovani(dataDir(), h);
    const auto before = filesOnDisk();
    EXPECT_FALSE(form.open());
    const std::string message =
        "Soubor " + dir.file("data/HLASO.RCD") + ", pole ClenuOVKP: text '5x' není platné celé číslo.";
    EXPECT_EQ(messages(), (Messages{{"failure", message, "Vstup dat za okrsek", {}}}));
    EXPECT_EQ(filesOnDisk(), before);
}

TEST_F(EntryOpening, APrecinctTheRegisterDoesNotKnowFailsToOpen) {
    writeStation(station("554782", 50));  // the municipality's range is 1..12
    const auto before = filesOnDisk();
    EXPECT_FALSE(form.open());
    const std::string message =
        "Soubor " + dir.file("OKRSKY.RCD") + ", pole KodOkresu: text '' není platné celé číslo.";
    EXPECT_EQ(messages(), (Messages{{"failure", message, "Vstup dat za okrsek", {}}}));
    EXPECT_FALSE(form.isOpen());
    EXPECT_EQ(filesOnDisk(), before);
}

TEST_F(EntryOpening, AMissingCourseOfVotingFailsToOpenNamingTheFile) {
    std::filesystem::remove(dir.file("data/HLASO.RCD"));
    EXPECT_FALSE(form.open());
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].kind, "failure");
    EXPECT_NE(messages()[0].text.find("HLASO.RCD"), std::string::npos);
}

TEST_F(EntryOpening, F2AsksFirstWhenTheDataWereExported) {
    data::TStanice s = station();
    s.Stav = "A";
    writeStation(s);
    prompts.answers = {false};
    EXPECT_FALSE(form.PorizeniDat_MIClick());
    EXPECT_FALSE(form.isOpen());
    prompts.answers = {true};
    EXPECT_TRUE(form.PorizeniDat_MIClick());
    EXPECT_TRUE(form.isOpen());
    EXPECT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(stationOnDisk().Stav, "A") << "opening writes nothing";
}

TEST_F(EntryOpening, ASpecialPrecinctChangesTheLabelsAndAbroadHidesTwoQuestions) {
    struct Case {
        const char* name;
        data::TStanice station;
        bool special, abroad;
    } cases[] = {
        {"ordinary", station(), false, false},
        {"territory999", [] { data::TStanice s = station(); s.KodUzemi = "999"; return s; }(), true, false},
        {"abroad", specialStation(), true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeStation(c.station);
        workflow::Workflow wf{data::Directories{dir.path(), dir.path(), dataDir(), false}, prompts, printJobs,
                              exportDialogs, fixedClock()};
        entry::EntryForm f{wf, prompts, beep};
        ASSERT_TRUE(f.open());
        EXPECT_EQ(f.precinct().special, c.special);
        EXPECT_EQ(f.precinct().abroad, c.abroad);
        EXPECT_EQ(f.isHidden(Field::R_SchrankaBRB), c.abroad);
        EXPECT_EQ(f.isHidden(Field::R_SEdPoverPred), c.abroad);
        EXPECT_FALSE(f.isHidden(Field::R_SEdOstatni));
        EXPECT_EQ(f.KamDale(), c.abroad ? Field::R_SEdOstatni : Field::R_SEdPoverPred);
        const auto labels = entry::precinctLabels(f.precinct());
        ASSERT_EQ(labels.size(), 5u);
        EXPECT_EQ(labels[0], (std::pair<std::string_view, std::string>{"R_Label35",
                                                                        c.special ? "Název okrsku" : "Název obce"}));
        EXPECT_EQ(entry::hiddenForPrecinct(f.precinct(), "R_Label91"), c.abroad);
    }
}

TEST_F(EntryOpening, AbroadTheRegisterCodeComesFromTheMunicipalityOfTheSpecialPrecincts) {
    writeStation(specialStation());
    workflow::Workflow wf{data::Directories{dir.path(), dir.path(), dataDir(), false}, prompts, printJobs,
                          exportDialogs, fixedClock()};
    entry::EntryForm f{wf, prompts, beep};
    ASSERT_TRUE(f.open());
    EXPECT_EQ(f.record().T4.RegKod, 9999);
    EXPECT_EQ(f.record().T4.Obec, 999997);
    EXPECT_EQ(f.record().T4.Okrsek, 90);
}

}  // namespace
}  // namespace talmorek::testing
