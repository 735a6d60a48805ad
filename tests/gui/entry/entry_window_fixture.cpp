#include "entry_window_fixture.h"

#include <QApplication>
#include <QTimer>
#include <QtTest/QTest>
#include <filesystem>

#include <gtest/gtest.h>

#include "core/data/registers.h"
#include "entry_fixtures.h"
#include "gui/entry/entry_notebook.h"
#include "support/installation.h"

namespace talmorek::gui::testing {

EntrySession::EntrySession(Precinct precinct) {
    const bool abroad = precinct == Precinct::Abroad;
    talmorek::testing::writeProgramInstallation(dir, abroad);
    stationSub_ = abroad ? "data/ZO90/" : "";
    dataSub_ = abroad ? "data/ZO90/" : "data/";
    data::Directories dirs{dir.path(), dir.file(stationSub_), dir.file(dataSub_), abroad};
    workflow = std::make_unique<workflow::Workflow>(dirs, prompts, printJobs, exportDialogs,
                                                    talmorek::testing::fixedClock());
    form = std::make_unique<entry::EntryForm>(*workflow, prompts, beep);
    hlaska = new THlaskaF();
    window = std::make_unique<TR_Vstupni_Form>(*form, prompts, *hlaska, nullptr);
}

EntrySession::~EntrySession() { window.reset(); }

void EntrySession::saveRecord(const record::RecordOfVote& record, exporting::DataLetter letter) {
    talmorek::testing::saveRecord(dataDir(), record, letter);
}

data::PartyList EntrySession::parties() const { return data::Registers(dir.path()).NactiStrany(); }

int EntrySession::open(const std::function<void()>& steps) {
    if (!form->open()) return -1;
    QTimer::singleShot(0, window.get(), [this, steps] {
        if (waitFor([this] { return window->isActiveWindow(); })) {
            steps();
        } else {
            ADD_FAILURE() << "the entry window never became active";
        }
        // Steps that end with the window open: closed without a question.
        if (window->isVisible()) window->done(QDialog::Rejected);
    });
    return window->Open();
}

std::string EntrySession::focused() const {
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName().toStdString() : std::string();
}

void EntrySession::key(Qt::Key key, Qt::KeyboardModifiers modifiers) const {
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : window.get(), key, modifiers);
}

int EntrySession::page() const { return window->notebook()->currentIndex(); }

std::map<std::string, std::string> EntrySession::files() const {
    std::map<std::string, std::string> out;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir.path())) {
        if (!e.is_regular_file()) continue;
        const std::string name = std::filesystem::relative(e.path(), dir.path()).generic_string();
        out[name] = dir.read(name);
    }
    return out;
}

bool EntrySession::hasData(exporting::DataLetter letter) const {
    const data::TStanice s = data::NactiStanici(dir.file(stationSub_));
    return dir.exists(dataSub_ + exporting::dataFileName(letter, s.KodObce, s.CisloOkrsku));
}

}  // namespace talmorek::gui::testing
