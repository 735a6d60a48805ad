#pragma once
// The window buttons of the program's dialogs. Only the main window can be
// minimised: a minimised modal dialog takes the whole program with it (the
// window manager hides the windows it belongs to as well), and without a
// task bar there is no way back.
#include <Qt>

class QApplication;
class QObject;

namespace talmorek::gui {

enum class DialogButtons {
    None,         // a title bar only: the dialog is closed by its own buttons
    Close,        // the close box and the system menu
    MaximiseClose // a window to read in: it may fill the screen
};

// The window flags of a dialog with those buttons; never a minimise button.
Qt::WindowFlags dialogHints(DialogButtons buttons);

// Some window managers (Openbox) draw a title bar's buttons whatever the
// hints say. Against them: every dialog minimised anyway comes back, with
// the windows it belongs to, and a dialog without a close box ignores the
// window manager's close. The guard lives as long as `application`.
void keepDialogsFromMinimising(QApplication& application);

}  // namespace talmorek::gui
