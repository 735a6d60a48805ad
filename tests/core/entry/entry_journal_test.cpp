// The journal of what was typed since the last save: its lines byte by
// byte, typing it again after the program died, the question that offers
// it, the journals that are set aside, and the steps that empty it.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/entry/entry_form_fixture.h"
#include "core/entry/entry_journal.h"
#include "core/data/errors.h"
#include "support/error_of.h"

namespace talmorek::testing {
namespace {

using entry::EntryControl;
using entry::EntryForm;
using entry::JournalContent;
using entry::JournalEntry;
using entry::JournalHeader;
using entry::JournalKind;
using entry::PageChange;

constexpr const char* kJournal = "data/ZURNAL.00003";
constexpr const char* kBad = "data/ZURNAL.00003.bad";
constexpr const char* kTitle = "Vstup dat za okrsek";

EntryControl cand(int order) { return {entry::EntryField::CandEdit, order}; }

// ---- The lines -------------------------------------------------------------

JournalEntry sampleEntry() {
    JournalEntry e;
    e.seq = 1;
    e.time = {2025, 10, 4, 1, 52, 7, 0};
    e.page = entry::EntryPage::Annex1;
    e.kind = JournalKind::Field;
    e.control = cand(12);
    e.party = 7;
    e.value = "15";
    return e;
}

TEST(JournalLines, AreTabSeparatedTextSealedWithTheirCrc) {
    EXPECT_EQ(entry::encodeJournalHeader({"554782", 3, {"ab12", "cd34", "ef56"}}),
              "TALMOREK ZURNAL 1\t554782\t3\tab12\tcd34\tef56\te8ccb502\n");
    EXPECT_EQ(entry::encodeJournalEntry(sampleEntry()), "1\t2025-10-04T01:52:07\t2\tpole\tCandEdit12\t12\t7\t15\tb2926100\n");
}

TEST(JournalLines, ReadBackAsWrittenWithTabsAndLineBreaksInAValue) {
    const JournalHeader header{"554782", 3, {"ab12", "cd34", "ef56"}};
    JournalEntry name;
    name.seq = 2;
    name.page = entry::EntryPage::Section3;
    name.kind = JournalKind::Name;
    name.control = EntryControl(entry::EntryField::R_JmenaKomise_SG, 4);
    name.value = "Jan\tNový\\\nml.\r";
    const std::string bytes =
        entry::encodeJournalHeader(header) + entry::encodeJournalEntry(sampleEntry()) + entry::encodeJournalEntry(name);
    const std::optional<JournalContent> content = entry::decodeJournal(bytes, "Z");
    ASSERT_TRUE(content);
    EXPECT_EQ(content->header, header);
    EXPECT_EQ(content->entries, (std::vector<JournalEntry>{sampleEntry(), name}));
    EXPECT_FALSE(content->tornTail);
}

TEST(JournalLines, ALastLineCutShortIsLeftOutAndAnyOtherDamageRefusesTheWholeJournal) {
    const std::string header = entry::encodeJournalHeader({"554782", 3, {"ab12", "cd34", "ef56"}});
    const std::string first = entry::encodeJournalEntry(sampleEntry());
    JournalEntry e2 = sampleEntry();
    e2.seq = 2;
    const std::string second = entry::encodeJournalEntry(e2);
    std::string flipped = second;
    flipped[0] = '7';  // the CRC no longer matches
    JournalEntry gap = sampleEntry();
    gap.seq = 3;
    std::string unknown = "2\t2025-10-04T01:52:07\t2\tpole\tR_EdNic\t0\t7\t15";
    unknown += "\t" + std::string("00000000") + "\n";

    struct Case {
        const char* name;
        std::string bytes;
        long long entries;  // -1: damaged
        long long line;     // the line named when damaged (0-based)
        bool torn;
    } cases[] = {
        {"whole", header + first + second, 2, 0, false},
        {"lastWithoutLineBreak", header + first + second.substr(0, 10), 1, 0, true},
        {"lastWithWrongCrc", header + first + flipped, 1, 0, true},
        {"lastAllZeros", header + first + std::string(40, '\0'), 1, 0, true},
        {"wrongCrcBeforeAWholeLine", header + flipped + second, -1, 1, false},
        {"sequenceWithAGap", header + first + entry::encodeJournalEntry(gap), -1, 2, false},
        {"headerDamagedBeforeAnEntry", "X" + header + first, -1, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.entries < 0) {
            const auto error = errorOf<data::FormatError>([&] { entry::decodeJournal(c.bytes, "Z"); });
            ASSERT_TRUE(error);
            EXPECT_EQ(error->file(), "Z");
            EXPECT_EQ(error->record(), c.line);
            continue;
        }
        const std::optional<JournalContent> content = entry::decodeJournal(c.bytes, "Z");
        ASSERT_TRUE(content);
        EXPECT_EQ(static_cast<long long>(content->entries.size()), c.entries);
        EXPECT_EQ(content->tornTail, c.torn);
    }
    // A header whose own write was cut short holds nothing confirmed.
    EXPECT_FALSE(entry::decodeJournal(header.substr(0, 12), "Z"));
    EXPECT_FALSE(entry::decodeJournal("", "Z"));
}

// ---- Typing it again ----------------------------------------------------------

class EntryJournal : public EntryFormTest {
protected:
    EntryJournal() { save(cleanRecord(parties), DataLetter::E); }

