// Page "T/4 - odd. II": the four totals, judged when their field is left by
// the check run's own rules, the first failure reported; the check numbers
// shown at once; the parties with votes ticked and un-ticked.

#include <gtest/gtest.h>

#include <optional>

#include "core/entry/entry_form_fixture.h"
#include "core/entry/entry_section2.h"
#include "core/data/blanks.h"

namespace talmorek::testing {
namespace {

using entry::EntryField;
using entry::FieldFinding;

// What the register PSRVOK.RCD gives as R for the precinct.
enum class Register { Listed812, Unlisted, Listed2001 };

struct TotalCase {
    const char* name;
    Register reg;
    const char* kodObce;  // the station's municipality
    std::int32_t persons;
    std::uint16_t issued, handedIn, valid;
    EntryField left;  // the field left, with its value as typed
    int code;         // 0: nothing reported
    bool warning;     // else a hard error ("&Opravit"/"&Potvrdit")
};

class EntrySection2Totals : public EntryFormTest, public ::testing::WithParamInterface<TotalCase> {};

std::string valueOf(const TotalCase& c) {
    switch (c.left) {
        case EntryField::R_EdZapsOsoby: return std::to_string(c.persons);
        case EntryField::R_EdVydObalky: return std::to_string(c.issued);
        case EntryField::R_EdOdevzdObalky: return std::to_string(c.handedIn);
        default: return std::to_string(c.valid);
    }
}

TEST_P(EntrySection2Totals, LeavingTheFieldReportsTheFirstRuleThatFails) {
    const TotalCase& c = GetParam();
    InstallationContent content;
    if (c.reg == Register::Unlisted) content.psrvok = {{"532053", 1, 1500}};
    if (c.reg == Register::Listed2001) content.psrvok = {{"554782", 3, 2001}};
    writeInstallation(dir, content);
    // The special precincts abroad are those PSRZVO.RCD lists: Ottawa is 12.
    const bool abroad = std::string(c.kodObce) == "999997";
    const data::TStanice precinct = station(c.kodObce, abroad ? 12 : kOkrsek);
    writeStation(precinct);
    // The other three totals as saved before; the one left is typed.
    record::RecordOfVote saved = cleanRecord(parties);
    saved.T4.ZapsOsoby = c.persons;
    saved.T4.VydObalky = c.issued;
    saved.T4.OdevzdObalky = c.handedIn;
    saved.T4.PlatneHlasy = c.valid;
    exporting::saveResults(saved, dataDir(), precinct.KodObce, precinct.CisloOkrsku, DataLetter::E);
    data::ZapisHlasovani(dataDir(), saved.hlasovani);
    openForm();
    ASSERT_EQ(form.changePage(Page::Section2), entry::PageChange::Changed);

    const std::optional<FieldFinding> finding = form.fieldExit(c.left, valueOf(c));

    if (c.code == 0) {
        EXPECT_EQ(finding, std::nullopt) << finding->code;
        EXPECT_FALSE(form.reportPending());
        return;
    }
    ASSERT_TRUE(finding.has_value());
    EXPECT_EQ(finding->code, c.code);
    EXPECT_EQ(finding->field, entry::EntryControl(c.left));
    EXPECT_EQ(finding->iInfo, c.warning);
    EXPECT_EQ(finding->iPropust, !c.warning);
    EXPECT_EQ(finding->secondButton(), "&Potvrdit");
    EXPECT_TRUE(form.reportPending());
}

using F = EntryField;
constexpr Register R812 = Register::Listed812;
constexpr const char* kTestov = "554782";
constexpr const char* kAbroad = "999997";

INSTANTIATE_TEST_SUITE_P(
    Cases, EntrySection2Totals,
    ::testing::Values(
        TotalCase{"PersonsZero", R812, kTestov, 0, 530, 528, 521, F::R_EdZapsOsoby, 4, false},
        TotalCase{"PersonsAsRegistered", R812, kTestov, 812, 530, 528, 521, F::R_EdZapsOsoby, 0, false},
        TotalCase{"PersonsFarBelowRegister", R812, kTestov, 600, 530, 528, 521, F::R_EdZapsOsoby, 96, true},
        TotalCase{"PersonsWithin84PerCent", R812, kTestov, 700, 530, 528, 521, F::R_EdZapsOsoby, 0, false},
        TotalCase{"Persons2000Unregistered", Register::Unlisted, kTestov, 2000, 530, 528, 521, F::R_EdZapsOsoby,
                  93, true},
        TotalCase{"Persons1999Unregistered", Register::Unlisted, kTestov, 1999, 530, 528, 521, F::R_EdZapsOsoby,
                  0, false},
        TotalCase{"Persons2000Registered2001", Register::Listed2001, kTestov, 2000, 530, 528, 521,
                  F::R_EdZapsOsoby, 0, false},
        TotalCase{"IssuedZero", R812, kTestov, 812, 0, 528, 521, F::R_EdVydObalky, 5, false},
        TotalCase{"IssuedAbovePersons", R812, kTestov, 812, 900, 528, 521, F::R_EdVydObalky, 6, false},
        TotalCase{"IssuedEqualsPersons", R812, kTestov, 812, 812, 528, 521, F::R_EdVydObalky, 91, true},
        TotalCase{"Turnout92PerCent", R812, kTestov, 812, 750, 528, 521, F::R_EdVydObalky, 97, true},
        TotalCase{"Turnout92PerCentAbroad", Register::Unlisted, kAbroad, 812, 750, 528, 521, F::R_EdVydObalky, 0,
                  false},
        TotalCase{"Turnout5PerCentSmall", R812, kTestov, 100, 5, 5, 5, F::R_EdVydObalky, 94, true},
        TotalCase{"Turnout4PerCentLarge", R812, kTestov, 5000, 200, 200, 200, F::R_EdVydObalky, 0, false},
        TotalCase{"HandedInZero", R812, kTestov, 812, 530, 0, 0, F::R_EdOdevzdObalky, 7, false},
        TotalCase{"HandedInAboveIssued", R812, kTestov, 812, 530, 531, 521, F::R_EdOdevzdObalky, 8, false},
        TotalCase{"HandedIn528Of530", R812, kTestov, 812, 530, 528, 521, F::R_EdOdevzdObalky, 0, false},
        TotalCase{"HandedIn400Of530", R812, kTestov, 812, 530, 400, 390, F::R_EdOdevzdObalky, 92, true},
        TotalCase{"ValidZero", R812, kTestov, 812, 530, 528, 0, F::R_EdPlatneHlasy, 9, false},
        TotalCase{"ValidAboveHandedIn", R812, kTestov, 812, 530, 528, 529, F::R_EdPlatneHlasy, 10, false},
        TotalCase{"Valid521Of528", R812, kTestov, 812, 530, 528, 521, F::R_EdPlatneHlasy, 0, false},
        TotalCase{"Valid500Of528", R812, kTestov, 812, 530, 528, 500, F::R_EdPlatneHlasy, 0, false},
        TotalCase{"Valid400Of528", R812, kTestov, 812, 530, 528, 400, F::R_EdPlatneHlasy, 95, true}),
    [](const ::testing::TestParamInfo<TotalCase>& info) { return std::string(info.param.name); });

class EntrySection2 : public EntryFormTest {
protected:
    EntrySection2() {
        save(cleanRecord(parties), DataLetter::E);
        openForm();
        form.changePage(Page::Section2);
    }
};

TEST_F(EntrySection2, RegisterDisagreementCarriesTheRegisterCount) {
    const std::optional<FieldFinding> finding = form.fieldExit(Field::R_EdZapsOsoby, "600");
    ASSERT_TRUE(finding.has_value());
    EXPECT_EQ(finding->param, "(812)");
}

TEST_F(EntrySection2, TheCleanTotalsShowTheirCheckNumbers) {
    for (auto [field, text] : {std::pair{Field::R_EdZapsOsoby, "812"}, {Field::R_EdVydObalky, "530"},
                               {Field::R_EdOdevzdObalky, "528"}, {Field::R_EdPlatneHlasy, "521"}})
        type(field, text);
    EXPECT_EQ(form.fieldText(Field::R_EdT4KC_1), "2");
    EXPECT_EQ(form.fieldText(Field::R_EdT4KC_2), "2391");
}

TEST_F(EntrySection2, ValuesAreReadAsNumbersAndKeptAsTheRecordHoldsThem) {
    struct Case {
        EntryField field;
        const char* typed;
        const char* shown;
    };
    for (const Case& c : {Case{Field::R_EdVydObalky, "70000", "4464"}, Case{Field::R_EdOdevzdObalky, "65536", "0"},
                          Case{Field::R_EdPlatneHlasy, "abc", "0"}, Case{Field::R_EdZapsOsoby, "70000", "70000"},
                          Case{Field::R_EdZapsOsoby, "", "0"}}) {
        SCOPED_TRACE(c.typed);
        form.fieldExit(c.field, c.typed, Field::zrusitBtn);
        EXPECT_EQ(form.fieldText(c.field), c.shown);
    }
    EXPECT_EQ(form.fieldText(Field::R_EdT4KC_2), std::to_string(0 + 4464 + 0 + 0));
}

TEST_F(EntrySection2, LeavingForZrusitJudgesNothing) {
    EXPECT_EQ(form.fieldExit(Field::R_EdZapsOsoby, "0", Field::zrusitBtn), std::nullopt);
    EXPECT_FALSE(form.reportPending());
    EXPECT_EQ(form.record().T4.ZapsOsoby, 0);
}

TEST_F(EntrySection2, OpravitReturnsToTheTotal) {
    form.fieldExit(Field::R_EdVydObalky, "900", Field::R_EdOdevzdObalky);
    ASSERT_TRUE(form.beginReport().has_value());
    EXPECT_EQ(form.answerReport(entry::ReportAnswer::Opravit).focus, entry::EntryControl(Field::R_EdVydObalky));
    EXPECT_EQ(form.page(), Page::Section2);
}

TEST_F(EntrySection2, TickingAndUntickingKeepsTheVotes) {
    form.tickParty(7, false);
    EXPECT_FALSE(form.record().isFlagged(7));
    EXPECT_EQ(form.record().party(7).PocHlasu, 71);
    form.tickParty(7, true);
    EXPECT_TRUE(form.record().isFlagged(7));
    EXPECT_EQ(form.record().party(7).PocHlasu, 71);
    EXPECT_EQ(form.record().party(7).pref(3), 40);
}

TEST_F(EntrySection2, EveryPartyOfTheListHasABoxAndEnterOnTheLastGoesOn) {
    EXPECT_EQ(form.partyBoxes(), (std::vector<int>{1, 2, 3, 7, 9}));
    EXPECT_EQ(form.partyBoxExit(7, true), std::nullopt);
    EXPECT_EQ(form.partyBoxExit(9, false), std::nullopt);
    EXPECT_EQ(form.page(), Page::Section2);
    EXPECT_EQ(form.partyBoxExit(9, true), entry::PageChange::Changed);
    EXPECT_EQ(form.page(), Page::Annex1);
}

TEST_F(EntrySection2, WithNoPartyTickedTheLastBoxAndPokracovatGoToSection3) {
    for (int party : {1, 2, 7}) form.tickParty(party, false);
    EXPECT_EQ(form.partyBoxExit(9, true), entry::PageChange::Changed);
    EXPECT_EQ(form.page(), Page::Section3);
    form.changePage(Page::Section2);
    EXPECT_EQ(form.continueFromSection2(), entry::PageChange::Changed);
    EXPECT_EQ(form.page(), Page::Section3);
}

}  // namespace
}  // namespace talmorek::testing

