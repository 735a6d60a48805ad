#pragma once
// `TR_Vstupni_Form`: the window in which the commission types the record of
// the vote, page by page as the paper form runs, with the keyboard alone.
//
// The window decides nothing: the form's logic (entry::EntryForm) holds
// the record, moves between the pages, stores and checks what is typed,
// saves and closes. The window shows what the logic holds, hands it every
// field left, every button and key, and shows the findings it reports in
// the message dialog `THlaskaF` once the focus has settled.
//
// Every change of page goes through one path: the tabs, Page Up / Page
// Down, "Pokračovat", "&Opravit", the save and closing. It takes the focus
// off the field first, so that the field's exit runs once, and before
// anything is saved.
#include <QDialog>
#include <QList>
#include <QPointer>
#include <functional>

#include "core/entry/entry_form.h"
#include "core/workflow/prompts.h"

class QAction;
class QPushButton;

namespace talmorek::gui {

class EnterKeyPress;
class EntryNotebook;
class PageAnnex1;
class PageSection1;
class PageSection2;
class PageSection3;
class RadioPair;
class THlaskaF;
class TSEdit;

class TR_Vstupni_Form : public QDialog {
    Q_OBJECT
public:
    // `mainWindow` is where the window opens (its top-left corner) and
    // whose caption it carries; `hlaska` is the program's one message dialog,
    // which the window takes as its own.
    TR_Vstupni_Form(entry::EntryForm& form, workflow::Prompts& prompts, THlaskaF& hlaska, QWidget* mainWindow);
    ~TR_Vstupni_Form() override;

    // Shows the record the form has just opened, modally; returns when the
    // window closes (QDialog::Accepted after a save).
    int Open();

    EntryNotebook* notebook() const { return notebook_; }
    PageSection1* section1() const { return section1_; }
    PageSection2* section2() const { return section2_; }
    PageAnnex1* annex1() const { return annex1_; }
    PageSection3* section3() const { return section3_; }

public slots:
    // The movement menu `PohybMenu`, reached by its shortcuts only.
    void PageDownMIClick();
    void PageUpMIClick();
    void KCisloMI1Click();
    void UlozitMIClick();
    void R_Dalsi_BtnClick();
    // "Pokračovat" of page II, and Enter on the last party box.
    void R_Dalsi2_BtnClick();
    void UlozitOkrBtnClick();
    // A finding comes in from the logic (a check of a page, the logic's
    // own `Hlaska`): it waits in the logic, as a finding of a field exit
    // does, and is shown once the focus change under way has finished.
    void Hlaska(const entry::FieldFinding& finding);

    // "Zrušit", Escape and the close box: the logic asks first.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // How a step of the logic that may change the page ended, for the window.
    enum class StepEnd {
        Shown,           // the logic's page is shown: focus what it names
        Stay,            // refused or failed: back to where the focus was
        WaitsForReport,  // a report is to be answered first
        Done,            // the caller takes it from here (closes, or places the focus)
    };
    using Step = std::function<StepEnd()>;

    void buildFrame();
    void buildMovementMenu();
    void connectControls();

    // The one path of every page change. `suspended` is a field whose exit
    // must not run again (the field the user is sent back to fix).
    void throughPageChange(const Step& step, QWidget* suspended = nullptr);
    static StepEnd endOf(entry::PageChange change);
    // Takes the focus off the control that has it, so that its exit runs now.
    void leaveField();

    // "Uložit" or F2: saves through `request`; the window closes after a save.
    void save(const std::function<entry::SaveOutcome()>& request);

    // Shows what the logic holds: every field (at opening), or only what
    // the logic computes (after a step).
    void fill();
    void refreshComputed();
    void showLogicPage();
    void focusControl(const entry::EntryControl& control);
    // The focus on the control after `control` in the tab order: where the
    // user was when a restored entry ended.
    void focusAfter(const entry::EntryControl& control);
    QWidget* widgetOf(const entry::EntryControl& control) const;
    entry::EntryControl controlOf(const QWidget* widget) const;
    // Where the focus goes as a field is left: the control that takes it,
    // or "Zrušit" while the window is being cancelled.
    entry::EntryControl focusTarget() const;

    void fieldLeft(TSEdit* edit);
    void nameLeft(int row, const QString& text);
    void radioChosen(QWidget* button);
    void partyClicked(int party, bool ticked);
    void partyLeft(int party, bool withEnter);
    void fillParties();
    void refreshAnnex1();
    void partyChosen(int index);
    void lastCandidateLeft();
    void focusMoved(QWidget* old, QWidget* now);

    // A report waits in the logic: shows it once the focus change that
    // raised it has finished (a queued call).
    void findingQueued();
    // Shows the report the logic holds, if it still holds one, and carries
    // out the answer.
    void showReport();

    // Runs a slot's work; a failure is told in Czech and the window goes on.
    void guarded(const std::function<void()>& work);

    entry::EntryForm& form_;
    workflow::Prompts& prompts_;
    THlaskaF& hlaska_;
    QPointer<QWidget> mainWindow_;

    EntryNotebook* notebook_ = nullptr;
    PageSection1* section1_ = nullptr;
    PageSection2* section2_ = nullptr;
    PageAnnex1* annex1_ = nullptr;
    PageSection3* section3_ = nullptr;
    QPushButton* zrusitBtn_ = nullptr;
    QPushButton* ulozitBtn_ = nullptr;  // hidden: saving is "Uložit" of page III or F2
    QAction* ulozitMI_ = nullptr;
    EnterKeyPress* keys_ = nullptr;

    QList<QPointer<QWidget>> hiddenForPrecinct_;
    bool filling_ = false;     // showing values, not the user typing them
    bool reporting_ = false;   // the message dialog is up
    bool reportQueued_ = false;
    bool cancelling_ = false;  // Escape, "Zrušit" or the close box is closing the window
    bool lastCandidateEnter_ = false;  // R_EdT4PPoslKand is being left with Enter
};

}  // namespace talmorek::gui
