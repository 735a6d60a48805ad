// The main window's menu, its closing, help and the about dialog.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest/QTest>

#include "gui/shell/about_dialog.h"
#include "gui/dialogs/info_e_dialog.h"
#include "gui/dialogs/message_box_prompts.h"
#include "shell_fixtures.h"

namespace talmorek::gui::testing {
namespace {

struct MenuRow {
    const char* name;
    const char* caption;
    const char* shortcut;
    bool enabled;
};

// The whole "Okrsek" and "Nápověda" menus.
constexpr MenuRow kMenu[] = {
    {"PorizeniDat_MI", "&Pořízení a oprava dat", "F2", true},
    {"Kontroly_MI", "&Kontroly", "F3", true},
    {"ExportTisk_MI", "&Export dat a tisk zápisu", "F4", true},
    {"Scitaciarch_MI", "&Sčítací arch", "", true},
    {"ZrusitData_MI", "Zrušení pořízených dat", "", true},
    {"VyberTiskarny_MI", "Výběr tiskárny", "", true},
    {"BezHacku_MI", "bez háčků", "", false},
    {"Konec_MI", "K&onec", "", true},
    {"Napoveda_MI", "&Nápověda", "", true},
    {"OProgramu_MI", "&O programu", "", true},
    {"ZkusebniTisk_MI", "Zkušební tisk", "", true},
};

std::vector<std::string> menuLayout(QMenu* menu) {
    std::vector<std::string> out;
    for (QAction* a : menu->actions()) out.push_back(a->isSeparator() ? "-" : a->objectName().toStdString());
    return out;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        session = inst.start();
        ASSERT_TRUE(session);
        ASSERT_TRUE(showAndWait(window()));
        window().findChild<QTimer*>(QStringLiteral("startTimer"))->stop();
    }
    TPS_menu& window() { return *session->mainWindow; }

    Installation inst;
    std::unique_ptr<ProgramSession> session;
};

TEST_F(MainWindowTest, MenuHasItsCaptionsShortcutsAndOrder) {
    for (const auto& row : kMenu) {
        SCOPED_TRACE(row.name);
        auto* a = window().findChild<QAction*>(QString::fromLatin1(row.name));
        ASSERT_TRUE(a);
        EXPECT_EQ(a->text(), QString::fromUtf8(row.caption));
        EXPECT_EQ(a->shortcut().toString(), QString::fromLatin1(row.shortcut));
        EXPECT_EQ(a->isEnabled(), row.enabled);
    }
    QMenuBar* bar = window().menuBar();
    EXPECT_EQ(bar->objectName(), QStringLiteral("Z_MainMenu"));
    ASSERT_EQ(bar->actions().size(), 2);
    EXPECT_EQ(bar->actions()[0]->text(), QStringLiteral("Okrsek     "));
    EXPECT_EQ(bar->actions()[1]->text(), QStringLiteral("Nápověda"));
    EXPECT_EQ(menuLayout(bar->actions()[0]->menu()),
              (std::vector<std::string>{"PorizeniDat_MI", "Kontroly_MI", "ExportTisk_MI", "-", "Scitaciarch_MI", "-",
                                        "ZrusitData_MI", "-", "VyberTiskarny_MI", "NastavenFontu_MI", "-",
                                        "Konec_MI"}));
    EXPECT_EQ(menuLayout(bar->actions()[1]->menu()),
              (std::vector<std::string>{"Napoveda_MI", "OProgramu_MI", "-", "ZkusebniTisk_MI"}));
    auto* font = window().findChild<QMenu*>(QStringLiteral("NastavenFontu_MI"));
    ASSERT_TRUE(font);
    EXPECT_EQ(font->title(), QStringLiteral("Nastavení fontu"));
    EXPECT_EQ(menuLayout(font), (std::vector<std::string>{"BezHacku_MI"}));
}

TEST_F(MainWindowTest, ClosingAsksAndNoKeepsTheWindowOpen) {
    inst.prompts.answers = {false, true};
    window().findChild<QAction*>(QStringLiteral("Konec_MI"))->trigger();
    EXPECT_TRUE(window().isVisible());
    window().close();  // the close box asks the same
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(inst.prompts.calls, (std::vector<std::string>{"question|Ukončení programu|Opravdu ukončit program?",
                                                            "question|Ukončení programu|Opravdu ukončit program?"}));
}

TEST_F(MainWindowTest, HelpOpensTheProgramsOwnPages) {
    window().findChild<QAction*>(QStringLiteral("Napoveda_MI"))->trigger();
    auto* help = window().findChild<QDialog*>(QStringLiteral("Napoveda_F"));
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->isVisible());
    EXPECT_FALSE(help->isModal());
    auto* browser = help->findChild<QTextBrowser*>(QStringLiteral("Napoveda_TB"));
    ASSERT_TRUE(browser);
    const QString text = browser->toPlainText();
    for (const char* topic : {"F2 – Pořízení a oprava dat", "F3 – Kontroly", "F4 – Export dat a tisk zápisu",
                              "Page Down", "Propustitelné chyby", "Upozornění", "Když něco nejde"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(topic))) << topic;
}

