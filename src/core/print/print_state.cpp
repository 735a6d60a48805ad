#include "core/print/print_state.h"

#include <cstdio>

namespace talmorek::print {

std::string dateText(const data::LocalDateTime& t) {
    char text[48];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", t.day, t.month, t.year);
    return text;
}

std::string timeText(const data::LocalDateTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d", t.hour, t.minute);
    return text;
}

void InitTisk(PrintContext& ctx, const data::LocalDateTime& now) {
    ctx.stav = TiskovyStav{};
    ctx.stav.DolniRadek = ctx.stav.HorniOkraj + 54 * ctx.stav.KrokRadku;
    ctx.stav.HlidatZlom = false;
    ctx.stav.BezHacku = false;
    ctx.stav.DatumTisku = dateText(now);
    ctx.stav.CasTisku = timeText(now);
    ctx.preview.document().setOrientation(Orientation::Portrait);
}

}  // namespace talmorek::print
