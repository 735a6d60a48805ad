#include "gui/entry/names_grid.h"

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <algorithm>

#include "gui/controls/design_pixels.h"
#include "gui/controls/s_edit.h"
#include "gui/controls/keys.h"

namespace talmorek::gui {

// Edits a name in place with the checks of a typed field: code page 1250
// only, at most 50 characters, refusals beep. Enter and Tab are the grid's.
class TZColorStringGrid::NameDelegate : public QStyledItemDelegate {
public:
    explicit NameDelegate(TZColorStringGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override {
        auto* editor = new TSEdit(parent);
        editor->setObjectName(QStringLiteral("R_JmenaKomise_Editor"));
        editor->setFrame(false);
        // Selected here, at once: a key that opened the editor must replace
        // the name, and a deferred selection would catch that key instead.
        editor->setAutoSelect(false);
        editor->setMaxLength(kNameLength);
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* edit = static_cast<TSEdit*>(editor);
        edit->setValue(index.data(Qt::EditRole).toString());
        edit->selectAll();
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        model->setData(index, static_cast<TSEdit*>(editor)->text(), Qt::EditRole);
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && event->type() == QEvent::KeyPress) {
            const auto& key = static_cast<const QKeyEvent&>(*event);
            if (key.key() == Qt::Key_Escape && key.modifiers() == Qt::NoModifier) {
                // Escape is the window's, as in every field: the name typed
                // so far stays in its row, and the window asks whether to
                // close (rather than the edit being dropped unasked).
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                if (auto* dialog = qobject_cast<QDialog*>(grid_->window()))
                    QMetaObject::invokeMethod(dialog, [dialog] { dialog->reject(); }, Qt::QueuedConnection);
                return true;
            }
            const bool tab = key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab;
            if (isEnter(key) || (tab && !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)))) {
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                if (tab) {
                    const bool back = key.key() == Qt::Key_Backtab || (key.modifiers() & Qt::ShiftModifier);
                    grid_->focusNextPrevChild(!back);
                } else {
                    grid_->enterPressed();
                }
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    TZColorStringGrid* grid_;
};

TZColorStringGrid::TZColorStringGrid(QWidget* parent) : QTableWidget(0, 2, parent) {
    setHorizontalHeaderLabels({QStringLiteral("Poř."), QStringLiteral("Jméno a příjmení")});
    verticalHeader()->hide();
    QHeaderView* header = horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setFont(designFont(*this, "Tahoma", 13, true));
    setFont(designFont(*this, "Tahoma", 13, false));
    setColumnWidth(kNumberColumn, designPixels(*this, 64));
    setColumnWidth(kNameColumn, designPixels(*this, 483));
    verticalHeader()->setDefaultSectionSize(designPixels(*this, 24));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::SelectedClicked);
    setWordWrap(true);
    setItemDelegate(new NameDelegate(this));

    highlight_ = palette().color(QPalette::Active, QPalette::Highlight);
    buttonFace_ = palette().color(QPalette::Active, QPalette::Button);
    setSelectionColours(buttonFace_, Qt::black);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { focusMoved(now); });
}

void TZColorStringGrid::setNameRowCount(int rows) {
    const int before = rowCount();
    setRowCount(std::max(0, rows));
    const QFont fixedFont = designFont(*this, "Tahoma", 13, true);
    for (int row = before; row < rowCount(); ++row) {
        auto* number = new QTableWidgetItem;
        // Neither editable nor reachable: Tab and the arrows pass it by.
        number->setFlags(Qt::NoItemFlags);
        number->setFont(fixedFont);
        number->setBackground(buttonFace_);
        number->setForeground(QColor(Qt::black));
        setItem(row, kNumberColumn, number);
        auto* name = new QTableWidgetItem;
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
        setItem(row, kNameColumn, name);
    }
}

QString TZColorStringGrid::cellText(int column, int nameRow) const {
    const QTableWidgetItem* cell = item(nameRow, column);
    return cell ? cell->text() : QString();
}

void TZColorStringGrid::setCellText(int column, int nameRow, const QString& text) {
    if (QTableWidgetItem* cell = item(nameRow, column)) cell->setText(text);
}

QStringList TZColorStringGrid::names() const {
    QStringList list;
    for (int row = 0; row < rowCount(); ++row) list << cellText(kNameColumn, row);
    return list;
}

void TZColorStringGrid::setNames(const QStringList& names) {
    for (int row = 0; row < rowCount(); ++row) setCellText(kNameColumn, row, row < names.size() ? names[row] : QString());
}

void TZColorStringGrid::setCurrentNameRow(int nameRow) {
    if (nameRow >= 0 && nameRow < rowCount()) setCurrentCell(nameRow, kNameColumn);
}

void TZColorStringGrid::setSelectionColours(const QColor& background, const QColor& text) {
    QPalette p = palette();
    p.setColor(QPalette::Highlight, background);
    p.setColor(QPalette::HighlightedText, text);
    setPalette(p);
}

void TZColorStringGrid::enterPressed() {
    const int row = currentRow();
    if (row >= rowCount() - 1) {
        setCurrentNameRow(0);
        if (kamDale_) kamDale_->setFocus(Qt::OtherFocusReason);
        return;
    }
    setCurrentCell(row + 1, kNameColumn);
    edit(currentIndex());
}

void TZColorStringGrid::keyPressEvent(QKeyEvent* event) {
    if (isEnter(*event)) {
        event->accept();
        enterPressed();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

bool TZColorStringGrid::focusNextPrevChild(bool next) {
    // Tab walks the names; past the last (or before the first) it leaves the
    // grid like any other control.
    const int row = currentRow();
    const bool atEdge = next ? row >= rowCount() - 1 : row <= 0;
    if (atEdge) return QWidget::focusNextPrevChild(next);
    setCurrentCell(next ? row + 1 : row - 1, kNameColumn);
    return true;
}

void TZColorStringGrid::focusMoved(QWidget* now) {
    // Another window coming to the front (a message) is not leaving the grid.
    if (!now || now->window() != window()) return;
    const bool within = now == this || isAncestorOf(now);
    if (within == focusWithin_) return;
    focusWithin_ = within;
    if (within) {
        if (currentRow() < 0) setCurrentNameRow(0);
        setSelectionColours(highlight_, Qt::white);
        emit entered();
    } else {
        setSelectionColours(buttonFace_, Qt::black);
        emit exited();
    }
}

}  // namespace talmorek::gui
