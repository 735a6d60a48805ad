// The frame of the entry window: opening, the pages, saving and closing,
// and the reports that wait for the user.
#include "core/entry/entry_form.h"

#include <cstdio>
#include <set>
#include <utility>

#include "core/entry/entry_section2.h"
#include "core/workflow/error_messages.h"
#include "core/workflow/saved_record.h"
#include "core/workflow/station_display.h"
#include "core/data/blanks.h"
#include "core/data/cp1250.h"
#include "core/data/decimal.h"
#include "core/record/check_numbers.h"
#include "core/record/party_list.h"
#include "core/record/recompute.h"
#include "core/export/data_file.h"

namespace talmorek::entry {
namespace {

using exporting::DataLetter;

constexpr const char* kTitle = "Vstup dat za okrsek";
constexpr std::size_t kComboTextLength = 55;

// The district code of the precinct, which the results block carries. The
// station record is expected to match the register: a precinct the register
// does not know has no code, and the opening fails on it as on a code that
// is not a number.
std::uint16_t regKodOf(const data::Registers& registers, const data::TStanice& station) {
    data::TOkrsky okrsek;
    const bool known = registers.NajdiOkrsek(station.KodObce, station.CisloOkrsku, okrsek);
    const std::string file = registers.path(data::okrsky::kLayout.name);
    return static_cast<std::uint16_t>(
        data::toIntStrict(known ? okrsek.KodOkresu : std::string(), {file, "KodOkresu"}));
}

// The record as the files hold it: the results block ("O", else "E"), the
// course of voting and, when members other than the chair were present,
// the commission list.
record::RecordOfVote loadSaved(const data::Directories& dirs, const data::TStanice& station,
                               data::FileSystem& files) {
    record::RecordOfVote record;
    workflow::loadResultsBlock(dirs, station, record, files);
    record.hlasovani = data::NactiHlasovani(dirs.data, files);
    const std::string hlaso = workflow::courseOfVotingFile(dirs);
    if (data::otherMembersPresent(record.hlasovani.ClenuOVKP, {hlaso, "ClenuOVKP"}) &&
        data::KomiseNeprazdna(dirs.data, files))
        record.komise = data::NactiKomisi(dirs.data, files);
    return record;
}

// "1 neuložený údaj", "3 neuložené údaje", "12 neuložených údajů".
std::string unsavedCount(std::size_t n) {
    const std::string count = std::to_string(n);
    if (n == 1) return count + " neuložený údaj";
    if (n >= 2 && n <= 4) return count + " neuložené údaje";
    return count + " neuložených údajů";
}

// The values the entries change: a field typed over twice is one value, a
// party chosen on Annex 1 none.
std::size_t valuesChanged(const std::vector<JournalEntry>& entries) {
    std::set<std::string> values;
    for (const JournalEntry& e : entries) {
        switch (e.kind) {
            case JournalKind::Field: values.insert(objectName(e.control) + "/" + std::to_string(e.party)); break;
            case JournalKind::Radio:
                if (const RadioPair* pair = radioPairOf(e.control.field))
                    values.insert(std::string(controlName(pair->yes)));
                break;
            case JournalKind::Tick: values.insert("PartyBox" + std::to_string(e.party)); break;
            case JournalKind::Name: values.insert("jmeno" + std::to_string(e.control.index)); break;
            case JournalKind::Party: break;
        }
    }
    return values.size();
}

std::string hourMinute(const data::LocalDateTime& t) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", t.hour, t.minute);
    return text;
}

}  // namespace

EntryForm::EntryForm(workflow::Workflow& workflow, workflow::Prompts& prompts, Beep& beep)
    : workflow_(workflow), prompts_(prompts), beep_(beep) {}

const data::TStanice& EntryForm::station() const { return workflow_.station(); }

void EntryForm::reportFailure(const std::exception& e) { prompts_.failure(workflow::czechMessage(e), kTitle); }

template <typename Ask>
std::optional<FieldFinding> EntryForm::askRules(Ask ask) {
    try {
        const data::Registers registers(workflow_.directories().program);
        // Silent rules mark nothing: the protocol they are given stays empty.
        checks::TChybProt scratch(*workflow_.protocol()->CisChyb);
        checks::CheckRules rules(record_, parties_, registers, station().KodObce, scratch);
        return ask(rules);
    } catch (const std::exception& e) {
        reportFailure(e);
        return std::nullopt;
    }
}

