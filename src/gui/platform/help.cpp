#include "gui/platform/help.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace talmorek::gui {

bool openPlatformHelp(const QString& programDir) {
#ifdef Q_OS_WIN
    const QFileInfo file(programDir + QString::fromLatin1(kHelpFileName));
    if (!file.isFile()) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
#else
    (void)programDir;
    return false;
#endif
}

}  // namespace talmorek::gui
