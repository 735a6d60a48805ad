#pragma once
// `TZ_ExportDat_F`, "Export dat": the commission picks where the checked
// precinct data file goes (a plugged-in carrier or the hard disk), the file
// is copied and proven there, and the information dialog says where it is,
// with its fingerprint and, for a carrier, the offer to remove it safely.
// A copy that fails is told in Czech and the dialog stays open, so the
// commission can plug the carrier in again, reload the list and retry.
#include <QDialog>
#include <vector>

#include "core/data/directories.h"
#include "core/data/file_system.h"
#include "core/data/station.h"
#include "core/media/export_targets.h"
#include "core/media/safe_removal.h"

class QComboBox;
class QPushButton;

namespace talmorek::gui {

class TZ_infoE_F;

// Where the carriers are read from and how one is removed; tests put a
// fixture tree and a script here.
struct ExportMedia {
    media::MediaSources sources = media::systemMediaSources();
    media::RemovalCommand removal;
    data::FileSystem* files = nullptr;  // null: the operating system's files
};

class TZ_ExportDat_F : public QDialog {
    Q_OBJECT
public:
    TZ_ExportDat_F(TZ_infoE_F& info, ExportMedia media, QWidget* parent = nullptr);

    // Shows the dialog modally for the station's "O" file; returns
    // `ExportProveden`: true only when the file was copied, proven and
    // reported.
    bool run(const data::Directories& dirs, const data::TStanice& station);

    const std::vector<media::ExportTarget>& targets() const { return targets_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void fillTargets();
    // A typed text that is no item goes back to item 0.
    void keepToItems();
    void Z_ExportDatOK_BtnClick();
    void Z_ExportDatZrus_BtnClick();
    void Odebrat_BtnClick();

    TZ_infoE_F& info_;
    ExportMedia media_;
    QComboBox* seznZar_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* zrus_ = nullptr;
    QPushButton* znovu_ = nullptr;

    data::Directories dirs_;
    data::TStanice station_;
    std::vector<media::ExportTarget> targets_;
    media::ExportTarget exported_;  // the carrier the removal button removes
    bool exportProveden_ = false;
};

}  // namespace talmorek::gui
