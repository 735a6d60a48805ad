// The renderer replays recorded calls where they belong: drawn onto an
// image at one pixel per unit, the ink is found where the calls put it.

#include "render/qt_surface.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>

#include "render/font_resolution.h"
#include "render/qt_text_measure.h"
#include "core/print/recording_surface.h"

namespace talmorek::render {
namespace {

// Pixels darker than mid-grey within a rectangle.
struct Ink {
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1, count = 0;
};

Ink inkIn(const QImage& image, QRect area) {
    Ink ink;
    area = area.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                ++ink.count;
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
            }
    return ink;
}

class Renderer : public ::testing::Test {
protected:
    // A page area of 1000 x 1000 units at one pixel per unit.
    QImage render() {
        QImage image(1000, 1000, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        renderPage(painter, page);
        return image;
    }

    print::RecordedPage page;
    print::RecordingSurface surface{page};
};

print::Font arial(int size) {
    print::Font f;
    f.size = size;
    return f;
}

TEST_F(Renderer, TextStandsOnTheTopLeftCornerOfItsCell) {
    const print::Font f = arial(72);  // em 96
    surface.text(300, 400, "HHHH", f);
    const QImage image = render();
    const Ink ink = inkIn(image, image.rect());
    ASSERT_GT(ink.count, 0);
    const QFontMetricsF metrics(qtFont(f));
    // The baseline is one ascent below y; capitals stand on it and reach up
    // to their cap height.
    EXPECT_NEAR(ink.bottom + 1, 400 + metrics.ascent(), 1.5);
    EXPECT_NEAR(ink.top, 400 + metrics.ascent() - metrics.capHeight(), 1.5);
    // Across the measured width, less the side bearings of H.
    EXPECT_NEAR(ink.left, 300 + metrics.leftBearing(QChar('H')), 1.5);
    EXPECT_NEAR(ink.right + 1, 300 + QtTextMeasure().width("HHHH", f) - metrics.rightBearing(QChar('H')), 1.5);
}

TEST_F(Renderer, LinesAndPolylinesUseTheirPenWidth) {
    surface.line({100, 200}, {900, 200}, print::Pen{10, print::PenStyle::Solid});
    const print::Point path[] = {{100, 500}, {500, 500}, {500, 900}};
    surface.polyline(path, print::Pen{4, print::PenStyle::Solid});
    const QImage image = render();
    const Ink line = inkIn(image, QRect(150, 150, 700, 100));
    EXPECT_NEAR(line.top, 195, 1);
    EXPECT_NEAR(line.bottom, 204, 1);
    EXPECT_EQ(inkIn(image, QRect(0, 300, 1000, 150)).count, 0);
    const Ink vertical = inkIn(image, QRect(400, 600, 200, 200));
    EXPECT_NEAR(vertical.left, 498, 1);
    EXPECT_NEAR(vertical.right, 501, 1);
    EXPECT_EQ(inkIn(image, QRect(100, 600, 300, 300)).count, 0) << "an open path is not closed";
}

TEST_F(Renderer, ClearBrushKeepsWhatIsInsideAndSolidBrushPaintsWhite) {
    surface.text(150, 150, "AAA", arial(32));
    surface.rectangle({100, 100}, {400, 300}, print::Pen{3, print::PenStyle::Solid}, print::Brush{});
    surface.text(650, 150, "AAA", arial(32));
    surface.ellipse({600, 100}, {900, 300}, print::Pen{3, print::PenStyle::Solid},
                    print::Brush{print::BrushStyle::Solid});
    const QImage image = render();
    EXPECT_GT(inkIn(image, QRect(140, 140, 150, 60)).count, 50) << "text inside the clear rectangle";
    EXPECT_EQ(inkIn(image, QRect(640, 140, 150, 60)).count, 0) << "text under the solid ellipse";
    const Ink frame = inkIn(image, QRect(0, 0, 500, 500));
    EXPECT_NEAR(frame.left, 98, 1);
    EXPECT_NEAR(frame.bottom, 301, 1);
    const Ink oval = inkIn(image, QRect(500, 0, 500, 500));
    EXPECT_NEAR(oval.left, 598, 1);
    EXPECT_NEAR(oval.right, 901, 1);
}

TEST_F(Renderer, EmptyTextDrawsNothing) {
    surface.text(100, 100, "", arial(32));
    EXPECT_EQ(inkIn(render(), QRect(0, 0, 1000, 1000)).count, 0);
}

}  // namespace
}  // namespace talmorek::render
