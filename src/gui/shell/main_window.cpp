#include "gui/shell/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>

#include "core/workflow/error_messages.h"
#include "gui/entry/entry_window.h"
#include "gui/entry/message_dialog.h"
#include "gui/export/export_target_dialog.h"
#include "gui/export/qt_export_dialogs.h"
#include "gui/platform/focus_mark.h"
#include "gui/platform/help.h"
#include "gui/platform/window_hints.h"
#include "gui/shell/help_key.h"
#include "gui/shell/about_dialog.h"
#include "gui/shell/ballot_art.h"
#include "gui/shell/date_time_dialog.h"
#include "gui/shell/help_window.h"
#include "gui/dialogs/info_e_dialog.h"
#include "gui/shell/main_menu.h"
#include "gui/dialogs/message_box_prompts.h"
#include "gui/shell/qt_print_jobs.h"
#include "gui/controls/screen_centre.h"
#include "core/workflow/station_display.h"

namespace talmorek::gui {
namespace {

constexpr int kWindowWidth = 760;
constexpr int kWindowHeight = 540;
constexpr int kStartTimerMs = 300;

// Widths of the status labels: the municipality wide and the precinct
// narrow; for a precinct abroad the other way round, as its name goes with
// the precinct number.
constexpr int kObecWide = 360, kObecNarrow = 140;
constexpr int kOkrsekNarrow = 110, kOkrsekWide = 330;

QLabel* statusLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(p);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setContentsMargins(4, 1, 4, 1);
    return label;
}

// Fixes the label at the designed width, or wider when its text needs more.
void fixWidth(QLabel& label, int designed) {
    label.setMinimumWidth(0);  // a fixed width would count as the text's need
    label.setMaximumWidth(QWIDGETSIZE_MAX);
    label.setFixedWidth(std::max(designed, label.sizeHint().width()));
}

}  // namespace

