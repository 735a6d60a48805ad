#include "gui/shell/date_time_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "gui/controls/screen_centre.h"
#include "core/print/print_state.h"

namespace talmorek::gui {
namespace {

QLabel* line(const QString& text, const QString& colour, double scale, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * scale);
    label->setFont(f);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, QColor(colour));
    label->setPalette(p);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel* value(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

}  // namespace

TZ_Info_F::TZ_Info_F(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      clock_(data::systemClock()) {
    setObjectName(QStringLiteral("Z_Info_F"));
    setWindowTitle(QStringLiteral("Informace"));
    setModal(true);

    datum_ = value("Datum_LBL", this);
    cas_ = value("Cas_LBL", this);
    auto* clockGrid = new QGridLayout;
    clockGrid->addWidget(new QLabel(QStringLiteral("Datum:"), this), 0, 0, Qt::AlignRight);
    clockGrid->addWidget(datum_, 0, 1, Qt::AlignLeft);
    clockGrid->addWidget(new QLabel(QStringLiteral("Čas:"), this), 1, 0, Qt::AlignRight);
    clockGrid->addWidget(cas_, 1, 1, Qt::AlignLeft);

    auto* clockRow = new QHBoxLayout;
    clockRow->addStretch(1);
    clockRow->addLayout(clockGrid);
    clockRow->addStretch(1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setObjectName(QStringLiteral("Z_OK_Btn"));
    ok_->setText(QStringLiteral("OK"));
    ok_->setDefault(true);
    buttons->setCenterButtons(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 14);
    layout->setSpacing(8);
    layout->addLayout(clockRow);
    layout->addSpacing(10);
    layout->addWidget(line(QStringLiteral("Zkontrolujte zobrazený datum a čas s aktuálním,"), "#c00000", 1.0, this));
    layout->addWidget(line(QStringLiteral("v případě zjištění rozdílu si datum a čas před zpracováním upravte,"),
                           "#000000", 0.85, this));
    layout->addWidget(line(QStringLiteral("tyto údaje jsou součástí zápisu."), "#c00000", 1.0, this));
    layout->addSpacing(8);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("datumCasTimer"));
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, &TZ_Info_F::datumCasTimerTimer);
}

void TZ_Info_F::datumCasTimerTimer() {
    const data::LocalDateTime now = clock_->now();
    datum_->setText(QString::fromStdString(print::dateText(now)));
    cas_->setText(QString::fromStdString(print::timeText(now)));
}

void TZ_Info_F::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen(*this);
    datumCasTimerTimer();
    timer_->start();
}

// However the dialog goes away (OK, close box, Escape), the clock stops:
// it runs only while the dialog is visible.
void TZ_Info_F::hideEvent(QHideEvent* event) {
    timer_->stop();
    QDialog::hideEvent(event);
}

}  // namespace talmorek::gui
