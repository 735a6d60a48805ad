#include "gui/entry/names_grid.h"

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "entry_fixtures.h"
#include "gui/controls/s_edit.h"

namespace talmorek::gui {
namespace {

using testing::BeepCounter;
using testing::press;
using testing::showActive;
using testing::type;
using testing::waitFor;

// Page III in small: the recording clerk, the grid of the other members
// present (three rows, "2." to "4."), and the member entrusted with the
// record, where Enter in the last name row goes.
struct Page {
    QDialog window;
    TSEdit* clerk;
    TZColorStringGrid* grid;
    TSEdit* entrusted;

    Page() {
        auto* layout = new QVBoxLayout(&window);
        clerk = new TSEdit(&window);
        grid = new TZColorStringGrid(&window);
        grid->setObjectName(QStringLiteral("R_JmenaKomise_SG"));
        entrusted = new TSEdit(&window);
        layout->addWidget(clerk);
        layout->addWidget(grid);
        layout->addWidget(entrusted);
        grid->setNameRowCount(3);
        for (int row = 0; row < 3; ++row)
            grid->setCellText(TZColorStringGrid::kNumberColumn, row, QString::number(row + 2) + QLatin1Char('.'));
        grid->setKamDale(entrusted);
    }

    // The cell editor, while a name is being edited.
    TSEdit* editor() const { return qobject_cast<TSEdit*>(QApplication::focusWidget()); }
    bool editing() const { return editor() && editor() != clerk && editor() != entrusted; }
};

class NamesGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(showActive(page.window));
        page.clerk->setFocus();
    }
    // Tab from the clerk's field into the grid.
    void enterGrid() {
        page.clerk->setFocus();
        press(Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), page.grid);
    }
    Page page;
    BeepCounter beeps;
};

TEST_F(NamesGridTest, HeaderNumberColumnAndWidths) {
    const TZColorStringGrid& grid = *page.grid;
    EXPECT_EQ(grid.horizontalHeaderItem(0)->text(), QStringLiteral("Poř."));
    EXPECT_EQ(grid.horizontalHeaderItem(1)->text(), QStringLiteral("Jméno a příjmení"));
    const double scale = grid.logicalDpiX() / 96.0;
    EXPECT_EQ(grid.columnWidth(0), qRound(64 * scale));
    EXPECT_EQ(grid.columnWidth(1), qRound(483 * scale));
    EXPECT_EQ(grid.cellText(TZColorStringGrid::kNumberColumn, 2), QStringLiteral("4."));
    EXPECT_FALSE(grid.item(0, TZColorStringGrid::kNumberColumn)->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(grid.item(0, TZColorStringGrid::kNameColumn)->flags() & Qt::ItemIsEditable);
}

TEST_F(NamesGridTest, TypingACharacterStartsEditingWithIt) {
    page.grid->setNames({QStringLiteral("Stará"), QString(), QString()});
    enterGrid();
    EXPECT_EQ(page.grid->currentNameRow(), 0);
    type(QStringLiteral("N"));
    ASSERT_TRUE(page.editing());
    type(QStringLiteral("ováková"));
    press(Qt::Key_Return);
    EXPECT_EQ(page.grid->cellText(TZColorStringGrid::kNameColumn, 0), QStringLiteral("Nováková"));
    EXPECT_EQ(beeps.count(), 0);
}

TEST_F(NamesGridTest, ANameTakesFiftyCharactersAndRefusesTheFiftyFirstWithABeep) {
    enterGrid();
    const QString fifty(TZColorStringGrid::kNameLength, QLatin1Char('x'));
    type(fifty);
    ASSERT_TRUE(page.editing());
    EXPECT_EQ(page.editor()->maxLength(), 50);
    EXPECT_EQ(beeps.count(), 0);
    type(QStringLiteral("y"));
    EXPECT_EQ(page.editor()->text(), fifty);
    EXPECT_EQ(beeps.count(), 1);
    press(Qt::Key_Return);
    EXPECT_EQ(page.grid->cellText(TZColorStringGrid::kNameColumn, 0), fifty);
}

TEST_F(NamesGridTest, ANameRefusesACharacterOutsideCodePage1250) {
    enterGrid();
    type(QStringLiteral("Peña"));
    press(Qt::Key_Return);
    EXPECT_EQ(page.grid->cellText(TZColorStringGrid::kNameColumn, 0), QStringLiteral("Pea"));
    EXPECT_EQ(beeps.count(), 1);
}

TEST_F(NamesGridTest, EnterWalksTheRowsAndTheLastHandsOnToKamDale) {
    page.grid->setNames({QStringLiteral("Adam"), QStringLiteral("Bára"), QStringLiteral("Cyril")});
    enterGrid();
    press(Qt::Key_Return);
    EXPECT_EQ(page.grid->currentNameRow(), 1);
    ASSERT_TRUE(page.editing());
    EXPECT_EQ(page.editor()->selectedText(), QStringLiteral("Bára"));  // typing replaces it
    type(QStringLiteral("Běla"));
    press(Qt::Key_Return);
    EXPECT_EQ(page.grid->currentNameRow(), 2);
    ASSERT_TRUE(page.editing());
    press(Qt::Key_Return);  // in the last row
    EXPECT_EQ(page.grid->currentNameRow(), 0);
    EXPECT_EQ(QApplication::focusWidget(), page.entrusted);
    EXPECT_EQ(page.grid->names(), QStringList({QStringLiteral("Adam"), QStringLiteral("Běla"), QStringLiteral("Cyril")}));
}

TEST_F(NamesGridTest, EnterInTheLastRowWithoutEditingLeavesTooAndTheFirstRowIsCurrentAgain) {
    enterGrid();
    page.grid->setCurrentNameRow(2);
    press(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(QApplication::focusWidget(), page.entrusted);
    EXPECT_EQ(page.grid->currentNameRow(), 0);
}

TEST_F(NamesGridTest, TabMovesBetweenTheNamesAndLeavesPastTheEnds) {
    enterGrid();
    press(Qt::Key_Tab);
    EXPECT_EQ(page.grid->currentNameRow(), 1);
    EXPECT_EQ(page.grid->currentColumn(), TZColorStringGrid::kNameColumn);
    type(QStringLiteral("Eva"));
    press(Qt::Key_Tab);  // from the editor: the name is kept, on to the next
    EXPECT_EQ(page.grid->cellText(TZColorStringGrid::kNameColumn, 1), QStringLiteral("Eva"));
    EXPECT_EQ(page.grid->currentNameRow(), 2);
    EXPECT_EQ(QApplication::focusWidget(), page.grid);
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), page.entrusted);
    page.grid->setFocus();
    page.grid->setCurrentNameRow(0);
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), page.clerk);
}

