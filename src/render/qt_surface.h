#pragma once
// The one renderer of printed pages: it replays the recorded drawing calls
// of a page on a QPainter, whatever the painter draws on (the preview's
// widget, a printer, a PDF writer, an image in a test). The caller sets the
// painter up so that one unit is a tenth of a millimetre with the origin at
// the sheet's top-left corner.

#include <QPainter>

#include "core/print/recorded_page.h"
#include "core/print/surface.h"

namespace talmorek::render {

class QtPageSurface : public print::PageSurface {
public:
    explicit QtPageSurface(QPainter& painter) : painter_(painter) {}

    // A text stands on the top-left corner of its character cell: the
    // baseline lies one ascent of the font below y.
    void text(int x, int y, std::string_view text, const print::Font& font) override;
    void line(print::Point from, print::Point to, const print::Pen& pen) override;
    void polyline(std::span<const print::Point> points, const print::Pen& pen) override;
    void rectangle(print::Point topLeft, print::Point bottomRight, const print::Pen& pen,
                   const print::Brush& brush) override;
    void ellipse(print::Point topLeft, print::Point bottomRight, const print::Pen& pen,
                 const print::Brush& brush) override;

private:
    void usePen(const print::Pen& pen);
    void useBrush(const print::Brush& brush);

    QPainter& painter_;
};

// Draws every call of `page`; the painter's state is restored afterwards.
void renderPage(QPainter& painter, const print::RecordedPage& page);

}  // namespace talmorek::render
