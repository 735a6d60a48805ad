#include "gui/controls/s_edit.h"

#include <QApplication>
#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDialog>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest/QTest>
#include <memory>

#include <gtest/gtest.h>

#include "entry_fixtures.h"

namespace talmorek::gui {
namespace {

using testing::BeepCounter;
using testing::press;
using testing::showActive;
using testing::type;
using testing::waitFor;

// A page of four fields in tab order, the third disabled, and the window's
// default button after them, which must not see an Enter the fields use.
struct Page {
    QDialog window;
    TSEdit* count;     // digits, default "0", right-aligned
    TSEdit* name;      // free text
    TSEdit* computed;  // disabled
    TSEdit* last;
    QPushButton* ok;
    int okClicks = 0;

    Page() {
        auto* layout = new QVBoxLayout(&window);
        count = add("R_SEdCount");
        count->setValueType(TValueType::vtNumber);
        count->setDefaultValue(QStringLiteral("0"));
        count->setUnfocusedAlignment(Qt::AlignRight);
        count->setMaxLength(4);
        name = add("R_SEdName");
        name->setMaxLength(35);
        computed = add("R_SEdComputed");
        computed->setEnabled(false);
        last = add("R_SEdLast");
        ok = new QPushButton(QStringLiteral("OK"), &window);
        ok->setDefault(true);
        QObject::connect(ok, &QPushButton::clicked, [this] { ++okClicks; });
        for (QWidget* w : std::initializer_list<QWidget*>{count, name, computed, last, ok}) layout->addWidget(w);
    }

    TSEdit* add(const char* objectName) {
        auto* edit = new TSEdit(&window);
        edit->setObjectName(QString::fromLatin1(objectName));
        return edit;
    }

    // Focuses `field` the way a click or the window would, and lets the
    // deferred selection happen.
    void enter(TSEdit* field, Qt::FocusReason reason = Qt::OtherFocusReason) {
        field->setFocus(reason);
        QCoreApplication::processEvents();
    }
};

class TSEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(showActive(page.window));
        // Away from the fields, so that each test enters the one it needs.
        page.ok->setFocus();
    }
    Page page;
    BeepCounter beeps;
};

TEST_F(TSEditTest, DigitsOnlyFieldRefusesALetterWithABeepAndTakesADigit) {
    page.enter(page.count);
    ASSERT_EQ(page.count->selectedText(), QStringLiteral("0"));  // its default, selected
    type(QStringLiteral("a"));
    EXPECT_EQ(page.count->text(), QStringLiteral("0"));
    EXPECT_EQ(beeps.count(), 1);
    type(QStringLiteral("7"));
    EXPECT_EQ(page.count->text(), QStringLiteral("7"));
    EXPECT_EQ(beeps.count(), 1);
}