bool EntryForm::PorizeniDat_MIClick() { return workflow_.PorizeniDat_MIClick() && open(); }

bool EntryForm::open() {
    open_ = false;
    if (!load()) return false;
    open_ = true;
    if (!offerRecovery()) {
        open_ = false;
        return false;
    }
    return true;
}

bool EntryForm::load() {
    if (!workflow_.start()) return false;
    // Everything is read into a fresh record first: a file that fails to
    // load leaves the record of the last opening as it was.
    const data::TStanice& station = workflow_.station();
    const data::Directories& dirs = workflow_.directories();
    record::RecordOfVote record;
    data::PartyList parties;
    data::CandidateTable candidates;
    CommissionNames names;
    std::set<int> ticked;
    SavedFingerprint fingerprint;
    try {
        const data::Registers registers(dirs.program);
        parties = registers.NactiStrany();
        candidates = registers.NactiKandidaty();
        record = loadSaved(dirs, station, workflow_.files());
        fingerprint = fingerprintOf(record);
        record.T4.Typ = 1;
        record.T4.RegKod = regKodOf(registers, station);
        record.T4.Obec = data::toIntOr(station.KodObce, 0);
        record.T4.Okrsek = station.CisloOkrsku;
        record.T4.KC1 = record::KontrolniCislo1(record.T4.Obec, record.T4.Okrsek);
        record.T4.KC2 = record::kc2OfSection2(record.T4);
        ProcNatahniHlasovani(record.hlasovani, record.komise, names);
        // The boxes of the parties with votes are ticked as the record has
        // them; ticking fills the party's header from the identification.
        ticked = record::tickedParties(record, parties);
        for (int party : ticked) record.MarkParty(party, true);
    } catch (const std::exception& e) {
        reportFailure(e);
        return false;
    }
    record_ = std::move(record);
    parties_ = std::move(parties);
    candidates_ = std::move(candidates);
    names_ = std::move(names);
    ticked_ = std::move(ticked);
    // The combo box of an earlier opening offers nothing of this one.
    combo_.clear();
    comboIndex_ = 0;
    comboTicked_.clear();
    shownParty_ = 0;
    candidateCount_ = 0;
    precinct_ = entryPrecinctOf(station);
    closing_ = false;
    saving_ = false;
    pending_.reset();
    showing_ = false;
    waiting_ = WaitingAction::None;
    journal_.emplace(workflow_.files(), data::journalFile(dirs.data, station.CisloOkrsku));
    savedFingerprint_ = std::move(fingerprint);
    journalFailureTold_ = false;
    replaying_ = false;
    recovered_.reset();
    section2Shown_ = true;
    page_ = EntryPage::Section1;
    afterPageShown(EntryPage::Section1);
    return true;
}

// ---- The journal -------------------------------------------------------------

