#include "core/print/tally_layout.h"

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "core/data/cp1250.h"
#include "core/data/decimal.h"
#include "core/print/primitives.h"
#include "core/print/print_text.h"

namespace talmorek::print {
namespace {

// The dotted line a candidate's name stands on, and the guide dots of a
// tally cell: two groups of five marks.
const std::string kNameLine(67, '.');
constexpr std::string_view kCellDots = ". . . .  . . . .";
constexpr std::string_view kMark = "      N";

// The candidate register names at most this many candidates per party.
constexpr int kMostCandidates = data::CandidateTable::kCandidates;

// Long lists get a tighter line step so that they need fewer pages.
int lineStepFor(int candidates) {
    int step = 50;
    if (candidates > 29) step -= 3;
    if (candidates > 31) step -= 3;
    if (candidates > 33) step -= 3;
    return step;
}

std::string candidateName(const data::CandidateEntry& e) {
    std::string name = data::utf8Prefix(trimBlanks(e.Jmeno1) + " " + trimBlanks(e.Jmeno2), 50);
    // A list still waiting for its names carries a long registration note.
    if (name.starts_with("Registrační")) name = data::utf8Prefix(name, 39);
    return name;
}

// "1" marks a candidate like "N" does: either way the counters see an N in
// the total box.
bool isMarked(const data::CandidateEntry& e) { return e.Priznak == "1" || e.Priznak == "N"; }

class TallyPrint {
public:
    TallyPrint(PrintContext& ctx, const data::PartyList& parties, const data::CandidateTable& candidates)
        : ctx_(ctx), s_(ctx.stav), parties_(parties), candidates_(candidates), L_(s_.LevyOkraj), R_(s_.PravyOkraj) {}

    void draw(const std::vector<int>& counts) {
        ctx_.preview.ZacatekTisku();
        s_.CisloListu = 1;
        s_.CisloStrany = 1;
        VratCanvas(ctx_);
        ctx_.canvas.font.size = 20;
        NastavPismo(ctx_, "Arial");
        pageTitle();
        s_.PosledniList = 1;

        for (int p = 1; p <= parties_.length; ++p) {
            const data::TStrana& party = parties_.at(p);
            s_.HlidatZlom = true;
            if (5 * s_.KrokRadku + s_.AktY >= s_.HorniOkraj + s_.DolniRadek) s_.PosledniList += 1;
            pageCheck(nullptr);
            partyHeader(party);
            partyRows(party, counts[static_cast<std::size_t>(p)]);
            // Every party starts on a page of its own.
            if (p < parties_.length) s_.CisloListu += 1;
            pageCheck(nullptr);
        }
        footer();
        ctx_.preview.KonecTisku();
    }

private:
    void pen(int width, PenStyle style = PenStyle::Solid) { ctx_.canvas.pen = Pen{width, style}; }
    int w(std::string_view text) const { return SirkaTextu(ctx_, text); }
    void vertical(int x, int from, int to) { ctx_.canvas.line({x, from}, {x, to}); }

    // Right-aligned to R, measured as drawn.
    void rightAligned(int lines, int dy, std::string_view text) {
        const int width = w(s_.BezHacku ? BezDiakritiky(text) : std::string(text));
        TiskXY(ctx_, lines, R_ - width, dy, text, "");
    }

    // Starts the next page when the flow watch or a row that would not fit
    // asked for one. Inside a party's rows the party header is repeated, so
    // that every page says whose candidates it counts.
    void pageCheck(const data::TStrana* rowsOf) {
        if (s_.PosledniList == s_.CisloListu) return;
        footer();
        VratCanvas(ctx_);
        pageTitle();
        if (rowsOf != nullptr) partyHeader(*rowsOf);
        s_.PosledniList = s_.CisloListu;
        s_.HlidatZlom = true;
    }

