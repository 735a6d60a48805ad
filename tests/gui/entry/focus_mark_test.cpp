// Where the keys go, seen at a glance: every kind of control of the entry
// window, reached with the keyboard, stands in the frame of the focus mark,
// drawn in its colour around it; the frame follows the focus on.
#include "gui/platform/focus_mark.h"

#include <QApplication>
#include <QImage>
#include <string>

#include <gtest/gtest.h>

#include "entry_fixtures.h"
#include "entry_window_fixture.h"
#include "support/installation.h"

namespace talmorek::gui::testing {
namespace {

struct MarkCase {
    const char* name;
    int page;             // PageDown presses from page I
    const char* control;  // reached with Tab from the page's first field
    bool tabLeaves = true;  // Tab in the names grid moves between its cells
};

const MarkCase kMarkCases[] = {
    {"borderless_field", 0, "R_SEdUkonceno1"},
    {"radio_button", 0, "R_OdrocNRB"},
    {"button", 0, "R_Dalsi_Btn"},
    {"framed_field", 1, "R_EdVydObalky"},
    {"party_check_box", 1, "PartyBox2"},
    {"party_combo_box", 2, "R_CBT4P_1"},
    {"candidate_field", 2, "CandEdit1"},
    {"names_grid", 3, "R_JmenaKomise_SG", false},
    {"save_button", 3, "UlozitOkrBtn"},
};

class FocusMark : public ::testing::TestWithParam<MarkCase> {};

TEST_P(FocusMark, FramesTheControlThatHasTheKeys) {
    const MarkCase& c = GetParam();
    markKeyboardFocus(*qApp);
    EntrySession s;
    s.saveRecord(talmorek::testing::cleanRecord(s.parties()), exporting::DataLetter::E);
    bool reached = false, visible = false, around = false, inColour = false, followed = false;
    s.open([&] {
        for (int i = 0; i < c.page; ++i) s.key(Qt::Key_PageDown);
        for (int i = 0; i < 80 && s.focused() != c.control; ++i) press(Qt::Key_Tab);
        reached = s.focused() == c.control;
        if (!reached) return;
        QWidget* control = QApplication::focusWidget();
        QWidget* parent = control->parentWidget();
        QWidget* mark = parent->findChild<QWidget*>(QStringLiteral("FocusMark"), Qt::FindDirectChildrenOnly);
        if (!mark) return;
        QApplication::processEvents();
        visible = mark->isVisible();
        around = mark->geometry().contains(control->geometry()) && mark->geometry() != control->geometry();
        // The frame's left edge, halfway down, as the screen shows it.
        const QImage shot = parent->grab(mark->geometry()).toImage();
        inColour = shot.pixelColor(1, shot.height() / 2) == kFocusMarkColour;
        if (!c.tabLeaves) {
            followed = true;
            return;
        }
        // On to the next control: the frame goes with the keys.
        press(Qt::Key_Tab);
        QWidget* next = QApplication::focusWidget();
        QWidget* nextMark = next && next->parentWidget()
                                ? next->parentWidget()->findChild<QWidget*>(QStringLiteral("FocusMark"),
                                                                            Qt::FindDirectChildrenOnly)
                                : nullptr;
        followed = next != control && nextMark && nextMark->isVisible() &&
                   nextMark->geometry().contains(next->geometry()) && !nextMark->geometry().contains(control->geometry());
    });
    ASSERT_TRUE(reached) << c.control << " not reached with Tab";
    EXPECT_TRUE(visible);
    EXPECT_TRUE(around);
    EXPECT_TRUE(inColour);
    EXPECT_TRUE(followed);
}

INSTANTIATE_TEST_SUITE_P(EntryWindow, FocusMark, ::testing::ValuesIn(kMarkCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace talmorek::gui::testing
