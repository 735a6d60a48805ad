// The pages of the entry window as the commission sees them: every text of
// the form whole, no control over another, everything inside its page, for
// an ordinary precinct and for one abroad (whose labels read otherwise and
// whose two questions are gone).
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "entry_fixtures.h"
#include "entry_window_fixture.h"
#include "gui/controls/design_pixels.h"
#include "gui/entry/entry_notebook.h"
#include "support/installation.h"

namespace talmorek::gui::testing {
namespace {

std::string nameOf(const QWidget* w) {
    return w->objectName().isEmpty() ? std::string(w->metaObject()->className()) : w->objectName().toStdString();
}

// A text that needs more room than it has is cut on screen.
bool clipped(const QWidget* w) {
    const bool hasText = qobject_cast<const QLabel*>(w) || qobject_cast<const QRadioButton*>(w) ||
                         qobject_cast<const QPushButton*>(w);
    return hasText && w->sizeHint().width() > w->width();
}

std::vector<std::string> layoutFaults(QWidget* page) {
    std::vector<std::string> faults;
    std::vector<QWidget*> controls;
    for (QWidget* w : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        // The frame that marks the focused control lies over it by design.
        if (w->isVisible() && w->objectName() != QLatin1String("FocusMark")) controls.push_back(w);
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        QWidget* w = controls[i];
        if (!page->rect().contains(w->geometry())) faults.push_back(nameOf(w) + " reaches out of the page");
        if (clipped(w)) faults.push_back(nameOf(w) + " is cut");
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            if (w->geometry().intersects(controls[j]->geometry()))
                faults.push_back(nameOf(w) + " overlaps " + nameOf(controls[j]));
        }
    }
    return faults;
}

struct LayoutCase {
    const char* name;
    EntrySession::Precinct precinct;
    int page;
};

void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }

class PageLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(PageLayout, TextsWholeAndControlsApart) {
    const LayoutCase& c = GetParam();
    EntrySession s(c.precinct);
    std::vector<std::string> faults;
    int controls = 0;
    s.open([&] {
        s.window->notebook()->setCurrentIndex(c.page);
        QApplication::processEvents();
        QWidget* page = s.window->notebook()->currentWidget();
        controls = static_cast<int>(page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size());
        faults = layoutFaults(page);
    });
    EXPECT_GT(controls, 10);
    EXPECT_TRUE(faults.empty()) << ::testing::PrintToString(faults);
}

TEST(EntryWindowSize, EveryPageFitsTheWindowAsDesigned) {
    EntrySession s;
    s.saveRecord(talmorek::testing::cleanRecord(s.parties()), exporting::DataLetter::E);
    QSize size;
    s.open([&] { size = s.window->size(); });
    EXPECT_EQ(size, QSize(designPixels(*s.window, 800), designPixels(*s.window, 600)));
}

INSTANTIATE_TEST_SUITE_P(EntryWindow, PageLayout,
                         ::testing::Values(LayoutCase{"section1", EntrySession::Precinct::Ordinary, 0},
                                           LayoutCase{"section2", EntrySession::Precinct::Ordinary, 1},
                                           LayoutCase{"annex1", EntrySession::Precinct::Ordinary, 2},
                                           LayoutCase{"section3", EntrySession::Precinct::Ordinary, 3},
                                           LayoutCase{"section1_abroad", EntrySession::Precinct::Abroad, 0},
                                           LayoutCase{"section3_abroad", EntrySession::Precinct::Abroad, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace talmorek::gui::testing