bool EntryForm::offerRecovery() {
    std::optional<JournalContent> content;
    try {
        content = journal_->read();
    } catch (const data::FormatError& e) {
        setJournalAside(workflow::czechMessage(e));
        return true;
    } catch (const std::exception& e) {
        // Unreadable, not damaged: it stays as it is, and nothing typed in
        // this opening goes over it.
        journal_->hold();
        reportFailure(e);
        return true;
    }
    // No journal, or one that holds nothing the user was ever shown as taken.
    if (!content || content->entries.empty()) {
        clearJournal();
        return true;
    }
    const data::TStanice& station = workflow_.station();
    if (content->header.kodObce != station.KodObce || content->header.okrsek != station.CisloOkrsku) {
        setJournalAside("Soubor " + journal_->path() + " patří k okrsku " + std::to_string(content->header.okrsek) +
                        " obce " + content->header.kodObce + ".");
        return true;
    }
    // What the journal would change, typed onto the record just loaded and
    // loaded again afterwards.
    const SavedFingerprint base = content->header.fingerprint;
    const SavedFingerprint now = *savedFingerprint_;
    const SavedFingerprint before = typedFingerprint();
    replay(content->entries);
    const SavedFingerprint after = typedFingerprint();
    if (!load()) return false;
    // Every change saved already (a save reached the files and the program
    // ended before it emptied the journal), or typed back: nothing to offer.
    if (before == after) {
        clearJournal();
        return true;
    }
    // The saved data changed since the journal began. A save cut short
    // between its files leaves each part it wrote holding what the journal
    // types into it: then the journal applies to the files as they are. A
    // part changed otherwise means the data were replaced under the
    // journal: typing it onto them would mix two records.
    const bool applies = (base.results == now.results || before.results == after.results) &&
                         (base.course == now.course || before.course == after.course) &&
                         (base.commission == now.commission || before.commission == after.commission);
    if (!applies) {
        setJournalAside("Soubor " + journal_->path() + " navazuje na jiná uložená data, než jaká okrsek nyní má.");
        return true;
    }
    // Restored onto the files as they are, its header follows them.
    content->header.fingerprint = now;
    const std::size_t count = valuesChanged(content->entries);
    const std::string question = "Pořizování dat bylo neočekávaně přerušeno (poslední změna " +
                                 hourMinute(content->entries.back().time) + "). Obnovit " + unsavedCount(count) + "?";
    for (;;) {
        const workflow::Answer answer = prompts_.questionOrDismiss(question, kTitle);
        if (answer == workflow::Answer::Dismissed) return false;
        if (answer == workflow::Answer::Yes) break;
        if (prompts_.questionDefaultNo("Neuložené údaje (" + std::to_string(count) +
                                           ") budou ztraceny.\rOpravdu je zahodit?",
                                       kTitle)) {
            clearJournal();
            return true;
        }
    }
    replay(content->entries);
    try {
        // Without a line cut short, and open for what comes next.
        journal_->rewrite(*content);
    } catch (const std::exception& e) {
        journalFailureTold_ = true;
        prompts_.failure(workflow::journalNotWritten(e), kTitle);
    }
    return true;
}

void EntryForm::replay(const std::vector<JournalEntry>& entries) {
    replaying_ = true;
    struct ReplayEnds {
        bool& replaying;
        ~ReplayEnds() { replaying = false; }
    } replayEnds{replaying_};
    for (const JournalEntry& e : entries) {
        switch (e.kind) {
            case JournalKind::Field:
                if (e.party != 0 && !showPartyForReplay(e.party)) break;
                fieldExit(e.control, e.value);
                break;
            case JournalKind::Radio: chooseRadio(e.control.field); break;
            case JournalKind::Tick: tickParty(e.party, e.value == "1"); break;
            case JournalKind::Name: nameExit(e.control.index, e.value); break;
            case JournalKind::Party: showPartyForReplay(e.party); break;
        }
    }
    if (entries.empty()) return;
    const JournalEntry& last = entries.back();
    EntryPage page = last.page;
    if (page == EntryPage::Annex1 && (ticked_.empty() || shownParty_ == 0 || !ticked_.count(shownParty_)))
        page = EntryPage::Section2;
    page_ = page;
    afterPageShown(page);
    focus_ = last.control;
    recovered_ = last.control;
}

bool EntryForm::showPartyForReplay(int party) {
    if (!ticked_.count(party)) return false;
    if (combo_.empty() || comboTicked_ != ticked_) rebuildPartyCombo();
    for (std::size_t i = 0; i < combo_.size(); ++i) {
        if (combo_[i].party != party) continue;
        comboIndex_ = static_cast<int>(i);
        showParty(party);
        return true;
    }
    return false;
}

SavedFingerprint EntryForm::typedFingerprint() const {
    record::RecordOfVote typed = record_;
    if (std::optional<data::SeznamKomise> list = names_.toStore()) typed.komise = std::move(*list);
    return fingerprintOf(typed);
}

void EntryForm::setJournalAside(const std::string& reason) {
    try {
        const std::string bad = journal_->setAside();
        prompts_.exclamation(workflow::journalSetAside(reason, bad), kTitle);
    } catch (const std::exception& e) {
        // It stays where it is, and nothing typed now goes over it.
        journal_->hold();
        reportFailure(e);
    }
}

