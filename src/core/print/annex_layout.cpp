#include "core/print/annex_layout.h"

#include <array>
#include <cstdint>
#include <string>

#include "core/print/primitives.h"
#include "core/print/print_text.h"
#include "core/print/record_layout.h"

namespace talmorek::print {
namespace {

// The candidate table holds twelve rows in each of three groups of columns:
// order, preferential votes, and the control product order x votes.
constexpr int kRowsPerGroup = 12;
constexpr int kGroups = 3;
// Header lines, the line of column numbers, then the candidate rows.
constexpr int kTableLines = 3 + 1 + kRowsPerGroup;

const std::string kPoslanecka = "  POSLANECKÉ SNĚMOVNY  ";

class AnnexPrint {
public:
    AnnexPrint(PrintContext& ctx, const RecordJob& job, int strana)
        : ctx_(ctx),
          s_(ctx.stav),
          job_(job),
          strana_(strana),
          t4p_(job.record->party(strana)),
          L_(s_.LevyOkraj),
          R_(s_.PravyOkraj),
          m_((R_ - L_) / 39),
          direct_(ctx.preview.document().DirectPrint()) {}

    void draw() {
        heading();
        if (job_.zvlastniOkrsek) {
            headingT4b();
        } else {
            headingT4a();
        }
        identification();
        partyBlock();
        candidateTable();
        checkNumbers();
        signatures();
    }

private:
    // ---- helpers ----

    // Draws `text` so that it ends at `edge`, measured as it is drawn: in
    // its style and, in the no-diacritics mode, without diacritics.
    void rightAligned(int lines, int edge, int dy, std::string_view text, std::string_view style = "") {
        const FontStyle previous = ctx_.canvas.font.style;
        ctx_.canvas.font.style = styleFromCode(style);
        const int w = SirkaTextu(ctx_, s_.BezHacku ? BezDiakritiky(text) : std::string(text));
        ctx_.canvas.font.style = previous;
        TiskXY(ctx_, lines, edge - w, dy, text, style);
    }

    int w(std::string_view text) const { return SirkaTextu(ctx_, text); }
    std::string dots(int n) const { return Opakuj(".", n); }
    void pen(int width) { ctx_.canvas.pen = Pen{width, PenStyle::Solid}; }
    int step() const { return s_.KrokRadku; }
    std::string nazevObce() const { return OrezVpravo(ctx_.station.NazevObce); }
    std::string nazevOkresu() const { return OrezVpravo(ctx_.station.NazevOkresu); }
    const record::TT4& t4() const { return job_.record->T4; }

    // ---- heading ----

    void heading() {
        ctx_.canvas.font.size = 12;
        NastavPismo(ctx_, "Arial");
        s_.AktY = s_.HorniOkraj + 100;
        ctx_.canvas.font.size = 32;
        TiskStred(ctx_, 1, L_, R_, "VÝSLEDKY HLASOVÁNÍ PRO POLITICKÉ STRANY, POLITICKÁ HNUTÍ A KOALICE", "B");
        TiskStred(ctx_, 1, L_, R_, job_.zvlastniOkrsek ? "VE ZVLÁŠTNÍM VOLEBNÍM OKRSKU" : "VE VOLEBNÍM OKRSKU", "B");

        ctx_.canvas.font.size = 24;
        const std::string a = std::string(job_.zvlastniOkrsek ? "Příloha č. 1 k tiskopisu T/4b, list č. "
                                                              : "Příloha č. 1 k tiskopisu T/4a, list č. ") +
                              CisloMezery(s_.CisloListu, 3);
        rightAligned(1, R_, 0, a, "B");
        ctx_.canvas.font.style = FontStyle{};
        d_ = w(".");
    }

    // A special precinct abroad: its name and the state stand together where
    // a municipality's name would.
    void headingT4b() {
        TiskText(ctx_, 2, L_, 0,
                 "Příloha  č.  1  k  zápisu zvláštní okrskové  volební  komise  o  průběhu a  výsledku  "
                 "hlasování  ve  zvláštním  volebním");
        std::string a = "okrsku č. .....";
        const int t1 = w(a);
        a += "............ na zastupitelském úřadu v (město, stát) ...";
        TiskText(ctx_, 1, L_, 0, a);
        TiskXY(ctx_, 0, L_ + t1, -10, CisloMezery(t4().Okrsek, 5), "B");
        const int t2 = w(a);
        TiskText(ctx_, 0, L_ + t2, 0, dots(d_ > 0 ? (R_ - L_ - t2) / d_ : 0));
        TiskXY(ctx_, 0, L_ + t2, -10, nazevObce() + ", " + nazevOkresu(), "B");

        const std::string pro = "pro volby do ";
        TiskText(ctx_, 1, L_, 0, pro);
        TiskXY(ctx_, 0, L_ + w(pro), 0, kPoslanecka, "B");
        TiskXY(ctx_, 0, L_ + w(pro) + w(kPoslanecka), 0, " Parlamentu České republiky", "");
    }

