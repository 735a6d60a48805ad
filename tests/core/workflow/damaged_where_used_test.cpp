// A station record or a party list damaged in a field that only some
// commands use: the station starts and works, and the command that uses the
// field stops there, naming the file, the record and the field in Czech.

#include <gtest/gtest.h>

#include "core/entry/entry_form_fixture.h"
#include "core/data/registers.h"
#include "core/workflow/station_display.h"

namespace talmorek::testing {
namespace {

using Messages = std::vector<Message>;

class DamagedStation : public EntryFormTest {
protected:
    void damage(std::string data::TStanice::*field, const char* text) {
        data::TStanice s = station();
        s.*field = text;
        writeStation(s);
    }
};

// A status letter the program never writes counts as not exported: F2
// opens without asking about exported data.
TEST_F(DamagedStation, AnUnknownStatusLetterIsNotExported) {
    save(cleanRecord(parties), DataLetter::O);
    damage(&data::TStanice::Stav, "X");
    ASSERT_TRUE(workflow.start());
    EXPECT_TRUE(form.PorizeniDat_MIClick());
    EXPECT_EQ(messages(), Messages{}) << "no question about data already exported";
}

// The region number is only shown.
TEST_F(DamagedStation, ARegionNumberThatIsNoNumberIsShownAsItIs) {
    damage(&data::TStanice::CisloKraje, "x");
    ASSERT_TRUE(workflow.start());
    EXPECT_EQ(workflow::statusLabels(workflow.station()).kraj, "Volební kraj: x - " + station().NazevKraje);
}

// The operating-system code goes into the summary as a number: the window
// opens and shows the record, and what would save it stops there, naming
// the field, with the files as they were.
TEST_F(DamagedStation, AnOperatingSystemCodeThatIsNoNumberStopsOnlyTheSave) {
    save(cleanRecord(parties), DataLetter::E);
    damage(&data::TStanice::KodOS, "]u");
    ASSERT_TRUE(workflow.start());
    openForm();
    const auto before = filesOnDisk();
    EXPECT_EQ(form.changePage(Page::Section2), entry::PageChange::Failed);
    EXPECT_EQ(messages(), (Messages{{"failure",
                                     "Soubor " + dir.file("STANICE.RCD") +
                                         ", pole KodOS: text ']u' není platné celé číslo.",
                                     "Vstup dat za okrsek", {}}}));
    EXPECT_EQ(filesOnDisk(), before);
    EXPECT_TRUE(form.isOpen());
}

// A negative code would become 65535 in the summary: refused by the
// station's field, not by the data file's.
TEST_F(DamagedStation, ANegativeOperatingSystemCodeIsRefusedByItsField) {
    save(cleanRecord(parties), DataLetter::E);
    damage(&data::TStanice::KodOS, "-1");
    ASSERT_TRUE(workflow.start());
    openForm();
    EXPECT_EQ(form.changePage(Page::Section2), entry::PageChange::Failed);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Soubor " + dir.file("STANICE.RCD") +
                                      ", pole KodOS: hodnota '-1' není v tomto poli přípustná.");
}

class DamagedCandidateCount : public EntryFormTest {
protected:
    DamagedCandidateCount() {
        // Party 2 of the list (record 2) has a count that is no number.
        std::string strany = dir.read("STRANY.RCD");
        data::TStrana second = data::decodeStrana(std::string_view(strany).substr(data::strany::kRecordSize,
                                                                                  data::strany::kRecordSize));
        second.PocetKandidatu = "2O";
        strany.replace(data::strany::kRecordSize, data::strany::kRecordSize, data::encodeStrana(second));
        dir.write("STRANY.RCD", strany);
        save(cleanRecord(parties), DataLetter::E);  // parties 1, 2 and 7 ticked
    }
    const std::string countMessage() const {
        return "Soubor " + dir.file("STRANY.RCD") + ", záznam 2, pole PocetKandidatu: text '2O' není platné celé číslo.";
    }
};

// The window opens; the damaged party shows no enabled candidate field, the
// others are typed as ever.
TEST_F(DamagedCandidateCount, TheEntryWindowWorksAndThePartyHasNoCandidateFields) {
    openForm();
    ASSERT_EQ(form.changePage(Page::Annex1), entry::PageChange::Changed);
    ASSERT_EQ(form.partyCombo().size(), 3u);
    EXPECT_EQ(form.candidateCount(), 36) << "party 1";
    EXPECT_TRUE(form.candidateRow(1).enabled);
    ASSERT_TRUE(form.choosePartyItem(1));
    EXPECT_EQ(form.shownParty(), 2);
    EXPECT_EQ(form.candidateCount(), 0);
    for (int order : {1, 2, 36}) EXPECT_FALSE(form.candidateRow(order).enabled) << order;
    ASSERT_TRUE(form.choosePartyItem(2));
    EXPECT_EQ(form.shownParty(), 7);
    EXPECT_TRUE(form.candidateRow(1).enabled);
    EXPECT_EQ(messages(), Messages{}) << "nothing failed on the way";
}

// The checks convert the count strictly, and stop at it naming the record
// and the field (the tally sheet does the same when it is drawn, a test of
// the program's print jobs shows).
TEST_F(DamagedCandidateCount, TheChecksStopAtTheCount) {
    ASSERT_TRUE(workflow.start());
    workflow.Kontroly_MIClick();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, countMessage());
    EXPECT_TRUE(has(DataLetter::E)) << "nothing saved is lost";
}

}  // namespace
}  // namespace talmorek::testing
