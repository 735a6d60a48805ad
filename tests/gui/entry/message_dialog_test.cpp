#include "gui/entry/message_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

#include "core/checks/catalogue_texts.h"
#include "entry_fixtures.h"

namespace talmorek::gui {
namespace {

using testing::BeepCounter;
using testing::DialogAnswerer;
using testing::press;

const checks::TCisChyb& catalogue() {
    static const checks::TCisChyb shipped(
        std::vector<checks::TChybaInfo>(checks::catalogueTexts().begin(), checks::catalogueTexts().end()));
    return shipped;
}

class THlaskaFTest : public ::testing::Test {
protected:
    QLabel* label(const char* name) { return dialog.findChild<QLabel*>(QString::fromLatin1(name)); }
    QPushButton* button(const char* name) { return dialog.findChild<QPushButton*>(QString::fromLatin1(name)); }

    // Shows the prepared message and answers it with `keys` once it is up.
    bool show(const std::function<void(QWidget*)>& keys) {
        DialogAnswerer answerer(keys);
        const bool opravit = dialog.UkazHlasku();
        EXPECT_TRUE(answerer.answered());
        EXPECT_EQ(answerer.failure(), "");
        return opravit;
    }

    // What the entry logic hands over when a field breaks rule `code`.
    void prepare(int code, const char* param, bool info, bool propust) {
        dialog.setMessage(checks::fieldMessage(catalogue(), code, param, info, propust));
    }