    void headingT4a() {
        std::string a =
            "Příloha č. 1 k zápisu okrskové volební komise o průběhu a výsledku hlasování ve volebním okrsku č. "
            "........";
        int t1 = w(a);
        TiskText(ctx_, 2, L_, 0, a + dots(30));
        TiskXY(ctx_, 0, L_ + t1, -10, CisloMezery(t4().Okrsek, 5), "B");

        a = "v obci (městysu, městě, městské části, městském obvodu) ......";
        t1 = w(a);
        TiskText(ctx_, 1, L_, 0, a + Tecky(ctx_, L_ + t1, R_ - 40));
        TiskXY(ctx_, 0, L_ + t1, -10, nazevObce(), "B");

        a = "okres ..";
        t1 = w(a);
        a += dots(90) + ". pro volby do  ";
        const int t2 = w(a) - 10;
        TiskText(ctx_, 1, L_, 0, a);
        TiskXY(ctx_, 0, L_ + t2, 0, " POSLANECKÉ SNĚMOVNY ", "B");
        TiskXY(ctx_, 0, L_ + t1, -10, nazevOkresu(), "B");
        TiskXY(ctx_, 0, R_ - w("Parlamentu") + 10, 0, "Parlamentu", "");
        TiskText(ctx_, 1, L_, 0, "České republiky.");
    }

    // ---- identification of the precinct ----

    void identification() {
        TiskText(ctx_, 1, L_, 0, "");
        pen(3);
        TiskText(ctx_, 1, L_, 0,
                 job_.zvlastniOkrsek ? "Identifikace zvláštního volebního okrsku:" : "Identifikace volebního okrsku:");
        const int top = s_.AktY - 10;
        rightAligned(0, R_ - 350, 0, "Obec");
        rightAligned(0, R_ - 120, 0, "Okrsek");
        rightAligned(0, R_ - 20, 0, "KČ1");
        TiskZnacka(ctx_, R_ + 10, s_.AktY, 1);

        ctx_.canvas.rectangle({R_ - 700, top}, {R_, top + 120});
        pen(8);
        ctx_.canvas.rectangle({R_ - 700, top + 50}, {R_, top + 120});
        pen(3);

        rightAligned(1, R_ - 20, 0, CisloMezery(t4().KC1, 10));
        rightAligned(0, R_ - 120, 0, CisloMezery(t4().Okrsek, 5));
        rightAligned(0, R_ - 350, 0, CisloMezery(t4().Obec, 10));
        ctx_.canvas.line({R_ - 340, top}, {R_ - 340, top + 120});
        ctx_.canvas.line({R_ - 100, top}, {R_ - 100, top + 120});
    }

    // ---- the party, its votes and KČ2 ----

    std::string partyName() const {
        const auto found = job_.partyNames.find(strana_);
        return found == job_.partyNames.end() ? std::string() : found->second;
    }

    void partyBlock() {
        constexpr int u = 50;
        TiskText(ctx_, 2, L_, 0,
                 job_.zvlastniOkrsek ? "Ve zvláštním volebním okrsku byly zjištěny výsledky hlasování pro politickou "
                                       "stranu, politické hnutí nebo koalici:"
                                     : "Ve volebním okrsku byly zjištěny výsledky hlasování pro politickou stranu, "
                                       "politické hnutí nebo koalici:");

        TiskText(ctx_, 2, L_, 0, dots(140) + " číslo ");
        TiskText(ctx_, 0, L_, -10, partyName());
        rightAligned(0, R_ - 20, 0, CisloMezery(t4p_.KStrana, 2));
        int top = s_.AktY - 10;
        pen(8);
        ctx_.canvas.polyline({{R_, top + 3 * step()}, {R_, top}, {R_ - 2 * u, top}, {R_ - 2 * u, top + step()}});
        pen(3);
        ctx_.canvas.line({R_, top + step()}, {R_ - 2 * u, top + step()});

        TiskText(ctx_, 1, L_, 0, "Počet platných hlasů pro tuto stranu, hnutí nebo koalici");
        rightAligned(0, R_ - 20, 0, CisloMezery(t4p_.PocHlasu, 4));
        top = s_.AktY - 10;
        pen(8);
        ctx_.canvas.polyline({{R_ - 2 * u, top}, {R_ - 4 * u, top}, {R_ - 4 * u, top + step()}});
        pen(3);
        ctx_.canvas.line({R_, top + step()}, {R_ - 4 * u, top + step()});

        TiskText(ctx_, 1, L_, 0, "Kontrolní číslo 2");
        rightAligned(0, R_ - 20, 0, CisloMezery(t4p_.KC2, 10));
        top = s_.AktY - 10;
        pen(8);
        ctx_.canvas.polyline({{R_ - 4 * u, top}, {R_ - 5 * u, top}, {R_ - 5 * u, top + step()}, {R_, top + step()}});
        pen(3);

        TiskText(ctx_, 2, L_, 0,
                 "Počet platných přednostních hlasů, odevzdaných pro jednotlivé kandidáty v pořadí podle "
                 "hlasovacího lístku:");
        TiskText(ctx_, 2, L_, 0, "");
    }

