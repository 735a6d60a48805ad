#pragma once
// What the tests of the entry controls share: a counter standing in for the
// beep, bounded waits, typing into the focused control as a keyboard does,
// and an answerer for a modal dialog.
#include <QString>
#include <QWidget>
#include <functional>
#include <string>

#include "gui/controls/platform_beep.h"
#include "support/qt_wait.h"

namespace talmorek::gui::testing {

// Counts beeps instead of sounding them, as long as it lives.
class BeepCounter {
public:
    BeepCounter();
    ~BeepCounter();
    BeepCounter(const BeepCounter&) = delete;
    BeepCounter& operator=(const BeepCounter&) = delete;
    int count() const { return count_; }

private:
    int count_ = 0;
    BeepHook previous_;
};

// Processes events until `done` holds; false after `limitMs` ms.
using talmorek::testing::waitFor;

// Shows the window and waits (bounded) until it is the active window, so
// that keys reach its focused control.
bool showActive(QWidget& window);

// Types `text` into the application's focused control, one key per
// character, with the text a keyboard layout would deliver (Czech letters
// and other characters beyond ASCII too).
void type(const QString& text);
// Presses and releases one key on the focused control.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Runs `handler` on the next modal dialog once it is shown and active, while
// the code that opened it waits in its own event loop. A dialog nobody
// handles within the bound is rejected and noted in `failure`.
class DialogAnswerer {
public:
    using Handler = std::function<void(QWidget*)>;
    explicit DialogAnswerer(Handler handler);
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    bool answered() const { return answered_; }
    const std::string& failure() const { return failure_; }

private:
    class Poller;
    Poller* poller_;
    bool answered_ = false;
    std::string failure_;
};

}  // namespace talmorek::gui::testing
