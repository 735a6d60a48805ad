#include "gui/export/export_target_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <system_error>

#include "core/export/data_file.h"
#include "gui/controls/keys.h"
#include "gui/platform/help.h"
#include "gui/platform/window_hints.h"
#include "gui/controls/text.h"
#include "gui/dialogs/info_e_dialog.h"
#include "gui/dialogs/message_box_prompts.h"
#include "gui/controls/screen_centre.h"
#include "core/workflow/error_messages.h"
#include "core/workflow/export_messages.h"
#include "core/workflow/export_to_target.h"

namespace talmorek::gui {
namespace {

constexpr const char* kCaption = "Export dat";

}  // namespace

TZ_ExportDat_F::TZ_ExportDat_F(TZ_infoE_F& info, ExportMedia media, QWidget* parent)
    : QDialog(parent, dialogHints(DialogButtons::None)),
      info_(info),
      media_(std::move(media)) {
    setObjectName(QStringLiteral("Z_ExportDat_F"));
    setWindowTitle(QString::fromUtf8(kCaption));
    setHelpContext(*this, kHelpExport);
    setModal(true);

    auto* label = new QLabel(QStringLiteral("Zvolte zařízení, na které chcete data exportovat"), this);
    label->setObjectName(QStringLiteral("Z_ExportDat_Lbl"));
    label->setAlignment(Qt::AlignCenter);

    seznZar_ = new QComboBox(this);
    seznZar_->setObjectName(QStringLiteral("Z_SeznZar_CB"));
    seznZar_->setEditable(true);
    seznZar_->setInsertPolicy(QComboBox::NoInsert);
    seznZar_->setMinimumWidth(420);
    seznZar_->installEventFilter(this);
    seznZar_->lineEdit()->installEventFilter(this);
    connect(seznZar_->lineEdit(), &QLineEdit::editingFinished, this, &TZ_ExportDat_F::keepToItems);

    ok_ = new QPushButton(QStringLiteral("Uložit"), this);
    ok_->setObjectName(QStringLiteral("Z_ExportDatOK_Btn"));
    zrus_ = new QPushButton(QStringLiteral("Zrušit"), this);
    zrus_->setObjectName(QStringLiteral("Z_ExportDatZrus_Btn"));
    znovu_ = new QPushButton(QStringLiteral("Znovu načíst zařízení"), this);
    znovu_->setObjectName(QStringLiteral("Z_ZnovuNacist_Btn"));
    // Enter presses the button that has the focus, none other.
    for (QPushButton* b : {ok_, zrus_, znovu_}) {
        b->setAutoDefault(true);
        b->setDefault(false);
    }
    connect(ok_, &QPushButton::clicked, this, &TZ_ExportDat_F::Z_ExportDatOK_BtnClick);
    connect(zrus_, &QPushButton::clicked, this, &TZ_ExportDat_F::Z_ExportDatZrus_BtnClick);
    connect(znovu_, &QPushButton::clicked, this, [this] {
        fillTargets();
        seznZar_->setFocus();
    });
    setTabOrder(seznZar_, ok_);
    setTabOrder(ok_, zrus_);
    setTabOrder(zrus_, znovu_);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok_);
    buttons->addWidget(zrus_);
    buttons->addStretch(1);
    buttons->addWidget(znovu_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(12);
    layout->addWidget(label);
    layout->addWidget(seznZar_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(&info_, &TZ_infoE_F::removalRequested, this, &TZ_ExportDat_F::Odebrat_BtnClick);
}

bool TZ_ExportDat_F::run(const data::Directories& dirs, const data::TStanice& station) {
    dirs_ = dirs;
    station_ = station;
    exportProveden_ = false;
    fillTargets();
    seznZar_->setFocus();
    exec();
    return exportProveden_;
}

void TZ_ExportDat_F::fillTargets() {
    const media::TargetList list = media::listExportTargets(media_.sources, dirs_.program);
    targets_ = list.items;
    seznZar_->clear();
    for (const media::ExportTarget& target : targets_) seznZar_->addItem(fromUtf8(target.text));
    seznZar_->setCurrentIndex(list.selected);
}

void TZ_ExportDat_F::keepToItems() {
    if (seznZar_->findText(seznZar_->currentText(), Qt::MatchExactly) >= 0) return;
    seznZar_->setCurrentIndex(0);
    seznZar_->setEditText(seznZar_->itemText(0));
}

bool TZ_ExportDat_F::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == seznZar_ || watched == seznZar_->lineEdit())) {
        if (isEnter(*static_cast<QKeyEvent*>(event))) {
            // Enter goes on to the next control, as Tab does.
            keepToItems();
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TZ_ExportDat_F::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

void TZ_ExportDat_F::Z_ExportDatOK_BtnClick() {
    keepToItems();
    const int index = seznZar_->currentIndex();
    if (index < 0 || index >= static_cast<int>(targets_.size())) return;
    const media::ExportTarget target = targets_[static_cast<std::size_t>(index)];
    workflow::ExportReport report;
    try {
        data::FileSystem& files = media_.files ? *media_.files : data::systemFileSystem();
        report = workflow::exportToTarget(target, dirs_, station_, media_.sources, files);
    } catch (const std::exception& e) {
        // The dialog stays open: plug the carrier in again, reload, retry.
        showMessage(this, QMessageBox::Warning, displayText(workflow::czechMessage(e)), QString::fromUtf8(kCaption));
        return;
    }
    exported_ = target;
    info_.setRemovalOffered(target.removable);
    info_.showInfo(QString::fromUtf8(workflow::kExportTitle), fromUtf8(report.heading), fromUtf8(report.body));
    exportProveden_ = true;
    info_.setRemovalOffered(false);
    accept();
}

void TZ_ExportDat_F::Z_ExportDatZrus_BtnClick() {
    exportProveden_ = false;
    reject();
}

void TZ_ExportDat_F::Odebrat_BtnClick() {
    if (!exported_.removable) return;
    info_.removalButton()->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // The window repaints while the command runs; what the user types
    // meanwhile waits until it has ended.
    const bool removed = media::removeSafely(exported_, media_.sources, media_.removal, [] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    QApplication::restoreOverrideCursor();
    info_.removalButton()->setEnabled(true);
    showMessage(&info_, QMessageBox::NoIcon, displayText(workflow::removalMessage(removed, exported_)),
                QString::fromUtf8(workflow::kExportTitle));
    if (removed) info_.setRemovalOffered(false);
}

}  // namespace talmorek::gui