    THlaskaF dialog;
    BeepCounter beeps;
};

TEST_F(THlaskaFTest, HeadingTextColourAndSecondButtonOfEachKindOfMessage) {
    struct Case {
        const char* name;
        int code;
        const char* param;
        bool info;
        bool propust;
        const char* heading;
        const char* text;
        QRgb colour;
        const char* second;
    };
    const Case cases[] = {
        {"passable_error", 5, "", false, true, "Chyba č. 5", "Voličům nebyly vydány žádné úřední obálky",
         THlaskaF::kRed, "&Potvrdit"},
        {"blocking_error_with_detail", 11, "2391", false, false, "Chyba č. 11",
         "Chybné kontrolní číslo KČ2 v oddílu II (2391)", THlaskaF::kRed, "&Ignorovat"},
        {"warning_of_the_electorate", 96, "500", true, false, "Upozornění (č. 96)",
         "Počet zapsaných voličů se výrazně liší od očekávaného 500", THlaskaF::kBlue, "&Potvrdit"},
        {"code_not_in_the_catalogue", 55, "", false, false, "Chyba č. 55", "Chyba nenalezena", THlaskaF::kRed,
         "&Ignorovat"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        prepare(c.code, c.param, c.info, c.propust);
        EXPECT_EQ(label("ChybaL")->text(), QString::fromUtf8(c.heading));
        EXPECT_EQ(label("HlaskaL")->text(), QString::fromUtf8(c.text));
        EXPECT_EQ(label("ChybaL")->palette().color(QPalette::WindowText), QColor(c.colour));
        EXPECT_EQ(label("HlaskaL")->palette().color(QPalette::WindowText), QColor(c.colour));
        EXPECT_EQ(dialog.aktColor(), QColor(c.colour));
        EXPECT_EQ(button("IgnorovatBtn")->text(), QString::fromUtf8(c.second));
        EXPECT_EQ(button("OpravitBtn")->text(), QStringLiteral("&Opravit"));
        // The frame of the message's colour, on white.
        const QImage picture = dialog.grab().toImage();
        EXPECT_EQ(picture.pixelColor(1, picture.height() / 2), QColor(c.colour));
        EXPECT_EQ(picture.pixelColor(picture.width() / 2, 1), QColor(c.colour));
        EXPECT_EQ(picture.pixelColor(6, 6), QColor(Qt::white));
    }
}

TEST_F(THlaskaFTest, AFixedWhiteWindowWithoutSystemButtons) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Pořízení dat"));
    const Qt::WindowFlags flags = dialog.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowSystemMenuHint);
    const double scale = dialog.logicalDpiX() / 96.0;
    EXPECT_EQ(dialog.minimumSize(), QSize(qRound(678 * scale), qRound(140 * scale)));
    EXPECT_EQ(dialog.maximumSize(), dialog.minimumSize());
    EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(label("HlaskaL")->width(), qRound(662 * scale));
    EXPECT_TRUE(label("HlaskaL")->wordWrap());
    EXPECT_TRUE(label("ChybaL")->font().bold());
    EXPECT_EQ(label("ChybaL")->font().pixelSize(), qRound(16 * scale));
}

TEST_F(THlaskaFTest, EscapeMeansFixIt) {
    prepare(11, "2391", false, false);
    QWidget* focused = nullptr;
    EXPECT_TRUE(show([&](QWidget*) {
        focused = QApplication::focusWidget();
        press(Qt::Key_Escape);
    }));
    EXPECT_EQ(focused, button("OpravitBtn"));
    EXPECT_EQ(beeps.count(), 1);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(THlaskaFTest, EnterPressesTheFocusedButton) {
    prepare(11, "", false, false);
    EXPECT_TRUE(show([](QWidget*) { press(Qt::Key_Return); }));
    EXPECT_FALSE(show([](QWidget*) {
        press(Qt::Key_Tab);
        press(Qt::Key_Return);
    }));
}

TEST_F(THlaskaFTest, TheSecondButtonGoesOnByMnemonicToo) {
    prepare(5, "", false, true);
    EXPECT_FALSE(show([](QWidget*) { press(Qt::Key_P, Qt::AltModifier); }));
    prepare(11, "", false, false);
    EXPECT_FALSE(show([](QWidget*) { press(Qt::Key_I, Qt::AltModifier); }));
    EXPECT_TRUE(show([](QWidget*) { press(Qt::Key_O, Qt::AltModifier); }));
}

// The underlined letter answers without Alt too, as A and N do in the
// questions; other keys change nothing.
TEST_F(THlaskaFTest, TheUnderlinedLettersAnswerWithoutAlt) {
    prepare(5, "", false, true);
    EXPECT_FALSE(show([](QWidget*) { press(Qt::Key_P); }));
    prepare(11, "", false, false);
    EXPECT_FALSE(show([](QWidget*) { press(Qt::Key_I); }));
    EXPECT_TRUE(show([](QWidget*) {
        press(Qt::Key_P);  // not a button of this message
        press(Qt::Key_O);
    }));
}

TEST_F(THlaskaFTest, EveryShowingStartsAtFixItAndBeepsOnce) {
    prepare(96, "500", true, false);
    EXPECT_FALSE(show([](QWidget*) {
        press(Qt::Key_Tab);
        press(Qt::Key_Space);
    }));
    QWidget* focused = nullptr;
    // Closed another way than by its buttons: fix it.
    EXPECT_TRUE(show([&](QWidget* w) {
        focused = QApplication::focusWidget();
        w->close();
    }));
    EXPECT_EQ(focused, button("OpravitBtn"));
    EXPECT_EQ(beeps.count(), 2);
}

TEST_F(THlaskaFTest, ShowingItWhileItIsUpShowsNothingAndReturnsFalse) {
    prepare(5, "", false, true);
    bool again = true;
    EXPECT_TRUE(show([&](QWidget*) {
        again = dialog.UkazHlasku();
        press(Qt::Key_Escape);
    }));
    EXPECT_FALSE(again);
    EXPECT_EQ(beeps.count(), 1);
}

TEST_F(THlaskaFTest, ItOpensInTheMiddleOfTheScreen) {
    prepare(5, "", false, true);
    QPoint centre;
    show([&](QWidget* w) {
        centre = w->frameGeometry().center();
        press(Qt::Key_Escape);
    });
    const QPoint screen = dialog.screen()->geometry().center();
    EXPECT_LE((centre - screen).manhattanLength(), 2);
}

}  // namespace
}  // namespace talmorek::gui