void EntryForm::rebaseJournal() {
    if (!journal_ || journal_->failed() || journal_->entries() == 0) return;
    // A save that failed part-way may have written some of the files: the
    // journal goes on from the files as they are now, so that what is
    // typed after it applies to them. If that cannot be done, nothing more
    // is appended to the journal as it stands.
    try {
        std::optional<JournalContent> content = journal_->read();
        if (!content) return;
        const SavedFingerprint now = fingerprintOf(loadSaved(workflow_.directories(), station(), workflow_.files()));
        content->header.fingerprint = now;
        journal_->rewrite(*content);
        savedFingerprint_ = now;
    } catch (const std::exception& e) {
        journal_->hold();
        if (!std::exchange(journalFailureTold_, true)) prompts_.failure(workflow::journalNotWritten(e), kTitle);
    }
}

void EntryForm::journal(JournalKind kind, const EntryControl& control, int party, std::string value) {
    // Closing without saving discards the page's changes, and the journal
    // with them: what the window's way out still hands over is not kept.
    if (replaying_ || !open_ || closing_ || !journal_ || journal_->failed()) return;
    try {
        if (!savedFingerprint_) savedFingerprint_ = fingerprintOf(loadSaved(workflow_.directories(), station(), workflow_.files()));
        JournalEntry entry;
        entry.time = workflow_.clock()->now();
        entry.page = page_;
        entry.kind = kind;
        entry.control = control;
        entry.party = party;
        entry.value = std::move(value);
        journal_->append({station().KodObce, station().CisloOkrsku, *savedFingerprint_}, std::move(entry));
    } catch (const std::exception& e) {
        if (std::exchange(journalFailureTold_, true)) return;
        prompts_.failure(workflow::journalNotWritten(e), kTitle);
    }
}

void EntryForm::afterSave() {
    savedFingerprint_.reset();
    clearJournal();
    // The journal starts afresh: a failure from now on is told again.
    journalFailureTold_ = false;
}

void EntryForm::clearJournal() {
    if (!journal_) return;
    try {
        journal_->clear();
    } catch (const std::exception&) {
        // A journal that stays is found at the next opening. After a save
        // its changes are in the files, which the opening recognises and
        // removes it without a question; after closing with "Ano" it offers
        // them again, which loses nothing.
    }
}

std::string EntryForm::fieldText(const EntryControl& control) const {
    const record::RecordOfVote& r = record();
    if (const HlasovaniEdit* edit = hlasovaniEdit(control.field)) return r.hlasovani.*edit->member;
    switch (control.field) {
        case EntryField::R_SEdDatumVoleb: return workflow::electionDatesText(station());
        case EntryField::R_SEdPrilListu: return r.hlasovani.PrilListu;
        case EntryField::R_EdObec_Z:
        case EntryField::R_EdObec: return std::to_string(r.T4.Obec);
        case EntryField::R_EdOkrsek_Z:
        case EntryField::R_EdOkrsek: return std::to_string(r.T4.Okrsek);
        case EntryField::R_EdT4KC_1_Z:
        case EntryField::R_EdT4KC_1: return std::to_string(r.T4.KC1);
        case EntryField::R_EdZapsOsoby: return std::to_string(r.T4.ZapsOsoby);
        case EntryField::R_EdVydObalky: return std::to_string(r.T4.VydObalky);
        case EntryField::R_EdOdevzdObalky: return std::to_string(r.T4.OdevzdObalky);
        case EntryField::R_EdPlatneHlasy: return std::to_string(r.T4.PlatneHlasy);
        case EntryField::R_EdT4KC_2: return std::to_string(r.T4.KC2);
        default: break;
    }
    if (shownParty_ == 0) return {};
    const record::TT4P& p = r.party(shownParty_);
    switch (control.field) {
        case EntryField::R_EdCisStr: return std::to_string(p.KStrana);
        case EntryField::R_EdPocHl: return std::to_string(p.PocHlasu);
        case EntryField::R_EdT4PKC2: return std::to_string(p.KC2);
        case EntryField::CandEdit: return candidateRow(control.index).text;
        case EntryField::R_EdT4PKC3: return std::to_string(p.KC3);
        case EntryField::R_EdT4PKC4: return std::to_string(p.KC4);
        case EntryField::R_EdT4PPoslKand: return std::to_string(p.PoslKand);
        default: return {};
    }
}

