#pragma once
// The two dialogs of the export command that lie outside the core: the
// export target dialog, which copies the "O" precinct data file to a carrier
// and tells the user where it went, and the copies dialog that precedes the
// printing of the record.

#include "core/data/directories.h"
#include "core/data/station.h"

namespace talmorek::workflow {

class ExportDialogs {
public:
    virtual ~ExportDialogs() = default;

    // `TZ_ExportDat_F`, modal. Copies the "O" file of the station's precinct
    // from the data directory to the carrier or the hard-disk directory the
    // user chooses, and reports the result itself, a failed copy included
    // (the dialog then stays open). Returns `ExportProveden`: true only when
    // the copy was completed, proven and reported; false when the user
    // cancelled.
    virtual bool exportTarget(const data::Directories& dirs, const data::TStanice& station) = 0;

    // `TZ_PocetKopii_F`, modal: the number of copies of the record to print,
    // 1..9; 2 when the dialog is closed other than with OK.
    virtual int pocetKopii() = 0;
};

}  // namespace talmorek::workflow