    // The page `page` reached (saved) on a fresh opening.
    void openOn(Page page) {
        openForm();
        if (page == Page::Annex1) {
            ASSERT_EQ(form.changePage(Page::Section2), PageChange::Changed);
        }
        if (page != Page::Section1) {
            ASSERT_EQ(form.changePage(page), PageChange::Changed);
        }
    }

    // What a restarted program's entry window makes of the files now. The
    // program that typed before died: the system closed its files.
    std::unique_ptr<EntryForm> restart() {
        files.closeEveryOpenFile();
        return std::make_unique<EntryForm>(workflow, prompts, beep);
    }

    struct Typed {
        record::TT4 t4;
        std::array<record::TT4P, record::kPartySlots + 1> t4p;
        data::Hlasovani hlasovani;
        std::vector<std::string> names;
        bool operator==(const Typed&) const = default;
    };
    static Typed typedIn(const EntryForm& f) {
        Typed t{f.record().T4, f.record().T4P, f.record().hlasovani, {}};
        for (int row = 1; row <= f.names().rows(); ++row) t.names.push_back(f.names().name(row));
        return t;
    }
};

struct Scenario {
    const char* name;
    entry::EntryPage page;
    std::function<void(EntryForm&)> type;
    EntryControl last;  // the control the restored entry ends with
};

const std::vector<Scenario>& scenarios() {
    using F = entry::EntryField;
    static const std::vector<Scenario> all{
        {"section1", entry::EntryPage::Section1,
         [](EntryForm& f) {
             f.fieldExit(F::R_SEdZahajeno1, "7");
             f.chooseRadio(F::R_OdrocBRB);
             f.fieldExit(F::R_SEdOdrocenoD, "5");
             f.fieldExit(F::R_SEdOdrocenoH, "0");
             f.fieldExit(F::R_SEdDuvodOdroc, "Bouře\tkroupy");
             f.chooseRadio(F::R_OdrocNRB);
         },
         F::R_OdrocNRB},
        {"section2", entry::EntryPage::Section2,
         [](EntryForm& f) {
             f.fieldExit(F::R_EdZapsOsoby, "1200");
             f.fieldExit(F::R_EdVydObalky, "0700");
             f.fieldExit(F::R_EdPlatneHlasy, "70000");
             f.tickParty(3, true);
             f.tickParty(2, false);
         },
         EntryControl(F::PartyBox, 2)},
        {"annex1", entry::EntryPage::Annex1,
         [](EntryForm& f) {
             f.fieldExit(F::R_EdPocHl, "310");
             f.fieldExit(cand(1), "15");
             f.fieldExit(cand(36), "x");
             f.fieldExit(cand(3), "40");
         },
         cand(3)},
        {"section3", entry::EntryPage::Section3,
         [](EntryForm& f) {
             f.fieldExit(F::R_SEdClenuOVKC, "7");
             f.fieldExit(F::R_SEdClenuOVKP, "4");
             f.nameExit(1, "Jana Dvořáková");
             f.nameExit(3, "Petr Malý");
             f.fieldExit(F::R_SEdClenuOVKP, "3");
             f.fieldExit(F::R_SEdOstatni, "nikdo");
         },
         F::R_SEdOstatni},
    };
    return all;
}

TEST_F(EntryJournal, TypedAgainAfterTheProgramDiedGivesTheRecordOfTheUninterruptedRun) {
    for (const Scenario& s : scenarios()) {
        SCOPED_TRACE(s.name);
        openOn(s.page);
        s.type(form);
        const Typed uninterrupted = typedIn(form);
        ASSERT_TRUE(dir.exists(kJournal));
        const auto savedBefore = filesOnDisk();

        // The program dies: nothing but the journal holds what was typed.
        std::unique_ptr<EntryForm> again = restart();
        prompts.answers = {true};
        ASSERT_TRUE(again->open());
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].kind, "questionOrDismiss");
        EXPECT_EQ(prompts.messages[0].title, kTitle);
        EXPECT_EQ(typedIn(*again), uninterrupted);
        EXPECT_EQ(again->page(), s.page);
        EXPECT_EQ(again->recovered(), s.last);
        EXPECT_EQ(again->focus(), s.last);
        // Nothing saved before the next page change, no report during it.
        EXPECT_EQ(filesOnDisk(), savedBefore);
        EXPECT_FALSE(again->reportPending());