bool EntryForm::radioChecked(EntryField button) const { return entry::radioChecked(record().hlasovani, button); }

bool EntryForm::isHidden(EntryField control) const { return hiddenForPrecinct(precinct_, controlName(control)); }

checks::FieldMessage EntryForm::messageOf(const FieldFinding& f) const {
    return checks::fieldMessage(*workflow_.protocol()->CisChyb, f.code, f.param, f.iInfo, f.iPropust);
}

// ---- Pages -----------------------------------------------------------------

PageChange EntryForm::changePage(EntryPage requested) {
    if (requested == page_) {
        afterPageShown(page_);
        return PageChange::Unchanged;
    }
    // Annex 1 lists the ticked parties: without one there is nothing to type.
    if (requested == EntryPage::Annex1 && ticked_.empty()) {
        beep_.beep();
        return PageChange::Refused;
    }
    if (!closing_ && !saveUnchecked()) return PageChange::Failed;
    // Coming from page II the ticks may have changed: Annex 1 offers the
    // parties ticked now, the first of them shown.
    if (requested == EntryPage::Annex1 &&
        (page_ == EntryPage::Section2 || combo_.empty() || comboTicked_ != ticked_))
        rebuildPartyCombo();
    page_ = requested;
    afterPageShown(requested);
    return PageChange::Changed;
}

void EntryForm::afterPageShown(EntryPage page) {
    switch (page) {
        case EntryPage::Section1: focus_ = EntryField::R_SEdZahajeno1; break;
        case EntryPage::Section2:
            focus_ = section2Shown_ ? EntryField::R_EdZapsOsoby : EntryField::R_EdObec;
            break;
        case EntryPage::Annex1: focus_ = EntryField::R_CBT4P_1; break;
        case EntryPage::Section3:
            // The sheets of Annex 1 follow the parties ticked meanwhile.
            record_.hlasovani.PrilListu = std::to_string(record::PocetListuPrilohy(record()));
            focus_ = EntryField::R_SEdClenuOVKC;
            break;
    }
    lastPage_ = page;
    if (pageShown_) pageShown_(page);
}

PageChange EntryForm::nextPage() {
    int next = static_cast<int>(page_) + 1;
    if (page_ == EntryPage::Section2 && ticked_.empty()) next = static_cast<int>(EntryPage::Section3);
    if (next >= kEntryPageCount) next = 0;
    return changePage(static_cast<EntryPage>(next));
}

PageChange EntryForm::previousPage() {
    int previous = static_cast<int>(page_) - 1;
    if (page_ == EntryPage::Section3 && ticked_.empty()) previous = static_cast<int>(EntryPage::Section2);
    if (previous < 0) previous = kEntryPageCount - 1;
    return changePage(static_cast<EntryPage>(previous));
}

PageChange EntryForm::continueFromSection1() {
    if (waitsForReport(WaitingAction::ContinueSection1)) return PageChange::WaitsForReport;
    return changePage(EntryPage::Section2);
}

PageChange EntryForm::continueFromSection2() {
    if (waitsForReport(WaitingAction::ContinueSection2)) return PageChange::WaitsForReport;
    return changePage(ticked_.empty() ? EntryPage::Section3 : EntryPage::Annex1);
}

void EntryForm::KCisloMI1Click() {
    if (page_ == EntryPage::Annex1) focus_ = EntryField::R_EdT4PPoslKand;
}

bool EntryForm::correctionsInitialled() const { return record_.T4.Oprava == record::kCorrectionsInitialled; }

bool EntryForm::typedAtReceivingPoint() const { return record_.TS.ZpusobPorizeni == record::kTypedAtReceivingPoint; }

bool EntryForm::partyCorrectionsInitialled() const {
    return shownParty_ != 0 && record_.party(shownParty_).Oprava == record::kCorrectionsInitialled;
}

std::string EntryForm::partyCaption(const data::TStrana& party) {
    const std::string& number = party.CisloStrany;
    const std::string lastTwo = number.size() > 2 ? number.substr(number.size() - 2) : number;
    return lastTwo + ": " + data::trimBlanks(party.NazevStrany);
}

