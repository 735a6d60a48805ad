#include "gui/entry/message_dialog.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "gui/controls/platform_beep.h"
#include "gui/controls/design_pixels.h"
#include "gui/controls/screen_centre.h"

namespace talmorek::gui {
namespace {

constexpr int kClientWidth = 678;
constexpr int kClientHeight = 140;
constexpr int kFrameWidth = 5;

QLabel* makeLabel(QWidget* parent, const char* name, int designWidth) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    label->setTextFormat(Qt::PlainText);
    label->setFont(designFont(*parent, "Arial", 16, true));
    label->setFixedWidth(designPixels(*parent, designWidth));
    return label;
}

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

}  // namespace

THlaskaF::THlaskaF(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("HlaskaF"));
    setWindowTitle(QStringLiteral("Pořízení dat"));
    setModal(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    setAutoFillBackground(true);

    chybaL_ = makeLabel(this, "ChybaL", 369);
    hlaskaL_ = makeLabel(this, "HlaskaL", 662);
    hlaskaL_->setWordWrap(true);

    // Glyphs: back to the field to fix it, or forward past the finding
    // (a tick where the commission confirms it).
    opravitBtn_ = new QPushButton(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("&Opravit"), this);
    opravitBtn_->setObjectName(QStringLiteral("OpravitBtn"));
    ignorovatBtn_ = new QPushButton(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("&Ignorovat"), this);
    ignorovatBtn_->setObjectName(QStringLiteral("IgnorovatBtn"));
    // Both buttons stay auto-default: Enter presses the one that has the
    // focus, as Space does, and nothing else in the dialog takes Enter.
    for (QPushButton* button : {opravitBtn_, ignorovatBtn_}) {
        button->setAutoDefault(true);
        button->setMinimumWidth(designPixels(*this, 105));
    }
    setTabOrder(opravitBtn_, ignorovatBtn_);
    connect(opravitBtn_, &QPushButton::clicked, this, [this] {
        opravit_ = true;
        accept();
    });
    connect(ignorovatBtn_, &QPushButton::clicked, this, [this] {
        opravit_ = false;
        accept();
    });

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(designPixels(*this, 16));
    buttons->addStretch(1);
    buttons->addWidget(opravitBtn_);
    buttons->addWidget(ignorovatBtn_);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    const int margin = designPixels(*this, 8);
    layout->setContentsMargins(margin, designPixels(*this, 12), margin, designPixels(*this, 12));
    layout->setSpacing(designPixels(*this, 6));
    layout->addWidget(chybaL_, 0, Qt::AlignHCenter);
    layout->addWidget(hlaskaL_, 1, Qt::AlignHCenter);
    layout->addLayout(buttons);
    setFixedSize(designPixels(*this, kClientWidth), designPixels(*this, kClientHeight));
}

void THlaskaF::setMessage(const checks::FieldMessage& message) {
    aktColor_ = QColor(message.warning ? kBlue : kRed);
    chybaL_->setText(QString::fromStdString(message.heading));
    hlaskaL_->setText(QString::fromStdString(message.text));
    setTextColour(chybaL_, aktColor_);
    setTextColour(hlaskaL_, aktColor_);
    ignorovatBtn_->setText(QString::fromStdString(message.secondButton()));
    ignorovatBtn_->setIcon(style()->standardIcon(message.confirms ? QStyle::SP_DialogApplyButton
                                                                     : QStyle::SP_ArrowForward));
    update();
}

bool THlaskaF::UkazHlasku() {
    if (isVisible()) return false;
    exec();
    return opravit_;
}

void THlaskaF::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    opravit_ = true;
    opravitBtn_->setFocus(Qt::OtherFocusReason);
    centreOnScreen(*this);
    beep();
}

void THlaskaF::keyPressEvent(QKeyEvent* event) {
    if (!(event->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier))) {
        for (QPushButton* button : {opravitBtn_, ignorovatBtn_}) {
            const QKeySequence mnemonic = QKeySequence::mnemonic(button->text());
            if (!mnemonic.isEmpty() && mnemonic[0].key() == event->key()) {
                event->accept();
                button->click();
                return;
            }
        }
    }
    QDialog::keyPressEvent(event);
}

void THlaskaF::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    // Drawn with every paint, so the frame survives the dialog being covered.
    QPainter painter(this);
    // The pen is centred on the rectangle: inset by half its width, the
    // whole frame lies inside the dialog instead of half of it beyond the edge.
    const qreal pen = designPixels(*this, kFrameWidth);
    painter.setPen(QPen(aktColor_, pen));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(pen / 2, pen / 2, width() - pen, height() - pen));
}

}  // namespace talmorek::gui