TEST_F(MainWindowTest, AboutDialogHasItsLinesNoCloseBoxAndEnterClosesIt) {
    TZ_OProgramu_F* about = window().aboutDialog();
    ASSERT_TRUE(about);
    EXPECT_EQ(about->windowTitle(), QStringLiteral("O programu"));
    EXPECT_FALSE(about->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(about->windowFlags() & Qt::WindowSystemMenuHint);
    const std::pair<const char*, const char*> lines[] = {
        {"Z_OProgramu_Lbl1", "VOLBY do POSLANECKÉ SNĚMOVNY"},
        {"Z_OProgramu_Lbl7", "Parlamentu České republiky"},
        {"Z_OProgramu_Lbl2", "POŘÍZENÍ VÝSLEDKŮ HLASOVÁNÍ"},
        {"Z_OProgramu_Lbl8", "okrskovými volebními komisemi"},
        {"Z_OProgramu_Lbl3", "verze 6.0"},
    };
    for (const auto& [name, text] : lines) {
        auto* label = about->findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_TRUE(label) << name;
        EXPECT_EQ(label->text(), QString::fromUtf8(text));
        EXPECT_TRUE(label->font().bold()) << name;
    }
    EXPECT_TRUE(about->findChild<QLabel*>(QStringLiteral("Z_OProgramu_Lbl6"))->text().startsWith(QStringLiteral("---")));

    ModalAnswerer answerer;
    answerer.then([](QWidget* w) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(w->focusWidget() ? w->focusWidget() : w, &press);
    });
    window().findChild<QAction*>(QStringLiteral("OProgramu_MI"))->trigger();
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0], "Z_OProgramu_F|O programu|");
    EXPECT_EQ(about->result(), QDialog::Accepted);
    EXPECT_FALSE(about->isVisible());
}

TEST(MessageBoxPromptsTest, QuestionUsesCzechButtonsAndLineBreaks) {
    TZ_infoE_F info;
    MessageBoxPrompts prompts(nullptr, &info);
    for (const bool yes : {true, false}) {
        ModalAnswerer answerer;
        QString text;
        answerer.then([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_TRUE(box);
            text = box->text();
            EXPECT_EQ(box->icon(), QMessageBox::Question);
            ASSERT_EQ(box->buttons().size(), 2);
            EXPECT_EQ(box->defaultButton()->text(), QStringLiteral("&Ano"));
            for (QAbstractButton* b : box->buttons())
                if (b->text() == (yes ? QStringLiteral("&Ano") : QStringLiteral("&Ne"))) b->click();
        });
        EXPECT_EQ(prompts.question("První řádek.\rDruhý řádek?", "Rušení dat"), yes);
        EXPECT_EQ(text, QStringLiteral("První řádek.\nDruhý řádek?"));
    }
}