    void pageTitle() {
        ctx_.canvas.font.size = s_.VelikostPaticky;
        NastavPismo(ctx_, "Arial");
        s_.AktY = s_.HorniOkraj + 100;
        ctx_.canvas.font.size = s_.VelikostNadpisu;
        TiskStred(ctx_, 0, L_, R_, "Pomocný sčítací arch pro sčítání přednostních hlasů kandidátů", "B");
        ctx_.canvas.font.size = s_.VelikostPaticky;
    }

    std::string precinctText() const {
        const std::int32_t okrsek = ctx_.station.CisloOkrsku;
        return okrsek == 0 ? "Okrsek: ............" : "Okrsek: " + CisloMezery(okrsek, 5);
    }

    void partyHeader(const data::TStrana& party) {
        pen(1);
        TiskText(ctx_, 1, L_, 0, "");

        TiskText(ctx_, 1, L_ + kTallyIndent, 0, data::utf8Prefix("Strana č. " + party.CisloStrany, 13));
        const std::string region = data::utf8Prefix("Volební kraj: " + ctx_.station.NazevKraje, 34);
        rightAligned(0, 0, data::utf8Prefix(region + "  Obec: ", 42) + trimBlanks(ctx_.station.NazevObce));

        TiskText(ctx_, 1, L_ + kTallyIndent, -12, data::utf8Prefix("Volební strana: " + party.NazevStrany, 66));
        rightAligned(0, -12, precinctText());

        x6_ = L_ + w("000000");
        TiskText(ctx_, 1, L_, 0, "");
        const int y = s_.AktY;
        const int bottom = y + s_.KrokRadku - 6;
        vertical(L_ + kTallyNameColumn, y - 15, bottom);
        vertical(L_, y - 15, bottom);
        TiskText(ctx_, 0, L_ + 10, 0, "Celkem Pořadové číslo, jméno a příjmení");

        int c = kTallyNameColumn;
        for (int k = 1; k <= kTallyCells; ++k) {
            const std::string number = std::to_string(10 * k);
            TiskText(ctx_, 0, L_ + c + w(kCellDots) - w(number + " "), 0, number);
            c += kTallyCell;
            pen(1, k == kTallyCells ? PenStyle::Solid : PenStyle::Dot);
            vertical(L_ + c, y - 15, bottom);
        }
        pen(1);
        ctx_.canvas.line({L_, y + s_.KrokRadku - 10}, {L_ + c, y + s_.KrokRadku - 10});
        ctx_.canvas.line({L_, y - 15}, {L_ + c, y - 15});
    }

    // The candidates are those the register names for the party's number.
    // A party number outside the register's range, or a list longer than
    // the register can hold, gets rows with the register's filler names:
    // the counters still have every row the party list asks for.
    const data::CandidateEntry& candidate(const data::TStrana& party, int order) const {
        static const data::CandidateEntry kUnnamed;
        const std::int32_t number = data::toIntOr(trimBlanks(party.CisloStrany), 0);
        if (number < 1 || number > data::CandidateTable::kParties || order > kMostCandidates) return kUnnamed;
        return candidates_.at(number, order);
    }

    void partyRows(const data::TStrana& party, int count) {
        s_.KrokRadku = lineStepFor(count);
        for (int j = 1; j <= count; ++j) {
            if (2 * s_.KrokRadku + s_.AktY >= s_.HorniOkraj + s_.DolniRadek - s_.Rezerva) s_.PosledniList += 1;
            pageCheck(&party);
            const data::CandidateEntry& e = candidate(party, j);
            TiskXY(ctx_, 1, L_, 0, isMarked(e) ? kMark : "", "B");
            TiskXY(ctx_, 0, L_ + kTallyIndent, 10, kNameLine, "");
            TiskText(ctx_, 0, L_ + kTallyIndent, 0, CisloMezery(j, 2) + ". " + candidateName(e));
            row();
        }
        s_.KrokRadku = 50;
        pen(1);
        const int y = s_.AktY + s_.Rezerva + 20;
        ctx_.canvas.line({L_, y}, {L_ + kTallyNameColumn + kTallyCells * kTallyCell, y});
    }

