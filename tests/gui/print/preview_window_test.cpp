// The preview window driven as a user would, with the printer dialog and
// the printer replaced by a recorder.

#include "gui/print/preview_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

#include "gui/print/page_view.h"
#include "core/print/preview_document.h"
#include "core/print/recording_document.h"

namespace talmorek::gui {
namespace {

struct PrintCall {
    int from, to, copies, pages;
};

class RecordingOutput : public PreviewOutput {
public:
    std::optional<print::PrinterDialogChoice> printerDialog(QWidget*, int pageCount, int from, int to,
                                                            int copies) override {
        dialogs.push_back({from, to, copies, pageCount});
        return answer;
    }
    void print(const print::RecordedDocument& document, int from, int to, int copies) override {
        prints.push_back({from, to, copies, static_cast<int>(document.pages.size())});
    }

    std::optional<print::PrinterDialogChoice> answer;
    std::vector<PrintCall> dialogs;
    std::vector<PrintCall> prints;
};

class PreviewWindow : public ::testing::Test {
protected:
    // A finished document of `pages` pages, drawn as a print job draws it.
    void makeDocument(int pages) {
        preview.ZacatekTisku();
        for (int i = 0; i < pages; ++i) preview.VratCanvas().text(200, 200, "Strana", print::Font{});
        preview.KonecTisku();
    }

    TpreviewF& open() {
        window = std::make_unique<TpreviewF>(preview, document, output);
        window->show();
        return *window;
    }

