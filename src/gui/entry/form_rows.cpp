#include "gui/entry/form_rows.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>

#include "gui/controls/design_pixels.h"
#include "gui/controls/text.h"
#include "core/entry/entry_fields.h"

namespace talmorek::gui {
namespace {

// Room for the text margins and the cursor besides the characters.
constexpr int kFieldPadding = 8;
// Between the texts and fields of a line. An indent is a spacer, which
// takes no spacing after it: the section number leaves this room itself.
constexpr int kRowSpacing = 4;

void nameIt(QObject* object, const char* objectName) {
    if (objectName) object->setObjectName(QString::fromLatin1(objectName));
}

int widthOfDigits(const QWidget& field, int chars) {
    return QFontMetrics(field.font()).horizontalAdvance(QString(chars, QLatin1Char('0'))) +
           designPixels(field, kFieldPadding);
}

}  // namespace

QVBoxLayout* pageLines(QWidget* page) {
    auto* lines = new QVBoxLayout(page);
    const int margin = designPixels(*page, 10);
    lines->setContentsMargins(margin, margin, margin, margin);
    lines->setSpacing(designPixels(*page, 5));
    return lines;
}

QLabel* formText(QWidget* page, const QString& text, const char* objectName) {
    auto* label = new QLabel(text, page);
    nameIt(label, objectName);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(false);
    // A text of the form is never squeezed: the line gives way elsewhere.
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    return label;
}

QLabel* sectionNumber(QWidget* page, const QString& number) {
    QLabel* label = formText(page, number);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setFixedWidth(std::max(designPixels(*page, kSectionIndent - kRowSpacing), label->sizeHint().width()));
    return label;
}

TSEdit* formField(QWidget* page, const char* objectName, int shownChars, const QString& sentence) {
    // What the field takes is the logic's: its length, its characters and
    // the default of an emptied field.
    const std::optional<entry::EntryControl> control = entry::controlNamed(objectName);
    if (!control) throw std::logic_error(std::string("no field of the record is named ") + objectName);
    const entry::FieldInput input = entry::fieldInput(control->field);
    auto* edit = new TSEdit(page);
    nameIt(edit, objectName);
    edit->setValueType(input.kind == entry::FieldKind::Digits ? TValueType::vtNumber : TValueType::vtString);
    edit->setMaxLength(input.maxLength);
    edit->setDefaultValue(QString::fromUtf8(input.defaultValue.data(), static_cast<int>(input.defaultValue.size())));
    edit->setBorderStyle(TBorderStyle::bsNone);
    edit->setAccessibleName(sentence);
    if (shownChars > 0) edit->setFixedWidth(widthOfDigits(*edit, shownChars));
    return edit;
}

TSEdit* displayField(QWidget* page, const char* objectName, int shownChars, const QString& sentence) {
    TSEdit* edit = formField(page, objectName, shownChars, sentence);
    edit->setEnabled(false);
    edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}

FormRow::FormRow(QWidget* page, QVBoxLayout* lines, int indent) : page_(page), row_(new QHBoxLayout) {
    row_->setSpacing(designPixels(*page, kRowSpacing));
    if (indent > 0) row_->addSpacing(designPixels(*page, indent));
    lines->addLayout(row_);
}

FormRow& FormRow::text(const QString& text, const char* objectName) { return this->text(formText(page_, text, objectName)); }

FormRow& FormRow::text(QLabel* label) {
    row_->addWidget(label);
    return *this;
}

FormRow& FormRow::field(QWidget* field) {
    row_->addWidget(field);
    return *this;
}

FormRow& FormRow::wideField(QWidget* field) {
    row_->addWidget(field, 1);
    return *this;
}

FormRow& FormRow::gap(int pixels) {
    row_->addSpacing(designPixels(*page_, pixels));
    return *this;
}

FormRow& FormRow::end() {
    row_->addStretch(1);
    return *this;
}

RadioPair::RadioPair(QWidget* page, const char* field, const char* yesName, const QString& yesText,
                     const QString& yesSentence, const char* noName, const QString& noText, const QString& noSentence)
    : QObject(page), field_(QString::fromLatin1(field)), group_(new QButtonGroup(this)) {
    yes_ = new QRadioButton(yesText, page);
    nameIt(yes_, yesName);
    yes_->setAccessibleName(yesSentence);
    no_ = new QRadioButton(noText, page);
    nameIt(no_, noName);
    no_->setAccessibleName(noSentence);
    group_->setObjectName(QString::fromLatin1(field));
    group_->setExclusive(true);
    group_->addButton(yes_, kYes);
    group_->addButton(no_, kNo);
    // A click or an arrow key: the choice of the user.
    connect(group_, &QButtonGroup::idClicked, this, [this](int id) {
        settleTabChain();
        emit chosen(id == kYes ? yes_ : no_);
    });
    connect(group_, &QButtonGroup::idToggled, this, [this](int, bool) { settleTabChain(); });
    settleTabChain();
}

QString RadioPair::value() const { return yes_->isChecked() ? QStringLiteral("B") : QStringLiteral("N"); }

void RadioPair::setValue(const QString& value) {
    (value == QLatin1String("B") ? yes_ : no_)->setChecked(true);
    settleTabChain();
}

void RadioPair::settleTabChain() {
    // The chosen button takes Tab; the other is reached by the arrows or a
    // click only. With neither chosen yet, the first one takes Tab.
    const bool noneChosen = !yes_->isChecked() && !no_->isChecked();
    yes_->setFocusPolicy(yes_->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    no_->setFocusPolicy(no_->isChecked() || noneChosen ? Qt::StrongFocus : Qt::ClickFocus);
}

IdentificationRow identificationRow(QWidget* page, QVBoxLayout* lines, const IdentificationNames& names) {
    IdentificationRow row{displayField(page, names.obec, 6, fromUtf8("Identifikace okrsku: Obec")),
                          displayField(page, names.okrsek, 5, fromUtf8("Identifikace okrsku: Okrsek")),
                          displayField(page, names.kc1, 1, fromUtf8("Identifikace okrsku: KČ1")),
                          formText(page, fromUtf8("Název obce"), names.nazevCaption),
                          formText(page, QString(), names.nazevObce)};
    row.nazevObce->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    QFont bold = row.nazevObce->font();
    bold.setBold(true);
    row.nazevObce->setFont(bold);
    FormRow(page, lines)
        .text(fromUtf8("Identifikace okrsku:"), names.heading)
        .text(fromUtf8("Obec"))
        .field(row.obec)
        .gap(8)
        .text(fromUtf8("Okrsek"))
        .field(row.okrsek)
        .gap(8)
        .text(fromUtf8("KČ1"))
        .field(row.kc1)
        .gap(16)
        .text(row.nazevCaption)
        .wideField(row.nazevObce);
    return row;
}

QPushButton* continueButton(QWidget* page, QVBoxLayout* lines, const char* objectName, const QString& goesTo) {
    auto* button = new QPushButton(QStringLiteral("Pokračovat"), page);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAccessibleName(goesTo);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(button);
    lines->addLayout(row);
    return button;
}

}  // namespace talmorek::gui
