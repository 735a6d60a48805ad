// F2 "Pořízení a oprava dat" in the main window: the entry window opens
// over it, modally, at its top-left corner; after an export the question
// comes first.
#include <gtest/gtest.h>

#include <QTimer>
#include <QtTest/QTest>

#include "core/data/station.h"
#include "gui/entry/entry_notebook.h"
#include "gui/entry/entry_window.h"
#include "shell_fixtures.h"

namespace talmorek::gui::testing {
namespace {

const std::string kExportedQuestion =
    "questionDefaultNo|Vstup dat za okrsek|Data okrsku byla již vyexportována.\rV případě znovuotevření dat "
    "budete muset zopakovat export dat i tisk zápisu.\rChcete opravdu znovu upravovat data?";
const std::string kCloseQuestion =
    "questionDefaultNo|Vstup dat za okrsek|Opravdu ukončit pořizování bez uložení změn na aktuální záložce?";

class EntryCommandTest : public StartedProgram {
protected:
    // F2 is a shortcut of the main window: it must be the active one.
    void start() {
        StartedProgram::start();
        if (HasFatalFailure()) return;
        window().activateWindow();
        ASSERT_TRUE(waitFor([&] { return window().isActiveWindow(); }));
    }

    // Presses F2 in the main window; while the entry window is open, notes
    // what it shows and closes it with Escape.
    void pressF2() {
        QTimer::singleShot(0, &window(), [this] {
            TR_Vstupni_Form* entry = window().entryWindow();
            if (!waitFor([&] { return entry->isVisible() && entry->isActiveWindow(); })) return;
            opened = true;
            modal = entry->isModal();
            atTopLeft = entry->pos() == window().pos();
            caption = entry->windowTitle().toStdString();
            page = entry->notebook()->currentIndex();
            QWidget* focus = QApplication::focusWidget();
            focused = focus ? focus->objectName().toStdString() : "";
            QTest::keyClick(focus ? focus : entry, Qt::Key_Escape);
        });
        QTest::keyClick(&window(), Qt::Key_F2);
        waitFor([&] { return !window().entryWindow()->isVisible(); }, 1000);
    }

    bool opened = false, modal = false, atTopLeft = false;
    std::string caption, focused;
    int page = -1;
};

TEST_F(EntryCommandTest, F2OpensTheEntryWindowOnPageI) {
    start();
    inst.prompts.answers = {true};  // closing: yes
    pressF2();
    EXPECT_TRUE(opened);
    EXPECT_TRUE(modal);
    EXPECT_TRUE(atTopLeft);
    EXPECT_EQ(caption, "Vstup dat za okrsek - " + window().windowTitle().toStdString());
    EXPECT_EQ(page, 0);
    EXPECT_EQ(focused, "R_SEdZahajeno1");
    EXPECT_EQ(inst.prompts.calls, (std::vector<std::string>{kCloseQuestion}));
}

TEST_F(EntryCommandTest, AfterAnExportF2AsksFirstAndNoKeepsTheWindowShut) {
    data::TStanice station = data::NactiStanici(inst.dir.path());
    data::ZapisStavStanice(inst.dir.path(), "A", station);
    start();
    inst.prompts.answers = {false};
    pressF2();
    EXPECT_FALSE(opened);
    EXPECT_EQ(inst.prompts.calls, (std::vector<std::string>{kExportedQuestion}));
    EXPECT_EQ(data::NactiStanici(inst.dir.path()).Stav, "A");
}

TEST_F(EntryCommandTest, AfterAnExportYesOpensTheWindow) {
    data::TStanice station = data::NactiStanici(inst.dir.path());
    data::ZapisStavStanice(inst.dir.path(), "A", station);
    start();
    inst.prompts.answers = {true, true};
    pressF2();
    EXPECT_TRUE(opened);
    EXPECT_EQ(inst.prompts.calls, (std::vector<std::string>{kExportedQuestion, kCloseQuestion}));
}

}  // namespace
}  // namespace talmorek::gui::testing