        // The next page change saves what was restored and empties the journal.
        ASSERT_EQ(again->changePage(s.page == Page::Section1 ? Page::Section3 : Page::Section1), PageChange::Changed);
        EXPECT_FALSE(dir.exists(kJournal));
        EXPECT_EQ(hlasoOnDisk(), again->record().hlasovani);
        prompts.messages.clear();
        prompts.answers.clear();
        save(cleanRecord(parties), DataLetter::E);
        data::ZapisHlasovani(dataDir(), data::Hlasovani{});
        data::ZapisKomisi(dataDir(), {});
    }
}

TEST_F(EntryJournal, TheQuestionTellsTheTimeOfTheLastChangeAndHowManyWait) {
    openOn(Page::Section2);
    form.fieldExit(Field::R_EdZapsOsoby, "1300");
    form.fieldExit(Field::R_EdZapsOsoby, "1200");  // one value, typed over
    form.fieldExit(Field::R_EdZapsOsoby, "1200");  // no change: no entry
    form.fieldExit(Field::R_EdVydObalky, "700");
    EXPECT_EQ(form.unsavedChanges(), 3);
    prompts.answers = {true};
    ASSERT_TRUE(restart()->open());
    EXPECT_EQ(prompts.calls.front(), std::string("questionOrDismiss|") + kTitle +
                                         "|Pořizování dat bylo neočekávaně přerušeno (poslední změna 14:30). "
                                         "Obnovit 2 neuložené údaje?");
}

TEST_F(EntryJournal, TheQuestionCountsTheChangesInCzech) {
    openOn(Page::Section1);
    form.fieldExit(Field::R_SEdZahajeno1, "1");
    const std::optional<JournalContent> one = entry::decodeJournal(dir.read(kJournal), "Z");
    ASSERT_TRUE(one);
    for (const auto& [n, words] : std::vector<std::pair<int, std::string>>{
             {1, "1 neuložený údaj"}, {3, "3 neuložené údaje"}, {5, "5 neuložených údajů"}, {12, "12 neuložených údajů"}}) {
        std::string bytes = entry::encodeJournalHeader(one->header);
        // One value in each of n rows of the names grid.
        for (int i = 1; i <= n; ++i) {
            JournalEntry e = one->entries[0];
            e.seq = i;
            e.kind = JournalKind::Name;
            e.page = Page::Section3;
            e.control = EntryControl(Field::R_JmenaKomise_SG, i);
            e.value = "Člen " + std::to_string(i);
            bytes += entry::encodeJournalEntry(e);
        }
        dir.write(kJournal, bytes);
        prompts.calls.clear();
        prompts.dismiss = 1;
        EXPECT_FALSE(restart()->open());
        ASSERT_EQ(prompts.calls.size(), 1u);
        EXPECT_NE(prompts.calls[0].find("Obnovit " + words + "?"), std::string::npos) << prompts.calls[0];
    }
}

