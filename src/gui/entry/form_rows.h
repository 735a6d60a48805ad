#pragma once
// The pages of the entry window read as the paper form T/4: each line is a
// sentence with its blanks, and the blanks are the fields. These helpers
// build such lines: texts and fields side by side, left to right, with the
// field as wide as the characters it takes.
//
// Every field gets the sentence it stands for as its accessible name ("…"
// where the field stands), so a screen reader reads what is asked, not just
// "edit".
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QString>

#include "gui/controls/s_edit.h"

class QVBoxLayout;

class QPushButton;

namespace talmorek::gui {

// Design pixels by which the lines of a section stand in from its number.
inline constexpr int kSectionIndent = 24;

// The column of lines a page of the notebook is laid out in, with the
// page's margins and line spacing.
QVBoxLayout* pageLines(QWidget* page);

// A text of the form: plain text, never cut, never wrapped.
QLabel* formText(QWidget* page, const QString& text, const char* objectName = nullptr);

// The number of a section of the form ("I.", "III."), bold, as wide as the
// indent, so that its first sentence lines up with the lines below.
QLabel* sectionNumber(QWidget* page, const QString& number);

// A typed field of the page: no border (the page shows it as a white blank),
// as wide as `shownChars` digits (0: as wide as the line leaves). Its length,
// the characters it takes and its default are those the entry logic gives
// the control `objectName`.
TSEdit* formField(QWidget* page, const char* objectName, int shownChars, const QString& sentence);

// A display-only field (identification, computed values): it shows a value
// and takes no focus.
TSEdit* displayField(QWidget* page, const char* objectName, int shownChars, const QString& sentence);

// One line of the form.
class FormRow {
public:
    // `indent` in design pixels, for the lines that continue a sentence.
    FormRow(QWidget* page, QVBoxLayout* lines, int indent = 0);

    FormRow& text(const QString& text, const char* objectName = nullptr);
    FormRow& text(QLabel* label);
    FormRow& field(QWidget* field);
    // Fills the rest of the line with `field`.
    FormRow& wideField(QWidget* field);
    FormRow& gap(int designPixels);
    FormRow& end();  // what is left of the line stays empty

    QHBoxLayout* layout() const { return row_; }

private:
    QWidget* page_;
    QHBoxLayout* row_;
};

// A yes/no question of the form answered by one of two radio buttons, as
// the form's "bylo / nebylo". The pair is its own button group: the arrow
// keys choose within the pair and never wander into the next question.
// Only the chosen button is in the Tab chain, so Tab passes a question in
// one step, as it passes a field.
class RadioPair : public QObject {
    Q_OBJECT
public:
    static constexpr int kYes = 1;
    static constexpr int kNo = 0;

    // `field` names the record field the pair stands for ("Odroceno").
    RadioPair(QWidget* page, const char* field, const char* yesName, const QString& yesText, const QString& yesSentence,
              const char* noName, const QString& noText, const QString& noSentence);

    QRadioButton* yes() const { return yes_; }
    QRadioButton* no() const { return no_; }
    const QString& field() const { return field_; }

    // "B" or "N" for the button checked ("N" while none is).
    QString value() const;
    // Checks the yes button for "B" and the no button for anything else,
    // without announcing a choice.
    void setValue(const QString& value);

signals:
    // The user chose `button` (a click, an arrow key).
    void chosen(QRadioButton* button);

private:
    void settleTabChain();

    QString field_;
    QButtonGroup* group_;
    QRadioButton* yes_;
    QRadioButton* no_;
};

// The identification line at the head of pages I and II: the municipality,
// the precinct and KČ1 as display fields, then the caption "Název obce" and
// the name in bold. The object names differ by page.
struct IdentificationNames {
    const char* obec;
    const char* okrsek;
    const char* kc1;
    const char* heading;  // "Identifikace okrsku:", or null for an unnamed label
    const char* nazevCaption;
    const char* nazevObce;
};
struct IdentificationRow {
    TSEdit* obec;
    TSEdit* okrsek;
    TSEdit* kc1;
    QLabel* nazevCaption;  // "Název obce", or "Název okrsku" in a special precinct
    QLabel* nazevObce;
};
IdentificationRow identificationRow(QWidget* page, QVBoxLayout* lines, const IdentificationNames& names);

// The page's "Pokračovat" button at the right end of its own last line;
// `goesTo` is what a screen reader says it leads to.
QPushButton* continueButton(QWidget* page, QVBoxLayout* lines, const char* objectName, const QString& goesTo);

}  // namespace talmorek::gui
