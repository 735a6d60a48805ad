// Entry of the Qt test executables without widgets (the renderer): the
// offscreen platform, a fixed locale, then GoogleTest. A QGuiApplication is
// all that fonts, painters and PDF writers need.
#include <QGuiApplication>
#include <QLocale>
#include <cstdlib>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