void EntryForm::rebuildPartyCombo() {
    combo_.clear();
    for (int i = 1; i <= parties_.length; ++i) {
        const data::TStrana& s = parties_.at(i);
        const int party = record::partyNumberOf(s);
        if (!ticked_.count(party)) continue;
        combo_.push_back({party, i, data::utf8Prefix(partyCaption(s), kComboTextLength)});
    }
    comboTicked_ = ticked_;
    comboIndex_ = 0;
    // The first party is shown; the page change saves, not the rebuild.
    if (!combo_.empty()) showParty(combo_.front().party);
}

void EntryForm::showParty(int party) {
    shownParty_ = party;
    const PartyComboItem& item = combo_.at(static_cast<std::size_t>(comboIndex_));
    candidateCount_ = annexCandidateCount(parties_.at(item.listIndex));
}

CandidateRow EntryForm::candidateRow(int order) const {
    if (shownParty_ == 0) return entry::candidateRow({}, candidates_, 0, 0, order);
    return entry::candidateRow(record().party(shownParty_), candidates_, shownParty_, candidateCount_, order);
}

bool EntryForm::choosePartyItem(int index) {
    if (combo_.empty()) return true;
    if (index < 0 || index >= static_cast<int>(combo_.size())) index = 0;
    comboIndex_ = index;
    const int party = combo_[static_cast<std::size_t>(index)].party;
    // Kept until the save below empties the journal: if the save fails,
    // what is typed next belongs to this party.
    if (party != shownParty_ && !closing_) journal(JournalKind::Party, EntryField::R_CBT4P_1, party, {});
    showParty(party);
    if (closing_) return true;
    return saveUnchecked();
}

std::optional<FieldFinding> EntryForm::lastCandidateExit(bool leftWithEnter, const EntryControl& focusTo) {
    if (shownParty_ == 0) return std::nullopt;
    // The party and the item are those left, whatever the Enter move shows next.
    const int party = shownParty_;
    const int item = comboIndex_;
    const bool lastItem = item + 1 >= static_cast<int>(combo_.size());
    if (leftWithEnter) {
        if (!lastItem) {
            choosePartyItem(item + 1);
            focus_ = EntryField::R_CBT4P_1;
        } else {
            changePage(EntryPage::Section3);
        }
    }
    // Leaving for "Zrušit" judges nothing.
    if (focusTo.field == EntryField::zrusitBtn) return std::nullopt;
    std::optional<FieldFinding> finding =
        askRules([&](checks::CheckRules& rules) { return leavingPartyFinding(rules, party, lastItem); });
    if (finding) Hlaska(*finding, focusTo);
    return finding;
}

void EntryForm::tickParty(int party, bool ticked) {
    if (partyTicked(party) != ticked) journal(JournalKind::Tick, EntryControl(EntryField::PartyBox, party), party, ticked ? "1" : "0");
    record_.MarkParty(party, ticked);
    if (ticked) {
        ticked_.insert(party);
    } else {
        ticked_.erase(party);
    }
}

std::vector<int> EntryForm::partyBoxes() const {
    std::vector<int> boxes;
    for (int i = 1; i <= parties_.length; ++i) boxes.push_back(record::partyNumberOf(parties_.at(i)));
    return boxes;
}

std::optional<PageChange> EntryForm::partyBoxExit(int party, bool leftWithEnter) {
    const std::vector<int> boxes = partyBoxes();
    if (!leftWithEnter || boxes.empty() || boxes.back() != party) return std::nullopt;
    return continueFromSection2();
}

// ---- Saving ----------------------------------------------------------------

void EntryForm::recompute() {
    record::RecomputeAll(record_, parties_, ticked_, station(), workflow_.recomputeSources());
}

void EntryForm::storeNames() {
    // Fewer than two present: the chair alone, and KOMISE.RCD keeps what it holds.
    if (std::optional<data::SeznamKomise> list = names_.toStore()) {
        data::ZapisKomisi(workflow_.directories().data, *list, workflow_.files());
        record_.komise = std::move(*list);
    }
}

void EntryForm::writeResults(const record::RecordOfVote& record, exporting::DataLetter letter) {
    exporting::saveResults(record, workflow_.directories().data, station().KodObce, station().CisloOkrsku, letter,
                           workflow_.files());
}