    // The cells of one candidate and the thick box for the total.
    void row() {
        const int y = s_.AktY;
        const int top = y - 10;
        const int bottom = y + s_.KrokRadku + 10;
        pen(1);
        vertical(L_ + kTallyNameColumn, top, bottom);
        int c = kTallyNameColumn;
        for (int k = 1; k <= kTallyCells; ++k) {
            TiskXY(ctx_, 0, L_ + c + 5, 10, kCellDots, "");
            c += kTallyCell;
            pen(1, k == kTallyCells ? PenStyle::Solid : PenStyle::DashDot);
            vertical(L_ + c, top, bottom);
        }
        vertical(L_, top, bottom);

        pen(3);
        const int boxTop = y - 3;
        const int boxBottom = boxTop + s_.KrokRadku - 6;
        ctx_.canvas.polyline({{L_ + 15, boxTop}, {x6_, boxTop}, {x6_, boxBottom}, {L_ + 15, boxBottom}, {L_ + 15, boxTop}});
    }

    // Municipality and precinct with the page number, and a "VZOR" with a
    // sample tally of five strokes so the counters see how to mark.
    void footer() {
        ctx_.canvas.font.size = s_.VelikostPaticky;
        ctx_.canvas.font.style = FontStyle{};
        NastavPismo(ctx_, "Arial");
        const std::string text = trimBlanks(ctx_.station.KodObce) + "-" + std::to_string(ctx_.station.CisloOkrsku) +
                                 " List: " + CisloMezery(s_.CisloStrany, 2) + " - " + s_.DruhVoleb;
        TiskText(ctx_, 0, R_ - w(s_.BezHacku ? BezDiakritiky(text) : text), s_.DolniRadek, text);

        const int xc = L_ + (R_ - L_) / 2;
        ctx_.canvas.font.style = styleFromCode("B");
        TiskText(ctx_, 0, xc, s_.DolniRadek - s_.Rezerva / 2, "VZOR");
        ctx_.canvas.font.style = FontStyle{};

        pen(3);
        for (int k = 1; k <= 4; ++k)
            ctx_.canvas.line({xc + 10 * k + 105, s_.DolniRadek - 15}, {xc + 10 * k + 100, s_.DolniRadek + 15});
        ctx_.canvas.line({xc + 100, s_.DolniRadek}, {xc + 150, s_.DolniRadek});
        s_.CisloStrany += 1;
    }

    PrintContext& ctx_;
    TiskovyStav& s_;
    const data::PartyList& parties_;
    const data::CandidateTable& candidates_;
    const int L_;
    const int R_;
    int x6_ = 0;  // right edge of the total box: six digits wide
};

// Every party's candidate count, converted before anything is drawn: a
// count that is not a number ends the job with the conversion error.
std::vector<int> candidateCounts(const data::PartyList& parties) {
    std::vector<int> counts(static_cast<std::size_t>(parties.length) + 1, 0);
    const std::string_view file =
        parties.sourceFile.empty() ? data::strany::kLayout.name : std::string_view(parties.sourceFile);
    for (int p = 1; p <= parties.length; ++p)
        counts[static_cast<std::size_t>(p)] =
            data::toIntStrict(parties.at(p).PocetKandidatu, {file, "PocetKandidatu", p - 1});
    return counts;
}

}  // namespace

void TiskScitacihoArchu(PrintContext& ctx, const data::PartyList& parties, const data::CandidateTable& candidates,
                        const data::LocalDateTime& now, bool sDiakritikou) {
    InitTisk(ctx, now);
    ctx.stav.BezHacku = !sDiakritikou;
    TiskovyStav& s = ctx.stav;
    s.PravyOkraj = 2800;
    s.VelikostPaticky = 20;
    s.VelikostNadpisu = 34;
    s.DolniRadek = s.HorniOkraj + 42 * 45;
    ctx.preview.document().setOrientation(Orientation::Landscape);

    const std::vector<int> counts = candidateCounts(parties);
    buildDocument(ctx.preview.document(), [&] { TallyPrint(ctx, parties, candidates).draw(counts); });
}

}  // namespace talmorek::print
