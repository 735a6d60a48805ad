#include "gui/shell/main_menu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace talmorek::gui {
namespace {

QAction* item(QMenu& menu, const char* name, const char* caption, QKeySequence shortcut = {}) {
    QAction* action = menu.addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    return action;
}

}  // namespace

MainMenuActions buildMainMenu(QMenuBar& bar) {
    bar.setObjectName(QStringLiteral("Z_MainMenu"));
    MainMenuActions a;

    // The trailing blanks belong to the title: they set the two menus apart.
    QMenu* okrsek = bar.addMenu(QStringLiteral("Okrsek     "));
    okrsek->setObjectName(QStringLiteral("Okrsek_MI"));
    a.PorizeniDat_MI = item(*okrsek, "PorizeniDat_MI", "&Pořízení a oprava dat", QKeySequence(Qt::Key_F2));
    a.Kontroly_MI = item(*okrsek, "Kontroly_MI", "&Kontroly", QKeySequence(Qt::Key_F3));
    a.ExportTisk_MI = item(*okrsek, "ExportTisk_MI", "&Export dat a tisk zápisu", QKeySequence(Qt::Key_F4));
    okrsek->addSeparator();
    a.Scitaciarch_MI = item(*okrsek, "Scitaciarch_MI", "&Sčítací arch");
    okrsek->addSeparator();
    a.ZrusitData_MI = item(*okrsek, "ZrusitData_MI", "Zrušení pořízených dat");
    okrsek->addSeparator();
    a.VyberTiskarny_MI = item(*okrsek, "VyberTiskarny_MI", "Výběr tiskárny");
    QMenu* fonty = okrsek->addMenu(QStringLiteral("Nastavení fontu"));
    fonty->setObjectName(QStringLiteral("NastavenFontu_MI"));
    fonty->menuAction()->setObjectName(QStringLiteral("NastavenFontu_MI"));
    a.BezHacku_MI = item(*fonty, "BezHacku_MI", "bez háčků");
    a.BezHacku_MI->setCheckable(true);
    a.BezHacku_MI->setChecked(false);
    okrsek->addSeparator();
    a.Konec_MI = item(*okrsek, "Konec_MI", "K&onec");

    QMenu* napoveda = bar.addMenu(QStringLiteral("Nápověda"));
    napoveda->setObjectName(QStringLiteral("Napoveda_Menu"));
    a.Napoveda_MI = item(*napoveda, "Napoveda_MI", "&Nápověda");
    a.OProgramu_MI = item(*napoveda, "OProgramu_MI", "&O programu");
    napoveda->addSeparator();
    a.ZkusebniTisk_MI = item(*napoveda, "ZkusebniTisk_MI", "Zkušební tisk");
    return a;
}

}  // namespace talmorek::gui
