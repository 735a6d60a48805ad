#include "core/print/record_footer.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "core/print/primitives.h"

namespace talmorek::print {
namespace {
constexpr std::array<std::int32_t, 24> kFooterCodes{4,  5,  6,  7,  8,  9,  10, 12, 14, 15, 16, 18,
                                                    19, 20, 41, 42, 91, 92, 93, 94, 95, 96, 97, 98};

// The lowest any line of the error codes may reach: below it lies the
// margin of the sheet that printers leave blank. At the footer's size the
// last line stands at 2875, on the fifth line from the time stamp's.
constexpr int kPrintableBottom = 2915;

// What the error list keeps between itself and the other footer texts and
// the page body.
constexpr int kClearance = 20;

// A text of the footer that the error list keeps clear of: one footer line
// from x to the right edge.
struct FooterText {
    int x;
    int y;
};

// Where the error list may go on the first page: from below the page body to
// the sheet's blank margin, beside the footer's own texts.
struct ErrorArea {
    int top;            // no line of the list starts above it
    int timeStampLine;  // y of the time stamp; the list's first line while it is short
    int footerHeight;   // em height of the footer's own texts
    std::array<FooterText, 2> beside;
};

// One line of the list: where it stands and how far its codes may run.
struct CodeLine {
    int x;
    int y;
    int right;
};

// The lines of the list in type of em height `height`, the first of them
// `above` line steps above the time stamp's line and the last the lowest
// above the blank margin. The first line begins with the label at the left
// margin, the others under its first code; a line beside a footer text ends
// short of it.
std::vector<CodeLine> codeLines(const TiskovyStav& s, const ErrorArea& area, int height, int labelWidth, int above) {
    std::vector<CodeLine> lines;
    for (int y = area.timeStampLine - above * height; y + height <= kPrintableBottom; y += height) {
        int right = s.PravyOkraj;
        for (const FooterText& t : area.beside)
            if (y < t.y + area.footerHeight && t.y < y + height) right = std::min(right, t.x - kClearance);
        lines.push_back({lines.empty() ? s.LevyOkraj : s.LevyOkraj + labelWidth, y, right});
    }
    return lines;
}

// How many lines the list can start above the time stamp's line without
// reaching into the page body; at least the time stamp's own line.
int linesAbove(const ErrorArea& area, int height) {
    return std::max(0, (area.timeStampLine - area.top) / height);
}

// "a, b, c" of codes[from, to), with "," when the list goes on after it.
std::string joined(const std::vector<std::string>& codes, std::size_t from, std::size_t to) {
    std::string text;
    for (std::size_t i = from; i < to; ++i) {
        if (i > from) text += ", ";
        text += codes[i];
    }
    if (to < codes.size()) text += ",";
    return text;
}

// The texts of the lines with the codes dealt out in order, as many to a line
// as fit; empty when the lines do not hold them all. With `lastTakesRest`
// every line takes at least one code and the last whatever is left instead.
std::vector<std::string> dealCodes(const PrintContext& ctx, const std::vector<CodeLine>& lines,
                                   const std::string& label, const std::vector<std::string>& codes,
                                   bool lastTakesRest) {
    std::vector<std::string> texts;
    std::size_t next = 0;
    for (const CodeLine& line : lines) {
        const std::string lead = texts.empty() ? label : std::string();
        const auto fits = [&](std::size_t to) {
            return line.x + SirkaTextu(ctx, lead + joined(codes, next, to)) <= line.right;
        };
        std::size_t to = next;
        if (lastTakesRest && &line == &lines.back()) {
            to = codes.size();
        } else {
            // The widest run of codes that fits (a longer run is always wider).
            std::size_t tooMany = codes.size() + 1;
            while (to + 1 < tooMany) {
                const std::size_t middle = to + (tooMany - to) / 2;
                if (fits(middle)) {
                    to = middle;
                } else {
                    tooMany = middle;
                }
            }
            if (to == next) {
                if (!lastTakesRest) return {};
                to = next + 1;
            }
        }
        texts.push_back(lead + joined(codes, next, to));
        next = to;
        if (next == codes.size()) return texts;
    }
    return {};
}

// "Chyby č.: " and the codes. A short list stands where it always did: beside
// the time stamp and on the lines below it, down to the sheet's blank margin.
// A longer one starts as many lines higher as it needs, over the free space
// between the page body and the footer line (beside the identification and
// the time stamp it keeps clear of them), and only a list that the whole
// space does not hold in the footer's type is set smaller, one size at a
// time, until it fits: the receiving office reads every code, so none is
// ever left out. The smallest size holds hundreds of thousands of codes,
// many times more than a check run can find; beyond that the last line would
// take the rest.
void printErrorCodes(PrintContext& ctx, const std::vector<std::string>& codes, const ErrorArea& area) {
    const std::string label = "Chyby č.: ";
    const int footerSize = ctx.canvas.font.size;
    std::vector<CodeLine> lines;
    std::vector<std::string> texts;
    for (int size = footerSize; size >= 1 && texts.empty(); --size) {
        ctx.canvas.font.size = size;
        const int height = emHeight(size);
        const int labelWidth = SirkaTextu(ctx, label);
        const int highest = linesAbove(area, height);
        const auto fromLine = [&](int above) {
            lines = codeLines(ctx.stav, area, height, labelWidth, above);
            texts = dealCodes(ctx, lines, label, codes, false);
            return !texts.empty();
        };
        // A start higher up holds more: when the highest does not hold the
        // list, no start in this size does; when it does, the lowest that
        // does is sought.
        if (!fromLine(highest)) continue;
        int holds = highest;
        int tooLow = -1;
        while (tooLow + 1 < holds) {
            const int middle = tooLow + (holds - tooLow) / 2;
            if (fromLine(middle)) {
                holds = middle;
            } else {
                tooLow = middle;
            }
        }
        fromLine(holds);
    }
    if (texts.empty()) {
        ctx.canvas.font.size = 1;
        lines = codeLines(ctx.stav, area, emHeight(1), SirkaTextu(ctx, label), linesAbove(area, emHeight(1)));
        texts = dealCodes(ctx, lines, label, codes, true);
    }
    for (std::size_t i = 0; i < texts.size(); ++i) TiskText(ctx, 0, lines[i].x, lines[i].y, texts[i]);
    ctx.canvas.font.size = footerSize;
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
    const int identificationX = totalX - (SirkaTextu(ctx, identification) + 10);
    TiskText(ctx, 0, identificationX, s.DolniRadek, identification);

    const int stampX = s.PravyOkraj - SirkaTextu(ctx, values.casovaZnacka);
    const int stampY = s.DolniRadek + s.Rezerva;
    TiskText(ctx, 0, stampX, stampY, values.casovaZnacka);

    if (!s.ChybyVytisteny) {
        std::vector<std::string> codes;
        if (values.chyby != nullptr) {
            for (const checks::TChyba& f : values.chyby->findings())
                if (isFooterCode(f.Chyba)) codes.push_back(std::to_string(f.Chyba));
        }
        // The page body ends one line step below its current line: so far
        // reach its last line's text and the circles of the first page's
        // party numbers.
        const ErrorArea area{s.AktY + s.KrokRadku + kClearance, stampY, emHeight(s.VelikostPaticky),
                             {FooterText{identificationX, s.DolniRadek}, FooterText{stampX, stampY}}};
        if (!codes.empty()) printErrorCodes(ctx, codes, area);
        s.ChybyVytisteny = true;
    }
}

}  // namespace talmorek::print