TEST_F(TSEditTest, EachValueTypeTakesItsCharactersAndCodePage1250Only) {
    struct Case {
        const char* name;
        TValueType type;
        const char* typed;
        bool taken;
    };
    const Case cases[] = {
        {"number_digit", TValueType::vtNumber, "7", true},
        {"number_letter", TValueType::vtNumber, "a", false},
        {"number_space", TValueType::vtNumber, " ", false},
        {"number_minus", TValueType::vtNumber, "-", false},
        {"number_arabic_indic_digit", TValueType::vtNumber, "\u0663", false},
        {"user_name_letter", TValueType::vtUserName, "Z", true},
        {"user_name_digit", TValueType::vtUserName, "5", true},
        {"user_name_czech_letter", TValueType::vtUserName, "ř", false},
        {"user_name_underscore", TValueType::vtUserName, "_", false},
        {"user_name_2018_czech_letter", TValueType::vtUserName2018, "Ž", true},
        {"user_name_2018_dash", TValueType::vtUserName2018, "-", false},
        {"string_czech_letter", TValueType::vtString, "ř", true},
        {"string_space", TValueType::vtString, " ", true},
        {"string_euro_sign", TValueType::vtString, "€", true},
        {"string_n_tilde_not_in_code_page", TValueType::vtString, "ñ", false},
        {"string_a_grave_not_in_code_page", TValueType::vtString, "à", false},
        {"string_emoji_not_in_code_page", TValueType::vtString, "😀", false},
        {"char_number_letter", TValueType::vtCharNumber, "x", true},
        {"char_number_n_tilde", TValueType::vtCharNumber, "ñ", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        page.name->setValueType(c.type);
        page.name->setValue(QString());
        page.enter(page.name);
        const int before = beeps.count();
        type(QString::fromUtf8(c.typed));
        EXPECT_EQ(page.name->text(), c.taken ? QString::fromUtf8(c.typed) : QString());
        EXPECT_EQ(beeps.count() - before, c.taken ? 0 : 1);
    }
}

TEST_F(TSEditTest, ControlKeysPassTheFilter) {
    page.enter(page.count);
    type(QStringLiteral("123"));
    press(Qt::Key_Backspace);
    press(Qt::Key_Home);
    type(QStringLiteral("9"));
    EXPECT_EQ(page.count->text(), QStringLiteral("912"));
    EXPECT_EQ(beeps.count(), 0);
}

TEST_F(TSEditTest, APasteIsTakenWholeOrRefusedWholeWithABeep) {
    struct Case {
        const char* name;
        const char* clipboard;
        const char* result;
        int beeps;
    };
    // The count field holds "5" with the cursor after it; it takes 4 digits.
    const Case cases[] = {
        {"digits", "12", "512", 0},
        {"a_letter_refuses_all", "12a", "5", 1},
        {"line_break_of_a_copied_cell_dropped", "12\n", "512", 0},
        {"line_break_inside_refused", "1\n2", "5", 1},
        {"too_long_for_the_field_refused_not_cut", "1234", "5", 1},
        {"fills_the_field_exactly", "123", "5123", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        page.count->setValue(QStringLiteral("5"));
        page.enter(page.count);
        press(Qt::Key_End);
        QGuiApplication::clipboard()->setText(QString::fromUtf8(c.clipboard));
        const int before = beeps.count();
        press(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(page.count->text(), QString::fromUtf8(c.result));
        EXPECT_EQ(beeps.count() - before, c.beeps);
    }
}

TEST_F(TSEditTest, APasteReplacesTheSelection) {
    page.count->setValue(QStringLiteral("9999"));
    page.enter(page.count);  // selects the whole text
    QGuiApplication::clipboard()->setText(QStringLiteral("12"));
    press(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(page.count->text(), QStringLiteral("12"));
    EXPECT_EQ(beeps.count(), 0);
}

TEST_F(TSEditTest, PasteFromTheContextMenuIsFilteredToo) {
    page.enter(page.count);
    page.count->setValue(QString());
    QGuiApplication::clipboard()->setText(QStringLiteral("1a"));
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(5, 5), page.count->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(page.count, &menuKey);
    ASSERT_TRUE(waitFor([] { return QApplication::activePopupWidget() != nullptr; }, 1000));
    QWidget* menu = QApplication::activePopupWidget();
    QAction* paste = nullptr;
    for (QAction* a : menu->actions()) {
        if (a->text().section(QLatin1Char('\t'), 0, 0) == QLineEdit::tr("&Paste")) paste = a;
    }
    ASSERT_NE(paste, nullptr);
    paste->trigger();
    menu->close();
    EXPECT_EQ(page.count->text(), QString());
    EXPECT_EQ(beeps.count(), 1);
}

TEST_F(TSEditTest, ADropIsFilteredLikeAPaste) {
    page.enter(page.count);
    page.count->setValue(QString());
    auto drop = [&](const QString& text) {
        QMimeData data;
        data.setText(text);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(page.count, &enter);
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(page.count, &dropped);
    };
    drop(QStringLiteral("1a"));
    EXPECT_EQ(page.count->text(), QString());
    EXPECT_EQ(beeps.count(), 1);
    drop(QStringLiteral("12"));
    EXPECT_EQ(page.count->text(), QStringLiteral("12"));
    EXPECT_EQ(beeps.count(), 1);
}

TEST_F(TSEditTest, AComposedCharacterOutsideTheCodePageIsRefused) {
    page.enter(page.name);
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("ñ"));
    QCoreApplication::sendEvent(page.name, &composed);
    EXPECT_EQ(page.name->text(), QString());
    EXPECT_EQ(beeps.count(), 1);
    QInputMethodEvent czech;
    czech.setCommitString(QStringLiteral("ů"));
    QCoreApplication::sendEvent(page.name, &czech);
    EXPECT_EQ(page.name->text(), QStringLiteral("ů"));
}

TEST_F(TSEditTest, AnEmptiedFieldShowsItsDefaultBeforeTheExitRuns) {
    QString seenOnExit;
    int exits = 0;
    QObject::connect(page.count, &TSEdit::exited, [&] {
        seenOnExit = page.count->text();
        ++exits;
    });
    page.count->setValue(QStringLiteral("12"));
    page.enter(page.count);
    press(Qt::Key_Delete);  // the whole text is selected
    EXPECT_EQ(page.count->text(), QString());
    press(Qt::Key_Tab);
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(seenOnExit, QStringLiteral("0"));
    EXPECT_EQ(page.count->text(), QStringLiteral("0"));
}

TEST_F(TSEditTest, AnotherWindowComingToTheFrontIsNotLeavingTheField) {
    int exits = 0;
    int entries = 0;
    QObject::connect(page.count, &TSEdit::exited, [&] { ++exits; });
    page.enter(page.count);
    QObject::connect(page.count, &TSEdit::entered, [&] { ++entries; });
    type(QStringLiteral("12"));
    press(Qt::Key_Left);  // cursor between the digits, nothing selected
    QWidget other;
    ASSERT_TRUE(showActive(other));
    EXPECT_EQ(exits, 0);
    other.close();
    ASSERT_TRUE(showActive(page.window));
    QCoreApplication::processEvents();
    EXPECT_EQ(page.window.focusWidget(), page.count);
    EXPECT_EQ(exits, 0);
    EXPECT_EQ(entries, 0);
    EXPECT_EQ(page.count->selectedText(), QString());
    EXPECT_EQ(page.count->cursorPosition(), 1);
    // Emptied while another window is in front: no default either.
    page.count->clear();
    QWidget again;
    ASSERT_TRUE(showActive(again));
    EXPECT_EQ(page.count->text(), QString());
}

TEST_F(TSEditTest, EnterAndKeypadEnterMoveOnInTabOrderPastADisabledField) {
    page.enter(page.count);
    press(Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), page.name);
    press(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(QApplication::focusWidget(), page.last);
    EXPECT_EQ(page.okClicks, 0);  // consumed by the fields, not the window's default button
}

TEST_F(TSEditTest, EnteringSelectsTheWholeTextSoTypingReplacesIt) {
    struct Case {
        const char* name;
        std::function<void()> enter;
    };
    const Case cases[] = {
        {"tab", [&] { press(Qt::Key_Tab); }},
        {"enter_of_the_field_before", [&] { press(Qt::Key_Return); }},
        {"click", [&] { QTest::mouseClick(page.name, Qt::LeftButton, Qt::NoModifier, QPoint(3, 5)); }},
        {"focus_set_by_the_window", [&] { page.name->setFocus(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        page.name->setValue(QStringLiteral("Novák"));
        page.enter(page.count);
        c.enter();
        ASSERT_TRUE(waitFor([&] { return page.name->selectedText() == QStringLiteral("Novák"); }, 1000));
        type(QStringLiteral("Svoboda"));
        EXPECT_EQ(page.name->text(), QStringLiteral("Svoboda"));
    }
}

TEST_F(TSEditTest, WithoutAutoSelectAClickLeavesTheCursorWhereItFell) {
    page.name->setAutoSelect(false);
    page.name->setValue(QStringLiteral("Novák"));
    page.enter(page.count);
    QTest::mouseClick(page.name, Qt::LeftButton, Qt::NoModifier, QPoint(page.name->width() - 3, 5));
    QCoreApplication::processEvents();
    EXPECT_EQ(page.name->selectedText(), QString());
}

TEST_F(TSEditTest, TheAlignmentHoldsWhileNotEditingAndTheEditIsPlainWhileFocused) {
    const auto horizontal = [](const TSEdit* e) { return e->alignment() & Qt::AlignHorizontal_Mask; };
    EXPECT_EQ(horizontal(page.count), Qt::AlignRight);
    page.enter(page.count);
    EXPECT_EQ(horizontal(page.count), Qt::AlignLeft);
    press(Qt::Key_Tab);
    EXPECT_EQ(horizontal(page.count), Qt::AlignRight);
    page.last->setUnfocusedAlignment(Qt::AlignHCenter);
    EXPECT_EQ(horizontal(page.last), Qt::AlignHCenter);
}

TEST_F(TSEditTest, ADisabledFieldIsGreyAndABorderlessFieldHasNoFrame) {
    EXPECT_EQ(page.computed->palette().color(QPalette::Disabled, QPalette::Text), QColor(128, 128, 128));
    EXPECT_EQ(page.name->borderStyle(), TBorderStyle::bsSingle);
    page.name->setBorderStyle(TBorderStyle::bsNone);
    EXPECT_FALSE(page.name->hasFrame());
}

TEST_F(TSEditTest, ALoadedValueLongerThanTheLimitIsShownWholeAndOnlyShrinks) {
    page.count->setValue(QStringLiteral("123456"));  // the field takes 4
    EXPECT_EQ(page.count->text(), QStringLiteral("123456"));
    page.enter(page.count);
    press(Qt::Key_End);
    type(QStringLiteral("7"));
    EXPECT_EQ(page.count->text(), QStringLiteral("123456"));
    EXPECT_EQ(beeps.count(), 1);
    for (int i = 0; i < 3; ++i) press(Qt::Key_Backspace);
    type(QStringLiteral("9"));
    EXPECT_EQ(page.count->text(), QStringLiteral("1239"));
    type(QStringLiteral("9"));
    EXPECT_EQ(page.count->text(), QStringLiteral("1239"));
    EXPECT_EQ(beeps.count(), 2);
    // The next value brings the limit back.
    page.count->setValue(QStringLiteral("1"));
    EXPECT_EQ(page.count->maxLength(), 4);
}

}  // namespace
}  // namespace talmorek::gui
