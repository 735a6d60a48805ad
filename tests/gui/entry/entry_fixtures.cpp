#include "entry_fixtures.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QtTest/QTest>

namespace talmorek::gui::testing {

BeepCounter::BeepCounter() : previous_(setBeepHook([this] { ++count_; })) {}

BeepCounter::~BeepCounter() { setBeepHook(std::move(previous_)); }

bool showActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return waitFor([&] { return window.isActiveWindow(); });
}

void type(const QString& text) {
    for (char32_t c : text.toUcs4()) {
        const QString character = QString::fromUcs4(&c, 1);
        const Qt::Key key = c < 0x80 ? QTest::asciiToKey(static_cast<char>(c)) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), key, character, Qt::NoModifier);
    }
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

class DialogAnswerer::Poller : public QTimer {
public:
    // The window that is modal already when the answerer is made (the entry
    // window itself) is not the dialog it waits for.
    Poller(DialogAnswerer& owner, Handler handler)
        : owner_(owner), handler_(std::move(handler)), before_(QApplication::activeModalWidget()) {
        setInterval(10);
        connect(this, &QTimer::timeout, [this] { poll(); });
        start();
    }

private:
    void poll() {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible() || dialog == before_) return;
        if (++polls_ > 500) {
            // Never answered, or still open long after its answer (a
            // mnemonic clicks after a short animation): do not hang.
            owner_.failure_ = "dialog left open: " + dialog->objectName().toStdString();
            if (auto* d = qobject_cast<QDialog*>(dialog)) d->reject();
            return;
        }
        if (owner_.answered_) return;
        // The offscreen platform may never activate a new window on a busy
        // machine; a window manager would have at once. Ask for it, and
        // answer anyway once the dialog has been up a few polls.
        if (!dialog->isActiveWindow() && ++inactivePolls_ < 5) {
            dialog->activateWindow();
            return;
        }
        owner_.answered_ = true;
        handler_(dialog);
    }

    DialogAnswerer& owner_;
    Handler handler_;
    QPointer<QWidget> before_;
    int polls_ = 0;
    int inactivePolls_ = 0;
};

DialogAnswerer::DialogAnswerer(Handler handler) : poller_(new Poller(*this, std::move(handler))) {}

DialogAnswerer::~DialogAnswerer() { delete poller_; }

}  // namespace talmorek::gui::testing
