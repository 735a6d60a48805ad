#pragma once
// The main menu `Z_MainMenu`: the "Okrsek" menu with the work of the
// commission in the order it is done, and the "Nápověda" menu.
class QAction;
class QMenuBar;

namespace talmorek::gui {

struct MainMenuActions {
    QAction* PorizeniDat_MI = nullptr;
    QAction* Kontroly_MI = nullptr;
    QAction* ExportTisk_MI = nullptr;
    QAction* Scitaciarch_MI = nullptr;
    QAction* ZrusitData_MI = nullptr;
    QAction* VyberTiskarny_MI = nullptr;
    QAction* BezHacku_MI = nullptr;  // checkable, unchecked at start
    QAction* Konec_MI = nullptr;
    QAction* Napoveda_MI = nullptr;
    QAction* OProgramu_MI = nullptr;
    QAction* ZkusebniTisk_MI = nullptr;
};

// Fills `bar` with the menus; the actions carry their names as objectName.
MainMenuActions buildMainMenu(QMenuBar& bar);

}  // namespace talmorek::gui
