#include "gui/shell/ballot_art.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace talmorek::gui {
namespace {

const QColor kBlue(0x11, 0x45, 0x7e);
const QColor kBlueLight(0x3a, 0x6d, 0xa8);
const QColor kBlueDark(0x0b, 0x2f, 0x57);
const QColor kRed(0xd7, 0x14, 0x1a);
const QColor kPaper(0xfc, 0xfc, 0xf8);

void paintBallotPaper(QPainter& p) {
    // A ballot paper leaning slightly, its lower edge inside the slot.
    p.save();
    p.translate(52, 24);
    p.rotate(-8);
    const QRectF paper(-15, -20, 30, 38);
    p.setPen(QPen(kBlueDark, 1.2));
    p.setBrush(kPaper);
    p.drawRect(paper);
    p.setPen(QPen(QColor(0x9a, 0xa4, 0xb0), 1.4));
    for (int i = 0; i < 4; ++i) p.drawLine(QPointF(-4, -12 + i * 7), QPointF(11, -12 + i * 7));
    p.setPen(QPen(kBlueDark, 1.0));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 4; ++i) p.drawRect(QRectF(-11, -14.5 + i * 7, 4.5, 4.5));
    // The voter's mark.
    p.setPen(QPen(kRed, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath tick;
    tick.moveTo(-11.5, -3.5);
    tick.lineTo(-9, -0.5);
    tick.lineTo(-4.5, -8.5);
    p.drawPath(tick);
    p.restore();
}

void paintBox(QPainter& p) {
    const QPolygonF top{{QPointF(16, 46), QPointF(76, 46), QPointF(88, 36), QPointF(28, 36)}};
    const QPolygonF side{{QPointF(76, 46), QPointF(88, 36), QPointF(88, 82), QPointF(76, 93)}};
    const QRectF front(16, 46, 60, 47);

    p.setPen(QPen(kBlueDark, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QLinearGradient frontFill(front.topLeft(), front.bottomLeft());
    frontFill.setColorAt(0, kBlueLight);
    frontFill.setColorAt(1, kBlue);
    p.setBrush(frontFill);
    p.drawRect(front);
    p.setBrush(kBlueDark);
    p.drawPolygon(side);
    p.setBrush(QColor(0x5b, 0x8b, 0xc4));
    p.drawPolygon(top);

    // The slot, the paper disappearing into it.
    p.setPen(QPen(QColor(0x06, 0x1a, 0x33), 3.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(36, 41), QPointF(68, 41));

    // A white plate with a red band on the front.
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(26, 58, 40, 22), 2.5, 2.5);
    p.setBrush(kRed);
    p.drawRect(QRectF(26, 72, 40, 5));
}

}  // namespace

void paintBallotBox(QPainter& painter, const QRectF& area) {
    const double side = std::min(area.width(), area.height());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(area.center().x() - side / 2, area.center().y() - side / 2);
    painter.scale(side / 100.0, side / 100.0);
    // The part of the paper inside the box is hidden by drawing the paper
    // first, clipped at the slot, then the box over it.
    painter.save();
    painter.setClipRect(QRectF(0, 0, 100, 41));
    paintBallotPaper(painter);
    painter.restore();
    paintBox(painter);
    painter.restore();
}

QPixmap ballotLogo(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paintBallotBox(painter, QRectF(0, 0, size, size));
    return pixmap;
}

BallotPicture::BallotPicture(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Z_Obrazek_Img"));
    setMinimumSize(260, 260);
}

void BallotPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRectF all = rect();
    const double textHeight = all.height() * 0.22;
    paintBallotBox(painter, all.adjusted(0, 0, 0, -textHeight));

    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(std::max(12, static_cast<int>(textHeight * 0.28)));
    painter.setFont(font);
    painter.setPen(kBlue);
    const QRectF textArea(all.left(), all.bottom() - textHeight, all.width(), textHeight);
    painter.drawText(textArea, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                     QStringLiteral("Pořízení výsledků hlasování\nokrskovou volební komisí"));
}

}  // namespace talmorek::gui
