#include "gui/print/preview_window.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/controls/keys.h"
#include "gui/platform/help.h"
#include "gui/platform/window_hints.h"
#include "gui/print/page_view.h"
#include "gui/print/printer_icon.h"
#include "render/print_errors.h"

namespace talmorek::gui {
namespace {

constexpr int kMinimumWidth = 600;
// The size the window opens with, as far as the screen allows: a portrait
// sheet at its full width is easy to read at this size.
constexpr int kPreferredWidth = 800;
constexpr int kPreferredHeight = 900;
// Room left on the screen for the window's frame and caption.
constexpr int kFrameAllowance = 40;
constexpr int kBarHeight = 34;
// The right-hand group: "Zavřít" 20 pixels from the window's right edge,
// "Tisk" 30 pixels left of it, the printer button 15 pixels left of "Tisk".
constexpr int kCloseGap = 20;
constexpr int kPrintGap = 30;
constexpr int kSetupGap = 15;

enum ZoomChoice { kZoom50, kZoom100, kZoomWidth, kZoomPage, kZoom1000 };

QToolButton* speedButton(QWidget* parent, const char* name, const QString& hint, const QIcon& icon) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(hint);
    b->setIcon(icon);
    b->setAutoRaise(true);
    // The page buttons take the focus like any other: the preview can be
    // worked by keyboard alone.
    b->setFocusPolicy(Qt::StrongFocus);
    b->resize(24, 24);
    return b;
}

QToolButton* speedButton(QWidget* parent, const char* name, const QString& hint, QStyle::StandardPixmap icon) {
    return speedButton(parent, name, hint, parent->style()->standardIcon(icon));
}

// The preferred size, cut to the screen the window appears on: on a small
// screen the bar with "Tisk" and "Zavřít" must stay reachable.
QSize openingSize(const QWidget* parent) {
    const QScreen* screen = parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
    if (!screen) return {kPreferredWidth, kPreferredHeight};
    const QRect room = screen->availableGeometry();
    return {std::clamp(room.width() - kFrameAllowance, kMinimumWidth, kPreferredWidth),
            std::clamp(room.height() - kFrameAllowance, 1, kPreferredHeight)};
}

}  // namespace

TpreviewF::TpreviewF(print::PreviewDocument& preview, print::RecordingDocument& document, PreviewOutput& output,
                     QWidget* parent)
    : QDialog(parent, dialogHints(DialogButtons::MaximiseClose)),
      preview_(preview),
      document_(document),
      output_(output) {
    setObjectName(QStringLiteral("TpreviewF"));
    setHelpContext(*this, kHelpPrinting);
    setWindowTitle(QStringLiteral("Preview"));
    setModal(true);
    setMinimumWidth(kMinimumWidth);
    resize(openingSize(parent));

    buildBar();
    PrintPreview_ = new PageView(this);
    PrintPreview_->setObjectName(QStringLiteral("PrintPreview"));
    PrintPreview_->setDocument(&document_.recorded());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar_);
    layout->addWidget(PrintPreview_, 1);

    // The window hears of every change of the page set while it exists.
    previousOnChange_ = document_.OnChange;
    document_.OnChange = [this] {
        if (previousOnChange_) previousOnChange_();
        documentChanged();
    };
    documentChanged();

    // The page keys and Enter reach the window whichever control has the focus.
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
}

TpreviewF::~TpreviewF() { document_.OnChange = previousOnChange_; }

