// Qt's own windows in Czech: the printer dialog's caption and buttons.
#include "gui/shell/qt_translation.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include "support/temp_dir.h"

namespace talmorek::gui {
namespace {

// Takes back every translation a test installed, so later tests see Qt as
// it was.
void removeTranslations() {
    for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}

TEST(QtTranslation, PrinterDialogSpeaksCzech) {
    const QString qtDir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFileInfo::exists(qtDir + QStringLiteral("/qtbase_cs.qm")))
        GTEST_SKIP() << "Qt's Czech translation is not installed here";
    ASSERT_TRUE(installCzechQtTranslation(*QCoreApplication::instance()));
    EXPECT_EQ(QCoreApplication::translate("QPrintDialog", "Print"), QStringLiteral("Tisk"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Zrušit"));
    removeTranslations();
}

TEST(QtTranslation, WithoutTheFilesQtStaysAsItIs) {
    talmorek::testing::TempDir empty;
    const QString dir = QString::fromStdString(empty.path());
    EXPECT_FALSE(installCzechQtTranslation(*QCoreApplication::instance(), dir, QString()));
    EXPECT_EQ(QCoreApplication::translate("QPrintDialog", "Print"), QStringLiteral("Print"));
    EXPECT_TRUE(QCoreApplication::instance()->findChildren<QTranslator*>().isEmpty());
}

}  // namespace
}  // namespace talmorek::gui