TEST_F(EntryJournal, AJournalThatChangesNothingGoesWithoutAQuestion) {
    openOn(Page::Section2);
    const std::string saved = form.fieldText(Field::R_EdZapsOsoby);
    form.fieldExit(Field::R_EdZapsOsoby, "1300");
    form.fieldExit(Field::R_EdZapsOsoby, saved);  // typed back
    ASSERT_TRUE(dir.exists(kJournal));
    prompts.messages.clear();
    ASSERT_TRUE(restart()->open());
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_FALSE(dir.exists(kJournal));
}

TEST_F(EntryJournal, ALastEntryCutShortIsLeftOutAndTheRestRestored) {
    openOn(Page::Section2);
    form.fieldExit(Field::R_EdZapsOsoby, "1200");
    form.fieldExit(Field::R_EdVydObalky, "700");
    dir.write(kJournal, dir.read(kJournal) + "3\t2025-10-04T01:52:07\t1\tpole\tR_EdPla");
    prompts.answers = {true};
    std::unique_ptr<EntryForm> again = restart();
    ASSERT_TRUE(again->open());
    EXPECT_NE(prompts.calls.front().find("Obnovit 2 neuložené údaje?"), std::string::npos);
    EXPECT_EQ(again->fieldText(Field::R_EdZapsOsoby), "1200");
    EXPECT_EQ(again->fieldText(Field::R_EdVydObalky), "700");
    // What comes next is appended after the whole entries: the journal stays readable.
    again->fieldExit(Field::R_EdPlatneHlasy, "500");
    const std::optional<JournalContent> content =
        entry::decodeJournal(dir.read(kJournal), dir.file(kJournal));
    ASSERT_TRUE(content);
    EXPECT_EQ(content->entries.size(), 3u);
    EXPECT_FALSE(content->tornTail);
}

TEST_F(EntryJournal, DeclinedItIsDiscardedOnlyAfterASecondQuestion) {
    const auto saved = [&] {
        openOn(Page::Section2);
        form.fieldExit(Field::R_EdZapsOsoby, "1200");
        return cleanRecord(parties).T4.ZapsOsoby;
    };
    const std::int32_t savedZaps = saved();
    const std::string discard = std::string("questionDefaultNo|") + kTitle +
                                "|Neuložené údaje (1) budou ztraceny.\rOpravdu je zahodit?";

    // "Ne", then "Ne" again: asked once more, and restored.
    prompts.answers = {false, false, true};
    std::unique_ptr<EntryForm> again = restart();
    ASSERT_TRUE(again->open());
    ASSERT_EQ(prompts.calls.size(), 3u);
    EXPECT_EQ(prompts.calls[1], discard);
    EXPECT_EQ(prompts.calls[2].substr(0, 18), "questionOrDismiss|");
    EXPECT_EQ(again->fieldText(Field::R_EdZapsOsoby), "1200");
    prompts.calls.clear();

    // "Ne", then "Ano": discarded, the saved record opens.
    prompts.answers = {false, true};
    again = restart();
    ASSERT_TRUE(again->open());
    EXPECT_EQ(prompts.calls.size(), 2u);
    EXPECT_EQ(again->fieldText(Field::R_EdZapsOsoby), std::to_string(savedZaps));
    EXPECT_FALSE(dir.exists(kJournal));
    EXPECT_FALSE(again->recovered());
}

TEST_F(EntryJournal, PuttingTheQuestionAsideKeepsTheJournalAndTheWindowClosed) {
    openOn(Page::Section2);
    form.fieldExit(Field::R_EdZapsOsoby, "1200");
    const std::string journal = dir.read(kJournal);
    prompts.dismiss = 1;
    EXPECT_FALSE(restart()->open());
    EXPECT_EQ(dir.read(kJournal), journal);
    prompts.answers = {true};
    std::unique_ptr<EntryForm> again = restart();
    ASSERT_TRUE(again->open());
    EXPECT_EQ(again->fieldText(Field::R_EdZapsOsoby), "1200");
}