TPS_menu::TPS_menu(data::Directories dirs, ShellServices services, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      dirs_(std::move(dirs)) {
    setObjectName(QStringLiteral("PS_menu"));
    setWindowTitle(QString::fromUtf8(workflow::kMainWindowCaption));
    setWindowIcon(QIcon(ballotLogo(64)));
    setFixedSize(kWindowWidth, kWindowHeight);

    buildMenu();
    buildCentre();
    buildStatusLine();

    startTimer_ = new QTimer(this);
    startTimer_->setObjectName(QStringLiteral("startTimer"));
    startTimer_->setSingleShot(true);
    startTimer_->setInterval(kStartTimerMs);
    connect(startTimer_, &QTimer::timeout, this, &TPS_menu::startTimerTimer);

    // The dialogs of the main window, created once and reused.
    about_ = new TZ_OProgramu_F(this);
    dateTime_ = new TZ_Info_F(this);
    dateTime_->setClock(services.sources.clock);
    infoE_ = new TZ_infoE_F(this);
    help_ = new HelpWindow(this);
    setHelpContext(*this, kHelpMainWindow);
    new HelpKey([this](QWidget* where) { openHelpAt(where); }, this);
    if (auto* application = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        keepDialogsFromMinimising(*application);
        markKeyboardFocus(*application);
    }

    prompts_ = services.prompts;
    if (!prompts_) {
        ownPrompts_ = std::make_unique<MessageBoxPrompts>(this, infoE_);
        prompts_ = ownPrompts_.get();
    }
    workflow::PrintJobs* printJobs = services.printJobs;
    if (!printJobs) {
        ownPrintJobs_ = std::make_unique<QtPrintJobs>(this, *prompts_);
        printJobs = ownPrintJobs_.get();
    }
    workflow::ExportDialogs* exportDialogs = services.exportDialogs;
    if (!exportDialogs) {
        ExportMedia media = services.media ? *services.media : ExportMedia{};
        if (!media.files) media.files = services.files;
        exportTarget_ = new TZ_ExportDat_F(*infoE_, std::move(media), this);
        ownExportDialogs_ = std::make_unique<QtExportDialogs>(*exportTarget_);
        exportDialogs = ownExportDialogs_.get();
    }
    data::FileSystem& files = services.files ? *services.files : data::systemFileSystem();
    workflow_ =
        std::make_unique<workflow::Workflow>(dirs_, *prompts_, *printJobs, *exportDialogs, services.sources, files);

    // The entry window and the message dialog that stops it on a finding:
    // one each for the run. The dialog's wording comes from the logic.
    entryForm_ = std::make_unique<entry::EntryForm>(*workflow_, *prompts_, beep_);
    hlaska_ = new THlaskaF(this);
    entryWindow_ = new TR_Vstupni_Form(*entryForm_, *prompts_, *hlaska_, this);
}

// The workflow owns the catalogue and the protocol: they go with the window.
TPS_menu::~TPS_menu() = default;

void TPS_menu::buildMenu() {
    MainMenuActions actions = buildMainMenu(*menuBar());
    connect(actions.PorizeniDat_MI, &QAction::triggered, this, &TPS_menu::PorizeniDat_MIClick);
    connect(actions.Kontroly_MI, &QAction::triggered, this, &TPS_menu::Kontroly_MIClick);
    connect(actions.ExportTisk_MI, &QAction::triggered, this, &TPS_menu::ExportTisk_MIClick);
    connect(actions.Scitaciarch_MI, &QAction::triggered, this, &TPS_menu::Scitaciarch_MIClick);
    connect(actions.ZrusitData_MI, &QAction::triggered, this, &TPS_menu::ZrusitData_MIClick);
    connect(actions.VyberTiskarny_MI, &QAction::triggered, this, &TPS_menu::VyberTiskarny_MIClick);
    connect(actions.BezHacku_MI, &QAction::triggered, this, &TPS_menu::BezHacku_MIClick);
    connect(actions.Konec_MI, &QAction::triggered, this, &QWidget::close);
    connect(actions.Napoveda_MI, &QAction::triggered, this, &TPS_menu::Napoveda_MIClick);
    connect(actions.OProgramu_MI, &QAction::triggered, this, &TPS_menu::OProgramu_MIClick);
    connect(actions.ZkusebniTisk_MI, &QAction::triggered, this, &TPS_menu::ZkusebniTisk_MIClick);
    // F4 can always be chosen; the command itself refuses data that are
    // missing, unchecked or in error, and says why.
    bezHacku_ = actions.BezHacku_MI;
    bezHacku_->setEnabled(false);  // until the station is known
}

void TPS_menu::buildCentre() {
    auto* centre = new QWidget(this);
    centre->setObjectName(QStringLiteral("Z_Stred_P"));
    centre->setAutoFillBackground(true);
    QPalette p = centre->palette();
    p.setColor(QPalette::Window, QColor(0xf3, 0xf5, 0xf9));
    centre->setPalette(p);

    auto* logo = new QLabel(centre);
    logo->setObjectName(QStringLiteral("Z_Logo_Img"));
    logo->setPixmap(ballotLogo(48));
    logo->setFixedSize(48, 48);

    auto* picture = new BallotPicture(centre);
    auto* grid = new QGridLayout(centre);
    grid->setContentsMargins(10, 10, 10, 10);
    grid->addWidget(logo, 0, 2, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(picture, 1, 1);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(2, 1);
    grid->setRowMinimumHeight(2, 30);
    setCentralWidget(centre);
}

void TPS_menu::buildStatusLine() {
    statusObec_ = statusLabel("Z_StatusObec_Lbl", this);
    statusOkrsek_ = statusLabel("Z_StatusOkrsek_Lbl", this);
    statusKraj_ = statusLabel("Z_StatusKraj_lbl", this);
    statusObec_->setFixedWidth(kObecWide);
    statusOkrsek_->setFixedWidth(kOkrsekNarrow);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(statusObec_);
    statusBar()->addWidget(statusOkrsek_);
    statusBar()->addWidget(statusKraj_, 1);
}

void TPS_menu::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (showStepQueued_) return;
    showStepQueued_ = true;
    centreOnScreen(*this);
    // Run the show step once the window is on screen, so that a message
    // about a missing station record appears over the window, not before it.
    QTimer::singleShot(0, this, &TPS_menu::FormShow);
}

void TPS_menu::FormShow() {
    if (showStepDone_) return;
    showStepDone_ = true;
    // Station record, flags, with-diacritics flag, catalogue and protocol.
    // A failure has been told to the user; the window stays as it is and
    // every command tries again before it does anything.
    if (!workflow_->start()) return;
    showStation();
    startTimer_->start();
}

void TPS_menu::showStation() {
    const data::TStanice& station = workflow_->station();
    electionDates_ = QString::fromStdString(workflow::electionDatesText(station));
    const workflow::StatusLabels labels = workflow::statusLabels(station);
    statusObec_->setText(QString::fromStdString(labels.obec));
    statusOkrsek_->setText(QString::fromStdString(labels.okrsek));
    statusKraj_->setText(QString::fromStdString(labels.kraj));
    // The designed widths, widened where a long name would be clipped; the
    // region label takes what is left.
    fixWidth(*statusObec_, labels.wideOkrsek ? kObecNarrow : kObecWide);
    fixWidth(*statusOkrsek_, labels.wideOkrsek ? kOkrsekWide : kOkrsekNarrow);
    bezHacku_->setEnabled(workflow_->bezHackuEnabled());
    bezHacku_->setChecked(workflow_->bezHackuChecked());
}

void TPS_menu::startTimerTimer() {
    startTimer_->stop();
    dateTime_->exec();
}

template <typename Command>
void TPS_menu::runCommand(Command&& command) {
    guarded(std::forward<Command>(command));
    // A command may have read the station record for the first time.
    if (workflow_->started()) showStation();
    // Whatever the command opened has closed, and the keys come back here.
    // A window manager may leave no window active once a modal one goes
    // (F2, F3 and F4 would then do nothing until Alt+Tab).
    raise();
    activateWindow();
}

template <typename Command>
void TPS_menu::guarded(Command&& command) {
    try {
        command();
    } catch (const std::exception& e) {
        prompts_->failure(workflow::czechMessage(e), workflow::kMainWindowCaption);
    }
}

void TPS_menu::PorizeniDat_MIClick() {
    runCommand([this] {
        if (entryForm_->PorizeniDat_MIClick()) entryWindow_->Open();
    });
}

void TPS_menu::Kontroly_MIClick() {
    runCommand([this] { workflow_->Kontroly_MIClick(); });
}

void TPS_menu::ExportTisk_MIClick() {
    runCommand([this] { workflow_->ExportTisk_MIClick(); });
}

void TPS_menu::Scitaciarch_MIClick() {
    runCommand([this] { workflow_->Scitaciarch_MIClick(); });
}

void TPS_menu::ZrusitData_MIClick() {
    runCommand([this] { workflow_->ZrusitData_MIClick(); });
}

void TPS_menu::VyberTiskarny_MIClick() {
    runCommand([this] { workflow_->VyberTiskarny_MIClick(); });
}

void TPS_menu::BezHacku_MIClick() {
    runCommand([this] { workflow_->BezHacku_MIClick(); });
}

void TPS_menu::ZkusebniTisk_MIClick() {
    runCommand([this] { workflow_->ZkusebniTisk_MIClick(); });
}

void TPS_menu::Napoveda_MIClick() {
    if (openPlatformHelp(QString::fromStdString(dirs_.program))) return;
    help_->showContents();
}

void TPS_menu::openHelpAt(QWidget* where) {
    if (where->window() == help_) return;
    if (openPlatformHelp(QString::fromStdString(dirs_.program))) return;
    help_->showTopic(helpContextOf(where));
}

void TPS_menu::OProgramu_MIClick() { about_->exec(); }

void TPS_menu::closeEvent(QCloseEvent* event) {
    bool confirmed = false;
    guarded([&] { confirmed = workflow_->confirmClose(); });
    if (confirmed) {
        help_->close();
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace talmorek::gui