void EntryForm::writeUnchecked() {
    writeResults(record_, DataLetter::E);
    data::ZapisHlasovani(workflow_.directories().data, record().hlasovani, workflow_.files());
    storeNames();
}

bool EntryForm::saveUnchecked() {
    try {
        recompute();
        std::optional<data::SeznamKomise> names = names_.toStore();
        workflow_.saveEntered(record(), DataLetter::E, names);
        if (names) record_.komise = std::move(*names);
        afterSave();
        return true;
    } catch (const std::exception& e) {
        reportFailure(e);
        rebaseJournal();
        return false;
    }
}

SaveOutcome EntryForm::UlozitMIClick() {
    if (changePage(EntryPage::Section3) == PageChange::Failed) return SaveOutcome::StaysOpen;
    focus_ = EntryField::UlozitOkrBtn;
    return save();
}

SaveOutcome EntryForm::save() {
    if (waitsForReport(WaitingAction::Save)) return SaveOutcome::WaitsForReport;
    saving_ = true;
    struct SavingEnds {
        bool& saving;
        ~SavingEnds() { saving = false; }
    } savingEnds{saving_};
    // The check procedure judges what it loads from the files, in a record
    // of its own: what is typed stays as it is, whichever step fails.
    try {
        recompute();
        if (changePage(EntryPage::Section1) == PageChange::Failed) return SaveOutcome::StaysOpen;
        writeUnchecked();
        afterSave();
        workflow::CheckedRecord checked = workflow_.Kontroly(checks::Vybrano::CheckCommandOrSave);
        record::RecomputeAll(checked.record, parties_, ticked_, station(), workflow_.recomputeSources());
        workflow_.ZapisStavStanice("N");
        if (workflow_.state().KontrolyOK) {
            writeResults(checked.record, DataLetter::O);
            if (prompts_.question("Chcete pokračovat exportem dat a tiskem zápisu?", kTitle))
                workflow_.ExportTisk(&checked);
        } else {
            writeResults(checked.record, DataLetter::E);
        }
    } catch (const std::exception& e) {
        reportFailure(e);
        rebaseJournal();
        return SaveOutcome::StaysOpen;
    }
    closeWindow();
    return SaveOutcome::Closed;
}

bool EntryForm::requestClose() {
    if (!open_) return true;
    // A finding still waiting to be shown belongs to the field being left
    // for good: the close question comes alone.
    if (!showing_) {
        pending_.reset();
        waiting_ = WaitingAction::None;
    }
    if (!prompts_.questionDefaultNo("Opravdu ukončit pořizování bez uložení změn na aktuální záložce?", kTitle))
        return false;
    // What earlier page changes saved stays; this page's changes are not
    // saved, and the journal that kept them goes with them.
    closing_ = true;
    changePage(EntryPage::Section1);
    clearJournal();
    closeWindow();
    return true;
}

void EntryForm::closeWindow() {
    open_ = false;
    pending_.reset();
    showing_ = false;
    waiting_ = WaitingAction::None;
}

// ---- Field exits -------------------------------------------------------------

