// Typing restored from the journal after the program died: the window
// opens on the page of the last change, with the focus where the Tab key
// had taken the commission, the fields showing what was typed; typing goes
// on into the same journal, and the next page change saves it all.
#include <QtTest/QTest>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "entry_fixtures.h"
#include "entry_window_fixture.h"
#include "gui/controls/s_edit.h"
#include "support/installation.h"

namespace talmorek::gui::testing {
namespace {

using exporting::DataLetter;

TEST(JournalRecovery, OpensOnThePageOfTheLastChangeWithTheFocusAfterIt) {
    EntrySession s;
    s.saveRecord(talmorek::testing::cleanRecord(s.parties()), DataLetter::E);
    const std::string journal = s.dataDir() + "ZURNAL.00003";

    // Typed on page I; the program dies before any page change.
    std::string focusAtDeath;
    s.open([&] {
        type(QStringLiteral("7"));
        s.key(Qt::Key_Tab);
        type(QStringLiteral("22"));
        s.key(Qt::Key_Tab);
        focusAtDeath = s.focused();
    });
    ASSERT_TRUE(std::filesystem::exists(journal));
    ASSERT_FALSE(focusAtDeath.empty());

    // The next opening asks; "Ano" brings the typing back.
    s.prompts.answers = {true};
    int page = -1;
    std::string focused, zahajeno, ukonceno;
    s.open([&] {
        page = s.page();
        focused = s.focused();
        zahajeno = s.find<TSEdit>("R_SEdZahajeno1")->text().toStdString();
        ukonceno = s.find<TSEdit>("R_SEdUkonceno1")->text().toStdString();
        type(QStringLiteral("6"));  // typing goes on where it stopped
        s.key(Qt::Key_Tab);
        s.key(Qt::Key_PageDown);
        waitFor([&] { return s.page() == 1; }, 2000);
    });
    ASSERT_EQ(s.prompts.calls.size(), 1u);
    EXPECT_EQ(s.prompts.calls[0].substr(0, 18), "questionOrDismiss|");
    EXPECT_EQ(page, 0);
    EXPECT_EQ(focused, focusAtDeath);
    EXPECT_EQ(zahajeno, "7");
    EXPECT_EQ(ukonceno, "22");
    // The page change saved the restored typing and what followed it.
    const data::Hlasovani saved = data::NactiHlasovani(s.dataDir());
    EXPECT_EQ(saved.Zahajeno1, "7");
    EXPECT_EQ(saved.Ukonceno1, "22");
    EXPECT_FALSE(std::filesystem::exists(journal));
}

}  // namespace
}  // namespace talmorek::gui::testing
