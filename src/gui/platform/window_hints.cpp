#include "gui/platform/window_hints.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QTimer>

namespace talmorek::gui {
namespace {

class MinimisedDialogGuard : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // A dialog without a close box is closed by its own buttons only,
        // whatever close button the window manager draws on it.
        if (event->type() == QEvent::Close && event->spontaneous()) {
            auto* dialog = qobject_cast<QDialog*>(watched);
            if (dialog && dialog->isWindow() && (dialog->windowFlags() & Qt::CustomizeWindowHint) &&
                !(dialog->windowFlags() & Qt::WindowCloseButtonHint)) {
                event->ignore();
                return true;
            }
        }
        if (event->type() == QEvent::WindowStateChange) {
            auto* dialog = qobject_cast<QDialog*>(watched);
            if (dialog && dialog->isWindow() && (dialog->windowState() & Qt::WindowMinimized)) {
                // After the state change has been delivered everywhere.
                QTimer::singleShot(0, dialog, [d = QPointer<QDialog>(dialog)] {
                    if (d) restore(*d);
                });
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static void restore(QDialog& dialog) {
        for (QWidget* w = dialog.parentWidget() ? dialog.parentWidget()->window() : nullptr; w;
             w = w->parentWidget() ? w->parentWidget()->window() : nullptr) {
            if (w->windowState() & Qt::WindowMinimized) w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
        }
        if (dialog.windowState() & Qt::WindowMinimized)
            dialog.setWindowState(dialog.windowState() & ~Qt::WindowMinimized);
        dialog.raise();
        dialog.activateWindow();
    }
};

}  // namespace

Qt::WindowFlags dialogHints(DialogButtons buttons) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    switch (buttons) {
        case DialogButtons::None: break;
        case DialogButtons::Close: flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint; break;
        case DialogButtons::MaximiseClose:
            flags |= Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint;
            break;
    }
    return flags;
}

void keepDialogsFromMinimising(QApplication& application) {
    // One guard for the application, however many main windows a test makes.
    static QPointer<MinimisedDialogGuard> guard;
    if (guard && guard->parent() == &application) return;
    guard = new MinimisedDialogGuard(&application);
    application.installEventFilter(guard);
}

}  // namespace talmorek::gui
