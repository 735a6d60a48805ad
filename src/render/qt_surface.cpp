#include "render/qt_surface.h"

#include <QFontMetricsF>
#include <QPolygonF>
#include <algorithm>

#include "render/font_resolution.h"

namespace talmorek::render {
namespace {

QPointF at(print::Point p) { return QPointF(p.x, p.y); }

Qt::PenStyle qtPenStyle(print::PenStyle style) {
    switch (style) {
        case print::PenStyle::Dash: return Qt::DashLine;
        case print::PenStyle::Dot: return Qt::DotLine;
        case print::PenStyle::DashDot: return Qt::DashDotLine;
        case print::PenStyle::DashDotDot: return Qt::DashDotDotLine;
        case print::PenStyle::Solid: break;
    }
    return Qt::SolidLine;
}

}  // namespace

void QtPageSurface::text(int x, int y, std::string_view text, const print::Font& font) {
    if (text.empty()) return;
    const QFont qfont = qtFont(font);
    painter_.setFont(qfont);
    painter_.setPen(QPen(Qt::black));
    const qreal ascent = QFontMetricsF(qfont).ascent();
    painter_.drawText(QPointF(x, y + ascent),
                      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void QtPageSurface::usePen(const print::Pen& pen) {
    // Wide lines of the forms end and meet round, as the printer driver
    // draws them; a width below one unit still leaves a hairline of 0.1 mm.
    QPen qpen(QBrush(Qt::black), std::max(pen.width, 1), qtPenStyle(pen.style), Qt::RoundCap, Qt::RoundJoin);
    painter_.setPen(qpen);
}

void QtPageSurface::useBrush(const print::Brush& brush) {
    painter_.setBrush(brush.style == print::BrushStyle::Solid ? QBrush(Qt::white) : QBrush(Qt::NoBrush));
}

void QtPageSurface::line(print::Point from, print::Point to, const print::Pen& pen) {
    usePen(pen);
    painter_.drawLine(at(from), at(to));
}

void QtPageSurface::polyline(std::span<const print::Point> points, const print::Pen& pen) {
    if (points.empty()) return;
    usePen(pen);
    QPolygonF polygon;
    for (const print::Point& p : points) polygon << at(p);
    painter_.drawPolyline(polygon);
}

void QtPageSurface::rectangle(print::Point topLeft, print::Point bottomRight, const print::Pen& pen,
                              const print::Brush& brush) {
    usePen(pen);
    useBrush(brush);
    painter_.drawRect(QRectF(at(topLeft), at(bottomRight)).normalized());
}

void QtPageSurface::ellipse(print::Point topLeft, print::Point bottomRight, const print::Pen& pen,
                            const print::Brush& brush) {
    usePen(pen);
    useBrush(brush);
    painter_.drawEllipse(QRectF(at(topLeft), at(bottomRight)).normalized());
}

void renderPage(QPainter& painter, const print::RecordedPage& page) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QtPageSurface surface(painter);
    print::replay(page, surface);
    painter.restore();
}

}  // namespace talmorek::render
