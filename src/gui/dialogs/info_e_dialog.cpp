#include "gui/dialogs/info_e_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/controls/screen_centre.h"
#include "gui/controls/text.h"

namespace talmorek::gui {

TZ_infoE_F::TZ_infoE_F(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Z_infoE_F"));
    setModal(true);

    heading_ = new QLabel(this);
    heading_->setObjectName(QStringLiteral("titulek2"));
    heading_->setAlignment(Qt::AlignCenter);
    heading_->setWordWrap(false);
    QFont bold = heading_->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.1);
    heading_->setFont(bold);

    body_ = new QLabel(this);
    body_->setObjectName(QStringLiteral("titulek3"));
    body_->setAlignment(Qt::AlignCenter);
    body_->setTextFormat(Qt::PlainText);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OK_Btn"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    odebrat_ = new QPushButton(QStringLiteral("Odebrat USB disk"), this);
    odebrat_->setObjectName(QStringLiteral("Odebrat_Btn"));
    odebrat_->setToolTip(QStringLiteral("Bezpečně odebrat USB disk"));
    odebrat_->setAutoDefault(false);
    odebrat_->hide();
    connect(odebrat_, &QPushButton::clicked, this, &TZ_infoE_F::removalRequested);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(odebrat_);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 20, 28, 14);
    layout->setSpacing(14);
    layout->addWidget(heading_);
    layout->addWidget(body_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TZ_infoE_F::showInfo(const QString& caption, const QString& heading, const QString& body) {
    setWindowTitle(caption);
    heading_->setText(withLineBreaks(heading));
    body_->setText(withLineBreaks(body));
    exec();
}

void TZ_infoE_F::setRemovalOffered(bool offered) { odebrat_->setVisible(offered); }

void TZ_infoE_F::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

}  // namespace talmorek::gui
