#include "core/print/recorded_page.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <optional>
#include <utility>

#include "core/data/errors.h"

namespace talmorek::print {
namespace {

constexpr std::array<std::pair<PenStyle, std::string_view>, 5> kPenStyles{{
    {PenStyle::Solid, "solid"},
    {PenStyle::Dash, "dash"},
    {PenStyle::Dot, "dot"},
    {PenStyle::DashDot, "dashdot"},
    {PenStyle::DashDotDot, "dashdotdot"},
}};

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string styleText(const FontStyle& s) {
    std::string out;
    if (s.bold) out += 'B';
    if (s.italic) out += 'I';
    if (s.underline) out += 'U';
    if (s.strikeOut) out += 'S';
    return out.empty() ? "N" : out;
}

std::string penText(const Pen& pen) {
    std::string_view style;
    for (const auto& [value, name] : kPenStyles)
        if (value == pen.style) style = name;
    return "pen=" + std::to_string(pen.width) + "/" + std::string(style);
}

std::string brushText(const Brush& brush) {
    return brush.style == BrushStyle::Clear ? "brush=clear" : "brush=solid";
}

std::string box(Point a, Point b) {
    return "x1=" + std::to_string(a.x) + " y1=" + std::to_string(a.y) + " x2=" + std::to_string(b.x) +
           " y2=" + std::to_string(b.y);
}

struct CallText {
    std::string operator()(const TextCall& c) const {
        return "text x=" + std::to_string(c.x) + " y=" + std::to_string(c.y) + " font=" + quoted(c.font.name) +
               " size=" + std::to_string(c.font.size) + " style=" + styleText(c.font.style) +
               " pitch=" + (c.font.pitch == Pitch::Fixed ? "F" : "V") + " " + quoted(c.text);
    }
    std::string operator()(const LineCall& c) const { return "line " + box(c.from, c.to) + " " + penText(c.pen); }
    std::string operator()(const PolylineCall& c) const {
        std::string points;
        for (const Point& p : c.points) {
            if (!points.empty()) points += ';';
            points += std::to_string(p.x) + "," + std::to_string(p.y);
        }
        return "polyline points=" + points + " " + penText(c.pen);
    }
    std::string operator()(const RectangleCall& c) const {
        return "rect " + box(c.topLeft, c.bottomRight) + " " + penText(c.pen) + " " + brushText(c.brush);
    }
    std::string operator()(const EllipseCall& c) const {
        return "ellipse " + box(c.topLeft, c.bottomRight) + " " + penText(c.pen) + " " + brushText(c.brush);
    }
};

struct Replay {
    PageSurface& surface;
    void operator()(const TextCall& c) const { surface.text(c.x, c.y, c.text, c.font); }
    void operator()(const LineCall& c) const { surface.line(c.from, c.to, c.pen); }
    void operator()(const PolylineCall& c) const { surface.polyline(c.points, c.pen); }
    void operator()(const RectangleCall& c) const { surface.rectangle(c.topLeft, c.bottomRight, c.pen, c.brush); }
    void operator()(const EllipseCall& c) const { surface.ellipse(c.topLeft, c.bottomRight, c.pen, c.brush); }
};

// ---- reading the text form back ----

[[noreturn]] void fail(std::size_t line, const std::string& what) {
    throw data::FormatError("", static_cast<long long>(line), "recorded page, line " + std::to_string(line + 1) + ": " + what,
                            data::FormatError::Unit::Record);
}

// One token of a call line: `key=value`, `key="quoted"`, a bare word or a
// bare quoted text (key empty).
struct Token {
    std::string key;
    std::string value;
};

class LineReader {
public:
    LineReader(std::string_view line, std::size_t index) : line_(line), index_(index) {}

