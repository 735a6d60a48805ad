#pragma once
// F1, wherever the user is: the main window, a dialog, or one of Qt's own
// dialogs (the printer dialog), opens the help at the topic of that window.
#include <QObject>
#include <functional>

class QWidget;

namespace talmorek::gui {

class HelpKey : public QObject {
public:
    // `open` is called with the widget that had the key (the focus widget
    // of the active window). Watches the whole application while it exists.
    HelpKey(std::function<void(QWidget*)> open, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(QWidget*)> open_;
};

}  // namespace talmorek::gui