    template <typename T>
    T* child(const char* name) const {
        T* w = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString pageLabel() const { return child<QLabel>("pageNL")->text(); }
    int currentPage() const { return window->PrintPreview()->currentPage(); }
    // first, prior, next, last
    std::array<bool, 4> navigation() const {
        return {child<QToolButton>("firstSB")->isEnabled(), child<QToolButton>("priorSB")->isEnabled(),
                child<QToolButton>("nextSB")->isEnabled(), child<QToolButton>("lastSB")->isEnabled()};
    }
    void click(const char* name) { child<QAbstractButton>(name)->click(); }

    print::RecordingDocument document;
    print::PreviewDocument preview{document};
    RecordingOutput output;
    std::unique_ptr<TpreviewF> window;
};

using Nav = std::array<bool, 4>;

TEST_F(PreviewWindow, HasTheCaptionControlsAndHints) {
    makeDocument(1);
    open();
    EXPECT_EQ(window->windowTitle(), "Preview");
    EXPECT_TRUE(window->isModal());
    EXPECT_EQ(child<QLabel>("LupaL")->text(), "Lupa:");
    EXPECT_TRUE(child<QLabel>("LupaL")->font().bold());
    const struct {
        const char* name;
        const char* hint;
    } hints[] = {{"zoomCB", "Změna náhledu"},         {"firstSB", "První strana"},
                 {"priorSB", "Předchozí strana"},     {"nextSB", "Následující strana"},
                 {"lastSB", "Poslední strana"},       {"printerSetupSB", "Nastavení tiskárny"},
                 {"printBtn", "Tisk dle nastavení"},  {"zavritBtn", "Ukončení náhledu"}};
    for (const auto& h : hints) EXPECT_EQ(child<QWidget>(h.name)->toolTip(), h.hint) << h.name;
    EXPECT_EQ(child<QPushButton>("printBtn")->text(), "Tisk");
    EXPECT_EQ(child<QPushButton>("zavritBtn")->text(), "Zavřít");
    EXPECT_NE(child<PageView>("PrintPreview"), nullptr);
    // The tally sheet's instructions send the user to "the icon with a printer".
    const QImage icon = child<QToolButton>("printerSetupSB")->icon().pixmap(24, 24).toImage();
    EXPECT_FALSE(icon.isNull());
    EXPECT_GT(qAlpha(icon.pixel(12, 12)), 0);
}

TEST_F(PreviewWindow, OpensWithinTheScreenSoItsBarStaysReachable) {
    makeDocument(1);
    open();
    QApplication::processEvents();
    const QRect room = window->screen()->availableGeometry();
    EXPECT_LE(window->height(), room.height());
    EXPECT_LE(window->width(), std::max(room.width(), 600));
    EXPECT_GE(window->width(), 600);
}

TEST_F(PreviewWindow, OnePageDocumentDisablesAllNavigation) {
    makeDocument(1);
    open();
    EXPECT_EQ(pageLabel(), "Strana 1 z 1");
    EXPECT_EQ(navigation(), (Nav{false, false, false, false}));
}

TEST_F(PreviewWindow, NavigationThroughAMultiPageDocument) {
    makeDocument(3);
    open();
    EXPECT_EQ(pageLabel(), "Strana 1 z 3");
    EXPECT_EQ(navigation(), (Nav{false, false, true, true}));

    const struct {
        const char* button;
        int page;
        Nav enabled;
    } steps[] = {
        {"nextSB", 2, {true, true, true, true}},    {"nextSB", 3, {true, true, false, false}},
        {"nextSB", 3, {true, true, false, false}},  {"priorSB", 2, {true, true, true, true}},
        {"firstSB", 1, {false, false, true, true}}, {"priorSB", 1, {false, false, true, true}},
        {"lastSB", 3, {true, true, false, false}},
    };
    for (const auto& s : steps) {
        click(s.button);
        SCOPED_TRACE(std::string(s.button) + " to page " + std::to_string(s.page));
        EXPECT_EQ(currentPage(), s.page);
        EXPECT_EQ(pageLabel(), QString("Strana %1 z 3").arg(s.page));
        EXPECT_EQ(navigation(), s.enabled);
    }
}

TEST_F(PreviewWindow, EmptyDocumentSaysSo) {
    open();
    EXPECT_EQ(pageLabel(), "Prázdný dokument");
    EXPECT_EQ(navigation(), (Nav{false, false, false, false}));
    EXPECT_FALSE(child<QPushButton>("printBtn")->isEnabled());
}

TEST_F(PreviewWindow, PagesAddedWhileOpenUpdateTheLabel) {
    open();
    preview.ZacatekTisku();
    preview.VratCanvas();
    EXPECT_EQ(pageLabel(), "Strana 1 z 1");
    preview.VratCanvas();
    EXPECT_EQ(pageLabel(), "Strana 1 z 2");
    EXPECT_EQ(navigation(), (Nav{false, false, true, true}));
    preview.KonecTisku();
}

TEST_F(PreviewWindow, ZoomChoices) {
    makeDocument(1);
    open();
    auto* zoom = child<QComboBox>("zoomCB");
    ASSERT_EQ(zoom->count(), 5);
    const QStringList items = {"50%", "100%", "Celá šířka", "Celá strana", "1000%"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(zoom->itemText(i), items[i]);
    // On show the page fills the width.
    EXPECT_EQ(zoom->currentText(), "Celá šířka");
    PageView* view = window->PrintPreview();
    EXPECT_EQ(view->zoomMode(), PageView::ZoomMode::ToWidth);

    const double realSize = view->logicalDpiX() / 254.0;  // screen pixels per 0.1 mm at 100 %
    emit zoom->activated(0);
    EXPECT_DOUBLE_EQ(view->scale(), 0.5 * realSize);
    emit zoom->activated(1);
    EXPECT_DOUBLE_EQ(view->scale(), realSize);
    emit zoom->activated(4);
    EXPECT_DOUBLE_EQ(view->scale(), 10 * realSize);
    emit zoom->activated(3);
    EXPECT_EQ(view->zoomMode(), PageView::ZoomMode::ToFit);
    EXPECT_LE(view->widget()->height(), view->maximumViewportSize().height());
    emit zoom->activated(2);
    EXPECT_EQ(view->zoomMode(), PageView::ZoomMode::ToWidth);
    EXPECT_LE(view->widget()->width(), view->maximumViewportSize().width());
    EXPECT_GT(view->widget()->width(), view->maximumViewportSize().width() / 2);
}

TEST_F(PreviewWindow, ButtonsKeepTheirPlaceFromTheRightEdge) {
    makeDocument(1);
    open();
    for (int width : {300, 600, 1000}) {
        window->resize(width, 500);
        QApplication::processEvents();
        SCOPED_TRACE(width);
        EXPECT_GE(window->width(), 600);
        const QRect close = child<QWidget>("zavritBtn")->geometry();
        const QRect print = child<QWidget>("printBtn")->geometry();
        const QRect setup = child<QWidget>("printerSetupSB")->geometry();
        EXPECT_EQ(window->width() - (close.x() + close.width()), 20);
        EXPECT_EQ(close.x() - (print.x() + print.width()), 30);
        EXPECT_EQ(print.x() - (setup.x() + setup.width()), 15);
        // Even at the narrowest the page label has room left of the buttons.
        auto* label = child<QLabel>("pageNL");
        EXPECT_LE(label->x() + label->width(), setup.x());
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance("Strana 10 z 12"));
    }
}

TEST_F(PreviewWindow, TiskPrintsTheChosenRangeAndCopies) {
    makeDocument(4);
    open();
    output.answer = print::PrinterDialogChoice{3, 2, 3};
    click("printerSetupSB");
    ASSERT_EQ(output.dialogs.size(), 1u);
    EXPECT_EQ(output.dialogs[0].from, 1);
    EXPECT_EQ(output.dialogs[0].to, 4);
    EXPECT_EQ(output.dialogs[0].copies, 1);
    EXPECT_EQ(output.dialogs[0].pages, 4);
    click("printBtn");
    ASSERT_EQ(output.prints.size(), 1u);
    EXPECT_EQ(output.prints[0].from, 2);
    EXPECT_EQ(output.prints[0].to, 3);
    EXPECT_EQ(output.prints[0].copies, 3);
    EXPECT_EQ(output.prints[0].pages, 4);
}

TEST_F(PreviewWindow, CancelledDialogChangesNothingAndCopiesStayAtLeastOne) {
    makeDocument(2);
    open();
    output.answer = std::nullopt;
    click("printerSetupSB");
    output.answer = print::PrinterDialogChoice{0, std::nullopt, std::nullopt};
    click("printerSetupSB");
    click("printBtn");
    ASSERT_EQ(output.prints.size(), 1u);
    EXPECT_EQ(output.prints[0].from, 1);
    EXPECT_EQ(output.prints[0].to, 2);
    EXPECT_EQ(output.prints[0].copies, 1);
}

TEST_F(PreviewWindow, TiskDoesNothingWhileTheDocumentIsBeingBuilt) {
    open();
    preview.ZacatekTisku();
    preview.VratCanvas();
    auto* tisk = child<QPushButton>("printBtn");
    EXPECT_FALSE(tisk->isEnabled());
    // Even when pressed regardless (a shortcut, a queued click).
    QMetaObject::invokeMethod(tisk, "clicked", Qt::DirectConnection, Q_ARG(bool, false));
    EXPECT_TRUE(output.prints.empty());
    preview.KonecTisku();
    EXPECT_TRUE(tisk->isEnabled());
    tisk->click();
    EXPECT_EQ(output.prints.size(), 1u);
}

TEST_F(PreviewWindow, EscapeAndZavritClose) {
    makeDocument(1);
    for (bool escape : {true, false}) {
        open();
        ASSERT_TRUE(window->isVisible());
        if (escape) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(window.get(), &press);
        } else {
            click("zavritBtn");
        }
        EXPECT_FALSE(window->isVisible()) << (escape ? "Escape" : "Zavřít");
        EXPECT_EQ(window->result(), QDialog::Rejected);
    }
}

// Sends a key press to `target` as the keyboard would, through the
// application; true when something took it.
bool press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &event);
    return event.isAccepted();
}

