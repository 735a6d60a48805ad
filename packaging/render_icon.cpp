// Renders the program's icon (the ballot box of the main window) into the
// hicolor sizes a desktop looks up: <dir>/<n>x<n>/apps/talmorek.png. Run at
// build time, so the icon is always the picture the program itself draws.
#include <QGuiApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>

#include "gui/shell/ballot_art.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: talmorek-render-icon DIR SIZE...\n");
        return 2;
    }
    // No display at build time.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size < 16 || size > 1024) {
            std::fprintf(stderr, "talmorek-render-icon: bad size %s\n", argv[i]);
            return 2;
        }
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
        const QString file = dir + QStringLiteral("/talmorek.png");
        if (!QDir().mkpath(dir) || !talmorek::gui::ballotLogo(size).save(file, "PNG")) {
            std::fprintf(stderr, "talmorek-render-icon: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
