#pragma once
// `TZColorStringGrid`: the grid of the names of the commission members
// present. A fixed header row ("Poř." / "Jméno a příjmení") and a fixed
// first column with the members' order numbers ("2.", "3.", ...; the
// recording clerk is member 1 and has a field of his own), then one row per
// member with the name, typed in place.
//
// Rows are counted without the header: name row 0 is the first member of the
// list. Typing a character starts editing the current name with that
// character; Enter walks down the rows, editing each name with its whole text
// selected, and in the last row returns to the first name row and hands the
// focus on to `KamDale`, the control after the grid on the form. A name takes
// at most 50 characters (the capacity of the commission file); a further
// character is refused with a beep. A longer name set from outside is shown
// whole; the page cuts it when it stores it.
//
// The current cell is drawn in the highlight colour with white text while
// the grid (or its cell editor) has the focus, and in the button-face colour
// with black text while it has not.
#include <QPointer>
#include <QStringList>
#include <QTableWidget>

namespace talmorek::gui {

class TZColorStringGrid : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int kNameLength = 50;
    static constexpr int kNumberColumn = 0;
    static constexpr int kNameColumn = 1;

    explicit TZColorStringGrid(QWidget* parent = nullptr);

    // Number of name rows (the header row not counted). Rows kept keep their
    // texts; new rows are empty.
    int nameRowCount() const { return rowCount(); }
    void setNameRowCount(int rows);

    QString cellText(int column, int nameRow) const;
    void setCellText(int column, int nameRow, const QString& text);

    // The names of all name rows, in order.
    QStringList names() const;
    // Writes `names` into the name rows in order; rows beyond the list get an
    // empty name, names beyond the rows are left out.
    void setNames(const QStringList& names);

    // -1 while there is no current row.
    int currentNameRow() const { return currentRow(); }
    void setCurrentNameRow(int nameRow);

    // Colours of the current cell; the grid switches them itself on
    // entering and leaving, the page may set others.
    void setSelectionColours(const QColor& background, const QColor& text);

    QWidget* kamDale() const { return kamDale_; }
    void setKamDale(QWidget* control) { kamDale_ = control; }

    // Enter in the current row: the next row's name is edited; in the last
    // row the first row becomes current and `KamDale` gets the focus.
    void enterPressed();

signals:
    // The focus came into the grid (or its editor) from another control of
    // the window, or left it for one.
    void entered();
    void exited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    class NameDelegate;

    void focusMoved(QWidget* now);

    QPointer<QWidget> kamDale_;
    QColor highlight_;
    QColor buttonFace_;
    bool focusWithin_ = false;
};

}  // namespace talmorek::gui