// A keyboard user tabs from control to control through the bar and reaches
// every page button.
TEST_F(PreviewWindow, PageButtonsTakeTheFocus) {
    makeDocument(3);
    open();
    for (const char* name : {"firstSB", "priorSB", "nextSB", "lastSB", "printerSetupSB", "printBtn", "zavritBtn"}) {
        SCOPED_TRACE(name);
        auto* b = child<QWidget>(name);
        EXPECT_TRUE(b->focusPolicy() & Qt::TabFocus);
    }
}

// The page keys turn the pages of a 22-page tally sheet, wherever the focus
// is: in the page view, on a page button or in the zoom list.
TEST_F(PreviewWindow, PageKeysTurnThePages) {
    makeDocument(22);
    open();
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        int page;
    } steps[] = {
        {Qt::Key_PageDown, Qt::NoModifier, 2},       {Qt::Key_PageDown, Qt::NoModifier, 3},
        {Qt::Key_PageUp, Qt::NoModifier, 2},         {Qt::Key_End, Qt::NoModifier, 22},
        {Qt::Key_PageDown, Qt::NoModifier, 22},      {Qt::Key_Home, Qt::NoModifier, 1},
        {Qt::Key_PageUp, Qt::NoModifier, 1},         {Qt::Key_End, Qt::ControlModifier, 22},
        {Qt::Key_PageUp, Qt::NoModifier, 21},        {Qt::Key_Home, Qt::ControlModifier, 1},
    };
    for (const char* focus : {"PrintPreview", "nextSB", "zoomCB", "printBtn"}) {
        QWidget* target = child<QWidget>(focus);
        target->setFocus();
        for (const auto& s : steps) {
            SCOPED_TRACE(std::string(focus) + ": key " + std::to_string(s.key) + " to page " + std::to_string(s.page));
            EXPECT_TRUE(press(target, s.key, s.modifiers));
            EXPECT_EQ(currentPage(), s.page);
            EXPECT_EQ(pageLabel(), QString("Strana %1 z 22").arg(s.page));
        }
        EXPECT_EQ(child<QComboBox>("zoomCB")->currentText(), "Celá šířka") << "the zoom list stays as it was";
    }
}

