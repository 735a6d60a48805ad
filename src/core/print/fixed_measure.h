#pragma once
// A text measure without fonts, for tests and tools: every character
// advances the same fraction of the em height, whatever the family or
// style, so a layout's arithmetic can be followed by hand. The default 3/5
// is the advance of Courier New: 21 units a character at size 26, so the
// 80 characters of a protocol line fill the 1700 units of the text width.

#include "core/data/cp1250.h"
#include "core/print/surface.h"

namespace talmorek::print {

class FixedMeasure : public TextMeasure {
public:
    explicit FixedMeasure(int numerator = 3, int denominator = 5) : numerator_(numerator), denominator_(denominator) {}

    int width(std::string_view text, const Font& font) const override {
        const auto chars = static_cast<long long>(data::utf8Length(text));
        return static_cast<int>(chars * emHeight(font.size) * numerator_ / denominator_);
    }

private:
    int numerator_;
    int denominator_;
};

}  // namespace talmorek::print
