#include "gui/platform/help.h"
#include "gui/platform/window_hints.h"
#include "gui/entry/entry_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <optional>

#include "gui/controls/design_pixels.h"
#include "gui/entry/enter_key_filter.h"
#include "gui/entry/entry_notebook.h"
#include "gui/entry/form_rows.h"
#include "gui/entry/message_dialog.h"
#include "gui/entry/names_grid.h"
#include "gui/entry/page_annex1.h"
#include "gui/entry/page_section1.h"
#include "gui/entry/page_section2.h"
#include "gui/entry/page_section3.h"
#include "gui/controls/s_edit.h"
#include "gui/controls/text.h"
#include "gui/controls/keys.h"
#include "core/record/party_list.h"
#include "core/entry/entry_precinct.h"
#include "core/workflow/error_messages.h"

namespace talmorek::gui {
namespace {

using entry::EntryControl;
using entry::EntryField;
using entry::EntryPage;
using entry::PageChange;

// The window as designed on a 96-dpi screen.
constexpr int kDesignWidth = 800;
constexpr int kDesignHeight = 600;
constexpr const char* kTitle = "Vstup dat za okrsek";

}  // namespace

TR_Vstupni_Form::TR_Vstupni_Form(entry::EntryForm& form, workflow::Prompts& prompts, THlaskaF& hlaska,
                                 QWidget* mainWindow)
    : QDialog(mainWindow, dialogHints(DialogButtons::Close)),
      form_(form),
      prompts_(prompts),
      hlaska_(hlaska),
      mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("R_Vstupni_Form"));
    setModal(true);
    setHelpContext(*this, kHelpEntry);
    // The message dialog stops this window: it opens over it and hands the
    // focus back to it.
    hlaska_.setParent(this, hlaska_.windowFlags());
    setFont(designFont(*this, "Arial", 13, false));
    buildFrame();
    buildMovementMenu();
    connectControls();
}

TR_Vstupni_Form::~TR_Vstupni_Form() = default;

void TR_Vstupni_Form::buildFrame() {
    notebook_ = new EntryNotebook(this);
    section1_ = new PageSection1(this);
    section2_ = new PageSection2(this);
    annex1_ = new PageAnnex1(this);
    section3_ = new PageSection3(this);
    const std::pair<QWidget*, EntryPage> pages[] = {
        {section1_, EntryPage::Section1},
        {section2_, EntryPage::Section2},
        {annex1_, EntryPage::Annex1},
        {section3_, EntryPage::Section3},
    };
    for (const auto& [page, which] : pages) notebook_->addTab(page, fromUtf8(entry::pageCaption(which)));

    zrusitBtn_ = new QPushButton(QStringLiteral("Zrušit"), this);
    zrusitBtn_->setObjectName(QStringLiteral("zrusitBtn"));
    zrusitBtn_->setAccessibleName(QStringLiteral("Zrušit pořizování bez uložení změn na aktuální záložce"));
    ulozitBtn_ = new QPushButton(QStringLiteral("Uložit"), this);
    ulozitBtn_->setObjectName(QStringLiteral("ulozitBtn"));
    ulozitBtn_->setAccessibleName(QStringLiteral("Uložit zápis"));
    ulozitBtn_->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ulozitBtn_);
    buttons->addWidget(zrusitBtn_);
    auto* layout = new QVBoxLayout(this);
    const int margin = designPixels(*this, 6);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addWidget(notebook_, 1);
    layout->addLayout(buttons);

    // Fixed as designed, or larger where this screen's fonts need more room.
    const QSize needed = layout->totalMinimumSize();
    setFixedSize(std::max(designPixels(*this, kDesignWidth), needed.width()),
                 std::max(designPixels(*this, kDesignHeight), needed.height()));
}

