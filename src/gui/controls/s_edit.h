#pragma once
// `TSEdit`: the single-line edit of every value typed into the record of the
// vote. Besides a plain line edit it
// - refuses, with a beep, a character its value type does not take and any
//   character that code page 1250 cannot hold (the record files would keep
//   a "?" in its place) — typed, pasted, dropped or composed alike;
// - moves on to the next control in tab order on Enter, as Tab does;
// - puts its default value into the field when it is left empty, and only
//   then announces that it was left (`exited`), so the page that stores and
//   checks the value sees the default;
// - selects its whole text when entered, so typing replaces the old value;
// - shows its text right-aligned or centred while it is not being edited.
//
// A window's event filter on the field sees every key before the field does
// and may swallow it. Leaving the field for another window (a message box,
// the message dialog) or for a popup menu is not leaving it: the field keeps
// its state and `exited` is not emitted. To move the focus without running
// the page's exit handling, block the field's signals (QSignalBlocker).
#include <QLineEdit>
#include <QString>

namespace talmorek::gui {

enum class TValueType { vtString, vtUserName, vtNumber, vtUserName2018, vtCharNumber };

enum class TBorderStyle { bsNone, bsSingle };

// Whether a field of the value type takes every character of `text`: each a
// printable character of the type's set that code page 1250 holds.
bool acceptsCharacters(TValueType type, const QString& text);

class TSEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TSEdit(QWidget* parent = nullptr);

    TValueType valueType() const { return valueType_; }
    void setValueType(TValueType type) { valueType_ = type; }

    // Put into the field when it is left empty ("0" for counts).
    const QString& defaultValue() const { return defaultValue_; }
    void setDefaultValue(const QString& value) { defaultValue_ = value; }

    // Alignment of the text while the field is not being edited; while it
    // has the focus the text is left-aligned like any edit.
    Qt::Alignment unfocusedAlignment() const { return unfocusedAlignment_; }
    void setUnfocusedAlignment(Qt::Alignment alignment);

    bool autoSelect() const { return autoSelect_; }
    void setAutoSelect(bool on) { autoSelect_ = on; }

    TBorderStyle borderStyle() const { return hasFrame() ? TBorderStyle::bsSingle : TBorderStyle::bsNone; }
    void setBorderStyle(TBorderStyle style) { setFrame(style == TBorderStyle::bsSingle); }

    // The most characters the user may type. Set it here rather than on
    // QLineEdit, which would cut a loaded value to it (see setValue).
    int limit() const { return limit_; }
    void setMaxLength(int length);

    // Shows a value read from the record. A value longer than the limit (a
    // record written by something else) is shown whole rather than cut
    // silently, as QLineEdit::setText would: the field then takes that many
    // characters until the next value is set, and the record's own field
    // capacity cuts it when it is stored. Typing never goes past the limit.
    void setValue(const QString& value);

signals:
    // The field was entered from another control of its window.
    void entered();
    // The field was left for another control of its window, after the
    // default value was applied.
    void exited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Whether `text` may replace `replaced` characters of the field.
    bool acceptsInsertion(const QString& text, int replaced) const;
    // A paste is all or nothing: a text with a character the field refuses,
    // or one that would not fit, is refused whole with a beep, so a value is
    // never pasted half. Line breaks at its end (a copied spreadsheet cell)
    // are dropped first.
    void pasteChecked(bool selection);

    TValueType valueType_ = TValueType::vtString;
    QString defaultValue_;
    Qt::Alignment unfocusedAlignment_ = Qt::AlignLeft;
    bool autoSelect_ = true;
    int limit_ = 32767;
    bool marked_ = false;  // entered and not yet left
};

}  // namespace talmorek::gui
