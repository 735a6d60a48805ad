#include "gui/shell/help_window.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "gui/shell/screen_centre.h"

// The help pages are a resource of the static app library; such resources
// are registered explicitly.
static void registerHelpResources() { Q_INIT_RESOURCE(talmorek); }

namespace talmorek::gui {

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
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

void HelpWindow::showContents() {
    browser_->home();
    browser_->scrollToAnchor(QString());
    if (!isVisible()) {
        show();
        centreOnScreen(*this);
    }
    raise();
    activateWindow();
}

}  // namespace talmorek::gui
