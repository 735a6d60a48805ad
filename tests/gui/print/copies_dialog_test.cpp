// The copies dialog typed into and closed the way a user does: keys in the
// digit field, Enter on to OK and Enter there, a click on OK, Escape, the
// window closed.
#include "gui/print/copies_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>

#include "gui/controls/s_edit.h"

namespace talmorek::gui {
namespace {

QPushButton* okButton(QWidget& dialog) { return dialog.findChild<QPushButton*>(QStringLiteral("Z_PKOK_Btn")); }

// Replaces the field's text by `typed`, key by key.
void typeInto(TSEdit& field, const QString& typed) {
    QTest::keyClick(&field, Qt::Key_End);
    for (int n = field.text().size(); n > 0; --n) QTest::keyClick(&field, Qt::Key_Backspace);
    if (!typed.isEmpty()) QTest::keyClicks(&field, typed);
}

struct Outcome {
    bool dialogSeen = false;
    QString offered;   // the field when the dialog appeared
    QString shown;     // the field when the dialog was left
    int copies = 0;    // what askPocetKopii returned
};

// Opens the dialog as the program does and, once it is up, lets `answer`
// act on it. Bounded: a dialog that never appears fails the test, and one
// that `answer` leaves open is closed after the bound.
Outcome ask(const std::function<void(TZ_PocetKopii_F&)>& answer) {
    Outcome out;
    QTimer poll;
    QDeadlineTimer deadline(5000);
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<TZ_PocetKopii_F*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            if (deadline.hasExpired()) poll.stop();
            return;
        }
        if (!out.dialogSeen) {
            out.dialogSeen = true;
            out.offered = dialog->field()->text();
            answer(*dialog);
            out.shown = dialog->field()->text();
        }
        if (deadline.hasExpired() && dialog->isVisible()) dialog->reject();
    });
    poll.start();
    out.copies = askPocetKopii(nullptr);
    poll.stop();
    return out;
}

struct Case {
    const char* name;
    QString typed;
    // EnterInField: Enter in the field (on to OK), then Enter there.
    enum Close { EnterInField, ClickOk, EnterOnOk, Escape, CloseWindow } close;
    QString shown;
    int copies;
};

class CopiesDialog : public ::testing::TestWithParam<Case> {};