namespace talmorek::testing {
namespace {

// A record that flags a party the party list does not hold: the window has
// no box for it, and what the record holds for it stays in memory.
TEST_F(EntryFormTest, APartyOutsideTheListHasNoBoxAndKeepsItsValues) {
    record::RecordOfVote r = cleanRecord(parties);
    r.MarkParty(5, true);
    r.party(5).PocHlasu = 10;
    save(r, DataLetter::E);
    openForm();
    EXPECT_FALSE(form.partyTicked(5));
    EXPECT_EQ(form.partyBoxes(), (std::vector<int>{1, 2, 3, 7, 9}));
    EXPECT_EQ(form.record().party(5).PocHlasu, 10);
}

// A flag the window cannot show goes at the first page change, and with it
// the party's annex: the files hold exactly the parties ticked, and the
// summary's sums cover exactly the annexes the data file holds.
TEST_F(EntryFormTest, APartyOutsideTheListGoesWithItsAnnexAtThePageChangeAndTheSave) {
    record::RecordOfVote r = cleanRecord(parties);
    r.MarkParty(30, true);
    r.party(30).PocHlasu = 10;
    prefer(r, 30, 2, 4);
    save(r, DataLetter::O);
    ASSERT_TRUE(readBack(DataLetter::O).isFlagged(30));
    openForm();
    ASSERT_EQ(form.changePage(Page::Section2), entry::PageChange::Changed);
    const record::RecordOfVote afterPageChange = readBack(DataLetter::E);
    EXPECT_FALSE(afterPageChange.isFlagged(30));
    EXPECT_EQ(afterPageChange.party(30).PocHlasu, 0) << "no annex of the party in the file";

    prompts.answers = {false};  // no export
    ASSERT_EQ(form.save(), entry::SaveOutcome::Closed);
    EXPECT_TRUE(workflow.state().KontrolyOK);
    const record::RecordOfVote saved = readBack(DataLetter::O);
    EXPECT_FALSE(saved.isFlagged(30));
    EXPECT_EQ(saved.T4.ZakrStrany, cleanRecord(parties).T4.ZakrStrany);
    const record::SummarySums sums = record::summarySums(saved, parties);
    EXPECT_EQ(saved.TS.SumaKC2, sums.kc2);
    EXPECT_EQ(saved.TS.SumaKC4, sums.kc4);
    EXPECT_EQ(saved.TS.SumaKSoucet, sums.kSoucet);
}

}  // namespace
}  // namespace talmorek::testing