std::optional<FieldFinding> EntryForm::fieldExit(const EntryControl& control, std::string_view text,
                                                 const EntryControl& focusTo) {
    std::optional<FieldFinding> finding;
    const std::string before = fieldText(control);
    data::Hlasovani& h = record_.hlasovani;
    if (const HlasovaniEdit* edit = hlasovaniEdit(control.field)) {
        storeHlasovaniText(h, *edit, text);
        if (control.field == EntryField::R_SEdClenuOVKP) {
            try {
                names_.setMembersPresent(h.ClenuOVKP);
            } catch (const std::exception& e) {
                // Only a damaged record holds a count that is not a number.
                if (!replaying_) reportFailure(e);
            }
        }
    }
    record::RecordOfVote& r = record_;
    // Leaving a field for "Zrušit" stores what was typed but judges nothing;
    // neither does typing a journal again.
    const bool judge = focusTo.field != EntryField::zrusitBtn && !replaying_;
    if (isSection2Total(control.field)) {
        storeSection2Total(r.T4, control.field, text);
        r.T4.KC1 = record::KontrolniCislo1(r.T4.Obec, r.T4.Okrsek);
        r.T4.KC2 = record::kc2OfSection2(r.T4);
        if (judge) finding = askRules([&](checks::CheckRules& rules) { return section2Finding(control.field, rules); });
    } else if (shownParty_ != 0 && control.field == EntryField::R_EdPocHl) {
        const int party = shownParty_;
        r.party(party).PocHlasu = annexVotes(text);
        record::ProcDopoctiT4P(r, party, parties_);
        if (judge) finding = askRules([&](checks::CheckRules& rules) { return partyVotesFinding(rules, party); });
    } else if (shownParty_ != 0 && control.field == EntryField::CandEdit && control.index >= 1 &&
               control.index <= candidateCount_ && candidateRow(control.index).enabled) {
        const int party = shownParty_;
        const int order = control.index;
        r.party(party).PrefHlasy.at(static_cast<std::size_t>(order - 1)) = annexVotes(text);
        record::ProcDopoctiT4P(r, party, parties_);
        if (judge) {
            finding = askRules([&](checks::CheckRules& rules) { return preferentialVotesFinding(rules, party, order); });
        }
    }
    // The journal has the change before the user sees its finding.
    if (fieldText(control) != before) {
        const std::optional<EntryPage> page = pageOf(control.field);
        journal(JournalKind::Field, control, page == EntryPage::Annex1 ? shownParty_ : 0, std::string(text));
    }
    if (finding) Hlaska(*finding, focusTo);
    return finding;
}

void EntryForm::chooseRadio(EntryField button) {
    const data::Hlasovani before = record_.hlasovani;
    entry::chooseRadio(record_.hlasovani, button);
    if (record_.hlasovani != before) journal(JournalKind::Radio, button, 0, {});
}

void EntryForm::leaveRadio(EntryField button) {
    const RadioPair* pair = radioPairOf(button);
    if (pair && pair->setAgainOnLeave && radioChecked(button)) chooseRadio(button);
}

void EntryForm::nameExit(int row, std::string_view text) {
    const std::string before = names_.name(row);
    names_.setName(row, text);
    if (names_.name(row) != before)
        journal(JournalKind::Name, EntryControl(EntryField::R_JmenaKomise_SG, row), 0, std::string(text));
}

EntryField EntryForm::KamDale() const { return entry::KamDale(precinct_.abroad); }

// ---- Reports -----------------------------------------------------------------

void EntryForm::Hlaska(const FieldFinding& finding, const EntryControl& focusTo) {
    // Leaving a field for "Zrušit" never raises a message.
    if (focusTo.field == EntryField::zrusitBtn) return;
    if (!open_ || closing_ || saving_ || pending_) return;
    pending_ = finding;
    waiting_ = WaitingAction::None;
}

bool EntryForm::waitsForReport(WaitingAction action) {
    if (!pending_) return false;
    waiting_ = action;
    return true;
}

std::optional<FieldFinding> EntryForm::beginReport() {
    if (!pending_ || showing_) return std::nullopt;
    if (!open_ || closing_ || saving_) {
        pending_.reset();
        waiting_ = WaitingAction::None;
        return std::nullopt;
    }
    showing_ = true;
    return pending_;
}

ReportResult EntryForm::answerReport(ReportAnswer answer) {
    if (!pending_ || !showing_) return {};
    const FieldFinding finding = *pending_;
    const WaitingAction waiting = waiting_;
    pending_.reset();
    showing_ = false;
    waiting_ = WaitingAction::None;
    if (answer == ReportAnswer::GoOn) return {EntryControl{}, waiting};
    // Back to the field: its page first (a page change like any other).
    const std::optional<EntryPage> page = pageOf(finding.field.field);
    if (page && *page != page_ && changePage(*page) != PageChange::Changed) return {focus_, WaitingAction::None};
    // A finding of Annex 1 belongs to the party it was found on, which the
    // Enter move, Tab, the mouse or a jump may have left meanwhile.
    if (page == EntryPage::Annex1 && finding.party != 0 && finding.party != shownParty_) {
        for (std::size_t i = 0; i < combo_.size(); ++i) {
            if (combo_[i].party == finding.party) {
                choosePartyItem(static_cast<int>(i));
                break;
            }
        }
    }
    focus_ = finding.field;
    return {finding.field, WaitingAction::None};
}

}  // namespace talmorek::entry
