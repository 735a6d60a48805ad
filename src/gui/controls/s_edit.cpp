#include "gui/controls/s_edit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPalette>
#include <QTimer>
#include <algorithm>

#include "core/data/cp1250.h"
#include "gui/controls/platform_beep.h"
#include "gui/controls/keys.h"

namespace talmorek::gui {
namespace {

bool isAsciiDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

bool isAsciiLetter(char32_t c) { return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z'); }

// The letters of a Czech name besides the ASCII ones.
bool isCzechLetter(char32_t c) {
    static const std::u32string letters = U"áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ";
    return letters.find(c) != std::u32string::npos;
}

bool typeTakes(TValueType type, char32_t c) {
    switch (type) {
        case TValueType::vtNumber:
            return isAsciiDigit(c);
        case TValueType::vtUserName:
            return isAsciiDigit(c) || isAsciiLetter(c);
        case TValueType::vtUserName2018:
            return isAsciiDigit(c) || isAsciiLetter(c) || isCzechLetter(c);
        case TValueType::vtString:
        case TValueType::vtCharNumber:
            return true;
    }
    return false;
}

// Control keys (Backspace, Ctrl+A, ...) carry no printable text and pass
// through to the edit unfiltered.
bool isPrintable(const QString& text) {
    if (text.isEmpty()) return false;
    const auto codes = text.toUcs4();
    return std::all_of(codes.begin(), codes.end(), [](char32_t c) { return QChar::isPrint(c); });
}

QString withoutTrailingLineBreaks(QString text) {
    while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r'))) text.chop(1);
    return text;
}

bool leavesTheControl(const QFocusEvent& event) {
    return event.reason() != Qt::ActiveWindowFocusReason && event.reason() != Qt::PopupFocusReason;
}

}  // namespace

bool acceptsCharacters(TValueType type, const QString& text) {
    if (!isPrintable(text)) return false;
    const auto codes = text.toUcs4();
    if (!std::all_of(codes.begin(), codes.end(), [type](char32_t c) { return typeTakes(type, c); })) return false;
    return data::cp1250Holds(text.toStdString());
}

TSEdit::TSEdit(QWidget* parent) : QLineEdit(parent) {
    QPalette p = palette();
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(128, 128, 128));
    setPalette(p);
    QLineEdit::setMaxLength(limit_);
    QLineEdit::setAlignment(unfocusedAlignment_ | Qt::AlignVCenter);
}

void TSEdit::setUnfocusedAlignment(Qt::Alignment alignment) {
    unfocusedAlignment_ = alignment & Qt::AlignHorizontal_Mask;
    if (!marked_) QLineEdit::setAlignment(unfocusedAlignment_ | Qt::AlignVCenter);
}

void TSEdit::setMaxLength(int length) {
    limit_ = length;
    QLineEdit::setMaxLength(length);
}

void TSEdit::setValue(const QString& value) {
    QLineEdit::setMaxLength(std::max(limit_, static_cast<int>(value.size())));
    setText(value);
}

bool TSEdit::acceptsInsertion(const QString& text, int replaced) const {
    if (!acceptsCharacters(valueType_, text)) return false;
    const qsizetype after = QLineEdit::text().size() - replaced + text.size();
    return after <= std::max(limit_, static_cast<int>(QLineEdit::text().size()));
}

void TSEdit::pasteChecked(bool selection) {
    if (isReadOnly()) return;
    const QString text = withoutTrailingLineBreaks(
        QGuiApplication::clipboard()->text(selection ? QClipboard::Selection : QClipboard::Clipboard));
    if (text.isEmpty()) return;
    if (!acceptsInsertion(text, static_cast<int>(selectedText().size()))) {
        beep();
        return;
    }
    insert(text);
}

void TSEdit::keyPressEvent(QKeyEvent* event) {
    if (isEnter(*event)) {
        // Enter works as Tab: on to the next control that takes the focus.
        event->accept();
        focusNextChild();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        event->accept();
        pasteChecked(false);
        return;
    }
    if (!isReadOnly() && isPrintable(event->text()) &&
        !acceptsInsertion(event->text(), static_cast<int>(selectedText().size()))) {
        event->accept();
        beep();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TSEdit::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    const int replaced = std::max(static_cast<int>(selectedText().size()), event->replacementLength());
    if (!isReadOnly() && !commit.isEmpty() && !acceptsInsertion(commit, replaced)) {
        beep();
        // Keep what is being composed, drop what was committed.
        QInputMethodEvent composing(event->preeditString(), event->attributes());
        QLineEdit::inputMethodEvent(&composing);
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

void TSEdit::focusInEvent(QFocusEvent* event) {
    // The window coming back to the front is not entering the field, unless
    // the field got the focus while the window was in the back.
    const bool entering = !marked_ || leavesTheControl(*event);
    marked_ = true;
    if (entering) QLineEdit::setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QLineEdit::focusInEvent(event);
    if (!entering) return;
    if (autoSelect_) {
        // After the focus has settled: a click places the cursor first.
        QTimer::singleShot(0, this, [this] {
            if (hasFocus()) selectAll();
        });
    }
    emit entered();
}

void TSEdit::focusOutEvent(QFocusEvent* event) {
    const bool leaving = leavesTheControl(*event);
    if (leaving) {
        if (text().isEmpty() && !defaultValue_.isEmpty()) setText(defaultValue_);
        marked_ = false;
        QLineEdit::setAlignment(unfocusedAlignment_ | Qt::AlignVCenter);
    }
    QLineEdit::focusOutEvent(event);
    if (leaving) emit exited();
}

void TSEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The standard menu's Paste would insert unchecked; it is known by its
    // (translated) caption, the shortcut after a tab.
    for (QAction* action : menu->actions()) {
        if (action->text().section(QLatin1Char('\t'), 0, 0) != QLineEdit::tr("&Paste")) continue;
        disconnect(action, &QAction::triggered, nullptr, nullptr);
        connect(action, &QAction::triggered, this, [this] { pasteChecked(false); });
    }
    menu->popup(event->globalPos());
}

void TSEdit::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button pastes the primary selection where the platform has one.
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection() && !isReadOnly()) {
        deselect();
        setCursorPosition(cursorPositionAt(event->position().toPoint()));
        pasteChecked(true);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TSEdit::dropEvent(QDropEvent* event) {
    if (!isReadOnly() && event->mimeData()->hasText()) {
        const bool movedWithin = event->source() == this && event->dropAction() == Qt::MoveAction;
        const int replaced = movedWithin ? static_cast<int>(selectedText().size()) : 0;
        if (!acceptsInsertion(event->mimeData()->text(), replaced)) {
            beep();
            event->ignore();
            return;
        }
    }
    QLineEdit::dropEvent(event);
}

}  // namespace talmorek::gui
