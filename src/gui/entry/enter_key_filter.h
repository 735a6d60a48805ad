#pragma once
// `EnterKeyPress`: the one key filter of the entry window, on every control
// of it. A tired commission presses Enter to go on, everywhere:
// - on a radio button (and every other control without a text of its own)
//   Enter moves to the next control in tab order, as Tab does, and every
//   other character key is ignored, so a stray letter changes nothing;
// - on a button Enter presses that button, the one that has the focus;
//   no button of the window is a default button that would catch an Enter
//   meant for a field;
// - the fields and the names grid move on with Enter by themselves.
#include <QObject>

class QWidget;

namespace talmorek::gui {

class EnterKeyPress : public QObject {
    Q_OBJECT
public:
    explicit EnterKeyPress(QWidget* window);

    // Puts the filter on every control of the window that can take the
    // focus, and turns the default-button behaviour of its buttons off.
    void watchControlsOf(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace talmorek::gui
