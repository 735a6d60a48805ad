#include "core/print/copies.h"

namespace talmorek::print {

PocetKopii potvrdPocetKopii(std::string_view text) {
    if (text.size() == 1 && text[0] >= '1' && text[0] <= '9') return {std::string(text), text[0] - '0'};
    return {"1", 1};
}

}  // namespace talmorek::print