TEST_F(NamesGridTest, TheCurrentCellIsHighlightedOnlyWhileTheGridHasTheFocus) {
    const auto colours = [&] {
        const QPalette p = page.grid->palette();
        return std::make_pair(p.color(QPalette::Highlight), p.color(QPalette::HighlightedText));
    };
    const QColor buttonFace = QApplication::palette(page.grid).color(QPalette::Button);
    EXPECT_EQ(colours(), std::make_pair(buttonFace, QColor(Qt::black)));
    int entered = 0;
    int exited = 0;
    QObject::connect(page.grid, &TZColorStringGrid::entered, [&] { ++entered; });
    QObject::connect(page.grid, &TZColorStringGrid::exited, [&] { ++exited; });
    enterGrid();
    const QColor systemHighlight = QApplication::palette(page.grid).color(QPalette::Active, QPalette::Highlight);
    EXPECT_EQ(colours(), std::make_pair(systemHighlight, QColor(Qt::white)));
    type(QStringLiteral("Jan"));  // the editor is part of the grid
    ASSERT_TRUE(page.editing());
    EXPECT_EQ(colours(), std::make_pair(systemHighlight, QColor(Qt::white)));
    EXPECT_EQ(exited, 0);
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), page.entrusted);
    EXPECT_EQ(colours(), std::make_pair(buttonFace, QColor(Qt::black)));
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(exited, 1);
}

TEST_F(NamesGridTest, ALongerNameSetFromOutsideIsShownAndEditedWhole) {
    const QString sixty(60, QLatin1Char('z'));
    page.grid->setNames({QString(), sixty});
    EXPECT_EQ(page.grid->cellText(TZColorStringGrid::kNameColumn, 1), sixty);
    enterGrid();
    press(Qt::Key_Return);  // edits row 1, whole text selected
    ASSERT_TRUE(page.editing());
    EXPECT_EQ(page.editor()->text(), sixty);
    press(Qt::Key_End);
    type(QStringLiteral("a"));
    EXPECT_EQ(beeps.count(), 1);
    press(Qt::Key_Escape);
    EXPECT_EQ(page.grid->cellText(TZColorStringGrid::kNameColumn, 1), sixty);
}

TEST_F(NamesGridTest, ChangingTheRowCountKeepsTheNamesOfTheRowsThatStay) {
    page.grid->setNameRowCount(5);
    page.grid->setNames({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D"),
                         QStringLiteral("E")});
    page.grid->setNameRowCount(3);
    EXPECT_EQ(page.grid->names(), QStringList({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
    page.grid->setNameRowCount(4);
    EXPECT_EQ(page.grid->names(),
              QStringList({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QString()}));
    EXPECT_FALSE(page.grid->item(3, TZColorStringGrid::kNumberColumn)->flags() & Qt::ItemIsEditable);
}

}  // namespace
}  // namespace talmorek::gui