    std::vector<Token> tokens() {
        std::vector<Token> out;
        while (skipBlanks()) {
            Token t;
            if (line_[pos_] == '"') {
                t.value = quotedText();
            } else {
                const std::size_t start = pos_;
                while (pos_ < line_.size() && line_[pos_] != ' ' && line_[pos_] != '=') ++pos_;
                std::string word(line_.substr(start, pos_ - start));
                if (pos_ < line_.size() && line_[pos_] == '=') {
                    ++pos_;
                    t.key = std::move(word);
                    t.value = (pos_ < line_.size() && line_[pos_] == '"') ? quotedText() : bareWord();
                } else {
                    t.value = std::move(word);
                }
            }
            out.push_back(std::move(t));
        }
        return out;
    }

private:
    bool skipBlanks() {
        while (pos_ < line_.size() && line_[pos_] == ' ') ++pos_;
        return pos_ < line_.size();
    }
    std::string bareWord() {
        const std::size_t start = pos_;
        while (pos_ < line_.size() && line_[pos_] != ' ') ++pos_;
        return std::string(line_.substr(start, pos_ - start));
    }
    std::string quotedText() {
        std::string out;
        ++pos_;  // opening quote
        while (pos_ < line_.size() && line_[pos_] != '"') {
            char c = line_[pos_++];
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= line_.size()) fail(index_, "escape at the end of the line");
            c = line_[pos_++];
            if (c == '"' || c == '\\') {
                out += c;
            } else if (c == 'x' && pos_ + 2 <= line_.size()) {
                unsigned value = 0;
                auto [end, ec] = std::from_chars(line_.data() + pos_, line_.data() + pos_ + 2, value, 16);
                if (ec != std::errc{} || end != line_.data() + pos_ + 2) fail(index_, "bad \\x escape");
                out += static_cast<char>(value);
                pos_ += 2;
            } else {
                fail(index_, "unknown escape");
            }
        }
        if (pos_ >= line_.size()) fail(index_, "unterminated text");
        ++pos_;  // closing quote
        return out;
    }

    std::string_view line_;
    std::size_t index_;
    std::size_t pos_ = 0;
};

class CallParser {
public:
    CallParser(std::vector<Token> tokens, std::size_t index) : tokens_(std::move(tokens)), index_(index) {}

    std::string value(std::string_view key) const {
        for (const Token& t : tokens_)
            if (t.key == key) return t.value;
        fail(index_, "missing " + std::string(key));
    }
    int number(std::string_view key) const { return toInt(value(key)); }
    Point point(std::string_view x, std::string_view y) const { return {number(x), number(y)}; }
    // The one bare quoted text of a text call: the last token.
    std::string text() const {
        if (tokens_.empty() || !tokens_.back().key.empty()) fail(index_, "missing text");
        return tokens_.back().value;
    }

    int toInt(std::string_view s) const {
        int v = 0;
        auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
        if (ec != std::errc{} || end != s.data() + s.size()) fail(index_, "not a number: " + std::string(s));
        return v;
    }

    Pen pen() const {
        const std::string v = value("pen");
        const auto slash = v.find('/');
        if (slash == std::string::npos) fail(index_, "pen without style");
        Pen pen;
        pen.width = toInt(std::string_view(v).substr(0, slash));
        const std::string_view style = std::string_view(v).substr(slash + 1);
        for (const auto& [s, name] : kPenStyles) {
            if (name == style) {
                pen.style = s;
                return pen;
            }
        }
        fail(index_, "unknown pen style " + std::string(style));
    }

    Brush brush() const {
        const std::string v = value("brush");
        if (v == "clear") return Brush{BrushStyle::Clear};
        if (v == "solid") return Brush{BrushStyle::Solid};
        fail(index_, "unknown brush " + v);
    }

    Font font() const {
        Font f;
        f.name = value("font");
        f.size = number("size");
        const std::string style = value("style");
        if (style != "N") {
            for (char c : style) {
                if (c == 'B') f.style.bold = true;
                else if (c == 'I') f.style.italic = true;
                else if (c == 'U') f.style.underline = true;
                else if (c == 'S') f.style.strikeOut = true;
                else fail(index_, "unknown style " + style);
            }
        }
        const std::string pitch = value("pitch");
        if (pitch != "V" && pitch != "F") fail(index_, "unknown pitch " + pitch);
        f.pitch = pitch == "F" ? Pitch::Fixed : Pitch::Variable;
        return f;
    }

