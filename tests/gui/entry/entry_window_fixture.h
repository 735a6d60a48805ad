#pragma once
// The entry window over the tests' installation (precinct 554782 / 3, or
// the precinct abroad 999997 / 90), with the logic of the form, the
// workflow of the main menu under it, a scripted user and recorded print
// jobs, as the main window builds them.
//
// `open` runs the window as the program does, modally: the test's steps run
// inside its event loop, and the window is closed afterwards should the
// steps leave it open.
#include <QString>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "core/record/record_of_vote.h"
#include "core/export/data_file.h"
#include "gui/controls/platform_beep.h"
#include "gui/entry/entry_window.h"
#include "gui/entry/message_dialog.h"
#include "support/recording_jobs.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"
#include "core/entry/entry_form.h"
#include "core/workflow/workflow.h"

namespace talmorek::gui::testing {

class EntrySession {
public:
    enum class Precinct { Ordinary, Abroad };
    explicit EntrySession(Precinct precinct = Precinct::Ordinary);
    ~EntrySession();

    // What a save of `record` leaves on disk, before the window opens.
    void saveRecord(const record::RecordOfVote& record, exporting::DataLetter letter);
    data::PartyList parties() const;

    // Opens the form and shows the window modally; `steps` run once it is
    // the active window. Returns the window's result (QDialog::Accepted
    // after a save), or -1 when the form did not open.
    int open(const std::function<void()>& steps);

    template <typename W = QWidget>
    W* find(const char* objectName) const {
        return window->findChild<W*>(QString::fromLatin1(objectName));
    }
    // The object name of the control that has the focus ("" for none).
    std::string focused() const;
    // A key as the commission presses it, on the control that has the focus
    // (on the window while none has).
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const;
    int page() const;

    // Every file of the installation with its bytes.
    std::map<std::string, std::string> files() const;
    bool hasData(exporting::DataLetter letter) const;
    std::string dataDir() const { return dir.file(dataSub_); }

    talmorek::testing::TempDir dir;
    talmorek::testing::ScriptedPrompts prompts;
    talmorek::testing::RecordingPrintJobs printJobs;
    talmorek::testing::ScriptedExportDialogs exportDialogs;
    std::unique_ptr<workflow::Workflow> workflow;
    PlatformBeep beep;
    std::unique_ptr<entry::EntryForm> form;
    THlaskaF* hlaska = nullptr;  // the window's
    std::unique_ptr<TR_Vstupni_Form> window;

private:
    std::string dataSub_;
    std::string stationSub_;
};

}  // namespace talmorek::gui::testing
