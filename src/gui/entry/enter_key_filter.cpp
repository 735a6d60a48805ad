#include "gui/entry/enter_key_filter.h"
#include "gui/controls/keys.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

namespace talmorek::gui {
namespace {

bool isCharacter(const QKeyEvent& event) {
    const QString text = event.text();
    return !text.isEmpty() && text.at(0).isPrint() && !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

// The controls whose only keys are Enter (on) and the arrows (choose).
bool choosesByArrows(QObject* control) {
    return qobject_cast<QRadioButton*>(control) || qobject_cast<QComboBox*>(control);
}

}  // namespace

EnterKeyPress::EnterKeyPress(QWidget* window) : QObject(window) { setObjectName(QStringLiteral("EnterKeyPress")); }

void EnterKeyPress::watchControlsOf(QWidget& window) {
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (control->focusPolicy() == Qt::NoFocus) continue;
        control->installEventFilter(this);
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            button->setAutoDefault(false);
            button->setDefault(false);
        }
    }
}

bool EnterKeyPress::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto& key = static_cast<QKeyEvent&>(*event);
    auto* control = qobject_cast<QWidget*>(watched);
    if (!control) return false;
    if (auto* button = qobject_cast<QPushButton*>(control)) {
        if (!isEnter(key)) return false;
        button->click();
        return true;
    }
    if (choosesByArrows(control)) {
        if (isEnter(key)) {
            // On as Tab goes, with the Tab key itself: the control's own
            // idea of the next control holds.
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QCoreApplication::sendEvent(control, &tab);
            return true;
        }
        return isCharacter(key);
    }
    return false;
}

}  // namespace talmorek::gui
