#include "gui/shell/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QString>
#include <QTranslator>

namespace talmorek::gui {

bool installCzechQtTranslation(QCoreApplication& application, const QString& firstDir, const QString& secondDir) {
    for (const QString& dir : {firstDir, secondDir}) {
        if (dir.isEmpty()) continue;
        auto* translator = new QTranslator(&application);
        if (translator->load(QStringLiteral("qtbase_cs"), dir) && QCoreApplication::installTranslator(translator))
            return true;
        delete translator;
    }
    return false;
}

bool installCzechQtTranslation(QCoreApplication& application) {
    return installCzechQtTranslation(application, QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                                     QCoreApplication::applicationDirPath() + QStringLiteral("/translations"));
}

}  // namespace talmorek::gui
