#pragma once
// The page primitives every layout is written with: fonts, widths, the three
// text primitives with their advancing and placement rules, the
// strike-through marker, dotted fills and line breaking.
//
// "lines" counts line steps (`KrokRadku`) to advance before drawing
// (0 = stay on the current line). A style is a one-letter code: "B" bold,
// "I" italic, "U" underline, "-" strikeout; anything else is normal.

#include <string>
#include <string_view>

#include "core/print/print_state.h"

namespace talmorek::print {

// The page to draw on next (the preview side's `VratCanvas`), with the
// page's drawing state back at its defaults.
PageSurface& VratCanvas(PrintContext& ctx);

// Sets the font family, refreshing `Pripona` from the station record:
// "Arial" is Arial with variable pitch, "Courier New" or "Courier" is Courier
// New with fixed pitch, any other name Arial with fixed pitch; each with the
// suffix appended. Size and style stay.
void NastavPismo(PrintContext& ctx, std::string_view name);

// The style a style code selects (only its first character counts).
FontStyle styleFromCode(std::string_view code);

// Width of `text` in the current font, in page units.
int SirkaTextu(const PrintContext& ctx, std::string_view text);

// Advance, then draw `text` centred between left and right, in `style`
// (the text is measured as drawn: in that style, and without diacritics in
// the no-diacritics mode); the style goes back to normal afterwards. y is
// `AktY` + dy, or `AktY` when dy is 0 or that would not be positive.
bool TiskStred(PrintContext& ctx, int lines, int left, int right, std::string_view text,
               std::string_view style, int dy = 0);
// Advance, then draw `text` at x, `AktY` + dy, in `style`; the style goes
// back to normal afterwards.
bool TiskXY(PrintContext& ctx, int lines, int x, int dy, std::string_view text, std::string_view style);
// Advance, then draw `text` at x in the current style. y = 0 is the current
// line, a negative y is an offset above it, a positive y an absolute
// position (the footers' form).
bool TiskText(PrintContext& ctx, int lines, int x, int y, std::string_view text);
// All three primitives return true, and in the no-diacritics mode
// (`BezHacku`) draw the text through `BezDiakritiky`.

// The strike-through marker, "*)" or "**)" for n = 1, 2: at size 15,
// exactly at (x, y) (no advance, no diacritics filter); the size is then
// `VelikostTextu`.
void TiskZnacka(PrintContext& ctx, int x, int y, int n);

// The number of "." that fill a form line from left to right: the first
// count whose dots are wider than the gap, 0 when right < left or when 500
// dots still fit. The dots are measured with the very font they are printed
// in, so the count needs no correction for the printer: a count enlarged for
// "narrower printer dots" would run the form's lines past the right margin
// and, on full-width lines, off the sheet.
int PocetTecek(const PrintContext& ctx, int left, int right);
// That many dots.
std::string Tecky(const PrintContext& ctx, int left, int right);

// Where to break a line that starts at xStart and does not fit before
// right: the 1-based character position that ends the first part, or 0 when
// the right-trimmed text fits (or right < xStart, or right < left). It is
// the first position past the available width less the width of a long
// reference word that holds a blank, "-", ".", ":" or ";", or failing one,
// the first position past the available width plus that word.
int MistoZlomu(const PrintContext& ctx, std::string_view text, int xStart, int right, int left);

}  // namespace talmorek::print
