#include "gui/export/qt_export_dialogs.h"

#include "gui/export/export_target_dialog.h"
#include "gui/print/copies_dialog.h"

namespace talmorek::gui {

bool QtExportDialogs::exportTarget(const data::Directories& dirs, const data::TStanice& station) {
    return target_.run(dirs, station);
}

int QtExportDialogs::pocetKopii() {
    // Over the window the export dialog belongs to: the export dialog itself
    // has closed by now.
    return askPocetKopii(target_.parentWidget());
}

}  // namespace talmorek::gui
