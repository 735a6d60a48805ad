#include "gui/shell/help_window.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QScrollBar>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "gui/platform/help.h"
#include "gui/platform/window_hints.h"
#include "gui/controls/screen_centre.h"

// The help pages are a resource of the static app library; such resources
// are registered explicitly.
static void registerHelpResources() { Q_INIT_RESOURCE(talmorek); }

namespace talmorek::gui {

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent, dialogHints(DialogButtons::MaximiseClose)) {
    registerHelpResources();
    setObjectName(QStringLiteral("Napoveda_F"));
    setWindowTitle(QStringLiteral("Nápověda"));
    setModal(false);
    resize(640, 560);

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("Napoveda_TB"));
    browser_->setOpenExternalLinks(false);
    browser_->setSource(QUrl(QStringLiteral("qrc:/help/napoveda.html")));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QStringLiteral("Zavřít"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("Napoveda_Zavrit_Btn"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_);
    layout->addWidget(buttons);
}

void HelpWindow::showContents() { showTopic(0); }

void HelpWindow::showTopic(int helpContext) {
    QString anchor;
    switch (helpContext) {
        case kHelpPrinting: anchor = QStringLiteral("tisk"); break;
        case kHelpEntry: anchor = QStringLiteral("klavesy"); break;
        case kHelpExport: anchor = QStringLiteral("export"); break;
        default: break;
    }
    QUrl page(QStringLiteral("qrc:/help/napoveda.html"));
    if (!anchor.isEmpty()) page.setFragment(anchor);
    browser_->setSource(page);
    if (anchor.isEmpty()) browser_->verticalScrollBar()->setValue(0);

    const QWidget* modal = QApplication::activeModalWidget();
    const Qt::WindowModality modality = modal && modal != this ? Qt::ApplicationModal : Qt::NonModal;
    if (windowModality() != modality) {
        // Modality changes only while the window is hidden.
        hide();
        setWindowModality(modality);
    }
    if (!isVisible()) {
        show();
        centreOnScreen(*this);
    }
    raise();
    activateWindow();
}

}  // namespace talmorek::gui
