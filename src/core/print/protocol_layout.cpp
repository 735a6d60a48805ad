#include "core/print/protocol_layout.h"

#include <optional>
#include <string>

#include "core/data/cp1250.h"
#include "core/print/primitives.h"
#include "core/print/print_text.h"

namespace talmorek::print {
namespace {

class ProtocolPrint {
public:
    ProtocolPrint(PrintContext& ctx, const record::TT4& t4) : ctx_(ctx), s_(ctx.stav), t4_(t4) {}

    void header() {
        NastavPismo(ctx_, "Courier New");
        ctx_.canvas.font.size = s_.VelikostPaticky;
        s_.AktY = s_.HorniOkraj + 200;
        TiskText(ctx_, 0, s_.PravyOkraj - 400, 0, "List č.: " + CisloMezery(s_.CisloListu, 2));

        ctx_.canvas.font.size = s_.VelikostNadpisu;
        const std::string title = s_.CisloListu == 1 ? "PROTOKOL O KONTROLÁCH ZA OKRSEK"
                                                     : "PROTOKOL O KONTROLÁCH ZA OKRSEK - pokračování";
        // Centred by its regular width although it is drawn in bold.
        ctx_.canvas.font.style = FontStyle{};
        const int w = SirkaTextu(ctx_, title);
        TiskXY(ctx_, 2, s_.LevyOkraj + (s_.PravyOkraj - s_.LevyOkraj) / 2 - w / 2, 0, title, "B");

        ctx_.canvas.font.size = s_.VelikostPaticky;
        TiskText(ctx_, 2, s_.LevyOkraj, 0, "                          Obec      Okrsek  KČ1  Název obce");
        TiskText(ctx_, 1, s_.LevyOkraj, 0,
                 "Identifikace okrsku:" + Opakuj(" ", 5) + std::to_string(t4_.Obec) + "   " +
                     CisloMezery(t4_.Okrsek, 7) + CisloMezery(t4_.KC1, 5) + "   " + ctx_.station.NazevObce);
        TiskXY(ctx_, 1, s_.LevyOkraj, 0, "Volební kraj: " + OrezVpravo(ctx_.station.NazevKraje), "");
        TiskText(ctx_, 1, s_.LevyOkraj, 0, Opakuj("-", 80));
        TiskText(ctx_, 1, s_.LevyOkraj, 0, "");
    }

    void findings(const checks::TChybProt& chyby) {
        std::int32_t lastParty = 0;
        std::string indent;
        for (std::size_t i = 0; i < chyby.Count(); ++i) {
            const checks::TChyba& f = chyby.VratChybu(i);
            if (f.KStrana != lastParty) {
                // The heading stays with the party's first finding: the
                // empty line, the heading and that finding go on one sheet.
                makeRoom(3, false);
                TiskText(ctx_, 1, s_.LevyOkraj, 0, "");
                TiskText(ctx_, 1, s_.LevyOkraj, 0, "Strana: " + std::to_string(f.KStrana));
                headedParty_ = f.KStrana;
                indent = "  ";
            }
            std::string line = indent + std::to_string(f.Chyba) + " - " + chyby.VratHlaskuParam(i);
            while (data::utf8Length(line) > kProtocolLineLength) {
                const int b = MistoZlomu(ctx_, line, s_.LevyOkraj, s_.PravyOkraj, s_.LevyOkraj);
                // A line that is longer than 80 characters but still fits the
                // text width has no break; it is printed whole. So is a break
                // that would not shorten the line, which only a measure of
                // absurd widths could produce.
                if (b == 0) break;
                std::string rest = "     " + trimBlanks(utf8From(line, static_cast<std::size_t>(b) + 1));
                if (data::utf8Length(rest) >= data::utf8Length(line)) break;
                makeRoom(1, true);
                TiskText(ctx_, 1, s_.LevyOkraj, 0, data::utf8Prefix(line, static_cast<std::size_t>(b)));
                line = std::move(rest);
            }
            if (!trimBlanks(line).empty()) {
                makeRoom(1, true);
                TiskText(ctx_, 1, s_.LevyOkraj, 0, line);
            }
            lastParty = f.KStrana;
        }
    }

    // The closing lines stay together above the footer line, on the next
    // sheet when the last findings filled this one.
    void closing() {
        makeRoom(4, false);
        NastavPismo(ctx_, "Courier New");
        ctx_.canvas.font.size = s_.VelikostPaticky;
        TiskText(ctx_, 1, s_.LevyOkraj, 0, "");
        TiskText(ctx_, 1, s_.LevyOkraj, 0, Opakuj("-", 80));
        TiskText(ctx_, 1, s_.LevyOkraj, 0, "Datum: " + s_.DatumTisku);
        TiskText(ctx_, 1, s_.LevyOkraj, 0, "Čas  : " + s_.CasTisku);
    }

    // Before the next `lines` lines of findings: when they would reach the
    // footer line, or the flow watch has already counted a new sheet, the
    // full sheet gets its footer and the next one its header. A party whose
    // findings go on across the break is named again at the top, so that
    // every sheet tells whose findings it lists.
    void makeRoom(int lines, bool continuesParty) {
        const bool reachesFooter = s_.AktY + (lines + 1) * s_.KrokRadku > s_.DolniRadek;
        if (s_.PosledniList == s_.CisloListu && !reachesFooter) return;
        nextSheet();
        if (continuesParty && headedParty_)
            TiskText(ctx_, 1, s_.LevyOkraj, 0, "Strana: " + std::to_string(*headedParty_) + " - pokračování");
    }

    void nextSheet() {
        // The flow watch counts a sheet only once a line has passed the
        // bottom; a break made ahead of it counts the sheet here.
        if (s_.PosledniList == s_.CisloListu) s_.CisloListu += 1;
        TiskText(ctx_, 0, s_.PravyOkraj - SirkaTextu(ctx_, footer_), s_.DolniRadek, footer_);
        VratCanvas(ctx_);
        header();
        s_.PosledniList = s_.CisloListu;
        s_.HlidatZlom = true;
    }

private:
    PrintContext& ctx_;
    TiskovyStav& s_;
    const record::TT4& t4_;
    // The party whose heading was printed last; none before the first.
    std::optional<std::int32_t> headedParty_;
    // Municipality, precinct and election kind, two blanks before the kind.
    const std::string footer_ =
        std::to_string(t4_.Obec) + " - " + std::to_string(t4_.Okrsek) + " - " + " " + s_.DruhVoleb;
};

}  // namespace

void TiskProtokolu(PrintContext& ctx, const checks::TChybProt& chyby, const record::TT4& t4, const data::LocalDateTime& now,
                   bool sDiakritikou) {
    InitTisk(ctx, now);
    ctx.stav.BezHacku = !sDiakritikou;
    ctx.stav.HlidatZlom = true;

    ProtocolPrint print(ctx, t4);
    ctx.preview.ZacatekTisku();
    buildDocument(ctx.preview.document(), [&] {
        VratCanvas(ctx);
        print.header();

        ctx.canvas.font.style = FontStyle{};
        if (chyby.Count() > 0) {
            print.findings(chyby);
        } else {
            TiskText(ctx, 1, ctx.stav.LevyOkraj, 0, "Nebyly zjištěny žádné chyby");
        }
        print.closing();
        ctx.preview.KonecTisku();
    });
}

}  // namespace talmorek::print