    std::vector<Point> points() const {
        std::vector<Point> out;
        const std::string all = value("points");
        std::string_view rest = all;
        while (!rest.empty()) {
            const auto semi = rest.find(';');
            const std::string_view pair = rest.substr(0, semi);
            const auto comma = pair.find(',');
            if (comma == std::string_view::npos) fail(index_, "bad point");
            out.push_back({toInt(pair.substr(0, comma)), toInt(pair.substr(comma + 1))});
            rest = semi == std::string_view::npos ? std::string_view{} : rest.substr(semi + 1);
        }
        return out;
    }

    DrawCall call(std::string_view kind) const {
        if (kind == "text") return TextCall{number("x"), number("y"), font(), text()};
        if (kind == "line") return LineCall{point("x1", "y1"), point("x2", "y2"), pen()};
        if (kind == "polyline") return PolylineCall{points(), pen()};
        if (kind == "rect") return RectangleCall{point("x1", "y1"), point("x2", "y2"), pen(), brush()};
        if (kind == "ellipse") return EllipseCall{point("x1", "y1"), point("x2", "y2"), pen(), brush()};
        fail(index_, "unknown call " + std::string(kind));
    }

private:
    std::vector<Token> tokens_;
    std::size_t index_;
};

}  // namespace

void replay(const RecordedPage& page, PageSurface& surface) {
    for (const DrawCall& call : page.calls) std::visit(Replay{surface}, call);
}

std::string toText(const RecordedPage& page, int pageNumber) {
    const std::string prefix = "p" + std::to_string(pageNumber) + " ";
    std::string out =
        prefix + "page " + (page.orientation == Orientation::Portrait ? "portrait" : "landscape") + "\n";
    for (const DrawCall& call : page.calls) out += prefix + std::visit(CallText{}, call) + "\n";
    return out;
}

std::string toText(const RecordedDocument& document) {
    std::string out = "document title=" + quoted(document.title) + "\n";
    for (std::size_t i = 0; i < document.pages.size(); ++i)
        out += toText(document.pages[i], static_cast<int>(i + 1));
    return out;
}

RecordedDocument parseRecordedDocument(std::string_view text) {
    RecordedDocument doc;
    bool sawHeader = false;
    std::size_t index = 0;
    while (!text.empty()) {
        const auto eol = text.find('\n');
        const std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
        if (line.empty()) {
            ++index;
            continue;
        }
        std::vector<Token> tokens = LineReader(line, index).tokens();
        if (!sawHeader) {
            if (tokens.size() != 2 || tokens[0].value != "document" || tokens[1].key != "title")
                fail(index, "expected the document line");
            doc.title = tokens[1].value;
            sawHeader = true;
            ++index;
            continue;
        }
        if (tokens.size() < 2 || !tokens[0].key.empty() || tokens[0].value.size() < 2 || tokens[0].value[0] != 'p')
            fail(index, "expected a page number");
        const CallParser parser(std::vector<Token>(tokens.begin() + 1, tokens.end()), index);
        const int pageNumber = parser.toInt(std::string_view(tokens[0].value).substr(1));
        if (tokens[1].key.empty() && tokens[1].value == "page") {
            if (tokens.size() != 3 || (tokens[2].value != "portrait" && tokens[2].value != "landscape"))
                fail(index, "bad page line");
            if (pageNumber != static_cast<int>(doc.pages.size()) + 1) fail(index, "pages out of order");
            RecordedPage page;
            page.orientation = tokens[2].value == "portrait" ? Orientation::Portrait : Orientation::Landscape;
            doc.pages.push_back(std::move(page));
        } else {
            if (pageNumber != static_cast<int>(doc.pages.size()) || doc.pages.empty())
                fail(index, "call outside its page");
            doc.pages.back().calls.push_back(parser.call(tokens[1].value));
        }
        ++index;
    }
    if (!sawHeader) fail(0, "expected the document line");
    return doc;
}

}  // namespace talmorek::print
