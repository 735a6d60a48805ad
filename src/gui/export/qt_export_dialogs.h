#pragma once
// The export command's dialogs in the program: the export target dialog,
// and the number of copies of the record.
#include "core/workflow/export_dialogs.h"

class QWidget;

namespace talmorek::gui {

class TZ_ExportDat_F;

class QtExportDialogs : public workflow::ExportDialogs {
public:
    explicit QtExportDialogs(TZ_ExportDat_F& target) : target_(target) {}

    bool exportTarget(const data::Directories& dirs, const data::TStanice& station) override;
    int pocetKopii() override;

private:
    TZ_ExportDat_F& target_;
};

}  // namespace talmorek::gui
