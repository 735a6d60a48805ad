// F1 opens the help at the topic of the window it is pressed in; the
// window buttons of the main window and of every dialog; no dialog stays
// minimised.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QPrintDialog>
#include <QTextBrowser>
#include <QTimer>
#include <QCloseEvent>
#include <QtTest/qtestspontaneevent.h>

#include "gui/entry/entry_window.h"
#include "gui/entry/message_dialog.h"
#include "gui/print/preview_window.h"
#include "gui/print/printing_service.h"
#include "gui/shell/about_dialog.h"
#include "gui/shell/date_time_dialog.h"
#include "gui/shell/help_window.h"
#include "gui/dialogs/info_e_dialog.h"
#include "shell_fixtures.h"

namespace talmorek::gui::testing {
namespace {

// What F1 showed: the topic (the anchor of the help page, empty for its
// start) and whether the help window had to be modal.
struct Shown {
    bool visible = false;
    QString topic;
    bool modal = false;
};

class WindowHelp : public ::testing::Test {
protected:
    void SetUp() override {
        session = inst.start();
        ASSERT_TRUE(session);
        ASSERT_TRUE(showAndWait(window()));
        window().findChild<QTimer*>(QStringLiteral("startTimer"))->stop();
    }
    TPS_menu& window() { return *session->mainWindow; }
    HelpWindow& help() { return *window().helpWindow(); }

    // Presses F1 in `w` (its focus widget when it has one), notes what the
    // help shows and closes the help again.
    Shown pressF1(QWidget* w) {
        QWidget* target = w->focusWidget() ? w->focusWidget() : w;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
        Shown shown;
        shown.visible = help().isVisible();
        shown.topic = help().findChild<QTextBrowser*>(QStringLiteral("Napoveda_TB"))->source().fragment();
        shown.modal = help().windowModality() != Qt::NonModal;
        help().close();
        return shown;
    }

    // Opens the modal dialog `open` opens, presses F1 in it and closes it.
    Shown pressF1InModal(const std::function<void()>& open) {
        Shown shown;
        ModalAnswerer answerer;
        answerer.then([&](QWidget* w) {
            shown = pressF1(w);
            if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
        });
        open();
        return shown;
    }