TEST_F(EntryJournal, AJournalThatCannotBeReplayedIsSetAsideWithAMessageNamingIt) {
    struct Case {
        const char* name;
        std::function<void(TempDir&)> spoil;
        const char* reason;
    } cases[] = {
        {"damagedInTheMiddle",
         [](TempDir& d) {
             std::string bytes = d.read(kJournal);
             bytes[bytes.find('\n') + 3] ^= 1;
             d.write(kJournal, bytes);
         },
         "má nesprávný obsah (záznam 2"},
        {"anotherPrecinct",
         [](TempDir& d) {
             std::string bytes = d.read(kJournal);
             const std::optional<JournalContent> c = entry::decodeJournal(bytes, "Z");
             JournalHeader other = c->header;
             other.okrsek = 4;
             d.write(kJournal, entry::encodeJournalHeader(other) + bytes.substr(bytes.find('\n') + 1));
         },
         "patří k okrsku 4 obce 554782"},
        {"savedDataReplacedUnderIt",
         [this](TempDir&) {
             save(changed([](record::RecordOfVote& r) { r.T4.VydObalky = 650; }), DataLetter::E);
         },
         "navazuje na jiná uložená data"},
    };
    // Each journal set aside keeps those set aside before.
    const char* bad[] = {kBad, "data/ZURNAL.00003.bad2", "data/ZURNAL.00003.bad3"};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        const char* kBad = bad[i];
        SCOPED_TRACE(c.name);
        save(cleanRecord(parties), DataLetter::E);
        openOn(Page::Section2);
        form.fieldExit(Field::R_EdZapsOsoby, "1200");
        form.fieldExit(Field::R_EdVydObalky, "700");
        form.fieldExit(Field::R_EdPlatneHlasy, "500");
        c.spoil(dir);
        const std::string spoilt = dir.read(kJournal);
        const auto savedRecord = readBack(DataLetter::E);
        prompts.messages.clear();

        std::unique_ptr<EntryForm> again = restart();
        ASSERT_TRUE(again->open());
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].kind, "exclamation");
        EXPECT_NE(prompts.messages[0].text.find(c.reason), std::string::npos) << prompts.messages[0].text;
        EXPECT_NE(prompts.messages[0].text.find(dir.file(kBad)), std::string::npos) << prompts.messages[0].text;
        EXPECT_FALSE(dir.exists(kJournal));
        EXPECT_EQ(dir.read(kBad), spoilt);
        EXPECT_EQ(again->record().T4, savedRecord.T4);
        EXPECT_FALSE(again->recovered());
        prompts.messages.clear();
    }
    EXPECT_TRUE(dir.exists(bad[0]));
}

TEST_F(EntryJournal, AJournalWhoseChangesWereSavedBeforeTheProgramDiedGoesWithoutAQuestion) {
    // The program dies after the page change saved and before the journal went.
    openOn(Page::Section2);
    form.fieldExit(Field::R_EdZapsOsoby, "1200");
    const std::string journal = dir.read(kJournal);
    ASSERT_EQ(form.changePage(Page::Section3), PageChange::Changed);
    dir.write(kJournal, journal);
    prompts.messages.clear();
    std::unique_ptr<EntryForm> again = restart();
    ASSERT_TRUE(again->open());
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_FALSE(dir.exists(kJournal));
    EXPECT_EQ(again->fieldText(Field::R_EdZapsOsoby), "1200");
}

TEST_F(EntryJournal, ASaveCutShortBetweenItsFilesLeavesTheRestToRestore) {
    // Page III typed; the page change wrote HLASO.RCD and died before KOMISE.RCD.
    openOn(Page::Section3);
    form.fieldExit(Field::R_SEdClenuOVKP, "4");
    form.nameExit(1, "Jana Dvořáková");
    form.nameExit(2, "Petr Malý");
    form.nameExit(3, "Eva Nová");
    const Typed typed = typedIn(form);
    data::ZapisHlasovani(dataDir(), form.record().hlasovani);

    prompts.answers = {true};
    std::unique_ptr<EntryForm> again = restart();
    ASSERT_TRUE(again->open());
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].kind, "questionOrDismiss");
    EXPECT_EQ(typedIn(*again), typed);

    // Killed once more before any page change: the same again.
    prompts.messages.clear();
    prompts.answers = {true};
    again = restart();
    ASSERT_TRUE(again->open());
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(typedIn(*again), typed);
    ASSERT_EQ(again->changePage(Page::Section1), PageChange::Changed);
    EXPECT_EQ(data::NactiKomisi(dataDir()).size(), 3u);
}