// The letters of the buttons answer a question, with Alt or without; the
// default button stays what the question asks for.
TEST(MessageBoxPromptsTest, TheKeysAAndNAnswerAQuestion) {
    TZ_infoE_F info;
    MessageBoxPrompts prompts(nullptr, &info);
    struct Case {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool defaultNo;
        bool answer;
    };
    const Case cases[] = {
        {"A", Qt::Key_A, Qt::NoModifier, true, true},
        {"Alt+A", Qt::Key_A, Qt::AltModifier, true, true},
        {"N", Qt::Key_N, Qt::NoModifier, false, false},
        {"Alt+N", Qt::Key_N, Qt::AltModifier, false, false},
    };
    for (const Case& c : cases) {
        ModalAnswerer answerer;
        QString defaultButton;
        answerer.then([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_TRUE(box);
            defaultButton = box->defaultButton()->text();
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus && focus->window() == box ? focus : box, c.key, c.modifiers);
        });
        const bool answer = c.defaultNo ? prompts.questionDefaultNo("Opravdu?", "Otázka")
                                        : prompts.question("Opravdu?", "Otázka");
        EXPECT_EQ(answer, c.answer) << c.name;
        EXPECT_EQ(defaultButton, c.defaultNo ? QStringLiteral("&Ne") : QStringLiteral("&Ano")) << c.name;
    }
}

// A question that may be put aside: A and N answer it, Enter takes the
// default "Ano", Escape and the close box answer neither; only the two
// answers are shown.
TEST(MessageBoxPromptsTest, AQuestionThatMayBePutAsideIsAnsweredByItsLettersOrPutAsideByEscape) {
    TZ_infoE_F info;
    MessageBoxPrompts prompts(nullptr, &info);
    struct Case {
        const char* name;
        Qt::Key key;
        workflow::Answer answer;
    };
    const Case cases[] = {
        {"A", Qt::Key_A, workflow::Answer::Yes},
        {"N", Qt::Key_N, workflow::Answer::No},
        {"Enter", Qt::Key_Return, workflow::Answer::Yes},
        {"Escape", Qt::Key_Escape, workflow::Answer::Dismissed},
        {"closeBox", Qt::Key_unknown, workflow::Answer::Dismissed},
    };
    for (const Case& c : cases) {
        ModalAnswerer answerer;
        int visibleButtons = 0;
        answerer.then([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_TRUE(box);
            for (QAbstractButton* b : box->buttons()) visibleButtons += b->isVisible() ? 1 : 0;
            if (c.key == Qt::Key_unknown) {
                box->close();
                return;
            }
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus && focus->window() == box ? focus : box, c.key);
        });
        EXPECT_EQ(prompts.questionOrDismiss("Obnovit?", "Otázka"), c.answer) << c.name;
        EXPECT_EQ(visibleButtons, 2) << c.name;
    }
}

TEST(MessageBoxPromptsTest, InfoDialogShowsCaptionHeadingAndBody) {
    TZ_infoE_F info;
    MessageBoxPrompts prompts(nullptr, &info);
    ModalAnswerer answerer;
    QString heading, body;
    bool removalVisible = true;
    answerer.then([&](QWidget* w) {
        heading = w->findChild<QLabel*>(QStringLiteral("titulek2"))->text();
        body = w->findChild<QLabel*>(QStringLiteral("titulek3"))->text();
        removalVisible = w->findChild<QPushButton*>(QStringLiteral("Odebrat_Btn"))->isVisible();
        w->findChild<QPushButton*>(QStringLiteral("OK_Btn"))->click();
    });
    prompts.infoDialog("Export dat a tisk zápisu", "TISK ZÁPISU I EXPORT DAT POVOLEN.",
                       "Pro export na USB disk\rvložte (zapojte) technický nosič,");
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0], "Z_infoE_F|Export dat a tisk zápisu|");
    EXPECT_EQ(heading, QStringLiteral("TISK ZÁPISU I EXPORT DAT POVOLEN."));
    EXPECT_EQ(body, QStringLiteral("Pro export na USB disk\nvložte (zapojte) technický nosič,"));
    EXPECT_FALSE(removalVisible);
    EXPECT_FALSE(info.isVisible());
}

}  // namespace
}  // namespace talmorek::gui::testing
