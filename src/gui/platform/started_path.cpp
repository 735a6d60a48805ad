#include "gui/platform/started_path.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

#include "core/data/directories.h"

namespace talmorek::gui {

QString startedExecutablePath() {
    const QString resolved = QCoreApplication::applicationFilePath();
#ifdef Q_OS_WIN
    return resolved;
#else
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.isEmpty()) return resolved;
    return QString::fromStdString(data::startedExecutablePath(
        arguments.first().toStdString(), QDir::currentPath().toStdString(), resolved.toStdString()));
#endif
}

}  // namespace talmorek::gui
