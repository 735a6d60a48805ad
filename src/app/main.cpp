// The program of a precinct election commission: records, checks, exports
// and prints the result of the vote in its precinct.
#include <QApplication>

#include "app/shell/program_start.h"
#include "app/shell/qt_translation.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    talmorek::app::installCzechQtTranslation(application);
    talmorek::app::StartOptions options;
    options.executablePath = QCoreApplication::applicationFilePath();
    options.arguments = QCoreApplication::arguments().mid(1);

    talmorek::app::StartRefusal refusal = talmorek::app::StartRefusal::None;
    auto session = talmorek::app::startProgram(options, {}, &refusal);
    if (!session) return refusal == talmorek::app::StartRefusal::AlreadyRunning ? 0 : 1;
    session->mainWindow->show();
    return application.exec();
}