    // ---- candidate table ----

    // Column widths: order 2m, preferential votes 5m, product 6m per group.
    int columnWidth(int column) const {
        static constexpr std::array<int, 3> kUnits{2, 5, 6};
        return kUnits[static_cast<std::size_t>(column % 3)] * m_;
    }
    // Left edge of column 0..8 on the grid.
    int columnEdge(int column) const {
        int x = L_;
        for (int c = 0; c < column; ++c) x += columnWidth(c);
        return x;
    }
    int groupGridStart(int g) const { return L_ + 13 * m_ * g; }
    // Texts of groups 2 and 3 stand a little right of their grid line.
    int groupTextStart(int g) const { return groupGridStart(g) + (g > 0 ? 5 : 0); }

    void headerCell(int lines, int column, std::string_view text) {
        const int left = columnEdge(column);
        const int right = column == 3 * kGroups - 1 ? R_ : left + columnWidth(column);
        TiskStred(ctx_, lines, left, right, text, "");
    }

    static std::string columnNumber(int n) { return "sl." + std::to_string(n); }

    void tableHeader() {
        const int size = ctx_.canvas.font.size;
        ctx_.canvas.font.size = s_.VelikostPaticky - 8;
        for (int g = 0; g < kGroups; ++g) {
            headerCell(0, 3 * g, "Poř.");
            headerCell(0, 3 * g + 1, "Počet");
        }
        for (int g = 0; g < kGroups; ++g) {
            headerCell(g == 0 ? 1 : 0, 3 * g, "číslo");
            headerCell(0, 3 * g + 1, "přednostních");
            headerCell(0, 3 * g + 2, "Násobek");
        }
        for (int g = 0; g < kGroups; ++g) {
            headerCell(g == 0 ? 1 : 0, 3 * g, "kand.");
            headerCell(0, 3 * g + 1, "hlasů");
            headerCell(0, 3 * g + 2, columnNumber(3 * g + 1) + " x " + columnNumber(3 * g + 2));
        }
        for (int column = 0; column < 3 * kGroups; ++column)
            headerCell(column == 0 ? 1 : 0, column, columnNumber(column + 1));
        ctx_.canvas.font.size = size;
    }

    // A position beyond the party's list gets a line of underscores in place
    // of votes and product, so that nothing can be written in afterwards.
    void tableRows(int candidateCount) {
        NastavPismo(ctx_, "Arial");
        for (int r = 1; r <= kRowsPerGroup; ++r) {
            for (int g = 0; g < kGroups; ++g) {
                const int j = r + kRowsPerGroup * g;
                const int x = groupTextStart(g);
                TiskXY(ctx_, g == 0 ? 1 : 0, x, -2, CisloMezery(j, 3) + ".", "");
                if (candidateCount < j) {
                    TiskXY(ctx_, 0, x + 2 * m_ + 10, -16, Opakuj("_", 24), "");
                    continue;
                }
                const std::uint16_t votes = t4p_.pref(j);
                const std::int64_t product = static_cast<std::int64_t>(j) * votes;
                rightAligned(0, x + 2 * m_ + 5 * m_ - 20, -2, std::to_string(votes), "B");
                rightAligned(0, g == kGroups - 1 ? R_ - 20 : x + 13 * m_ - 20, -2, std::to_string(product), "");
            }
        }
    }

