// Qt's own windows in Czech: the printer dialog's caption, buttons and
// every other text, Qt's translation completed by the program's catalogue.
#include "gui/shell/qt_translation.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QTabWidget>
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

TEST(QtTranslation, WithoutTheFilesQtStaysAsItIsButForTheProgramsOwnTexts) {
    talmorek::testing::TempDir empty;
    const QString dir = QString::fromStdString(empty.path());
    EXPECT_FALSE(installCzechQtTranslation(*QCoreApplication::instance(), dir, QString()));
    EXPECT_EQ(QCoreApplication::translate("QPrintDialog", "Print"), QStringLiteral("Print"));
    EXPECT_EQ(QCoreApplication::translate("QPrintSettingsOutput", "Pages"), QStringLiteral("Strany"));
    removeTranslations();
}

// The texts of the printing windows that Qt's own translation leaves in
// English, under the classes that ask for them; the same words elsewhere in
// Qt are left to Qt.
TEST(QtTranslation, TheProgramsCatalogueCompletesThePrintingWindows) {
    installCzechQtTranslation(*QCoreApplication::instance());
    const struct {
        const char* context;
        const char* english;
        const char* czech;
    } cases[] = {
        {"QPrintSettingsOutput", "Double Sided Printing", "Oboustranný tisk"},
        {"QPrintSettingsOutput", "Off", "Vypnuto"},
        {"QPrintSettingsOutput", "Long side binding", "Vazba na delší straně"},
        {"QPrintSettingsOutput", "Short side binding", "Vazba na kratší straně"},
        {"QPrintSettingsOutput", "Pages", "Strany"},
        {"QPrintPropertiesWidget", "Advanced", "Pokročilé"},
        {"QPrintPropertiesWidget", "There are conflicts in some options. Please fix them.",
         "Některé volby si odporují. Opravte je, prosím."},
        {"QPrintDialog", "Invalid Pages Definition", "Neplatné zadání stran"},
        {"QAbstractFileIconProvider", "Folder", "Složka"},
        {"QShortcut", "Home", "Home"},
        {"QLineEdit", "Off", "Off"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QCoreApplication::translate(c.context, c.english), QString::fromUtf8(c.czech)) << c.english;
    removeTranslations();
}

// Every text of Qt's printer dialog is Czech: built once in English and once
// in Czech, no label, button, frame, tab, list item or hint reads the same,
// apart from the names of the printers and the paths of files.
TEST(QtTranslation, PrinterDialogHasNoEnglishLeft) {
    const QString qtDir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFileInfo::exists(qtDir + QStringLiteral("/qtbase_cs.qm")))
        GTEST_SKIP() << "Qt's Czech translation is not installed here";
    const auto texts = [] {
        QPrinter printer;
        QPrintDialog dialog(&printer);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
        dialog.setMinMax(1, 5);
        std::vector<std::pair<QString, QString>> out;  // where, text
        out.emplace_back(QStringLiteral("title"), dialog.windowTitle());
        for (QWidget* w : dialog.findChildren<QWidget*>()) {
            const QString where = QString::fromLatin1(w->metaObject()->className()) + " " + w->objectName();
            // The printers and their makes, the file: the system's names, not Qt's.
            if (w->objectName() == "printers" || w->objectName() == "type" || w->objectName() == "location" ||
                w->objectName() == "filename")
                continue;
            if (auto* l = qobject_cast<QLabel*>(w)) out.emplace_back(where, l->text());
            if (auto* b = qobject_cast<QAbstractButton*>(w)) out.emplace_back(where, b->text());
            if (auto* g = qobject_cast<QGroupBox*>(w)) out.emplace_back(where, g->title());
            if (auto* t = qobject_cast<QTabWidget*>(w))
                for (int i = 0; i < t->count(); ++i) out.emplace_back(where, t->tabText(i));
            if (auto* c = qobject_cast<QComboBox*>(w))
                for (int i = 0; i < c->count(); ++i) out.emplace_back(where, c->itemText(i));
            out.emplace_back(where + " hint", w->toolTip());
        }
        return out;
    };
    const auto english = texts();
    ASSERT_TRUE(installCzechQtTranslation(*QCoreApplication::instance()));
    const auto czech = texts();
    removeTranslations();
    ASSERT_EQ(english.size(), czech.size());
    const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    for (std::size_t i = 0; i < english.size(); ++i) {
        if (!english[i].second.contains(word)) continue;
        EXPECT_NE(czech[i].second, english[i].second) << english[i].first.toStdString() << " still reads \""
                                                      << english[i].second.toStdString() << "\"";
    }
}

}  // namespace
}  // namespace talmorek::gui
