// The program of a precinct election commission: records, checks, exports
// and prints the result of the vote in its precinct.
#include <QApplication>

#include "gui/platform/focus_mark.h"
#include "gui/platform/started_path.h"
#include "gui/shell/program_start.h"
#include "gui/shell/qt_translation.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    talmorek::gui::installCzechQtTranslation(application);
    // From the first window on, "already running" included.
    talmorek::gui::markKeyboardFocus(application);
    talmorek::gui::StartOptions options;
    options.executablePath = talmorek::gui::startedExecutablePath();
    options.arguments = QCoreApplication::arguments().mid(1);

    talmorek::gui::StartRefusal refusal = talmorek::gui::StartRefusal::None;
    auto session = talmorek::gui::startProgram(options, {}, &refusal);
    if (!session) return refusal == talmorek::gui::StartRefusal::AlreadyRunning ? 0 : 1;
    session->mainWindow->show();
    return application.exec();
}
