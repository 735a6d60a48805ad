#pragma once
// The entry window `TR_Vstupni_Form` without the window: the record the
// commission types, the four pages and the movement between them, every
// field exit, saving, closing, and the reports that wait for the user.
//
// The window shows what this holds, hands every key and focus change to it
// and shows its findings; every decision is made here, so the keyboard
// scenarios of election night run as plain tests. Questions and failures go
// through `Prompts`, the refusal beep through `Beep`.
//
// What is typed lives in the form's own record and in the names of the
// commission. Opening only reads. Every page change saves everything as not
// yet checked: the results as "E" (the "O" file removed), HLASO.RCD,
// KOMISE.RCD and the station's `Stav` "N". A save runs the check procedure,
// which judges what it loads from those files into a record of its own, and
// keeps that record as "O" or "E" by the verdict; what is typed is never
// touched by it. A write that fails is reported in Czech; nothing typed is
// lost and the files keep their previous content.
//
// The journal: every change typed between two saves is also appended to
// ZURNAL.<precinct> (see entry_journal.h) before the window goes on, and a
// save that reaches the files empties it. An opening that finds it asks
// whether to type it again (`open`).
//
// Deferred reports: a field exit that finds an error queues it (`Hlaska`);
// the window shows it once the focus change has finished (`beginReport`)
// and hands the answer back (`answerReport`). "Uložit" and "Pokračovat"
// pressed while a report waits do not run: they wait for the answer, and
// run only when the user goes on with "&Ignorovat"/"&Potvrdit". "&Opravit"
// drops them and brings the field back.

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/entry/refusal_beep.h"
#include "core/entry/entry_annex1.h"
#include "core/entry/entry_fields.h"
#include "core/entry/entry_finding.h"
#include "core/entry/entry_journal.h"
#include "core/entry/entry_precinct.h"
#include "core/entry/entry_section3.h"
#include "core/workflow/prompts.h"
#include "core/workflow/workflow.h"
#include "core/checks/field_message.h"
#include "core/checks/rules.h"
#include "core/data/registers.h"
#include "core/record/record_of_vote.h"
#include "core/export/data_file.h"

namespace talmorek::entry {

// How a request to change the page ended.
enum class PageChange {
    Changed,         // the new page is shown (and everything was saved, unless closing)
    Unchanged,       // the page asked for was shown already
    Refused,         // Annex 1 while no party is ticked: a beep, nothing else
    Failed,          // a write failed and was reported; the page stays
    WaitsForReport,  // "Pokračovat" waits for the report still to be answered
};

// How a save ended.
enum class SaveOutcome {
    Closed,          // saved (and checked, and maybe exported): the window closes
    StaysOpen,       // a step failed and was reported; everything typed is kept
    WaitsForReport,  // a report waits: it is answered first
};

// An item of the party combo box `R_CBT4P_1` of Annex 1.
struct PartyComboItem {
    int party = 0;      // `ComboParty`: the party number
    int listIndex = 0;  // `ComboListIndex`: its position in the party list, 1-based
    std::string text;   // the last two characters of the number, ": " and the name, at most 55 characters
    bool operator==(const PartyComboItem&) const = default;
};

// What the answer to a report asks the window to do.
struct ReportResult {
    // "&Opravit": the field to focus (its page is shown already). Go on: None.
    EntryControl focus;
    // Go on: the action that waited, to be carried out now; None otherwise.
    WaitingAction resume = WaitingAction::None;
};

class EntryForm {
public:
    EntryForm(workflow::Workflow& workflow, workflow::Prompts& prompts, Beep& beep);

    // F2 "Pořízení a oprava dat": the workflow's gate (the question after
    // an export), then the opening. True when the window is to be shown.
    bool PorizeniDat_MIClick();

    // Opening: reloads everything from the files and writes nothing. On a
    // failure (a damaged file, a precinct the register does not know) the
    // user is told, and the window is not shown: false.
    //
    // A journal left by an entry that ended unexpectedly comes first: the
    // user is asked whether to restore what it holds. "Ano" types it again
    // onto the record just loaded, as the user typed it (no report comes
    // up; a field's finding is shown when the user next leaves it), and
    // shows the page of the last change (`recovered`); nothing is saved
    // before the next page change. "Ne" discards it after a second
    // question; Escape puts the question aside: the window is not shown and
    // the journal waits for the next opening. A journal that cannot be
    // replayed (damaged, another precinct's, made over other saved data) is
    // set aside as ZURNAL.<precinct>.bad and the user told.
    bool open();
    bool isOpen() const { return open_; }

