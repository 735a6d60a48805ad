// Entry of the Qt test executables: the offscreen platform (no display
// needed, identical on every machine), a fixed locale, then GoogleTest.
#include <QApplication>
#include <QLocale>
#include <cstdlib>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
