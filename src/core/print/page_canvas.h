#pragma once
// The current page as the layouts draw on it: a surface plus the font, pen
// and brush that the next call takes. The layouts set them and draw
// ("pen solid, width 3", then the lines), the way a page canvas keeps its
// state between calls. Each new page starts from the defaults below, so a
// layout sets what it needs at the top of every page.

#include <initializer_list>
#include <stdexcept>

#include "core/print/surface.h"

namespace talmorek::print {

class PageCanvas {
public:
    PageCanvas() = default;
    explicit PageCanvas(PageSurface& surface) : surface_(&surface) {}

    Font font;  // "Arial", 10 points, normal, variable pitch
    Pen pen;    // solid, 1
    Brush brush;  // clear

    bool hasPage() const { return surface_ != nullptr; }

    void text(int x, int y, std::string_view text) const { surface().text(x, y, text, font); }
    void line(Point from, Point to) const { surface().line(from, to, pen); }
    void polyline(std::initializer_list<Point> points) const {
        surface().polyline(std::span<const Point>(points.begin(), points.size()), pen);
    }
    void rectangle(Point topLeft, Point bottomRight) const { surface().rectangle(topLeft, bottomRight, pen, brush); }
    void ellipse(Point topLeft, Point bottomRight) const { surface().ellipse(topLeft, bottomRight, pen, brush); }

private:
    PageSurface& surface() const {
        if (surface_ == nullptr) throw std::logic_error("drawing before the first page");
        return *surface_;
    }

    PageSurface* surface_ = nullptr;
};

}  // namespace talmorek::print
