#include "gui/shell/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QString>
#include <QTranslator>
#include <cstring>
#include <string_view>

namespace talmorek::gui {
namespace {

// Texts of Qt's printing windows that Qt's Czech translation does not
// carry (Debian's qtbase_cs for Qt 6). Looked up by the English text alone,
// within the windows below, because Qt moves a text between the classes of
// one window from release to release.
struct Text {
    const char* english;
    const char* czech;
};
constexpr Text kPrintingTexts[] = {
    {"Double Sided Printing", "Oboustranný tisk"},
    {"Off", "Vypnuto"},
    {"Long side binding", "Vazba na delší straně"},
    {"Short side binding", "Vazba na kratší straně"},
    {"Pages", "Strany"},
    {"Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. "
     "E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.",
     "Zadejte strany nebo rozsahy stran oddělené čárkami. Rozsah tvoří dvě čísla spojená pomlčkou. "
     "Např. 3,5-7,9 vytiskne strany 3, 5, 6, 7 a 9."},
    {"Advanced", "Pokročilé"},
    {"There are conflicts in some options. Please fix them.", "Některé volby si odporují. Opravte je, prosím."},
    {"Advanced Option Conflicts", "Rozpor v pokročilých volbách"},
    {"There are conflicts in some advanced options. Do you want to fix them?",
     "Některé pokročilé volby si odporují. Chcete je opravit?"},
    {"Duplex Settings Conflicts", "Rozpor v nastavení oboustranného tisku"},
    {"There are conflicts in duplex settings. Do you want to fix them?",
     "Nastavení oboustranného tisku si odporuje. Chcete je opravit?"},
    {"Page Setup Conflicts", "Rozpor v nastavení stránky"},
    {"There are conflicts in page setup options. Do you want to fix them?",
     "Volby nastavení stránky si odporují. Chcete je opravit?"},
    {"Invalid Pages Definition", "Neplatné zadání stran"},
    {"Banner page at start", "Úvodní list na začátku"},
    {"Banner page at end", "Úvodní list na konci"},
    {"CUPS Banner page", "Úvodní list"},
    {"Print Device Input Slot", "Zásobník papíru"},
    {"Print Device Output Bin", "Výstupní přihrádka"},
    {"Auto", "Automaticky"},
    {"Cassette", "Kazeta"},
    {"Envelope", "Obálka"},
    {"Lower", "Dolní"},
    {"Middle", "Střední"},
    {"Upper", "Horní"},
    {"Rear", "Zadní"},
    {"Tractor", "Traktor"},
};

// The printer dialog's "..." button opens a file dialog.
constexpr Text kFileDialogTexts[] = {
    {"Drive", "Jednotka"},
    {"Folder", "Složka"},
};

bool isPrintingWindow(std::string_view context) {
    for (std::string_view prefix : {"QPrint", "QPage", "QCups", "QUnixPrint", "QAbstractPrint"})
        if (context.substr(0, prefix.size()) == prefix) return true;
    return false;
}

template <std::size_t N>
const char* lookUp(const Text (&texts)[N], const char* english) {
    for (const Text& t : texts)
        if (std::strcmp(t.english, english) == 0) return t.czech;
    return nullptr;
}

// The program's own catalogue: consulted before Qt's, it answers only for
// the texts above and leaves every other text to Qt's translation.
class ProgramCatalogue : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* sourceText, const char* /*disambiguation*/,
                      int /*n*/) const override {
        if (!context || !sourceText) return {};
        const char* czech = nullptr;
        if (isPrintingWindow(context)) {
            czech = lookUp(kPrintingTexts, sourceText);
        } else if (std::string_view(context) == "QAbstractFileIconProvider") {
            czech = lookUp(kFileDialogTexts, sourceText);
        }
        return czech ? QString::fromUtf8(czech) : QString();
    }
    bool isEmpty() const override { return false; }
};

}  // namespace

bool installCzechQtTranslation(QCoreApplication& application, const QString& firstDir, const QString& secondDir) {
    bool found = false;
    for (const QString& dir : {firstDir, secondDir}) {
        if (dir.isEmpty()) continue;
        auto* translator = new QTranslator(&application);
        if (translator->load(QStringLiteral("qtbase_cs"), dir) && QCoreApplication::installTranslator(translator)) {
            found = true;
            break;
        }
        delete translator;
    }
    // Installed last, so that it is asked first.
    QCoreApplication::installTranslator(new ProgramCatalogue(&application));
    return found;
}

bool installCzechQtTranslation(QCoreApplication& application) {
    return installCzechQtTranslation(application, QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                                     QCoreApplication::applicationDirPath() + QStringLiteral("/translations"));
}

}  // namespace talmorek::gui