TEST_P(CopiesDialog, ConfirmsWhatTheFieldShows) {
    const Case& c = GetParam();
    bool openAfterFirstEnter = false;
    QString focusAfterFirstEnter;
    const Outcome out = ask([&](TZ_PocetKopii_F& dialog) {
        TSEdit& field = *dialog.field();
        typeInto(field, c.typed);
        switch (c.close) {
            case Case::EnterInField: {
                QTest::keyClick(&field, Qt::Key_Return);
                openAfterFirstEnter = dialog.isVisible();
                QWidget* focus = dialog.focusWidget();
                focusAfterFirstEnter = focus ? focus->objectName() : QString();
                QTest::keyClick(focus ? focus : &dialog, Qt::Key_Return);
                break;
            }
            case Case::ClickOk:
                QTest::mouseClick(okButton(dialog), Qt::LeftButton);
                break;
            case Case::EnterOnOk:
                QTest::keyClick(&field, Qt::Key_Tab);
                QTest::keyClick(okButton(dialog), Qt::Key_Return);
                break;
            case Case::Escape:
                QTest::keyClick(&field, Qt::Key_Escape);
                break;
            case Case::CloseWindow:
                dialog.close();
                break;
        }
    });
    ASSERT_TRUE(out.dialogSeen) << "the copies dialog did not appear within 5 s";
    EXPECT_EQ(out.offered, QStringLiteral("2"));
    EXPECT_EQ(out.shown, c.shown);
    EXPECT_EQ(out.copies, c.copies);
    if (c.close == Case::EnterInField) {
        EXPECT_TRUE(openAfterFirstEnter) << "Enter in the field printed at once";
        EXPECT_EQ(focusAfterFirstEnter, QStringLiteral("Z_PKOK_Btn"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Typed, CopiesDialog,
    ::testing::Values(Case{"offered_two_enter", "2", Case::EnterInField, "2", 2},
                      Case{"offered_two_click", "2", Case::ClickOk, "2", 2},
                      Case{"one_enter", "1", Case::EnterInField, "1", 1},
                      Case{"five_enter", "5", Case::EnterInField, "5", 5},
                      Case{"five_click", "5", Case::ClickOk, "5", 5},
                      Case{"nine_enter_on_ok", "9", Case::EnterOnOk, "9", 9},
                      Case{"zero_enter_shows_one", "0", Case::EnterInField, "1", 1},
                      Case{"zero_click_shows_one", "0", Case::ClickOk, "1", 1},
                      Case{"letter_enter_shows_one", "a", Case::EnterInField, "1", 1},
                      Case{"letter_click_shows_one", "a", Case::ClickOk, "1", 1},
                      Case{"empty_enter_shows_one", "", Case::EnterInField, "1", 1},
                      Case{"empty_click_shows_one", "", Case::ClickOk, "1", 1},
                      Case{"empty_enter_on_ok_shows_one", "", Case::EnterOnOk, "1", 1},
                      Case{"second_digit_is_refused", "56", Case::EnterInField, "5", 5},
                      Case{"escape_keeps_two", "7", Case::Escape, "7", 2},
                      Case{"closed_window_keeps_two", "7", Case::CloseWindow, "7", 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CopiesDialogLook, CaptionLabelsAndNoWindowButtons) {
    TZ_PocetKopii_F dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Tisk zápisu"));
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMinMaxButtonsHint);
    auto* label1 = dialog.findChild<QLabel*>(QStringLiteral("Label1"));
    auto* label2 = dialog.findChild<QLabel*>(QStringLiteral("Label2"));
    ASSERT_TRUE(label1 && label2);
    EXPECT_EQ(label1->text(), QStringLiteral("Zadejte počet kopií při tisku zápisu T/4:"));
    EXPECT_EQ(label2->text(), QStringLiteral("(bude automaticky vytištěno min. 1krát)"));
    EXPECT_TRUE(label1->font().bold());
    EXPECT_TRUE(label2->font().bold());
    ASSERT_NE(okButton(dialog), nullptr);
    EXPECT_EQ(okButton(dialog)->text(), QStringLiteral("OK"));
    EXPECT_EQ(dialog.field()->objectName(), QStringLiteral("Z_PocetKopii_SE"));
    EXPECT_EQ(dialog.field()->limit(), 1);
    EXPECT_EQ(dialog.field()->unfocusedAlignment(), Qt::AlignHCenter);

    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog, 5000));
    EXPECT_TRUE(dialog.field()->hasFocus()) << "the focus is in the field";
    EXPECT_EQ(dialog.field()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter)
        << "the digit is centred while typed";
    const QSize shown = dialog.size();
    dialog.resize(shown * 2);
    EXPECT_EQ(dialog.size(), shown) << "the border is fixed";
    dialog.hide();
}

TEST(CopiesDialogLook, ShownAgainItOffersTwoWhateverWasConfirmedBefore) {
    TZ_PocetKopii_F dialog;
    dialog.show();
    typeInto(*dialog.field(), QStringLiteral("4"));
    QTest::keyClick(dialog.field(), Qt::Key_Return);
    QTest::keyClick(okButton(dialog), Qt::Key_Return);
    EXPECT_EQ(dialog.pocetKopii(), 4);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.pocetKopii(), 4) << "kept until the dialog is shown again";
    dialog.show();
    EXPECT_EQ(dialog.field()->text(), QStringLiteral("2"));
    EXPECT_EQ(dialog.pocetKopii(), 2);
    dialog.hide();
}

}  // namespace
}  // namespace talmorek::gui