TEST_F(EntryJournal, ASaveThatFailedPartWayAndTheTypingAfterItAreRestored) {
    // Page III: the page change writes HLASO.RCD and fails on KOMISE.RCD.
    openOn(Page::Section3);
    form.fieldExit(Field::R_SEdClenuOVKP, "4");
    form.nameExit(1, "Jana Dvořáková");
    files.failSync(dir.file("data/KOMISE.RCD"));
    EXPECT_EQ(form.changePage(Page::Section1), PageChange::Failed);
    ASSERT_EQ(hlasoOnDisk().ClenuOVKP, "4");
    files.failSync(dir.file("data/KOMISE.RCD"), 0);
    // The commission goes on typing, and the program dies.
    form.nameExit(2, "Petr Malý");
    form.fieldExit(Field::R_SEdOstatni, "nikdo");
    const Typed typed = typedIn(form);

    prompts.messages.clear();
    prompts.answers = {true};
    std::unique_ptr<EntryForm> again = restart();
    ASSERT_TRUE(again->open());
    ASSERT_EQ(prompts.messages.size(), 1u) << prompts.messages.back().text;
    EXPECT_EQ(prompts.messages[0].kind, "questionOrDismiss");
    EXPECT_EQ(typedIn(*again), typed);
}

TEST_F(EntryJournal, AJournalTheOpeningCannotReadOrRewriteIsNeverWrittenOver) {
    // Something the opening cannot read stands at the journal's name: told,
    // kept, and the typing goes on without a journal.
    std::filesystem::create_directory(dir.file(kJournal));
    prompts.messages.clear();
    ASSERT_TRUE(form.open());
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].kind, "failure");
    form.fieldExit(Field::R_SEdZahajeno1, "7");
    ASSERT_EQ(form.changePage(Page::Section3), PageChange::Changed);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file(kJournal)));
    std::filesystem::remove(dir.file(kJournal));

    // Restored, but not rewritten (the disk refuses): the old journal stays
    // whole, and nothing is appended after it.
    openOn(Page::Section2);
    form.fieldExit(Field::R_EdZapsOsoby, "1200");
    const std::string journal = dir.read(kJournal);
    files.failSync(dir.file(kJournal));
    prompts.messages.clear();
    prompts.answers = {true};
    std::unique_ptr<EntryForm> again = restart();
    ASSERT_TRUE(again->open());
    EXPECT_EQ(again->fieldText(Field::R_EdZapsOsoby), "1200");
    again->fieldExit(Field::R_EdOdevzdObalky, "699");
    EXPECT_EQ(dir.read(kJournal), journal);
}