void TR_Vstupni_Form::buildMovementMenu() {
    // `PohybMenu`: never shown, its items work through their shortcuts.
    auto* menu = new QMenu(QStringLiteral("Pohyb"), this);
    menu->setObjectName(QStringLiteral("PohybMI"));
    auto item = [&](const char* name, const char* caption, QList<QKeySequence> keys, void (TR_Vstupni_Form::*slot)()) {
        QAction* action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    item("PageDownMI", "Další stránka", {QKeySequence(Qt::Key_PageDown)}, &TR_Vstupni_Form::PageDownMIClick);
    item("PageUpMI", "Předchozí stránka", {QKeySequence(Qt::Key_PageUp)}, &TR_Vstupni_Form::PageUpMIClick);
    item("KCisloMI1", "Jdi na kontrolní číslo",
         {QKeySequence(QKeyCombination(Qt::ControlModifier, Qt::Key_Return)),
          QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Enter))},
         &TR_Vstupni_Form::KCisloMI1Click);
    menu->addSeparator()->setObjectName(QStringLiteral("N1"));
    ulozitMI_ = item("UlozitMI", "Ulozit", {QKeySequence(Qt::Key_F2)}, &TR_Vstupni_Form::UlozitMIClick);
}

void TR_Vstupni_Form::connectControls() {
    connect(notebook_, &EntryNotebook::pageRequested, this, [this](int index) {
        throughPageChange([this, index] { return endOf(form_.changePage(static_cast<EntryPage>(index))); });
    });
    for (TSEdit* edit : findChildren<TSEdit*>()) {
        connect(edit, &TSEdit::exited, this, [this, edit] { fieldLeft(edit); });
    }
    for (RadioPair* pair : section1_->pairs()) {
        connect(pair, &RadioPair::chosen, this, [this](QRadioButton* button) { radioChosen(button); });
    }
    connect(qApp, &QApplication::focusChanged, this, &TR_Vstupni_Form::focusMoved);
    connect(section1_->dalsiButton(), &QPushButton::clicked, this, &TR_Vstupni_Form::R_Dalsi_BtnClick);
    connect(section2_->dalsiButton(), &QPushButton::clicked, this, &TR_Vstupni_Form::R_Dalsi2_BtnClick);
    connect(section2_, &PageSection2::partyClicked, this, &TR_Vstupni_Form::partyClicked);
    connect(section2_, &PageSection2::partyLeft, this, &TR_Vstupni_Form::partyLeft);
    connect(annex1_->partyCombo(), &QComboBox::activated, this, &TR_Vstupni_Form::partyChosen);
    annex1_->lastCandidate()->installEventFilter(this);
    connect(section3_->ulozitButton(), &QPushButton::clicked, this, &TR_Vstupni_Form::UlozitOkrBtnClick);
    connect(ulozitBtn_, &QPushButton::clicked, this, &TR_Vstupni_Form::UlozitOkrBtnClick);
    connect(zrusitBtn_, &QPushButton::clicked, this, &TR_Vstupni_Form::reject);

    TZColorStringGrid* grid = section3_->grid();
    connect(grid, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() == TZColorStringGrid::kNameColumn) nameLeft(item->row(), item->text());
    });
    connect(grid, &TZColorStringGrid::entered, this,
            [this, grid] { guarded([&] { grid->setKamDale(widgetOf(EntryControl(form_.KamDale()))); }); });

    keys_ = new EnterKeyPress(this);
    keys_->watchControlsOf(*this);

    // The page the logic shows is the page on the screen, also in the middle
    // of a step: a save goes to page I before the checks report.
    form_.onPageShown([this](EntryPage) { showLogicPage(); });
}

// ---------------------------------------------------------------------------
// Opening and showing the record.

int TR_Vstupni_Form::Open() {
    fill();
    if (mainWindow_) move(mainWindow_->pos());
    if (const std::optional<EntryControl>& recovered = form_.recovered()) {
        focusAfter(*recovered);
    } else {
        focusControl(form_.focus());
    }
    return exec();
}

