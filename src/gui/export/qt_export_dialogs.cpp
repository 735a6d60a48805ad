#include "gui/export/qt_export_dialogs.h"

#include "gui/export/export_target_dialog.h"

namespace talmorek::gui {

bool QtExportDialogs::exportTarget(const data::Directories& dirs, const data::TStanice& station) {
    return target_.run(dirs, station);
}

int QtExportDialogs::pocetKopii() {
    // The copies dialog `TZ_PocetKopii_F` is built with the printing of the
    // record; until it is wired here, the two copies the receiving point
    // asks for.
    return 2;
}

}  // namespace talmorek::gui
