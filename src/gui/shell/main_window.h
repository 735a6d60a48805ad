#pragma once
// The main window `TPS_menu`: the hub of the program. Its menu starts every
// command; the commands themselves live in the core's workflow::Workflow, which asks
// and tells through workflow::Prompts (message boxes here), prints through workflow::PrintJobs
// (the Qt print backend) and exports through workflow::ExportDialogs.
#include <QMainWindow>
#include <QString>
#include <memory>

#include "gui/controls/platform_beep.h"
#include "gui/export/export_target_dialog.h"
#include "core/entry/entry_form.h"
#include "core/workflow/export_dialogs.h"
#include "core/workflow/print_jobs.h"
#include "core/workflow/prompts.h"
#include "core/workflow/workflow.h"
#include "core/data/directories.h"
#include "core/data/file_system.h"
#include "core/record/recompute.h"

class QAction;
class QLabel;
class QTimer;

namespace talmorek::gui {

class HelpWindow;
class THlaskaF;
class TR_Vstupni_Form;
class TZ_Info_F;
class TZ_OProgramu_F;
class TZ_infoE_F;

// What the commands use to talk to the user, print and export. A null
// pointer stands for the program's own: message boxes, the Qt print
// backend, and the export target dialog over the machine's own media.
struct ShellServices {
    workflow::Prompts* prompts = nullptr;
    workflow::PrintJobs* printJobs = nullptr;
    workflow::ExportDialogs* exportDialogs = nullptr;
    // The clock of the record, the printouts and the date/time
    // confirmation, and the source of `Nahoda`.
    record::RecomputeSources sources = record::systemSources();
    data::FileSystem* files = nullptr;  // null: the operating system's files
    // Where the export target dialog finds carriers and how it removes one;
    // null: the machine's own.
    const ExportMedia* media = nullptr;
};

class TPS_menu : public QMainWindow {
    Q_OBJECT
public:
    explicit TPS_menu(data::Directories dirs, ShellServices services = {}, QWidget* parent = nullptr);
    ~TPS_menu() override;

    workflow::Workflow& workflow() { return *workflow_; }
    // The days of the election, known once the station record was read.
    QString electionDates() const { return electionDates_; }
    // True once the show step has run (successfully or not).
    bool showStepDone() const { return showStepDone_; }

    TZ_Info_F* dateTimeDialog() const { return dateTime_; }
    TZ_OProgramu_F* aboutDialog() const { return about_; }
    HelpWindow* helpWindow() const { return help_; }
    TZ_infoE_F* infoDialog() const { return infoE_; }
    // Null when the services brought their own export dialogs.
    TZ_ExportDat_F* exportTargetDialog() const { return exportTarget_; }
    // The entry window and its logic, created once for the run.
    entry::EntryForm& entryForm() { return *entryForm_; }
    TR_Vstupni_Form* entryWindow() const { return entryWindow_; }
    THlaskaF* messageDialog() const { return hlaska_; }

public slots:
    // The show step: station record, election dates, processing state,
    // catalogue and protocol, status line, the start-up timer.
    void FormShow();
    // The start-up timer's tick: the date/time confirmation, once.
    void startTimerTimer();

    // F2: the entry window, after the question when the data were exported.
    void PorizeniDat_MIClick();
    void Kontroly_MIClick();
    void ExportTisk_MIClick();
    void Scitaciarch_MIClick();
    void ZrusitData_MIClick();
    void VyberTiskarny_MIClick();
    void BezHacku_MIClick();
    void Napoveda_MIClick();
    void OProgramu_MIClick();
    void ZkusebniTisk_MIClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenu();
    void buildCentre();
    void buildStatusLine();
    // F1 in `where`: the help at the topic of its window.
    void openHelpAt(QWidget* where);
    void showStation();
    // Runs a menu command of the workflow, then shows the station it may
    // have read for the first time.
    template <typename Command>
    void runCommand(Command&& command);
    // The workflow tells every failure of its commands itself, through
    // `Prompts` under the command's title. No exception may cross Qt's event
    // loop, so anything unexpected that still escapes is told here, through
    // the same `Prompts`, under the program's caption.
    template <typename Command>
    void guarded(Command&& command);

    data::Directories dirs_;
    std::unique_ptr<workflow::Prompts> ownPrompts_;
    workflow::Prompts* prompts_ = nullptr;  // the services' or our own
    std::unique_ptr<workflow::PrintJobs> ownPrintJobs_;
    std::unique_ptr<workflow::ExportDialogs> ownExportDialogs_;
    std::unique_ptr<workflow::Workflow> workflow_;
    PlatformBeep beep_;
    std::unique_ptr<entry::EntryForm> entryForm_;

    TZ_OProgramu_F* about_ = nullptr;
    TZ_Info_F* dateTime_ = nullptr;
    TZ_infoE_F* infoE_ = nullptr;
    TZ_ExportDat_F* exportTarget_ = nullptr;
    HelpWindow* help_ = nullptr;
    THlaskaF* hlaska_ = nullptr;
    TR_Vstupni_Form* entryWindow_ = nullptr;

    QAction* bezHacku_ = nullptr;
    QLabel* statusObec_ = nullptr;
    QLabel* statusOkrsek_ = nullptr;
    QLabel* statusKraj_ = nullptr;
    QTimer* startTimer_ = nullptr;
    QString electionDates_;
    bool showStepDone_ = false;
    bool showStepQueued_ = false;
};

}  // namespace talmorek::gui