TEST_F(PreviewWindow, EnterPressesTheFocusedButton) {
    makeDocument(3);
    open();
    const auto enterOn = [&](const char* name, int key = Qt::Key_Return,
                             Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* button = child<QWidget>(name);
        button->setFocus();
        EXPECT_EQ(window->focusWidget(), button) << name;
        EXPECT_TRUE(press(button, key, modifiers)) << name;
    };
    enterOn("nextSB");
    EXPECT_EQ(currentPage(), 2);
    enterOn("lastSB", Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(currentPage(), 3);
    enterOn("firstSB");
    EXPECT_EQ(currentPage(), 1);
    enterOn("printBtn");
    ASSERT_EQ(output.prints.size(), 1u);
    EXPECT_EQ(output.prints[0].pages, 3);
    enterOn("printerSetupSB");
    EXPECT_EQ(output.dialogs.size(), 1u);
    enterOn("zavritBtn");
    EXPECT_FALSE(window->isVisible());
}

TEST_F(PreviewWindow, ShowingResetsCopiesToOne) {
    makeDocument(1);
    preview.PocetKopii = 4;
    open();
    EXPECT_EQ(preview.PocetKopii, 1);
}

TEST_F(PreviewWindow, ClosingHandsTheChangeNotificationBack) {
    int heard = 0;
    document.OnChange = [&] { ++heard; };
    open();
    makeDocument(1);
    EXPECT_EQ(heard, 2) << "begin and end of the document reach the earlier listener too";
    window.reset();
    makeDocument(1);
    EXPECT_EQ(heard, 4);
}

}  // namespace
}  // namespace talmorek::gui