TEST_F(EntryJournal, IsEmptiedBySavesAndByDiscardingAndIgnoredByTheCheckRun) {
    struct Case {
        const char* name;
        std::function<void()> step;
    } cases[] = {
        {"pageChange", [this] { EXPECT_EQ(form.changePage(Page::Section3), PageChange::Changed); }},
        {"partyChosenOnAnnex1",
         [this] {
             ASSERT_EQ(form.changePage(Page::Annex1), PageChange::Changed);
             form.fieldExit(Field::R_EdPocHl, "301");
             EXPECT_TRUE(form.choosePartyItem(1));
         }},
        {"save",
         [this] {
             if (form.beginReport()) form.answerReport(entry::ReportAnswer::GoOn);
             prompts.answers = {false};  // no export
             EXPECT_EQ(form.UlozitMIClick(), entry::SaveOutcome::Closed);
         }},
        {"closedWithoutSaving",
         [this] {
             // The window leaves the field it showed on its way out.
             form.onPageShown([this](Page) { form.fieldExit(Field::R_EdVydObalky, "703"); });
             prompts.answers = {true};
             EXPECT_TRUE(form.requestClose());
             form.onPageShown({});
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        save(cleanRecord(parties), DataLetter::E);
        openOn(Page::Section2);
        form.fieldExit(Field::R_EdZapsOsoby, "1200");
        ASSERT_TRUE(dir.exists(kJournal));
        c.step();
        EXPECT_FALSE(dir.exists(kJournal));
        EXPECT_EQ(form.unsavedChanges(), 0);
        if (form.isOpen()) {
            prompts.answers = {true};
            form.requestClose();
        }
        prompts.answers.clear();
        prompts.messages.clear();
    }

    // After the program died, cancelling the entered data takes the journal too.
    save(cleanRecord(parties), DataLetter::E);
    openOn(Page::Section2);
    form.fieldExit(Field::R_EdZapsOsoby, "1200");
    files.closeEveryOpenFile();
    prompts.answers = {true};
    workflow.ZrusitData_MIClick();
    EXPECT_FALSE(has(DataLetter::E));
    EXPECT_FALSE(dir.exists(kJournal));
    EXPECT_EQ(prompts.calls.back(), "information|Rušení dat|Data jsou zrušena.");
    prompts.messages.clear();
    ASSERT_TRUE(restart()->open());
    EXPECT_TRUE(prompts.messages.empty());

    // The check command judges the saved data and leaves the journal be.
    save(cleanRecord(parties), DataLetter::E);
    openOn(Page::Section2);
    form.fieldExit(Field::R_EdZapsOsoby, "1200");
    const std::string journal = dir.read(kJournal);
    workflow.Kontroly_MIClick();
    EXPECT_EQ(dir.read(kJournal), journal);
    prompts.answers = {true};
    std::unique_ptr<EntryForm> again = restart();
    ASSERT_TRUE(again->open());
    EXPECT_EQ(again->fieldText(Field::R_EdZapsOsoby), "1200");
}

TEST_F(EntryJournal, EachChangeIsOneSyncedWriteAndAJournalThatCannotBeWrittenIsToldOnce) {
    openOn(Page::Section2);
    const std::size_t start = files.journal().size();
    form.fieldExit(Field::R_EdZapsOsoby, "1200");
    form.fieldExit(Field::R_EdVydObalky, "700");
    std::vector<std::string> journalOps;
    for (const std::string& op : std::vector(files.journal().begin() + static_cast<long>(start), files.journal().end()))
        if (op.find("ZURNAL") != std::string::npos || op == "sync directory") journalOps.push_back(op);
    EXPECT_EQ(journalOps, (std::vector<std::string>{"remove ZURNAL.00003", "create ZURNAL.00003",
                                                    "write ZURNAL.00003", "sync ZURNAL.00003", "sync directory",
                                                    "write ZURNAL.00003", "sync ZURNAL.00003"}));

    // The disk fills up: told once, typing goes on, the page change saves.
    ASSERT_EQ(form.changePage(Page::Section3), PageChange::Changed);
    files.diskFullAfter(dir.file(kJournal), 0);
    prompts.messages.clear();
    form.fieldExit(Field::R_SEdClenuOVKC, "7");
    form.fieldExit(Field::R_SEdClenuOVKP, "1");
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].kind, "failure");
    EXPECT_NE(prompts.messages[0].text.find("nejsou chráněny"), std::string::npos) << prompts.messages[0].text;
    EXPECT_EQ(form.fieldText(Field::R_SEdClenuOVKC), "7");
    EXPECT_EQ(form.changePage(Page::Section1), PageChange::Changed);
    EXPECT_EQ(hlasoOnDisk().ClenuOVKC, "7");

    // After the save the journal starts afresh, and fails afresh: told again.
    prompts.messages.clear();
    form.fieldExit(Field::R_SEdZahajeno1, "9");
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].kind, "failure");
}

TEST_F(EntryJournal, ExportAndCancellingSayThatTypingWaits) {
    openOn(Page::Section2);
    form.fieldExit(Field::R_EdZapsOsoby, "1200");
    // The program died; the check command found the saved data clean (as
    // "O"), and F4 asks before it exports them alone.
    save(cleanRecord(parties), DataLetter::O);
    prompts.messages.clear();
    prompts.answers = {false};
    workflow.ExportTisk_MIClick();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].kind, "questionDefaultNo");
    EXPECT_NE(prompts.messages[0].text.find("neuložené údaje čekají na obnovení"), std::string::npos);
    EXPECT_EQ(exportDialogs.targetShown, 0);
    EXPECT_TRUE(dir.exists(kJournal));

    prompts.messages.clear();
    prompts.answers = {false};
    workflow.ZrusitData_MIClick();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].kind, "questionDefaultNo");
    EXPECT_EQ(prompts.messages[0].text,
              "Opravdu chcete zrušit pořízená data?\rZruší se i neuložené údaje z přerušeného pořizování.");
    EXPECT_TRUE(dir.exists(kJournal));
}

}  // namespace
}  // namespace talmorek::testing