void TR_Vstupni_Form::focusAfter(const EntryControl& control) {
    QWidget* last = widgetOf(control);
    if (!last) {
        focusControl(form_.focus());
        return;
    }
    TZColorStringGrid* grid = section3_->grid();
    if (last == grid && control.index < grid->nameRowCount()) {
        // The next name of the commission, in the same grid.
        grid->setCurrentNameRow(control.index);
        grid->setFocus(Qt::OtherFocusReason);
        return;
    }
    // The control the Tab key would reach from the last one changed; that
    // control itself is not entered, so nothing is judged on the way.
    for (QWidget* next = last->nextInFocusChain(); next && next != last; next = next->nextInFocusChain()) {
        if (next->window() != this || !(next->focusPolicy() & Qt::TabFocus) || !next->isEnabled() ||
            !next->isVisibleTo(this))
            continue;
        next->setFocus(Qt::TabFocusReason);
        return;
    }
    focusControl(control);
}

void TR_Vstupni_Form::fill() {
    filling_ = true;
    ulozitMI_->setEnabled(false);
    setWindowTitle(fromUtf8(entry::entryWindowCaption()));
    const entry::EntryPrecinct& precinct = form_.precinct();
    for (const auto& [name, text] : entry::precinctLabels(precinct)) {
        if (auto* label = findChild<QLabel*>(fromUtf8(name))) label->setText(fromUtf8(text));
    }
    // What the last precinct hid comes back; this one's questions go.
    for (const QPointer<QWidget>& control : std::exchange(hiddenForPrecinct_, {})) {
        if (control) control->show();
    }
    for (QWidget* control : findChildren<QWidget*>()) {
        if (control->objectName().isEmpty() || control->isWindow() || control->isHidden()) continue;
        if (entry::hiddenForPrecinct(precinct, control->objectName().toStdString())) {
            control->hide();
            hiddenForPrecinct_ << control;
        }
    }
    section1_->nazevObce()->setText(fromUtf8(form_.station().NazevObce));
    section2_->nazevObce()->setText(fromUtf8(form_.station().NazevObce));
    fillParties();
    for (const QList<TSEdit*>* edits : {&section1_->edits(), &section2_->edits(), &section3_->edits()}) {
        for (TSEdit* edit : *edits) edit->setValue(fromUtf8(form_.fieldText(controlOf(edit))));
    }
    for (RadioPair* pair : section1_->pairs()) {
        const EntryControl yes = controlOf(pair->yes());
        pair->setValue(form_.radioChecked(yes.field) ? QStringLiteral("B") : QStringLiteral("N"));
    }
    refreshComputed();
    showLogicPage();
    ulozitMI_->setEnabled(true);
    filling_ = false;
}

void TR_Vstupni_Form::fillParties() {
    // One box per party of the list, read again at this opening; each is
    // ticked or not as the record holds it, so no tick outlives a record
    // that was cleared meanwhile.
    const data::PartyList& parties = form_.parties();
    QList<PageSection2::Party> boxes;
    for (int i = 1; i <= parties.length; ++i) {
        const data::TStrana& strana = parties.at(i);
        boxes << PageSection2::Party{record::partyNumberOf(strana), fromUtf8(entry::EntryForm::partyCaption(strana))};
    }
    section2_->setParties(boxes);
    for (QCheckBox* box : section2_->partyBoxes()) {
        const int party = section2_->partyOf(box);
        section2_->showTicked(party, form_.partyTicked(party));
    }
}

