#include "shell_fixtures.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <sstream>

#include "tool/commands.h"
#include "tool/demo_installation.h"

namespace talmorek::gui::testing {

const char* const kRecordWithWarningOnly = R"({
  "T4": {"RegKod": 3203, "Obec": 532053, "Okrsek": 1, "KC1": 0, "ZapsOsoby": 812, "VydObalky": 530,
         "OdevzdObalky": 528, "PlatneHlasy": 521, "KC2": 2391,
         "ZakrStrany": "001000100000000000000000000000000000000000000000000000000000"},
  "T4P": {"3": {"RegKod": 3203, "Obec": 532053, "Okrsek": 1, "KStrana": 3, "PocHlasu": 400,
                "PrefHlasy": [15,0,40,0,0,0,0,0,0,0,0,2,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0]},
          "7": {"RegKod": 3203, "Obec": 532053, "Okrsek": 1, "KStrana": 7, "PocHlasu": 121,
                "PrefHlasy": [10,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0]}},
  "Hlasovani": {"ClenuOVKC": "5", "ClenuOVKP": "3", "Zapisovat": "Jana Malá", "PoverPred": "Petr Velký"},
  "Komise": ["Eva Nová", "Karel Starý"]
})";

const char* const kRecordWithErrors = R"({
  "T4": {"RegKod": 3203, "Obec": 532053, "Okrsek": 1, "KC1": 0, "ZapsOsoby": 812, "VydObalky": 530,
         "OdevzdObalky": 528, "PlatneHlasy": 525, "KC2": 2391,
         "ZakrStrany": "001000100000000000000000000000000000000000000000000000000000"},
  "T4P": {"3": {"RegKod": 3203, "Obec": 532053, "Okrsek": 1, "KStrana": 3, "PocHlasu": 400,
                "PrefHlasy": [15,0,40,0,0,0,0,0,0,0,0,2,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0]},
          "7": {"RegKod": 3203, "Obec": 532053, "Okrsek": 1, "KStrana": 7, "PocHlasu": 121,
                "PrefHlasy": [10,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0]}},
  "Hlasovani": {"ClenuOVKC": "5", "ClenuOVKP": "3", "Zapisovat": "Jana Malá", "PoverPred": "Petr Velký"},
  "Komise": ["Eva Nová", "Karel Starý"]
})";

bool ScriptedPrompts::question(const std::string& text, const std::string& title) {
    calls.push_back("question|" + title + "|" + text);
    if (answers.empty()) {
        ++unanswered;
        return true;
    }
    bool answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedPrompts::exclamation(const std::string& text, const std::string& title) {
    calls.push_back("exclamation|" + title + "|" + text);
}

void ScriptedPrompts::information(const std::string& text, const std::string& title) {
    calls.push_back("information|" + title + "|" + text);
}

void ScriptedPrompts::infoDialog(const std::string& caption, const std::string& heading, const std::string& body) {
    calls.push_back("info|" + caption + "|" + heading + "|" + body);
}

void ScriptedPrompts::failure(const std::string& text, const std::string& title) {
    calls.push_back("failure|" + title + "|" + text);
}

void RecordedPrintJobs::protocolOfChecks(const checks::TChybProt&, const entry::TT4&, const data::TStanice&, bool,
                                         const data::LocalDateTime&) {
    calls.push_back("protocol");
}
void RecordedPrintJobs::tallySheet(const data::PartyList&, const data::CandidateTable&, const data::TStanice&,
                                   bool, const data::LocalDateTime&) {
    calls.push_back("tally");
}
void RecordedPrintJobs::testPage(const data::TStanice&, bool, const data::LocalDateTime&) {
    calls.push_back("test");
}
void RecordedPrintJobs::selectPrinter() { calls.push_back("printer"); }
void RecordedPrintJobs::recordOfVote(const workflow::RecordPrintRequest&) { calls.push_back("record"); }

Installation::Installation(bool multiStation) { tool::writeDemoInstallation(dir.path(), multiStation); }

std::unique_ptr<ProgramSession> Installation::start(const QStringList& arguments) {
    StartOptions options;
    options.executablePath = executable();
    options.arguments = arguments;
    options.lockPath = lockPath();
    ShellServices services;
    services.prompts = &prompts;
    services.printJobs = &printJobs;
    services.sources = sources;
    return startProgram(options, services);
}

void Installation::writeData(const std::string& json, const std::string& letter, const std::string& station) {
    dir.write("record.json", json);
    tool::Args args{"datafile", "write", dir.path()};
    if (!station.empty()) args.push_back(station);
    args.insert(args.end(), {"--record", dir.file("record.json")});
    args.insert(args.end(), {"--letter", letter, "--recompute"});
    std::ostringstream out, err;
    if (tool::runTool(args, out, err) != 0) throw std::runtime_error("datafile write failed: " + err.str());
}

bool waitFor(const std::function<bool()>& done, int limitMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

bool showAndWait(TPS_menu& window) {
    window.show();
    return waitFor([&] { return window.showStepDone(); });
}

namespace {

std::string describe(QWidget* w) {
    std::string text;
    if (auto* box = qobject_cast<QMessageBox*>(w)) text = box->text().toStdString();
    return w->objectName().toStdString() + "|" + w->windowTitle().toStdString() + "|" + text;
}

void dismiss(QWidget* w) {
    if (auto* dialog = qobject_cast<QDialog*>(w)) {
        dialog->reject();
    } else {
        w->close();
    }
}

// Widgets already answered, as long as they stay on screen.
std::vector<QPointer<QWidget>>& answered() {
    static std::vector<QPointer<QWidget>> list;
    return list;
}

}  // namespace

ModalAnswerer::ModalAnswerer() : timer_(new QTimer) {
    timer_->setInterval(10);
    QObject::connect(timer_, &QTimer::timeout, [this] { poll(); });
    timer_->start();
}

ModalAnswerer::~ModalAnswerer() {
    timer_->stop();
    delete timer_;
    answered().clear();
}

void ModalAnswerer::thenClick(const QString& buttonTextOrName) {
    then([buttonTextOrName](QWidget* w) {
        for (QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
            QString text = b->text();
            text.remove(QLatin1Char('&'));
            if (b->isVisible() && (text == buttonTextOrName || b->objectName() == buttonTextOrName)) {
                b->click();
                return;
            }
        }
        dismiss(w);
    });
}

void ModalAnswerer::poll() {
    auto& done = answered();
    std::erase_if(done, [](const QPointer<QWidget>& p) { return !p || !p->isVisible(); });
    QWidget* w = QApplication::activeModalWidget();
    if (!w || !w->isVisible()) return;
    for (const auto& p : done) {
        if (p == w) {
            // Answered but still open: give up on it after a bound.
            if (++polls_ > 500) dismiss(w);
            return;
        }
    }
    polls_ = 0;
    done.emplace_back(w);
    seen_.push_back(describe(w));
    if (handlers_.empty()) {
        dismiss(w);
        return;
    }
    Handler handler = std::move(handlers_.front());
    handlers_.pop_front();
    handler(w);
}

}  // namespace talmorek::gui::testing
