#include "core/print/record_layout.h"

#include <stdexcept>

#include "core/data/cp1250.h"
#include "core/print/primitives.h"
#include "core/print/print_text.h"

namespace talmorek::print::record_layout_detail {

const record::RecordOfVote& recordOf(const RecordJob& job) {
    if (job.record == nullptr) throw std::logic_error("record print job without a record");
    return *job.record;
}

void writeRest(PrintContext& ctx, std::string rest, int dy, bool keepBreak) {
    const int left = ctx.stav.LevyOkraj;
    const int right = ctx.stav.PravyOkraj;
    int lines = 0;
    for (;;) {
        const int pos = MistoZlomu(ctx, rest, left, right, left);
        // A break at the first character would not shorten the piece.
        if (pos <= 1) {
            TiskText(ctx, lines, left, dy, rest);
            return;
        }
        TiskText(ctx, lines, left, dy, data::utf8Prefix(rest, static_cast<std::size_t>(pos)));
        rest = utf8From(rest, static_cast<std::size_t>(keepBreak ? pos : pos + 1));
        if (OrezVpravo(rest).empty()) return;
        lines = 1;
    }
}

int nameSizeWithin(const PrintContext& ctx, std::string_view name, int width) {
    // The size of the strike-through markers, the smallest the record uses.
    constexpr int kSmallest = 15;
    Font font = ctx.canvas.font;
    while (font.size > kSmallest && ctx.measure.width(name, font) > width) --font.size;
    return font.size;
}

void signatureColumns(PrintContext& ctx, const data::SeznamKomise& members, int lowestRowY,
                      const std::function<void()>& continuationPage) {
    const TiskovyStav& s = ctx.stav;
    const int k = (s.PravyOkraj - s.LevyOkraj) / 3;
    int column = 3;
    for (std::size_t i = 0; i < members.size(); ++i) {
        if (i > 0) column = column % 3 + 1;
        const int x = s.LevyOkraj + (column - 1) * k;
        TiskXY(ctx, i > 0 && column == 1 ? 2 : 0, x, 0, Opakuj(".", 60), " ");
        const std::string name = OrezVpravo(members[i].clen);
        const int lineSize = ctx.canvas.font.size;
        ctx.canvas.font.size = nameSizeWithin(ctx, name, nameRoom(k));
        TiskText(ctx, 0, x, -12, name);
        ctx.canvas.font.size = lineSize;
        const bool namesRemain = i + 1 < members.size();
        if (column == 3 && namesRemain && s.AktY > lowestRowY) continuationPage();
    }
}

RecordSheet::RecordSheet(PrintContext& ctx, const RecordJob& job)
    : ctx_(ctx),
      s_(ctx.stav),
      job_(job),
      r_(recordOf(job)),
      h_(r_.hlasovani),
      t4b_(job.zvlastniOkrsek),
      direct_(ctx.preview.document().DirectPrint()),
      L_(s_.LevyOkraj),
      R_(s_.PravyOkraj) {}

int RecordSheet::w(std::string_view text) const { return SirkaTextu(ctx_, text); }

std::string RecordSheet::dots(int n) { return Opakuj(".", n); }

}  // namespace talmorek::print::record_layout_detail
