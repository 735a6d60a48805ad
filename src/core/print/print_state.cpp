#include "print/print_state.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace talmorek::print {

PrintTime currentPrintTime() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    return PrintTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                     local.tm_min,         local.tm_sec,     static_cast<int>(ms)};
}

std::string dateText(const PrintTime& t) {
    char text[48];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", t.day, t.month, t.year);
    return text;
}

std::string timeText(const PrintTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d", t.hour, t.minute);
    return text;
}

void InitTisk(PrintContext& ctx, const PrintTime& now) {
    ctx.stav = TiskovyStav{};
    ctx.stav.DolniRadek = ctx.stav.HorniOkraj + 54 * ctx.stav.KrokRadku;
    ctx.stav.HlidatZlom = false;
    ctx.stav.BezHacku = false;
    ctx.stav.DatumTisku = dateText(now);
    ctx.stav.CasTisku = timeText(now);
    ctx.preview.document().setOrientation(Orientation::Portrait);
}

}  // namespace talmorek::print
