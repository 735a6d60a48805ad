#include "shell_fixtures.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <sstream>
#include <stdexcept>

#include "core/data/registers.h"
#include "support/installation.h"

namespace talmorek::gui::testing {

Installation::Installation(bool multiStation) { talmorek::testing::writeProgramInstallation(dir, multiStation); }

std::unique_ptr<ProgramSession> Installation::start(const QStringList& arguments) {
    StartOptions options;
    options.executablePath = executable();
    options.arguments = arguments;
    options.lockPath = lockPath();
    ShellServices services;
    services.prompts = &prompts;
    services.printJobs = printWithQt ? nullptr : &printJobs;
    services.sources = sources;
    services.media = media;
    return startProgram(options, services);
}

void Installation::writeData(const record::RecordOfVote& record, exporting::DataLetter letter) {
    talmorek::testing::saveRecord(dir.file("data/"), record, letter);
}

data::PartyList Installation::parties() const { return data::Registers(dir.path()).NactiStrany(); }

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
