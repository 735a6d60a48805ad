#include "print/record_footer.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "print/primitives.h"

namespace talmorek::print {
namespace {
constexpr std::array<std::int32_t, 24> kFooterCodes{4,  5,  6,  7,  8,  9,  10, 12, 14, 15, 16, 18,
                                                    19, 20, 41, 42, 91, 92, 93, 94, 95, 96, 97, 98};

// The lowest line of the error codes: a footer-size line below it would
// reach into the margin of the sheet that printers leave blank.
constexpr int kLowestErrorLine = 2880;

// "Chyby č.: " and the codes, beside the time stamp on the footer's second
// line. A long list goes on on further lines below, aligned with its first
// code, instead of running over the time stamp and off the sheet; what does
// not fit above the sheet's blank margin is cut short with "...".
void printErrorCodes(PrintContext& ctx, const std::vector<std::string>& codes, int firstLineEnd) {
    const TiskovyStav& s = ctx.stav;
    const std::string label = "Chyby č.: ";
    int x = s.LevyOkraj;
    int y = s.DolniRadek + s.Rezerva;
    int end = firstLineEnd;
    std::string line = label;
    std::size_t next = 0;
    for (;;) {
        const bool lowest = y + s.Rezerva > kLowestErrorLine;
        // Room is kept for what ends a line that the list goes on after.
        const std::string_view goesOn = lowest ? ", ..." : ",";
        bool any = false;
        while (next < codes.size()) {
            const std::string longer = line + (any ? ", " : "") + codes[next];
            // Every line takes at least one code.
            if (any && x + SirkaTextu(ctx, longer + std::string(goesOn)) > end) break;
            line = longer;
            any = true;
            ++next;
        }
        const bool more = next < codes.size();
        if (!more || lowest) {
            TiskText(ctx, 0, x, y, more ? line + ", ..." : line);
            return;
        }
        TiskText(ctx, 0, x, y, line + ",");
        x = s.LevyOkraj + SirkaTextu(ctx, label);
        y += s.Rezerva;
        end = s.PravyOkraj;
        line.clear();
    }
}

}  // namespace

std::string timeStampText(const data::LocalDateTime& t) {
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

    const int stampX = s.PravyOkraj - SirkaTextu(ctx, values.casovaZnacka);
    TiskText(ctx, 0, stampX, s.DolniRadek + s.Rezerva, values.casovaZnacka);

    if (!s.ChybyVytisteny) {
        std::vector<std::string> codes;
        if (values.chyby != nullptr) {
            for (const checks::TChyba& f : values.chyby->findings())
                if (isFooterCode(f.Chyba)) codes.push_back(std::to_string(f.Chyba));
        }
        if (!codes.empty()) printErrorCodes(ctx, codes, stampX - 20);
        s.ChybyVytisteny = true;
    }
}

}  // namespace talmorek::print
