#pragma once
// A page surface that keeps every call as data (see recorded_page.h).

#include "core/print/recorded_page.h"
#include "core/print/surface.h"

namespace talmorek::print {

class RecordingSurface : public PageSurface {
public:
    // Appends to `page`, which must outlive the surface.
    explicit RecordingSurface(RecordedPage& page) : page_(&page) {}

    void text(int x, int y, std::string_view text, const Font& font) override;
    void line(Point from, Point to, const Pen& pen) override;
    void polyline(std::span<const Point> points, const Pen& pen) override;
    void rectangle(Point topLeft, Point bottomRight, const Pen& pen, const Brush& brush) override;
    void ellipse(Point topLeft, Point bottomRight, const Pen& pen, const Brush& brush) override;

    RecordedPage& page() const { return *page_; }
    void retarget(RecordedPage& page) { page_ = &page; }

private:
    RecordedPage* page_;
};

}  // namespace talmorek::print