    // Thick frames mark the cells the commission fills in: the preferential
    // votes of each group.
    void tableGrid(int top) {
        const int height = kTableLines * step();
        pen(3);
        ctx_.canvas.rectangle({L_, top}, {R_, top + height});
        for (int q = 3; q <= kTableLines; ++q) ctx_.canvas.line({R_, top + q * step()}, {L_, top + q * step()});
        for (int column = 1; column < 3 * kGroups; ++column) {
            const int x = columnEdge(column);
            ctx_.canvas.line({x, top}, {x, top + height});
        }
        pen(8);
        for (int g = 0; g < kGroups; ++g) {
            const int start = groupGridStart(g);
            ctx_.canvas.rectangle({start + 2 * m_, top + 4 * step()}, {start + 7 * m_, top + height});
        }
        pen(3);
    }

    void candidateTable() {
        const int top = s_.AktY - 10;
        // The register is the authority on how long the party's list is; a
        // party it does not hold has no candidates.
        const std::int32_t count = job_.registers != nullptr ? job_.registers->PocetKandidatuStrany(strana_) : 0;
        tableHeader();
        tableRows(count);
        tableGrid(top);
    }

    // ---- KČ3, KČ4 and the last candidate with votes ----

    void checkBox(int left, int topOffset) {
        pen(8);
        ctx_.canvas.rectangle({left, s_.AktY + topOffset}, {R_, s_.AktY + topOffset + step()});
        pen(3);
    }

    void checkNumbers() {
        TiskText(ctx_, 2, L_, 0, "Kontrolní číslo 3 (součet násobků ve sl. 3 + 6 + 9)");
        rightAligned(0, R_ - 20, 0, CisloMezery(t4p_.KC3, 10));
        checkBox(R_ - 400, -10);

        TiskText(ctx_, 2, L_, 0, "Kontrolní číslo 4 (součet kontrolních čísel 2 + 3)");
        rightAligned(0, R_ - 20, 0, CisloMezery(t4p_.KC4, 10));
        checkBox(R_ - 400, -8);

        TiskText(ctx_, 2, L_, 0, "Poslední číslo kandidáta, který získal přednostní hlasy");
        rightAligned(0, R_ - 25, 0, CisloMezery(t4p_.PoslKand, 3));
        checkBox(R_ - 100, -10);

        TiskText(ctx_, 1, L_, 0, "    KČ1 ... kontrolní číslo 1");
        TiskZnacka(ctx_, L_, s_.AktY, 1);
    }

    // ---- date, recorder and the members' signatures ----

    void signatures() {
        std::string label = "Hodina, den, měsíc a rok vyhotovení zápisu:  ";
        int t1 = w(label);
        TiskText(ctx_, 2, L_, 0, label + Tecky(ctx_, L_ + t1, R_ - (direct_ ? 50 : 0)));
        TiskText(ctx_, 0, L_ + t1 + 15, -12, s_.CasTisku + " hod., " + s_.DatumTisku);

        label = "Jméno, příjmení a podpis zapisovatele:  ";
        t1 = w(label) + 20;
        TiskXY(ctx_, 2, L_, 0, label + Tecky(ctx_, L_ + t1, R_ - (direct_ ? 40 : 0)), "");
        TiskXY(ctx_, 0, L_ + t1, -12, OrezVpravo(job_.record->hlasovani.Zapisovat), "");

        TiskText(ctx_, 2, L_, 0, "Jména, příjmeni a podpisy ostatních členů komise :");
        memberColumns();
    }

    // Three columns of signature lines with each member's name over the
    // dots. The first member signs in the third column of the heading's
    // line; each further row fills the columns from the left. A list that
    // reaches the bottom goes on on a continuation page.
    void memberColumns() {
        record_layout_detail::signatureColumns(ctx_, job_.record->komise, s_.DolniRadek - 6 * s_.Rezerva,
                                               [this] { continuationPage(); });
    }

    void continuationPage() {
        PatickaZapisu(ctx_, job_.footer);
        VratCanvas(ctx_);
        s_.CisloStrany += 1;
        s_.HlidatZlom = true;
        ctx_.canvas.font.size = 24;
        NastavPismo(ctx_, "Arial");
        s_.AktY = s_.HorniOkraj + 100;
        TiskStred(ctx_, 2, L_, R_, "p o k r a č o v á n í", "B");
    }

    PrintContext& ctx_;
    TiskovyStav& s_;
    const RecordJob& job_;
    const int strana_;
    const record::TT4P& t4p_;
    const int L_;
    const int R_;
    const int m_;  // the table's column unit
    const bool direct_;
    int d_ = 0;  // width of "." in the body font
};

}  // namespace

void TiskPrilohy1(PrintContext& ctx, const RecordJob& job, int strana) { AnnexPrint(ctx, job, strana).draw(); }

}  // namespace talmorek::print
