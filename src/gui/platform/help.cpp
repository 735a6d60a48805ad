#include "gui/platform/help.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>
#include <QVariant>
#include <QWidget>

namespace talmorek::gui {
namespace {
constexpr const char* kHelpContextProperty = "talmorekHelpContext";
}

void setHelpContext(QWidget& window, int context) { window.setProperty(kHelpContextProperty, context); }

int helpContextOf(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant context = w->property(kHelpContextProperty);
        if (context.isValid()) return context.toInt();
    }
    return 0;
}

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