void TpreviewF::buildBar() {
    bar_ = new QWidget(this);
    bar_->setObjectName(QStringLiteral("bar"));
    bar_->setFixedHeight(kBarHeight);

    LupaL_ = new QLabel(QStringLiteral("Lupa:"), bar_);
    LupaL_->setObjectName(QStringLiteral("LupaL"));
    QFont bold = LupaL_->font();
    bold.setBold(true);
    LupaL_->setFont(bold);
    LupaL_->adjustSize();
    LupaL_->move(8, (kBarHeight - LupaL_->height()) / 2);

    zoomCB_ = new QComboBox(bar_);
    zoomCB_->setObjectName(QStringLiteral("zoomCB"));
    zoomCB_->setToolTip(QStringLiteral("Změna náhledu"));
    zoomCB_->addItems({QStringLiteral("50%"), QStringLiteral("100%"), QStringLiteral("Celá šířka"),
                       QStringLiteral("Celá strana"), QStringLiteral("1000%")});
    zoomCB_->setGeometry(LupaL_->geometry().right() + 6, 5, 100, kBarHeight - 10);
    connect(zoomCB_, &QComboBox::activated, this, &TpreviewF::zoomChosen);

    int x = zoomCB_->geometry().right() + 6;
    firstSB_ = speedButton(bar_, "firstSB", QStringLiteral("První strana"), QStyle::SP_MediaSkipBackward);
    priorSB_ = speedButton(bar_, "priorSB", QStringLiteral("Předchozí strana"), QStyle::SP_MediaSeekBackward);
    nextSB_ = speedButton(bar_, "nextSB", QStringLiteral("Následující strana"), QStyle::SP_MediaSeekForward);
    lastSB_ = speedButton(bar_, "lastSB", QStringLiteral("Poslední strana"), QStyle::SP_MediaSkipForward);
    for (QToolButton* b : {firstSB_, priorSB_, nextSB_, lastSB_}) {
        b->move(x, (kBarHeight - b->height()) / 2);
        x += b->width() + 1;
    }
    connect(firstSB_, &QToolButton::clicked, this, &TpreviewF::firstPage);
    connect(priorSB_, &QToolButton::clicked, this, &TpreviewF::priorPage);
    connect(nextSB_, &QToolButton::clicked, this, &TpreviewF::nextPage);
    connect(lastSB_, &QToolButton::clicked, this, &TpreviewF::lastPage);

    pageNL_ = new QLabel(QStringLiteral("Strana"), bar_);
    pageNL_->setObjectName(QStringLiteral("pageNL"));
    pageNL_->move(x + 6, 0);
    pageNL_->setFixedHeight(kBarHeight);

    printerSetupSB_ = speedButton(bar_, "printerSetupSB", QStringLiteral("Nastavení tiskárny"), printerIcon());
    connect(printerSetupSB_, &QToolButton::clicked, this, &TpreviewF::printerSetup);

    printBtn_ = new QPushButton(QStringLiteral("Tisk"), bar_);
    printBtn_->setObjectName(QStringLiteral("printBtn"));
    printBtn_->setToolTip(QStringLiteral("Tisk dle nastavení"));
    printBtn_->setAutoDefault(false);
    connect(printBtn_, &QPushButton::clicked, this, &TpreviewF::printDocument);

    zavritBtn_ = new QPushButton(QStringLiteral("Zavřít"), bar_);
    zavritBtn_->setObjectName(QStringLiteral("zavritBtn"));
    zavritBtn_->setToolTip(QStringLiteral("Ukončení náhledu"));
    zavritBtn_->setAutoDefault(false);
    // Escape closes the dialog as well (QDialog's own handling).
    connect(zavritBtn_, &QPushButton::clicked, this, &TpreviewF::reject);
    for (QPushButton* b : {printBtn_, zavritBtn_}) b->resize(65, kBarHeight - 8);
}

void TpreviewF::placeButtons() {
    const int y = (kBarHeight - zavritBtn_->height()) / 2;
    zavritBtn_->move(width() - kCloseGap - zavritBtn_->width(), y);
    printBtn_->move(zavritBtn_->x() - kPrintGap - printBtn_->width(), y);
    printerSetupSB_->move(printBtn_->x() - kSetupGap - printerSetupSB_->width(),
                          (kBarHeight - printerSetupSB_->height()) / 2);
    pageNL_->setFixedWidth(std::max(printerSetupSB_->x() - 4 - pageNL_->x(), 0));
}

void TpreviewF::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    placeButtons();
}

void TpreviewF::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    PrintPreview_->zoomToWidth();
    zoomCB_->setCurrentIndex(kZoomWidth);
    preview_.PocetKopii = 1;
    placeButtons();
    documentChanged();
    PrintPreview_->setFocus();
}

bool TpreviewF::idle() const { return document_.isIdle() && !printing_; }

