#pragma once
// What the shell tests share: an installation laid out in a temporary
// directory, prompts answered from a script, print jobs recorded instead of
// printed, and an answerer for real modal windows.
#include <QString>
#include <QWidget>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "workflow/print_jobs.h"
#include "workflow/prompts.h"
#include "gui/shell/main_window.h"
#include "gui/shell/program_start.h"
#include "support/temp_dir.h"

class QTimer;

namespace talmorek::gui::testing {

// Every call as one line: "question|title|text", "exclamation|…",
// "information|…", "info|caption|heading|body", "failure|title|text".
// Questions take their answers from `answers` (Yes when it runs out, and
// the call is marked as unexpected).
class ScriptedPrompts : public workflow::Prompts {
public:
    std::vector<std::string> calls;
    std::deque<bool> answers;
    int unanswered = 0;

    bool question(const std::string& text, const std::string& title) override;
    void exclamation(const std::string& text, const std::string& title) override;
    void information(const std::string& text, const std::string& title) override;
    void infoDialog(const std::string& caption, const std::string& heading, const std::string& body) override;
    void failure(const std::string& text, const std::string& title) override;
};

class RecordedPrintJobs : public workflow::PrintJobs {
public:
    std::vector<std::string> calls;  // "protocol", "tally", "test", "printer", "record"
    void protocolOfChecks(const checks::TChybProt&, const entry::TT4&, const data::TStanice&, bool,
                          const data::LocalDateTime&) override;
    void tallySheet(const data::PartyList&, const data::CandidateTable&, const data::TStanice&, bool,
                    const data::LocalDateTime&) override;
    void testPage(const data::TStanice&, bool, const data::LocalDateTime&) override;
    void selectPrinter() override;
    void recordOfVote(const workflow::RecordPrintRequest&) override;
};

// A demo installation (see talmorek-tool init-demo) and a program started
// in it with scripted prompts and recorded print jobs.
struct Installation {
    talmorek::testing::TempDir dir;
    ScriptedPrompts prompts;
    RecordedPrintJobs printJobs;
    entry::RecomputeSources sources = entry::systemSources();  // the program's clock and Nahoda

    explicit Installation(bool multiStation = false);
    QString executable() const { return QString::fromStdString(dir.path() + "talmorek"); }
    QString lockPath() const { return QString::fromStdString(dir.path() + "instance.lock"); }
    // The main window created as the program creates it, not yet shown.
    std::unique_ptr<ProgramSession> start(const QStringList& arguments = {});
    // Writes the precinct data file "E" or "O" of the demo station from the
    // record of the vote given as JSON (with the course of voting and the
    // commission), recomputed as the entry window saves it.
    void writeData(const std::string& json, const std::string& letter, const std::string& station = {});
};

// Shows the window and waits (bounded) until its show step has run.
bool showAndWait(TPS_menu& window);

// A record that the checks find clean but for one warning (96).
extern const char* const kRecordWithWarningOnly;
// The same with a valid-votes total that the party votes do not add up to.
extern const char* const kRecordWithErrors;

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

// Processes events until `done` holds; false after about `limitMs` ms.
bool waitFor(const std::function<bool()>& done, int limitMs = 5000);

}  // namespace talmorek::gui::testing
