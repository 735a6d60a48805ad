#pragma once
// The drawing vocabulary of every printout: what a page can be asked to draw,
// and how wide a text comes out.
//
// Positions are whole tenths of a millimetre on an A4 sheet, measured from
// its top-left corner, x to the right and y downwards. A text is placed by the
// top-left corner of its character cell, so its baseline lies one ascent
// below y. Every call carries its complete font, pen or brush, so a page is a
// list of self-contained calls that can be recorded, compared and replayed on
// any device.

#include <span>
#include <string>
#include <string_view>

namespace talmorek::print {

// The layouts draw one style at a time (a style code selects exactly one),
// but a renderer must honour any combination.
struct FontStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool operator==(const FontStyle&) const = default;
};

// A hint for the font matcher; the family name decides the face.
enum class Pitch { Variable, Fixed };

// The drawing font; its colour is always black.
struct Font {
    // "Arial" or "Courier New", each with the station's suffix (" CE"
    // names the Central European variants of older printers).
    std::string name = "Arial";
    int size = 10;  // points
    FontStyle style;
    Pitch pitch = Pitch::Variable;
    bool operator==(const Font&) const = default;
};

// The character (em) height of a font size in tenths of a millimetre. The
// printouts were laid out with the font's pixels-per-inch fixed at 96 on a
// surface whose unit is 0.1 mm, so a point gives 96/72 units, rounded with
// halves away from zero: 24 -> 32, 26 -> 35, 32 -> 43. A renderer on a
// 254-dpi device (one pixel = 0.1 mm) uses it as the font's pixel size.
constexpr int emHeight(int size) {
    const int scaled = size * 96;
    const int whole = scaled / 72;
    const int rest = scaled % 72;
    if (2 * rest >= 72) return whole + 1;
    if (2 * rest <= -72) return whole - 1;
    return whole;
}

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot };

// Lines are black; the width is in tenths of a millimetre.
struct Pen {
    int width = 1;
    PenStyle style = PenStyle::Solid;
    bool operator==(const Pen&) const = default;
};

// How the inside of a rectangle or ellipse is painted. Clear leaves what was
// drawn before visible, which the forms rely on: their boxes are drawn after
// the captions and values that stand inside them. Solid paints white.
enum class BrushStyle { Clear, Solid };

struct Brush {
    BrushStyle style = BrushStyle::Clear;
    bool operator==(const Brush&) const = default;
};

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// One page to draw on. Implementations: the recording surface of the core
// (the page model that preview, printer and PDF replay) and a painter-backed
// replay in the program.
class PageSurface {
public:
    virtual ~PageSurface() = default;

    // `text` is UTF-8; an empty text draws nothing but is a call all the same.
    virtual void text(int x, int y, std::string_view text, const Font& font) = 0;
    virtual void line(Point from, Point to, const Pen& pen) = 0;
    // An open path through the points in order.
    virtual void polyline(std::span<const Point> points, const Pen& pen) = 0;
    // Outline on the rectangle spanned by the two corners, inside by `brush`.
    virtual void rectangle(Point topLeft, Point bottomRight, const Pen& pen, const Brush& brush) = 0;
    // The ellipse inscribed in the rectangle spanned by the two corners.
    virtual void ellipse(Point topLeft, Point bottomRight, const Pen& pen, const Brush& brush) = 0;
};

// Advance widths for centring, right alignment, dotted fills and line
// breaking. It must agree with the renderer that draws the pages: same family,
// style and em height (`emHeight(font.size)`).
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    // The advance width of the UTF-8 `text` in `font`, in tenths of a millimetre.
    virtual int width(std::string_view text, const Font& font) const = 0;
};

}  // namespace talmorek::print