    Installation inst;
    std::unique_ptr<ProgramSession> session;
};

TEST_F(WindowHelp, F1InTheMainWindowOpensTheHelpAtItsStart) {
    const Shown shown = pressF1(&window());
    EXPECT_TRUE(shown.visible);
    EXPECT_EQ(shown.topic, QString());
    EXPECT_FALSE(shown.modal) << "beside the main window the help stays open while the user works";
}

// Each modal dialog: F1 shows its topic over it, modal, so that it can be
// read while the dialog waits.
TEST_F(WindowHelp, F1InEveryDialogOpensItsTopic) {
    const struct {
        const char* name;
        std::function<void()> open;
        const char* topic;
    } dialogs[] = {
        {"about", [&] { window().aboutDialog()->exec(); }, ""},
        {"date and time", [&] { window().dateTimeDialog()->exec(); }, ""},
        {"information", [&] { window().infoDialog()->exec(); }, ""},
        {"entry window", [&] { window().entryWindow()->exec(); }, "klavesy"},
        {"field message", [&] { window().messageDialog()->exec(); }, "klavesy"},
        {"preview",
         [&] {
             PrintingService printing;
             TpreviewF preview(printing.preview(), printing.document(), printing, &window());
             preview.exec();
         },
         "tisk"},
        {"printer choice",
         [&] {
             PrintingService printing;
             printing.choosePrinter(&window());
         },
         "tisk"},
        {"preview's printer dialog",
         [&] {
             PrintingService printing;
             printing.printerDialog(&window(), 2, 1, 2, 1);
         },
         "tisk"},
    };
    for (const auto& d : dialogs) {
        SCOPED_TRACE(d.name);
        const Shown shown = pressF1InModal(d.open);
        EXPECT_TRUE(shown.visible);
        EXPECT_EQ(shown.topic, QString::fromLatin1(d.topic));
        EXPECT_TRUE(shown.modal);
    }
}

TEST_F(WindowHelp, EveryTopicIsOnTheHelpPage) {
    help().showTopic(0);
    const QString page = help().findChild<QTextBrowser*>(QStringLiteral("Napoveda_TB"))->toHtml();
    for (const char* anchor : {"klavesy", "tisk", "export"})
        EXPECT_TRUE(page.contains(QStringLiteral("name=\"%1\"").arg(anchor))) << anchor;
    help().close();
}

struct Buttons {
    bool systemMenu, close, minimise;
};

Buttons buttonsOf(const QWidget& w) {
    const Qt::WindowFlags f = w.windowFlags();
    return {bool(f & Qt::WindowSystemMenuHint), bool(f & Qt::WindowCloseButtonHint),
            bool(f & Qt::WindowMinimizeButtonHint)};
}

// Only the main window can be minimised; the about dialog and the field
// message have no window buttons at all.
TEST_F(WindowHelp, WindowButtons) {
    PrintingService printing;
    TpreviewF preview(printing.preview(), printing.document(), printing, &window());
    const struct {
        const char* name;
        QWidget* w;
        Buttons expected;
    } windows[] = {
        {"main window", &window(), {true, true, true}},
        {"about", window().aboutDialog(), {false, false, false}},
        {"field message", window().messageDialog(), {false, false, false}},
        {"date and time", window().dateTimeDialog(), {true, true, false}},
        {"information", window().infoDialog(), {true, true, false}},
        {"entry window", window().entryWindow(), {true, true, false}},
        {"preview", &preview, {true, true, false}},
        {"help", &help(), {true, true, false}},
    };
    for (const auto& w : windows) {
        SCOPED_TRACE(w.name);
        const Buttons b = buttonsOf(*w.w);
        EXPECT_EQ(b.systemMenu, w.expected.systemMenu);
        EXPECT_EQ(b.close, w.expected.close);
        EXPECT_EQ(b.minimise, w.expected.minimise);
        if (w.w != &window()) {
            EXPECT_TRUE(w.w->windowFlags() & Qt::CustomizeWindowHint) << "no buttons by default";
        }
    }

    Buttons printerChoice{};
    ModalAnswerer answerer;
    answerer.then([&](QWidget* w) {
        printerChoice = buttonsOf(*w);
        qobject_cast<QDialog*>(w)->reject();
    });
    printing.choosePrinter(&window());
    EXPECT_FALSE(printerChoice.minimise);
    EXPECT_TRUE(printerChoice.close);
}

// A window manager that draws a minimise button whatever the hints say
// cannot hide a dialog, and with it the whole program.
TEST_F(WindowHelp, AMinimisedDialogComesBack) {
    PrintingService printing;
    TpreviewF preview(printing.preview(), printing.document(), printing, &window());
    for (QDialog* dialog : std::initializer_list<QDialog*>{window().aboutDialog(), window().dateTimeDialog(),
                                                           &preview, window().entryWindow()}) {
        SCOPED_TRACE(dialog->objectName().toStdString());
        dialog->show();
        window().setWindowState(Qt::WindowMinimized);
        dialog->setWindowState(Qt::WindowMinimized);
        EXPECT_TRUE(waitFor([&] { return !(dialog->windowState() & Qt::WindowMinimized); }, 2000));
        EXPECT_FALSE(window().windowState() & Qt::WindowMinimized) << "the window it belongs to comes back too";
        dialog->hide();
    }
    QApplication::processEvents();
    window().setWindowState(Qt::WindowMinimized);
    EXPECT_TRUE(window().windowState() & Qt::WindowMinimized) << "at once";
    QApplication::processEvents();
    EXPECT_TRUE(window().windowState() & Qt::WindowMinimized) << "the main window alone may be minimised";
}

// The window manager's close button, drawn anyway, closes only the dialogs
// that have a close box.
TEST_F(WindowHelp, AWindowManagersCloseReachesOnlyDialogsWithACloseBox) {
    const struct {
        QDialog* dialog;
        bool closes;
    } cases[] = {
        {window().aboutDialog(), false},
        {window().messageDialog(), false},
        {window().dateTimeDialog(), true},
        {window().infoDialog(), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dialog->objectName().toStdString());
        c.dialog->show();
        QCloseEvent fromWindowManager;
        QSpontaneKeyEvent::setSpontaneous(&fromWindowManager);
        // Delivered as the platform delivers it (sendEvent would make it the program's own).
        QCoreApplication::instance()->notify(c.dialog, &fromWindowManager);
        EXPECT_EQ(c.dialog->isVisible(), !c.closes);
        c.dialog->hide();
        EXPECT_FALSE(c.dialog->isVisible()) << "the program itself still closes it";
    }
}

}  // namespace
}  // namespace talmorek::gui::testing