void TpreviewF::documentChanged() {
    PrintPreview_->refresh();
    const int current = PrintPreview_->currentPage();
    if (current > 0) {
        pageNL_->setText(QStringLiteral("Strana %1 z %2").arg(current).arg(PrintPreview_->pageCount()));
        pageNL_->repaint();
        aktBtn();
    } else {
        pageNL_->setText(QStringLiteral("Prázdný dokument"));
        // Nothing to move to.
        for (QToolButton* b : {firstSB_, priorSB_, nextSB_, lastSB_}) b->setEnabled(false);
    }
    printBtn_->setEnabled(idle() && current > 0);
}

void TpreviewF::aktBtn() {
    const int current = PrintPreview_->currentPage();
    const bool atLast = current >= PrintPreview_->pageCount();
    const bool atFirst = current <= 1;
    nextSB_->setEnabled(!atLast);
    lastSB_->setEnabled(!atLast);
    firstSB_->setEnabled(!atFirst);
    priorSB_->setEnabled(!atFirst);
}

void TpreviewF::firstPage() {
    if (PrintPreview_->currentPage() != 1) goToPage(1);
    aktBtn();
}

void TpreviewF::priorPage() {
    if (PrintPreview_->currentPage() > 1) goToPage(PrintPreview_->currentPage() - 1);
    aktBtn();
}

void TpreviewF::nextPage() {
    if (PrintPreview_->currentPage() < PrintPreview_->pageCount()) goToPage(PrintPreview_->currentPage() + 1);
    aktBtn();
}

void TpreviewF::lastPage() {
    if (PrintPreview_->currentPage() != PrintPreview_->pageCount()) goToPage(PrintPreview_->pageCount());
    aktBtn();
}

bool TpreviewF::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && handleKey(static_cast<QKeyEvent*>(event))) return true;
    return QDialog::eventFilter(watched, event);
}

void TpreviewF::keyPressEvent(QKeyEvent* event) {
    if (!handleKey(event)) QDialog::keyPressEvent(event);
}

// The keys of the preview wherever the focus is: the page keys turn the
// pages (they would otherwise scroll the page view or change the zoom
// list), and Enter presses the button that has the focus.
bool TpreviewF::handleKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool plain = modifiers == Qt::NoModifier;
    const bool ctrl = modifiers == Qt::ControlModifier;
    switch (event->key()) {
        case Qt::Key_PageDown:
            if (!plain) return false;
            if (PrintPreview_->currentPage() > 0) nextPage();
            return true;
        case Qt::Key_PageUp:
            if (!plain) return false;
            if (PrintPreview_->currentPage() > 0) priorPage();
            return true;
        case Qt::Key_Home:
            if (!plain && !ctrl) return false;
            if (PrintPreview_->currentPage() > 0) firstPage();
            return true;
        case Qt::Key_End:
            if (!plain && !ctrl) return false;
            if (PrintPreview_->currentPage() > 0) lastPage();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            auto* button = qobject_cast<QAbstractButton*>(focusWidget());
            if (!isEnter(*event) || !button || !button->isEnabled()) return false;
            button->click();
            return true;
        }
        default:
            return false;
    }
}

void TpreviewF::goToPage(int page) {
    PrintPreview_->setCurrentPage(page);
    documentChanged();
}

void TpreviewF::zoomChosen(int index) {
    switch (index) {
        case kZoom50: PrintPreview_->setZoom(50); break;
        case kZoom100: PrintPreview_->setZoom(100); break;
        case kZoomWidth: PrintPreview_->zoomToWidth(); break;
        case kZoomPage: PrintPreview_->zoomToFit(); break;
        case kZoom1000: PrintPreview_->setZoom(1000); break;
        default: break;
    }
    PrintPreview_->setFocus();
}

void TpreviewF::printerSetup() {
    preview_.applyPrinterDialog(
        output_.printerDialog(this, preview_.PocetStran, preview_.odStrany, preview_.doStrany, preview_.PocetKopii));
}

void TpreviewF::printDocument() {
    if (!idle()) return;
    printing_ = true;
    printBtn_->setEnabled(false);
    try {
        output_.print(document_.recorded(), preview_.odStrany, preview_.doStrany, preview_.PocetKopii);
    } catch (const std::exception& e) {
        // The platform's failure reaches the user as it was reported.
        QMessageBox::critical(this, QStringLiteral("Tisk"), QString::fromStdString(render::printFailureMessage(e)));
    }
    printing_ = false;
    documentChanged();
    PrintPreview_->setFocus();
}

}  // namespace talmorek::gui