    // --- What the window shows. ---
    const record::RecordOfVote& record() const { return record_; }
    const data::TStanice& station() const;
    const EntryPrecinct& precinct() const { return precinct_; }
    const data::PartyList& parties() const { return parties_; }
    const data::CandidateTable& candidates() const { return candidates_; }
    // The text of an edit or display field as the record holds it.
    std::string fieldText(const EntryControl& control) const;
    // Whether a radio button of page I is checked.
    bool radioChecked(EntryField button) const;
    // The receiving point's marks, which the window keeps in hidden check
    // boxes so that they pass through as loaded: corrections on form T/4
    // initialled there, the record typed there because the carrier could
    // not be read, corrections on the shown party's Annex 1 initialled
    // there (false while no party is shown).
    bool correctionsInitialled() const;
    bool typedAtReceivingPoint() const;
    bool partyCorrectionsInitialled() const;
    // How page II's check box and Annex 1's combo box name a party: the
    // last two characters of its number, ": " and its name.
    static std::string partyCaption(const data::TStrana& party);
    // Whether a control is hidden (the questions a precinct abroad lacks).
    bool isHidden(EntryField control) const;
    // The wording of a report in the message dialog.
    checks::FieldMessage messageOf(const FieldFinding& finding) const;

    // The control whose change the restored journal ended with: the window
    // puts the focus on the control after it. Nothing when nothing was restored.
    const std::optional<EntryControl>& recovered() const { return recovered_; }
    // Changes typed since the last save, as the journal holds them.
    long long unsavedChanges() const { return journal_ ? journal_->entries() : 0; }

    // --- Pages. ---
    EntryPage page() const { return page_; }
    EntryPage LastPage() const { return lastPage_; }
    bool Closing() const { return closing_; }
    // The control to focus after the last call.
    const EntryControl& focus() const { return focus_; }
    // Called each time a page is shown, while the step that shows it goes
    // on: the window follows at once, so that what comes up during a save
    // (the protocol of checks, the export question) stands over page I,
    // where the save has gone, and not over the page it started from.
    void onPageShown(std::function<void(EntryPage)> listener) { pageShown_ = std::move(listener); }

    // Every change of page goes through here: the tabs, Page Up / Page Down,
    // "Pokračovat", Enter on the last party box, "&Opravit", the save and
    // closing. Annex 1 needs a ticked party; unless closing, everything is
    // saved as not yet checked before the page changes.
    PageChange changePage(EntryPage requested);
    // Page Down / Page Up: with wrap-around, past Annex 1 while no party is ticked.
    PageChange nextPage();
    PageChange previousPage();
    // "Pokračovat" of page I (`R_Dalsi_Btn`): page II.
    PageChange continueFromSection1();
    // "Pokračovat" of page II (`R_Dalsi2_Btn`) and Enter on the last party
    // box: Annex 1 when a party is ticked, else page III.
    PageChange continueFromSection2();
    // Ctrl+Enter "Jdi na kontrolní číslo": on Annex 1, the last candidate field.
    void KCisloMI1Click();

    // --- Annex 1: the party combo box, rebuilt from the ticked parties when
    // the page is entered from page II (or while it is empty). ---
    const std::vector<PartyComboItem>& partyCombo() const { return combo_; }
    int comboIndex() const { return comboIndex_; }
    // Choosing item `index` of the combo box (the mouse, the arrows, or the
    // program moving on or back): the party is shown and, unless the window
    // is closing, everything is saved as at a page change. An index outside
    // the list selects item 0. False when the save failed (reported).
    bool choosePartyItem(int index);
    // The party shown, whose record the fields of Annex 1 write into (which
    // is not always the combo box's current item while the user browses the
    // list); 0 before a party is shown.
    int shownParty() const { return shownParty_; }
    // `CurrentCandCount`: the candidate rows of the party shown that can hold votes.
    int candidateCount() const { return candidateCount_; }
    // Row `order` (1..36) of the party shown.
    CandidateRow candidateRow(int order) const;
    // Leaving `R_EdT4PPoslKand`, with Enter or otherwise: Enter moves to the
    // next party (shown and saved) or, after the last, to page III; then the
    // party left is judged. Returns the finding to report, if any (queued).
    std::optional<FieldFinding> lastCandidateExit(bool leftWithEnter, const EntryControl& focusTo = {});

    // --- Page II: the parties with votes. ---
    bool partyTicked(int party) const { return ticked_.count(party) != 0; }
    bool anyPartyTicked() const { return !ticked_.empty(); }
    // Ticking or un-ticking a party box (`MarkParty`); typed votes stay.
    void tickParty(int party, bool ticked);
    // The parties that have a box on page II, in party-list order.
    std::vector<int> partyBoxes() const;
    // A party box left, with Enter or otherwise: Enter on the last box goes
    // on as "Pokračovat" does; nothing happens otherwise.
    std::optional<PageChange> partyBoxExit(int party, bool leftWithEnter);

    // --- Field exits. ---
    // The window calls this when `control` loses the focus with `text` in
    // it, naming the control the focus goes to. Stores the value and
    // returns the finding to report, if any (which is queued as by `Hlaska`).
    std::optional<FieldFinding> fieldExit(const EntryControl& control, std::string_view text,
                                          const EntryControl& focusTo = {});
    // A radio button of page I chosen (mouse, arrows, filling) and left.
    void chooseRadio(EntryField button);
    void leaveRadio(EntryField button);

