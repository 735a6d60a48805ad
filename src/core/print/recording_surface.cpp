#include "core/print/recording_surface.h"

namespace talmorek::print {

void RecordingSurface::text(int x, int y, std::string_view text, const Font& font) {
    page_->calls.emplace_back(TextCall{x, y, font, std::string(text)});
}

void RecordingSurface::line(Point from, Point to, const Pen& pen) {
    page_->calls.emplace_back(LineCall{from, to, pen});
}

void RecordingSurface::polyline(std::span<const Point> points, const Pen& pen) {
    page_->calls.emplace_back(PolylineCall{{points.begin(), points.end()}, pen});
}

void RecordingSurface::rectangle(Point topLeft, Point bottomRight, const Pen& pen, const Brush& brush) {
    page_->calls.emplace_back(RectangleCall{topLeft, bottomRight, pen, brush});
}

void RecordingSurface::ellipse(Point topLeft, Point bottomRight, const Pen& pen, const Brush& brush) {
    page_->calls.emplace_back(EllipseCall{topLeft, bottomRight, pen, brush});
}

}  // namespace talmorek::print
