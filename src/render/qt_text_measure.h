#pragma once
// Advance widths from the very fonts the pages are drawn with, so that
// centring, right alignment and dotted fills computed while a layout runs
// hold on the preview, the printer and the PDF alike.

#include "core/print/surface.h"

namespace talmorek::render {

class QtTextMeasure : public print::TextMeasure {
public:
    // The advance of `text` in `font` (resolved family, pixel size = em
    // height), rounded to whole tenths of a millimetre. Raises
    // MissingFontError when the family is not installed.
    int width(std::string_view text, const print::Font& font) const override;
};

}  // namespace talmorek::render
