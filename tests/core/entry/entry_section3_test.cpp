// Page "T/4 - odd. III": the members present and the names of the others,
// kept in a shadow list so that a slip of the count loses no name, and
// KOMISE.RCD written only for two members present or more.

#include <gtest/gtest.h>

#include "core/entry/entry_form_fixture.h"
#include "core/entry/entry_section3.h"
#include "core/workflow/saved_record.h"
#include "core/data/errors.h"

namespace talmorek::testing {
namespace {

using Names = std::vector<std::string>;

class EntrySection3 : public EntryFormTest {
protected:
    EntrySection3() {
        save(cleanRecord(parties), DataLetter::E);  // five present: four names
        openForm();
        form.changePage(Page::Section3);
    }

    Names grid() const {
        Names rows;
        for (int row = 1; row <= form.names().rows(); ++row) rows.push_back(form.names().name(row));
        return rows;
    }
    void present(const char* count) { type(Field::R_SEdClenuOVKP, count); }
    void leavePage() { ASSERT_EQ(form.changePage(Page::Section1), entry::PageChange::Changed); }
};

TEST_F(EntrySection3, FivePresentGiveFourRowsAndFourRecords) {
    form.nameExit(4, "Lucie Bílá-Nová");
    EXPECT_EQ(form.names().rows(), 4);
    EXPECT_EQ(entry::CommissionNames::rowNumber(1), "2.");
    leavePage();
    EXPECT_EQ(komiseBytes().size(), 4 * data::komise::kRecordSize);
    EXPECT_EQ(komiseBytes().size(), 204u);
    EXPECT_EQ(data::NactiKomisi(dataDir())[3].clen, "Lucie Bílá-Nová");
}

TEST_F(EntrySection3, LoweringTheCountKeepsTheFirstNamesAndStoresOnlyThem) {
    present("6");
    EXPECT_EQ(grid(), (Names{"Karel Dvořák", "Eva Malá", "Tomáš Černý", "Lucie Bílá", ""}));
    form.nameExit(5, "Jan Dlouhý");
    present("4");
    EXPECT_EQ(grid(), (Names{"Karel Dvořák", "Eva Malá", "Tomáš Černý"}));
    leavePage();
    EXPECT_EQ(data::NactiKomisi(dataDir()),
              (data::SeznamKomise{{"Karel Dvořák"}, {"Eva Malá"}, {"Tomáš Černý"}}));
}

TEST_F(EntrySection3, CountsBelowTwoShowOneEmptyRowAndLeaveKomiseUntouched) {
    for (const char* count : {"1", "0", "00", "01", "", " "}) {
        SCOPED_TRACE(std::string("'") + count + "'");
        const std::string before = komiseBytes();
        present(count);
        EXPECT_EQ(grid(), Names{""});
        leavePage();
        EXPECT_EQ(komiseBytes(), before);
        form.changePage(Page::Section3);
    }
}

// Five present and four names saved, then "01": the window shows the chair
// alone, and so does the record the checks load and the printout lists,
// although KOMISE.RCD keeps the four names it held.
TEST_F(EntrySection3, TheChairAloneHasNoNamesWhereverTheRecordIsRead) {
    leavePage();
    form.changePage(Page::Section3);
    present("01");
    leavePage();
    EXPECT_EQ(grid(), Names{""});
    EXPECT_EQ(data::NactiKomisi(dataDir()).size(), 4u) << "KOMISE.RCD is left as it was";
    record::RecordOfVote loaded;
    ASSERT_TRUE(workflow::loadSavedRecord(workflow.directories(), station(), loaded));
    EXPECT_EQ(loaded.hlasovani.ClenuOVKP, "01");
    EXPECT_EQ(loaded.komise, data::SeznamKomise{}) << "the checks and the printout list names the window dropped";
}

TEST_F(EntrySection3, TheRowsOfNamesAreNumberedAndTheEmptyRowIsNot) {
    auto numbers = [&] {
        Names shown;
        for (int row = 1; row <= form.names().rows(); ++row) shown.push_back(form.names().shownNumber(row));
        return shown;
    };
    EXPECT_EQ(numbers(), (Names{"2.", "3.", "4.", "5."}));
    present("1");
    EXPECT_EQ(numbers(), Names{""});
    present("3");
    EXPECT_EQ(numbers(), (Names{"2.", "3."}));
}

TEST_F(EntrySection3, ASlipToOneAndBackToFiveLosesNoName) {
    present("1");
    leavePage();
    form.changePage(Page::Section3);
    present("5");
    EXPECT_EQ(grid(), (Names{"Karel Dvořák", "Eva Malá", "Tomáš Černý", "Lucie Bílá"}));
    leavePage();
    EXPECT_EQ(data::NactiKomisi(dataDir()).size(), 4u);
}

TEST_F(EntrySection3, ANameTypedIntoTheEmptyRowStaysWhenTheCountFollows) {
    present("1");
    form.nameExit(1, "Ivo Nový");
    EXPECT_EQ(grid(), Names{"Ivo Nový"});
    present("3");
    EXPECT_EQ(grid(), (Names{"Ivo Nový", "Eva Malá"}));
}

TEST_F(EntrySection3, ANameIsCutToFiftyCharacters) {
    const std::string fifty = "Žofie " + std::string(44, 'a');
    form.nameExit(1, fifty + "b");
    EXPECT_EQ(form.names().name(1), fifty);
    leavePage();
    EXPECT_EQ(data::NactiKomisi(dataDir())[0].clen, fifty);
}

TEST_F(EntrySection3, TheTextFieldsAreStoredCut) {
    type(Field::R_SEdZapisovat, std::string(40, 'z'));
    type(Field::R_SEdClenuOVKC, "9");
    type(Field::R_SEdPoverPred, "Petr Svoboda");
    type(Field::R_SEdOstatni, std::string(201, 'o'));
    leavePage();
    const data::Hlasovani h = hlasoOnDisk();
    EXPECT_EQ(h.Zapisovat, std::string(35, 'z'));
    EXPECT_EQ(h.ClenuOVKC, "9");
    EXPECT_EQ(h.PoverPred, "Petr Svoboda");
    EXPECT_EQ(h.Ostatni, std::string(200, 'o'));
}

TEST_F(EntrySection3, WithoutAListOnDiskTheRowsFollowTheCount) {
    data::ZapisKomisi(dataDir(), {});
    openForm();
    EXPECT_EQ(grid(), (Names{"", "", "", ""}));
}

}  // namespace
}  // namespace talmorek::testing