void TR_Vstupni_Form::refreshComputed() {
    const bool wasFilling = std::exchange(filling_, true);
    for (const QList<TSEdit*>* displays : {&section1_->displays(), &section2_->displays()}) {
        for (TSEdit* edit : *displays) edit->setValue(fromUtf8(form_.fieldText(controlOf(edit))));
    }
    section3_->prilListu()->setValue(fromUtf8(form_.fieldText(controlOf(section3_->prilListu()))));
    // The receiving point's marks pass through as loaded; hidden whatever happens.
    for (const auto& [box, ticked] : {std::pair{section2_->opravaBox(), form_.correctionsInitialled()},
                                      std::pair{section2_->zapisTNBox(), form_.typedAtReceivingPoint()}}) {
        const QSignalBlocker quiet(box);
        box->setChecked(ticked);
        box->hide();
    }

    // The grid follows the number of members present, and shows the names
    // the logic keeps for its rows.
    TZColorStringGrid* grid = section3_->grid();
    const QSignalBlocker block(grid);
    const entry::CommissionNames& names = form_.names();
    if (grid->nameRowCount() != names.rows()) grid->setNameRowCount(names.rows());
    for (int row = 1; row <= names.rows(); ++row) {
        grid->setCellText(TZColorStringGrid::kNumberColumn, row - 1, fromUtf8(names.shownNumber(row)));
        const QString name = fromUtf8(names.name(row));
        if (grid->cellText(TZColorStringGrid::kNameColumn, row - 1) != name)
            grid->setCellText(TZColorStringGrid::kNameColumn, row - 1, name);
    }
    grid->viewport()->update();
    refreshAnnex1();
    filling_ = wasFilling;
}

void TR_Vstupni_Form::refreshAnnex1() {
    // The combo box lists what the logic built, with the item it shows;
    // rebuilt without announcing a choice.
    QComboBox* combo = annex1_->partyCombo();
    {
        const QSignalBlocker block(combo);
        const std::vector<entry::PartyComboItem>& items = form_.partyCombo();
        bool same = combo->count() == static_cast<int>(items.size());
        for (int i = 0; same && i < combo->count(); ++i) same = combo->itemText(i) == fromUtf8(items[i].text);
        if (!same) {
            combo->clear();
            for (const entry::PartyComboItem& item : items) combo->addItem(fromUtf8(item.text), item.party);
        }
        if (combo->currentIndex() != form_.comboIndex() && form_.comboIndex() < combo->count())
            combo->setCurrentIndex(form_.comboIndex());
    }
    for (TSEdit* edit : annex1_->displays()) edit->setValue(fromUtf8(form_.fieldText(controlOf(edit))));
    const bool shown = form_.shownParty() != 0;
    annex1_->votes()->setValue(shown ? fromUtf8(form_.fieldText(controlOf(annex1_->votes()))) : QString());
    annex1_->lastCandidate()->setValue(
        shown ? fromUtf8(form_.fieldText(EntryControl(EntryField::R_EdT4PPoslKand))) : QString());
    {
        QCheckBox* oprava = annex1_->opravaBox();
        const QSignalBlocker quiet(oprava);
        oprava->setChecked(form_.partyCorrectionsInitialled());
        oprava->hide();
    }
    for (int j = 1; j <= PageAnnex1::kRows; ++j) {
        const entry::CandidateRow row = form_.candidateRow(j);
        TSEdit* edit = annex1_->candidate(j);
        edit->setValue(fromUtf8(row.text));
        edit->setEnabled(row.enabled);
        annex1_->product(j)->setText(fromUtf8(row.product));
    }
}

void TR_Vstupni_Form::partyChosen(int index) {
    // The mouse or the arrows chose a party: shown and saved as at a page change.
    if (filling_) return;
    throughPageChange([this, index] {
        form_.choosePartyItem(index);
        return StepEnd::Stay;
    });
}

