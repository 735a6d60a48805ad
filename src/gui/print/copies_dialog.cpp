#include "gui/print/copies_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/platform/window_hints.h"
#include "gui/controls/s_edit.h"
#include "gui/controls/screen_centre.h"
#include "core/print/copies.h"

namespace talmorek::gui {
namespace {

QLabel* boldLabel(const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignCenter);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

}  // namespace

TZ_PocetKopii_F::TZ_PocetKopii_F(QWidget* parent)
    // A title bar without buttons: the dialog is answered, not dismissed.
    : QDialog(parent, dialogHints(DialogButtons::None)) {
    setObjectName(QStringLiteral("Z_PocetKopii_F"));
    setWindowTitle(QStringLiteral("Tisk zápisu"));
    setModal(true);

    QLabel* prompt = boldLabel(QStringLiteral("Zadejte počet kopií při tisku zápisu T/4:"), "Label1", this);
    QLabel* atLeastOnce = boldLabel(QStringLiteral("(bude automaticky vytištěno min. 1krát)"), "Label2", this);

    field_ = new TSEdit(this);
    field_->setObjectName(QStringLiteral("Z_PocetKopii_SE"));
    field_->setMaxLength(1);
    field_->setUnfocusedAlignment(Qt::AlignHCenter);
    // The digit stays in the middle while it is typed too, where an entry
    // field would move its text to the left edge.
    connect(field_, &TSEdit::entered, this, [this] { field_->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter); });
    // Wide enough for one digit and the frame, no wider.
    field_->setFixedWidth(field_->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 3 + 12);
    // Enter in the field moves on to "OK", as in every field; Enter there prints.

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Z_PKOK_Btn"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TZ_PocetKopii_F::confirm);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 14);
    layout->setSpacing(10);
    layout->addWidget(prompt);
    layout->addWidget(field_, 0, Qt::AlignHCenter);
    layout->addWidget(atLeastOnce);
    layout->addSpacing(4);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TZ_PocetKopii_F::showEvent(QShowEvent* event) {
    // Every showing starts afresh with two copies offered.
    field_->setValue(QString::number(print::kVychoziPocetKopii));
    pocetKopii_ = print::kVychoziPocetKopii;
    QDialog::showEvent(event);
    centreOnScreen(*this);
    field_->setFocus(Qt::OtherFocusReason);
}

void TZ_PocetKopii_F::confirm() {
    const print::PocetKopii result = print::potvrdPocetKopii(field_->text().toStdString());
    field_->setValue(QString::fromStdString(result.shown));
    pocetKopii_ = result.copies;
    accept();
}

int askPocetKopii(QWidget* parent) {
    TZ_PocetKopii_F dialog(parent);
    dialog.exec();
    return dialog.pocetKopii();
}

}  // namespace talmorek::gui
