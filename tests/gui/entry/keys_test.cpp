// Enter as every window reads it: on the main keyboard or the keypad, alone
// or with Shift; with Ctrl, Alt or Meta it is another key.

#include "gui/controls/keys.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

namespace talmorek::gui {
namespace {

TEST(Keys, EnterWithTheModifiersThatKeepItEnter) {
    struct Case {
        const char* name;
        int key;
        Qt::KeyboardModifiers modifiers;
        bool enter;
    };
    const Case cases[] = {
        {"return", Qt::Key_Return, Qt::NoModifier, true},
        {"keypad_enter", Qt::Key_Enter, Qt::KeypadModifier, true},
        {"shift_return", Qt::Key_Return, Qt::ShiftModifier, true},
        {"shift_keypad_enter", Qt::Key_Enter, Qt::ShiftModifier | Qt::KeypadModifier, true},
        {"ctrl_return", Qt::Key_Return, Qt::ControlModifier, false},
        {"ctrl_keypad_enter", Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier, false},
        {"alt_return", Qt::Key_Return, Qt::AltModifier, false},
        {"meta_return", Qt::Key_Return, Qt::MetaModifier, false},
        {"tab", Qt::Key_Tab, Qt::NoModifier, false},
        {"space", Qt::Key_Space, Qt::NoModifier, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers);
        EXPECT_EQ(isEnter(event), c.enter);
    }
}

}  // namespace
}  // namespace talmorek::gui