void TR_Vstupni_Form::lastCandidateLeft() {
    const bool withEnter = std::exchange(lastCandidateEnter_, false);
    // Enter moves the focus on to whatever follows in tab order ("Zrušit"),
    // which is no choice of the user's: only a move of their own counts.
    const EntryControl focusTo = withEnter && !cancelling_ ? EntryControl() : focusTarget();
    // The party and its item are taken now; the move Enter makes (to the
    // next party or page III) runs once the focus has settled.
    QMetaObject::invokeMethod(
        this,
        [this, withEnter, focusTo] {
            std::optional<entry::FieldFinding> finding;
            const entry::EntryPage before = form_.page();
            throughPageChange([&] {
                finding = form_.lastCandidateExit(withEnter, focusTo);
                if (!withEnter) return StepEnd::Stay;
                if (form_.page() != before) return StepEnd::Shown;
                focusControl(EntryControl(EntryField::R_CBT4P_1));
                return StepEnd::Done;
            });
            if (finding) findingQueued();
        },
        Qt::QueuedConnection);
}

bool TR_Vstupni_Form::eventFilter(QObject* watched, QEvent* event) {
    // Whether the last candidate field is left with Enter: Enter marks it,
    // any other key and entering the field clear the mark.
    if (watched == annex1_->lastCandidate()) {
        if (event->type() == QEvent::KeyPress) {
            const auto& key = static_cast<const QKeyEvent&>(*event);
            lastCandidateEnter_ = isEnter(key);
        } else if (event->type() == QEvent::FocusIn) {
            lastCandidateEnter_ = false;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TR_Vstupni_Form::showLogicPage() {
    const int index = static_cast<int>(form_.page());
    if (notebook_->currentIndex() != index) notebook_->setCurrentIndex(index);
}

QWidget* TR_Vstupni_Form::widgetOf(const EntryControl& control) const {
    if (control.field == EntryField::None || control.field == EntryField::Other) return nullptr;
    return findChild<QWidget*>(fromUtf8(entry::objectName(control)));
}

EntryControl TR_Vstupni_Form::controlOf(const QWidget* widget) const {
    if (!widget || widget->window() != this) return {};
    // The cell editor of the names grid is the grid.
    for (const QWidget* w = widget; w && w != this; w = w->parentWidget()) {
        if (w == section3_->grid()) return EntryControl(EntryField::R_JmenaKomise_SG);
    }
    if (auto control = entry::controlNamed(widget->objectName().toStdString())) return *control;
    return EntryControl(EntryField::Other);
}

EntryControl TR_Vstupni_Form::focusTarget() const {
    if (cancelling_) return EntryControl(EntryField::zrusitBtn);
    return controlOf(QApplication::focusWidget());
}

void TR_Vstupni_Form::focusControl(const EntryControl& control) {
    QWidget* widget = widgetOf(control);
    if (!widget || !widget->isEnabled() || widget->focusPolicy() == Qt::NoFocus) return;
    if (isVisible() && !widget->isVisible()) return;
    widget->setFocus(Qt::OtherFocusReason);
}

// ---------------------------------------------------------------------------
// Pages.

TR_Vstupni_Form::StepEnd TR_Vstupni_Form::endOf(PageChange change) {
    switch (change) {
        case PageChange::Changed:
        case PageChange::Unchanged:
            return StepEnd::Shown;
        case PageChange::WaitsForReport:
            return StepEnd::WaitsForReport;
        case PageChange::Refused:
        case PageChange::Failed:
            break;
    }
    return StepEnd::Stay;
}

void TR_Vstupni_Form::leaveField() {
    QWidget* focused = QApplication::focusWidget();
    if (focused && focused->window() == this) focused->clearFocus();
}

void TR_Vstupni_Form::throughPageChange(const Step& step, QWidget* suspended) {
    guarded([&] {
        QPointer<QWidget> before = QApplication::focusWidget();
        if (before && before->window() != this) before = nullptr;
        {
            std::optional<QSignalBlocker> quiet;
            if (suspended) quiet.emplace(suspended);
            leaveField();
        }
        StepEnd end = StepEnd::Stay;
        try {
            end = step();
        } catch (...) {
            // Whatever failed, the notebook shows the page the logic is on.
            showLogicPage();
            if (before) before->setFocus(Qt::OtherFocusReason);
            throw;
        }
        showLogicPage();
        refreshComputed();
        switch (end) {
            case StepEnd::Shown:
                focusControl(form_.focus());
                break;
            case StepEnd::Stay:
                if (before && before->isVisible()) {
                    before->setFocus(Qt::OtherFocusReason);
                } else {
                    focusControl(form_.focus());
                }
                break;
            case StepEnd::WaitsForReport:
                if (before && before->isVisible()) {
                    before->setFocus(Qt::OtherFocusReason);
                } else {
                    focusControl(form_.focus());
                }
                showReport();
                break;
            case StepEnd::Done:
                break;
        }
    });
}

void TR_Vstupni_Form::PageDownMIClick() {
    throughPageChange([this] { return endOf(form_.nextPage()); });
}

void TR_Vstupni_Form::PageUpMIClick() {
    throughPageChange([this] { return endOf(form_.previousPage()); });
}

void TR_Vstupni_Form::KCisloMI1Click() {
    guarded([this] {
        form_.KCisloMI1Click();
        focusControl(form_.focus());
    });
}

void TR_Vstupni_Form::R_Dalsi_BtnClick() {
    throughPageChange([this] { return endOf(form_.continueFromSection1()); });
}

void TR_Vstupni_Form::R_Dalsi2_BtnClick() {
    throughPageChange([this] { return endOf(form_.continueFromSection2()); });
}

void TR_Vstupni_Form::UlozitMIClick() {
    // F2 saves from any page: page III is shown and its "Uložit" pressed.
    if (!ulozitMI_->isEnabled()) return;
    save([this] { return form_.UlozitMIClick(); });
}

void TR_Vstupni_Form::UlozitOkrBtnClick() {
    save([this] { return form_.save(); });
}

void TR_Vstupni_Form::save(const std::function<entry::SaveOutcome()>& request) {
    bool saved = false;
    throughPageChange([&] {
        switch (request()) {
            case entry::SaveOutcome::Closed:
                saved = true;
                return StepEnd::Done;
            case entry::SaveOutcome::WaitsForReport:
                return StepEnd::WaitsForReport;
            case entry::SaveOutcome::StaysOpen:
                break;
        }
        return StepEnd::Stay;
    });
    if (saved) QDialog::done(QDialog::Accepted);
}

void TR_Vstupni_Form::reject() {
    // Escape, "Zrušit", the close box and Alt+F4 alike go straight to the
    // question: the field keeps the focus, its text and its cursor, so that
    // "Ne" lets the commission type on where they were. Closing leaves the
    // field as for "Zrušit", judged by no rule, and saves nothing of this page.
    const QScopedValueRollback cancel(cancelling_, true);
    bool closes = false;
    guarded([&] { closes = form_.requestClose(); });
    if (!closes) return;
    leaveField();
    showLogicPage();
    QDialog::reject();
}

void TR_Vstupni_Form::keyPressEvent(QKeyEvent* event) {
    // An Enter that no control took presses no button.
    if (isEnter(*event)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// ---------------------------------------------------------------------------
// Fields.

void TR_Vstupni_Form::fieldLeft(TSEdit* edit) {
    if (filling_) return;
    guarded([&] {
        const EntryControl control = controlOf(edit);
        if (control.field == EntryField::None || control.field == EntryField::Other) return;
        if (control.field == EntryField::R_EdT4PPoslKand) {
            lastCandidateLeft();
            return;
        }
        const auto finding = form_.fieldExit(control, edit->text().toStdString(), focusTarget());
        // The field shows what the record now holds: a number cut to 16 bits,
        // leading zeros dropped, an hour "0" emptied, text cut to its room.
        const entry::FieldKind kind = entry::fieldInput(control.field).kind;
        if (kind == entry::FieldKind::Text || kind == entry::FieldKind::Digits) {
            const QScopedValueRollback quiet(filling_, true);
            edit->setValue(fromUtf8(form_.fieldText(control)));
        }
        refreshComputed();
        if (finding) findingQueued();
    });
}

void TR_Vstupni_Form::nameLeft(int row, const QString& text) {
    if (filling_) return;
    guarded([&] { form_.nameExit(row + 1, text.toStdString()); });
}

void TR_Vstupni_Form::radioChosen(QWidget* button) {
    if (filling_) return;
    guarded([&] { form_.chooseRadio(controlOf(button).field); });
}

void TR_Vstupni_Form::partyClicked(int party, bool ticked) {
    if (filling_) return;
    guarded([&] { form_.tickParty(party, ticked); });
}

void TR_Vstupni_Form::partyLeft(int party, bool withEnter) {
    // Only an Enter can turn the page (on the last box); the logic says
    // whether it does, once the focus has settled on the control after it.
    if (filling_ || !withEnter) return;
    QMetaObject::invokeMethod(
        this,
        [this, party] {
            throughPageChange([this, party] {
                const std::optional<PageChange> change = form_.partyBoxExit(party, true);
                return change ? endOf(*change) : StepEnd::Stay;
            });
        },
        Qt::QueuedConnection);
}

void TR_Vstupni_Form::focusMoved(QWidget* old, QWidget* now) {
    // Leaving a chosen radio button for another control of the window.
    if (filling_ || !qobject_cast<QRadioButton*>(old) || old->window() != this) return;
    if (!now || now->window() != this) return;
    guarded([&] { form_.leaveRadio(controlOf(old).field); });
}

// ---------------------------------------------------------------------------
// Reports.

void TR_Vstupni_Form::Hlaska(const entry::FieldFinding& finding) {
    guarded([&] {
        form_.Hlaska(finding, controlOf(QApplication::focusWidget()));
        if (form_.reportPending()) findingQueued();
    });
}

void TR_Vstupni_Form::findingQueued() {
    if (reportQueued_) return;
    reportQueued_ = true;
    // Shown once the focus change that raised it has finished.
    QMetaObject::invokeMethod(
        this,
        [this] {
            reportQueued_ = false;
            guarded([this] { showReport(); });
        },
        Qt::QueuedConnection);
}

void TR_Vstupni_Form::showReport() {
    if (reporting_ || !isVisible() || hlaska_.isVisible()) return;
    const std::optional<entry::FieldFinding> finding = form_.beginReport();
    if (!finding) return;
    QPointer<QWidget> focused = QApplication::focusWidget();
    if (focused && focused->window() != this) focused = nullptr;

    hlaska_.setMessage(form_.messageOf(*finding));
    reporting_ = true;
    const bool opravit = hlaska_.UkazHlasku();
    reporting_ = false;
    // The keys go on to this window, whatever the platform activates next.
    activateWindow();

    if (!opravit) {
        const entry::ReportResult result = form_.answerReport(entry::ReportAnswer::GoOn);
        switch (result.resume) {
            case entry::WaitingAction::Save:
                UlozitOkrBtnClick();
                break;
            case entry::WaitingAction::ContinueSection1:
                R_Dalsi_BtnClick();
                break;
            case entry::WaitingAction::ContinueSection2:
                R_Dalsi2_BtnClick();
                break;
            case entry::WaitingAction::None:
                break;
        }
        return;
    }
    // Back to the field to fix it. The control that has the focus now is not
    // left by the user: its exit does not run.
    EntryControl fix;
    throughPageChange(
        [&] {
            fix = form_.answerReport(entry::ReportAnswer::Opravit).focus;
            return StepEnd::Done;  // the focus is placed below
        },
        focused);
    if (QWidget* field = widgetOf(fix); field && field->isVisible()) {
        field->setFocus(Qt::OtherFocusReason);
    } else {
        focusControl(form_.focus());
    }
}

void TR_Vstupni_Form::guarded(const std::function<void()>& work) {
    try {
        work();
    } catch (const std::exception& e) {
        prompts_.failure(workflow::czechMessage(e), kTitle);
    }
}

}  // namespace talmorek::gui