    // --- The names grid of page III. ---
    const CommissionNames& names() const { return names_; }
    void nameExit(int row, std::string_view text);
    // Where Enter in the last row of the grid sends the focus.
    EntryField KamDale() const;

    // --- Save and close. ---
    // "Uložit" and F2: saves, runs the checks, keeps the results as "O" or
    // "E" by the verdict and, after clean checks, offers export and printing.
    SaveOutcome save();
    // F2 `UlozitMI`: page III is shown (a page change like any other), its
    // "Uložit" focused and pressed.
    SaveOutcome UlozitMIClick();
    // "Zrušit", Escape and closing the window: asks first; true when the
    // window closes (nothing more is saved). A window that a save has closed
    // already closes without a question. Cancelling judges nothing: a
    // report not yet shown is dropped, and the field the window leaves on
    // the way is left as for "Zrušit" (see `fieldExit`).
    bool requestClose();

    // --- Reports waiting for the user. ---
    // `Hlaska`: queues a finding. Dropped when the focus goes to "Zrušit",
    // while the window is not shown, closing or saving, or while a report
    // is shown or waits already.
    void Hlaska(const FieldFinding& finding, const EntryControl& focusTo = {});
    bool reportPending() const { return pending_.has_value() && !showing_; }
    // The report to show now that the focus change has finished; nothing
    // when it was dropped meanwhile. The report counts as shown until answered.
    std::optional<FieldFinding> beginReport();
    // The answer to the report shown. Go on: the action that waited (if
    // any) is handed back for the window to carry out again. "&Opravit": the
    // waiting action is dropped and the field's page shown; the window
    // focuses the field without running the exit of the control it takes
    // the focus from (that control was only just entered). Page changes by
    // tab or key never wait: the report follows them.
    ReportResult answerReport(ReportAnswer answer);

private:
    // Reads the files into the form; false after reporting a failure.
    bool load();
    // The journal found at the opening: offered, discarded or set aside.
    // False when the user put the question aside.
    bool offerRecovery();
    // Types the journal's entries again; nothing is judged, saved or journaled.
    void replay(const std::vector<JournalEntry>& entries);
    // Shows `party` on Annex 1 without saving; false when it is not ticked.
    bool showPartyForReplay(int party);
    // What the typed values come to now, part by part (see `fingerprintOf`).
    SavedFingerprint typedFingerprint() const;
    void setJournalAside(const std::string& reason);
    // After a save that failed: the journal follows the files as they are.
    void rebaseJournal();
    // Appends a change to the journal; a failure is told once per opening.
    void journal(JournalKind kind, const EntryControl& control, int party, std::string value);
    // After a save reached the files: the journal has nothing left to keep.
    void afterSave();
    void clearJournal();
    // Saves everything as not yet checked; false after reporting a failure.
    bool saveUnchecked();
    // `record`'s results as `letter`; the typed results as "E", HLASO.RCD and KOMISE.RCD.
    void writeResults(const record::RecordOfVote& record, exporting::DataLetter letter);
    void writeUnchecked();
    void recompute();
    void storeNames();
    void closeWindow();
    void rebuildPartyCombo();
    void afterPageShown(EntryPage page);
    bool waitsForReport(WaitingAction action);
    void showParty(int party);
    // The silent rules over the current record; nothing when a register
    // they need failed to load (reported).
    template <typename Ask>
    std::optional<FieldFinding> askRules(Ask ask);
    void reportFailure(const std::exception& e);

    workflow::Workflow& workflow_;
    workflow::Prompts& prompts_;
    Beep& beep_;

    record::RecordOfVote record_;
    data::PartyList parties_;
    data::CandidateTable candidates_;
    std::set<int> ticked_;
    std::vector<PartyComboItem> combo_;
    int comboIndex_ = 0;
    std::set<int> comboTicked_;  // the ticked parties the combo box was built from
    int shownParty_ = 0;
    int candidateCount_ = 0;
    CommissionNames names_;
    EntryPrecinct precinct_;

    bool open_ = false;
    bool closing_ = false;
    bool saving_ = false;
    bool section2Shown_ = false;
    EntryPage page_ = EntryPage::Section1;
    EntryPage lastPage_ = EntryPage::Section1;
    EntryControl focus_;
    std::function<void(EntryPage)> pageShown_;

    std::optional<FieldFinding> pending_;
    bool showing_ = false;
    WaitingAction waiting_ = WaitingAction::None;

    std::optional<EntryJournal> journal_;
    // The fingerprint of the saved data the journal extends; nothing after
    // a save, until the next change reads it from the files.
    std::optional<SavedFingerprint> savedFingerprint_;
    bool journalFailureTold_ = false;
    bool replaying_ = false;
    std::optional<EntryControl> recovered_;
};

}  // namespace talmorek::entry
