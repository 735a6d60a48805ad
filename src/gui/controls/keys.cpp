#include "gui/controls/keys.h"

#include <QKeyEvent>

namespace talmorek::gui {

bool isEnter(const QKeyEvent& event) {
    const bool key = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    return key && (event.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) == Qt::NoModifier;
}

}  // namespace talmorek::gui
