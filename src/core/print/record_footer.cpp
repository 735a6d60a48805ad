#include "print/record_footer.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "print/primitives.h"

namespace talmorek::print {
namespace {
constexpr std::array<std::int32_t, 24> kFooterCodes{4,  5,  6,  7,  8,  9,  10, 12, 14, 15, 16, 18,
                                                    19, 20, 41, 42, 91, 92, 93, 94, 95, 96, 97, 98};
}  // namespace

std::string timeStampText(const PrintTime& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d:%02d,%03d", t.day, t.month, t.year, t.hour, t.minute,
                  t.second, t.millisecond);
    return text;
}

bool isFooterCode(std::int32_t code) {
    return std::find(kFooterCodes.begin(), kFooterCodes.end(), code) != kFooterCodes.end();
}

void PatickaZapisu(PrintContext& ctx, const RecordFooterValues& values) {
    TiskovyStav& s = ctx.stav;
    ctx.canvas.font.size = s.VelikostPaticky;
    ctx.canvas.font.style = FontStyle{};
    NastavPismo(ctx, "Arial");

    const std::string page = " Strana: " + std::to_string(s.CisloStrany) + "/" + std::to_string(s.PosledniList) +
                             " " + s.DruhVoleb;
    const std::string identification = std::to_string(values.Obec) + " - " + std::to_string(values.Okrsek) + " - ";
    const std::string total = std::to_string(values.Celkem);

    const int pageWidth = SirkaTextu(ctx, page);
    TiskText(ctx, 0, s.PravyOkraj - pageWidth, s.DolniRadek, page);

    ctx.canvas.font.style = styleFromCode("B");
    const int totalX = s.PravyOkraj - pageWidth - (SirkaTextu(ctx, total) + 20);
    TiskText(ctx, 0, totalX, s.DolniRadek, total);

    ctx.canvas.font.style = FontStyle{};
    TiskText(ctx, 0, totalX - (SirkaTextu(ctx, identification) + 10), s.DolniRadek, identification);

    TiskText(ctx, 0, s.PravyOkraj - SirkaTextu(ctx, values.casovaZnacka), s.DolniRadek + s.Rezerva,
             values.casovaZnacka);

    if (!s.ChybyVytisteny) {
        std::string codes;
        if (values.chyby != nullptr) {
            for (const checks::TChyba& f : values.chyby->findings())
                if (isFooterCode(f.Chyba)) codes += std::to_string(f.Chyba) + ", ";
        }
        if (!codes.empty()) {
            codes.resize(codes.size() - 2);
            TiskText(ctx, 0, s.LevyOkraj, s.DolniRadek + s.Rezerva, "Chyby č.: " + codes);
        }
        s.ChybyVytisteny = true;
    }
}

}  // namespace talmorek::print
