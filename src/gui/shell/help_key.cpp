#include "gui/shell/help_key.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace talmorek::gui {

HelpKey::HelpKey(std::function<void(QWidget*)> open, QObject* parent) : QObject(parent), open_(std::move(open)) {
    QCoreApplication::instance()->installEventFilter(this);
}

bool HelpKey::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        if (key->key() == Qt::Key_F1 && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && widget) {
            open_(widget);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace talmorek::gui
