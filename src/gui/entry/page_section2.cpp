#include "gui/entry/page_section2.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "gui/controls/design_pixels.h"
#include "gui/entry/form_rows.h"
#include "gui/controls/s_edit.h"
#include "gui/controls/keys.h"
#include "gui/controls/text.h"
#include "core/entry/entry_fields.h"

namespace talmorek::gui {
namespace {

constexpr int kIndent = kSectionIndent;
// The boxes stand in columns of 13 across the width of the panel.
constexpr int kBoxesPerColumn = 13;
constexpr int kPanelDesignWidth = 684;
constexpr int kColumnGap = 8;
// The box and its gap before the caption.
constexpr int kBoxIndicator = 19;


// A mark of the receiving point: present as the form has it, never shown,
// never in the way of the keyboard.
QCheckBox* receivingPointMark(QWidget* page, const char* objectName, const QString& caption) {
    auto* box = new QCheckBox(caption, page);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setAccessibleName(caption);
    box->setFocusPolicy(Qt::NoFocus);
    box->hide();
    return box;
}

}  // namespace

PageSection2::PageSection2(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("R_TabT4_2"));
    QVBoxLayout* lines = pageLines(this);

    buildIdentification(lines);
    lines->addSpacing(designPixels(*this, 6));
    buildTotals(lines);
    lines->addSpacing(designPixels(*this, 6));

    FormRow(this, lines, kIndent)
        .text(fromUtf8("Zaškrtněte tu politickou stranu, politické hnutí nebo koalici, která získala ve volebním okrsku "
                "alespoň jeden platný hlas:"),
              "R_Label111")
        .end();
    panel_ = new QWidget(this);
    panel_->setObjectName(QStringLiteral("PanVstupT4"));
    boxGrid_ = new QGridLayout(panel_);
    boxGrid_->setContentsMargins(0, 0, 0, 0);
    boxGrid_->setHorizontalSpacing(designPixels(*this, kColumnGap));
    boxGrid_->setVerticalSpacing(0);
    auto* panelRow = new QHBoxLayout;
    panelRow->addSpacing(designPixels(*this, kIndent));
    panelRow->addWidget(panel_, 1);
    lines->addLayout(panelRow);
    lines->addStretch(1);

    dalsiBtn_ = continueButton(this, lines, "R_Dalsi2_Btn", fromUtf8("Pokračovat na přílohu č. 1"));

    settleTabOrder();
}

void PageSection2::buildIdentification(QVBoxLayout* lines) {
    const IdentificationRow id = identificationRow(
        this, lines, {"R_EdObec", "R_EdOkrsek", "R_EdT4KC_1", "R_Label101", "R_Label105", "R_LabNazevObce"});
    nazevObce_ = id.nazevObce;
    displays_ = {id.obec, id.okrsek, id.kc1};
}

void PageSection2::buildTotals(QVBoxLayout* lines) {
    // The texts of a special precinct replace those of an ordinary one
    // (the window sets them by their names); the fields line up in a column.
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(designPixels(*this, 4));
    grid->setVerticalSpacing(designPixels(*this, 5));

    auto* osoby = formField(this, "R_EdZapsOsoby", 5,
                            fromUtf8("Počet osob zapsaných do výpisů ze stálého a zvláštního seznamu voličů celkem"));
    auto* vydane = formField(this, "R_EdVydObalky", 5, fromUtf8("Počet voličů, kterým byly vydány úřední obálky"));
    auto* odevzdane = formField(this, "R_EdOdevzdObalky", 5, fromUtf8("Počet odevzdaných úředních obálek"));
    auto* platne = formField(this, "R_EdPlatneHlasy", 5, fromUtf8("Počet platných hlasů ve volebním okrsku celkem"));
    auto* kc2 = displayField(this, "R_EdT4KC_2", 6, fromUtf8("Kontrolní číslo 2"));
    edits_ = {osoby, vydane, odevzdane, platne};
    displays_ << kc2;
    for (TSEdit* edit : {osoby, vydane, odevzdane, platne, kc2}) edit->setUnfocusedAlignment(Qt::AlignRight);

    grid->addWidget(sectionNumber(this, fromUtf8("II.")), 0, 0, Qt::AlignTop);
    auto* osobyText = new QVBoxLayout;
    osobyText->setSpacing(0);
    osobyText->addWidget(formText(this, fromUtf8("Počet osob zapsaných do výpisů ze stálého"), "R_Label106"));
    osobyText->addWidget(formText(this, fromUtf8("a zvláštního seznamu voličů celkem: "), "R_Label107"));
    grid->addLayout(osobyText, 0, 1);
    grid->addWidget(osoby, 0, 2, Qt::AlignBottom);
    grid->addWidget(formText(this, fromUtf8("Počet voličů, kterým byly vydány úřední obálky: "), "R_Label108"), 1, 1);
    grid->addWidget(vydane, 1, 2);
    grid->addWidget(formText(this, fromUtf8("Počet odevzdaných úředních obálek: "), "R_Label109"), 2, 1);
    grid->addWidget(odevzdane, 2, 2);
    grid->addWidget(formText(this, fromUtf8("Počet platných hlasů ve volebním okrsku celkem: "), "R_Label110"), 3, 1);
    grid->addWidget(platne, 3, 2);
    grid->addWidget(formText(this, fromUtf8("Kontrolní číslo 2: "), "R_Label112"), 4, 1);
    grid->addWidget(kc2, 4, 2);
    grid->setColumnStretch(3, 1);
    lines->addLayout(grid);

    opravaCB_ = receivingPointMark(this, "R_T4OpravaCB", fromUtf8("Parafovány opravy na přebíracím místě (tiskopis T/4)"));
    zapisTNCB_ = receivingPointMark(this, "R_T4ZapisTNCB",
                                    fromUtf8("Pořízení zápisu, který nešel načíst z technického nosiče"));
}

