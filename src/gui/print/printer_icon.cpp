#include "gui/print/printer_icon.h"

#include <QPainter>
#include <QPixmap>

namespace talmorek::gui {
namespace {

// A printer seen from the front: the sheet waiting at the back, the body,
// and a printed sheet coming out at the front. Drawn on a 24-unit grid.
QPixmap printerPixmap(int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 24.0, side / 24.0);
    const QColor outline(0x30, 0x36, 0x40);
    p.setPen(QPen(outline, 1.2));

    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 2.5, 11, 7));  // paper at the back

    p.setBrush(QColor(0x8a, 0x95, 0xa5));
    p.drawRoundedRect(QRectF(2.5, 8.5, 19, 9), 1.5, 1.5);  // body
    p.setBrush(QColor(0x4c, 0xc2, 0x4c));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(18.5, 11.5), 1.1, 1.1);  // power light

    p.setPen(QPen(outline, 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 14.5, 11, 7.5));  // printed sheet
    p.setPen(QPen(QColor(0x70, 0x78, 0x84), 1.0));
    for (double y : {17.0, 19.0}) p.drawLine(QPointF(8.5, y), QPointF(15.5, y));
    return pixmap;
}

}  // namespace

QIcon printerIcon() {
    QIcon icon;
    for (int side : {16, 24, 32, 48}) icon.addPixmap(printerPixmap(side));
    return icon;
}

}  // namespace talmorek::gui
