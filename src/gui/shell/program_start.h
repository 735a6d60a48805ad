#pragma once
// From the start of the process to the main window on screen: the
// single-instance rule, the directories of a single- or multi-station
// installation, and the windows.
#include <QString>
#include <QStringList>
#include <memory>

#include "gui/platform/single_instance.h"
#include "gui/shell/main_window.h"

namespace talmorek::gui {

inline constexpr const char* kApplicationTitle = "Talmorek";

struct StartOptions {
    QString executablePath;  // full path of the program
    QStringList arguments;   // the command line after the program's name
    QString lockPath = SingleInstance::defaultLockPath();
};

// A running program: the instance lock and the main window, held together
// so the lock goes only with the window.
struct ProgramSession {
    std::unique_ptr<SingleInstance> instance;
    std::unique_ptr<TPS_menu> mainWindow;
};

enum class StartRefusal { None, AlreadyRunning, LockUnavailable, NoStation };

// Refuses a second instance ("Aplikace již spuštěna !!!"), a start whose
// lock file cannot be made (told as such, never as a second instance), and
// a start without a station ("Program je nutno pouštět ikonou na ploše nebo z
// nabídky Start!"), each told in a message box, creating nothing else;
// then creates the main window and its dialogs. The caller shows the window.
std::unique_ptr<ProgramSession> startProgram(const StartOptions& options, ShellServices services = {},
                                             StartRefusal* refusal = nullptr);

}  // namespace talmorek::gui
