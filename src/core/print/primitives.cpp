#include "core/print/primitives.h"

#include <cstdint>

#include "core/data/cp1250.h"
#include "core/print/print_text.h"

namespace talmorek::print {
namespace {

// The longest word a line is expected to hold; line breaking keeps a word of
// this width from being split.
constexpr std::string_view kReferenceWord = "DlouhéSlovo";
constexpr int kMostDots = 500;

// First step of every text primitive. The flow watch lets flowing output
// (the protocol of checks) notice that a line went past the bottom: it
// counts a new sheet once and disarms itself until the caller arms it again
// after starting that sheet.
void advance(TiskovyStav& s, int lines, int bottom) {
    if (lines > 0) s.AktY += lines * s.KrokRadku;
    if (s.HlidatZlom && s.AktY > bottom) {
        s.PosledniList = s.CisloListu;
        s.CisloListu += 1;
        s.HlidatZlom = false;
    }
}

int bottomForStredXY(const TiskovyStav& s) { return s.HorniOkraj + s.DolniRadek - s.Rezerva; }
int bottomForText(const TiskovyStav& s) { return s.DolniRadek - 2 * s.Rezerva; }

std::string drawn(const PrintContext& ctx, std::string_view text) {
    return ctx.stav.BezHacku ? BezDiakritiky(text) : std::string(text);
}

}  // namespace

PageSurface& VratCanvas(PrintContext& ctx) {
    PageSurface& surface = ctx.preview.VratCanvas();
    ctx.canvas = PageCanvas(surface);
    return surface;
}

void NastavPismo(PrintContext& ctx, std::string_view name) {
    ctx.stav.Pripona = data::utf8Prefix(ctx.station.Pripona, 3);
    Font& font = ctx.canvas.font;
    font.pitch = Pitch::Fixed;
    font.name = "Arial" + ctx.stav.Pripona;
    if (name == "Arial") {
        font.pitch = Pitch::Variable;
    } else if (name == "Courier New" || name == "Courier") {
        font.name = "Courier New" + ctx.stav.Pripona;
    }
}

FontStyle styleFromCode(std::string_view code) {
    FontStyle style;
    if (code.empty()) return style;
    switch (code.front()) {
        case 'B': style.bold = true; break;
        case 'I': style.italic = true; break;
        case 'U': style.underline = true; break;
        case '-': style.strikeOut = true; break;
        default: break;
    }
    return style;
}

int SirkaTextu(const PrintContext& ctx, std::string_view text) { return ctx.measure.width(text, ctx.canvas.font); }

bool TiskStred(PrintContext& ctx, int lines, int left, int right, std::string_view text, std::string_view style,
               int dy) {
    advance(ctx.stav, lines, bottomForStredXY(ctx.stav));
    ctx.canvas.font.style = styleFromCode(style);
    const std::string shown = drawn(ctx, text);
    const int w = SirkaTextu(ctx, shown);
    int y = dy != 0 ? ctx.stav.AktY + dy : ctx.stav.AktY;
    if (y <= 0) y = ctx.stav.AktY;
    ctx.canvas.text(left + (right - left) / 2 - w / 2, y, shown);
    ctx.canvas.font.style = FontStyle{};
    return true;
}

bool TiskXY(PrintContext& ctx, int lines, int x, int dy, std::string_view text, std::string_view style) {
    advance(ctx.stav, lines, bottomForStredXY(ctx.stav));
    ctx.canvas.font.style = styleFromCode(style);
    ctx.canvas.text(x, ctx.stav.AktY + dy, drawn(ctx, text));
    ctx.canvas.font.style = FontStyle{};
    return true;
}

bool TiskText(PrintContext& ctx, int lines, int x, int y, std::string_view text) {
    advance(ctx.stav, lines, bottomForText(ctx.stav));
    const int at = y == 0 ? ctx.stav.AktY : (y < 0 ? ctx.stav.AktY + y : y);
    ctx.canvas.text(x, at, drawn(ctx, text));
    return true;
}

void TiskZnacka(PrintContext& ctx, int x, int y, int n) {
    ctx.canvas.font.size = 15;
    ctx.canvas.text(x, y, Opakuj("*", n) + ")");
    ctx.canvas.font.size = ctx.stav.VelikostTextu;
}

int PocetTecek(const PrintContext& ctx, int left, int right) {
    if (right < left) return 0;
    std::string dots;
    for (int i = 1; i <= kMostDots; ++i) {
        dots += '.';
        if (SirkaTextu(ctx, dots) > right - left) return i;
    }
    return 0;
}

std::string Tecky(const PrintContext& ctx, int left, int right) { return Opakuj(".", PocetTecek(ctx, left, right)); }

int MistoZlomu(const PrintContext& ctx, std::string_view text, int xStart, int right, int left) {
    if (right < xStart || right < left) return 0;
    const std::string line = OrezVpravo(text);
    const int avail = right - xStart;
    if (SirkaTextu(ctx, line) <= avail) return 0;
    const int word = SirkaTextu(ctx, kReferenceWord);
    const std::size_t length = data::utf8Length(line);
    for (std::size_t pos = 1; pos <= length; ++pos) {
        const int width = SirkaTextu(ctx, data::utf8Prefix(line, pos));
        const std::string_view c = utf8At(line, pos);
        const bool breakable = c == " " || c == "-" || c == "." || c == ":" || c == ";";
        if (width > avail - word && breakable) return static_cast<int>(pos);
        if (width > avail + word) return static_cast<int>(pos);
    }
    return 0;
}

}  // namespace talmorek::print