void PageSection2::setParties(const QList<Party>& parties) {
    for (QCheckBox* box : std::exchange(boxes_, {})) delete box;
    leftWithEnter_ = nullptr;
    const int columns = std::max<int>(1, (parties.size() + kBoxesPerColumn - 1) / kBoxesPerColumn);
    const int columnWidth = designPixels(*this, kPanelDesignWidth / columns - kColumnGap);
    const QFont font = designFont(*this, "Arial", 12, false);
    const int rowHeight = designPixels(*this, 18);
    for (int i = 0; i < parties.size(); ++i) {
        const Party& party = parties[i];
        auto* box = new QCheckBox(panel_);
        box->setObjectName(QString::fromStdString(
            entry::objectName(entry::EntryControl(entry::EntryField::PartyBox, party.number))));
        box->setFont(font);
        box->setProperty("party", party.number);
        box->setAccessibleName(party.caption);
        // A name longer than its column ends in "…"; the whole name is its tip.
        const int room = columnWidth - designPixels(*this, kBoxIndicator);
        const QString shown = QFontMetrics(font).elidedText(party.caption, Qt::ElideRight, room);
        box->setText(shown);
        if (shown != party.caption) box->setToolTip(party.caption);
        box->setFixedSize(columnWidth, rowHeight);
        box->installEventFilter(this);
        connect(box, &QCheckBox::clicked, this, [this, box](bool ticked) { emit partyClicked(partyOf(box), ticked); });
        boxGrid_->addWidget(box, i % kBoxesPerColumn, i / kBoxesPerColumn, Qt::AlignLeft | Qt::AlignTop);
        boxes_ << box;
    }
    boxGrid_->setColumnStretch(columns, 1);
    panel_->setMinimumHeight(kBoxesPerColumn * rowHeight);
    settleTabOrder();
}

int PageSection2::partyOf(const QCheckBox* box) const { return box ? box->property("party").toInt() : 0; }

void PageSection2::showTicked(int party, bool ticked) {
    for (QCheckBox* box : boxes_) {
        if (partyOf(box) == party) box->setChecked(ticked);
    }
}

bool PageSection2::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QCheckBox*>(watched);
    if (!box || !boxes_.contains(box)) return QWidget::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::KeyPress: {
            auto& key = static_cast<QKeyEvent&>(*event);
            if (isEnter(key)) {
                // On as Tab goes (the Tab that moves on is no other key);
                // the box remembers it was left with Enter.
                leftWithEnter_ = box;
                QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
                movingOn_ = true;
                QCoreApplication::sendEvent(box, &tab);
                movingOn_ = false;
                return true;
            }
            if (!movingOn_) leftWithEnter_ = nullptr;
            break;
        }
        case QEvent::FocusIn:
            leftWithEnter_ = nullptr;
            break;
        case QEvent::FocusOut:
            emit partyLeft(partyOf(box), std::exchange(leftWithEnter_, nullptr) == box);
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

void PageSection2::settleTabOrder() {
    // The totals, the boxes column by column, "Pokračovat".
    QList<QWidget*> chain;
    for (TSEdit* edit : edits_) chain << edit;
    for (QCheckBox* box : boxes_) chain << box;
    chain << dalsiBtn_;
    for (int i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}

}  // namespace talmorek::gui
