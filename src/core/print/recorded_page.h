#pragma once
// A printed page as data: the drawing calls in the order they were made.
//
// This is the page model of the whole printing subsystem. The preview shows
// it, the printer and the PDF writer replay it, and tests compare its text
// form with golden files, so what is previewed is what is printed and a
// change of layout shows up as a readable diff.
//
// Text form, one call a line, every number an integer in tenths of a
// millimetre, texts UTF-8 in double quotes with \" \\ and \xHH escapes:
//
//   document title="VOLBY"
//   p1 page portrait
//   p1 text x=200 y=150 font="Arial" size=24 style=B pitch=V "ZÁPIS"
//   p1 line x1=170 y1=100 x2=230 y2=100 pen=2/solid
//   p1 polyline points=1900,800;1900,550;1650,550 pen=8/solid
//   p1 rect x1=200 y1=700 x2=1900 y2=1200 pen=3/solid brush=clear
//   p1 ellipse x1=190 y1=990 x2=250 y2=1050 pen=3/solid brush=clear
//
// style is N (normal) or any of B I U S (bold, italic, underline,
// strikeout); pitch is V (variable) or F (fixed); pen styles are solid,
// dash, dot, dashdot, dashdotdot; brush is clear or solid.

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/print/document.h"
#include "core/print/surface.h"

namespace talmorek::print {

struct TextCall {
    int x = 0;
    int y = 0;
    Font font;
    std::string text;
    bool operator==(const TextCall&) const = default;
};

struct LineCall {
    Point from;
    Point to;
    Pen pen;
    bool operator==(const LineCall&) const = default;
};

struct PolylineCall {
    std::vector<Point> points;
    Pen pen;
    bool operator==(const PolylineCall&) const = default;
};

struct RectangleCall {
    Point topLeft;
    Point bottomRight;
    Pen pen;
    Brush brush;
    bool operator==(const RectangleCall&) const = default;
};

struct EllipseCall {
    Point topLeft;
    Point bottomRight;
    Pen pen;
    Brush brush;
    bool operator==(const EllipseCall&) const = default;
};

using DrawCall = std::variant<TextCall, LineCall, PolylineCall, RectangleCall, EllipseCall>;

struct RecordedPage {
    Orientation orientation = Orientation::Portrait;
    std::vector<DrawCall> calls;
    bool operator==(const RecordedPage&) const = default;
};

struct RecordedDocument {
    std::string title = kDefaultJobTitle;
    std::vector<RecordedPage> pages;
    bool operator==(const RecordedDocument&) const = default;
};

// Replays every call of `page` onto `surface`, in order.
void replay(const RecordedPage& page, PageSurface& surface);

// The text form above; `pageNumber` is 1-based. Every line ends with "\n".
std::string toText(const RecordedPage& page, int pageNumber);
std::string toText(const RecordedDocument& document);

// Reads the text form back. A line that does not have it raises
// data::FormatError with the 0-based line index as its position
// (unit Record) and an empty file name.
RecordedDocument parseRecordedDocument(std::string_view text);

}  // namespace talmorek::print
