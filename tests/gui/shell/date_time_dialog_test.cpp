// The date/time confirmation: the labels follow the clock while the dialog
// is open, and the clock timer runs only then.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>

#include <QDate>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "gui/shell/date_time_dialog.h"
#include "shell_fixtures.h"

namespace talmorek::gui::testing {
namespace {

QString text(QWidget& w, const char* name) { return w.findChild<QLabel*>(QString::fromLatin1(name))->text(); }
QTimer* clockTimer(QWidget& w) { return w.findChild<QTimer*>(QStringLiteral("datumCasTimer")); }

TEST(DateTimeDialog, ShowsTheClockAndFollowsItAcrossMidnight) {
    TZ_Info_F dialog;
    auto clock = std::make_shared<data::FixedClock>(data::LocalDateTime{2021, 10, 8, 23, 59, 40});
    dialog.setClock(clock);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Informace"));
    EXPECT_FALSE(clockTimer(dialog)->isActive());

    dialog.show();
    EXPECT_EQ(text(dialog, "Datum_LBL"), QStringLiteral("08.10.2021"));
    EXPECT_EQ(text(dialog, "Cas_LBL"), QStringLiteral("23:59"));
    ASSERT_TRUE(clockTimer(dialog)->isActive());
    EXPECT_EQ(clockTimer(dialog)->interval(), 1000);

    clock->set({2021, 10, 9, 0, 0, 1});
    dialog.datumCasTimerTimer();  // the next tick
    EXPECT_EQ(text(dialog, "Datum_LBL"), QStringLiteral("09.10.2021"));
    EXPECT_EQ(text(dialog, "Cas_LBL"), QStringLiteral("00:00"));

    clock->set({2021, 10, 9, 7, 5, 0});  // the user set the clock
    dialog.datumCasTimerTimer();
    EXPECT_EQ(text(dialog, "Cas_LBL"), QStringLiteral("07:05"));
}

struct CloseCase {
    const char* name;
    void (*close)(TZ_Info_F&);
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }


class DateTimeDialogClosing : public ::testing::TestWithParam<CloseCase> {};

TEST_P(DateTimeDialogClosing, StopsTheClockTimer) {
    TZ_Info_F dialog;
    dialog.show();
    ASSERT_TRUE(clockTimer(dialog)->isActive());
    GetParam().close(dialog);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(clockTimer(dialog)->isActive());
    // Shown again, it starts from the clock again.
    dialog.show();
    EXPECT_TRUE(clockTimer(dialog)->isActive());
    dialog.hide();
}

INSTANTIATE_TEST_SUITE_P(
    Ways, DateTimeDialogClosing,
    ::testing::Values(CloseCase{"okButton", [](TZ_Info_F& d) { d.findChild<QPushButton*>("Z_OK_Btn")->click(); }},
                      CloseCase{"closeBox", [](TZ_Info_F& d) { d.close(); }},
                      CloseCase{"escape", [](TZ_Info_F& d) { d.reject(); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DateTimeDialog, AppearsModallyAfterTheMainWindowAndIsClosedWithOk) {
    Installation inst;
    auto session = inst.start();
    ASSERT_TRUE(session);
    TPS_menu& w = *session->mainWindow;
    const QString today = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));

    ModalAnswerer answerer;
    QString shownDate;
    bool timerRan = false;
    answerer.then([&](QWidget* d) {
        shownDate = d->findChild<QLabel*>(QStringLiteral("Datum_LBL"))->text();
        timerRan = clockTimer(*d)->isActive();
        d->findChild<QPushButton*>(QStringLiteral("Z_OK_Btn"))->click();
    });
    ASSERT_TRUE(showAndWait(w));
    ASSERT_TRUE(waitFor([&] { return !answerer.seen().empty() && !w.dateTimeDialog()->isVisible(); }));
    EXPECT_EQ(answerer.seen()[0], "Z_Info_F|Informace|");
    // Either today, or a midnight passed between reading both clocks.
    EXPECT_TRUE(shownDate == today || shownDate == QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    EXPECT_TRUE(timerRan);
    EXPECT_FALSE(clockTimer(*w.dateTimeDialog())->isActive());
    EXPECT_FALSE(w.findChild<QTimer*>(QStringLiteral("startTimer"))->isActive());
    // Once only: nothing else comes up.
    EXPECT_EQ(answerer.seen().size(), 1u);
}

// The confirmation shows the clock that dates the record and the printouts,
// so what the commission checks is what the record will say.
TEST(DateTimeDialog, ShowsTheProgramsClock) {
    Installation inst;
    inst.sources = record::fixedSources({2021, 10, 9, 14, 30, 5}, 1);
    auto session = inst.start();
    ASSERT_TRUE(session);
    TPS_menu& w = *session->mainWindow;
    ModalAnswerer answerer;
    QString shownDate, shownTime;
    answerer.then([&](QWidget* d) {
        shownDate = d->findChild<QLabel*>(QStringLiteral("Datum_LBL"))->text();
        shownTime = d->findChild<QLabel*>(QStringLiteral("Cas_LBL"))->text();
        d->findChild<QPushButton*>(QStringLiteral("Z_OK_Btn"))->click();
    });
    ASSERT_TRUE(showAndWait(w));
    ASSERT_TRUE(waitFor([&] { return !answerer.seen().empty() && !w.dateTimeDialog()->isVisible(); }));
    EXPECT_EQ(shownDate, QStringLiteral("09.10.2021"));
    EXPECT_EQ(shownTime, QStringLiteral("14:30"));
}

}  // namespace
}  // namespace talmorek::gui::testing
