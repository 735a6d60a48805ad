#pragma once
// What the shell tests share: an installation laid out in a temporary
// directory, prompts answered from a script, print jobs recorded instead of
// printed, and an answerer for real modal windows.
#include <QAction>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/data/station.h"
#include "gui/shell/main_window.h"
#include "gui/shell/program_start.h"
#include "core/record/record_of_vote.h"
#include "core/export/data_file.h"
#include "support/qt_wait.h"
#include "support/recording_jobs.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"


namespace talmorek::gui::testing {

using talmorek::testing::RecordingPrintJobs;
using talmorek::testing::ScriptedPrompts;

// The tests' installation (tests/support/installation.h) laid out as the
// program finds it, and a program started in it with scripted prompts and
// recorded print jobs.
struct Installation {
    talmorek::testing::TempDir dir;
    ScriptedPrompts prompts;
    RecordingPrintJobs printJobs;
    // The program's own Qt print jobs instead of the recorded ones; they
    // report to the scripted prompts all the same.
    bool printWithQt = false;
    record::RecomputeSources sources = record::systemSources();  // the program's clock and Nahoda
    // Where the export target dialog finds carriers; null: the machine's own.
    const ExportMedia* media = nullptr;

    explicit Installation(bool multiStation = false);
    QString executable() const { return QString::fromStdString(dir.path() + "talmorek"); }
    QString lockPath() const { return QString::fromStdString(dir.path() + "instance.lock"); }
    // The main window created as the program creates it, not yet shown.
    std::unique_ptr<ProgramSession> start(const QStringList& arguments = {});
    // What the entry window leaves after a save of `record` (recomputed):
    // the precinct data file "E" or "O", HLASO.RCD and KOMISE.RCD of the
    // single station.
    void writeData(const record::RecordOfVote& record, exporting::DataLetter letter);
    // The party list of the installation.
    data::PartyList parties() const;
};

// Shows the window and waits (bounded) until its show step has run.
bool showAndWait(TPS_menu& window);

// A test of the program started in its installation: the main window shown,
// its start-up reminder of the date and time stopped (another scenario),
// and menu commands chosen by name.
class StartedProgram : public ::testing::Test {
protected:
    void start() {
        session = inst.start();
        ASSERT_TRUE(session);
        ASSERT_TRUE(showAndWait(window()));
        window().findChild<QTimer*>(QStringLiteral("startTimer"))->stop();
    }
    TPS_menu& window() { return *session->mainWindow; }
    void choose(const char* item) { window().findChild<QAction*>(QString::fromLatin1(item))->trigger(); }
    // The station's status letter as the station record holds it now.
    std::string stav() { return data::NactiStanici(inst.dir.path()).Stav; }

    Installation inst;
    std::unique_ptr<ProgramSession> session;
};

// Answers real modal windows (message boxes and dialogs) while a call runs:
// each one that becomes the active modal widget is recorded as
// "<objectName>|<title>|<text>" (the text of a message box) and handed to
// the next handler; without one it is rejected. A poll limit keeps a test
// from hanging on a window nobody answers.
class ModalAnswerer {
public:
    using Handler = std::function<void(QWidget*)>;
    ModalAnswerer();
    ~ModalAnswerer();

    void then(Handler handler) { handlers_.push_back(std::move(handler)); }
    // Clicks the button with this text (message boxes) or object name.
    void thenClick(const QString& buttonTextOrName);

    const std::vector<std::string>& seen() const { return seen_; }

private:
    void poll();

    QTimer* timer_;
    std::deque<Handler> handlers_;
    std::vector<std::string> seen_;
    QWidget* last_ = nullptr;
    int polls_ = 0;
};

// Processes events until `done` holds; false after `limitMs` ms.
using talmorek::testing::waitFor;

}  // namespace talmorek::gui::testing
