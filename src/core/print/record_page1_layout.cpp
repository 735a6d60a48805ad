// Page 1 of the printed record: heading, identification of the precinct,
// section I (course of voting) and section II (totals and the parties that
// received votes).

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>

#include "core/data/cp1250.h"
#include "core/print/primitives.h"
#include "core/print/print_text.h"
#include "core/print/record_layout.h"

namespace talmorek::print {
namespace {

using record_layout_detail::writeRest;

// Yes/no fields hold "B" for yes; anything else reads as no.
bool yes(const std::string& field) { return field == "B"; }

// An entry written over the form: the value of an event (date, hour, minute)
// and where it stands, relative to the left margin.
struct EventValue {
    const std::string* value;
    int x;
};

// One of the three events of section I (postponed start, extended voting,
// interruption): a label, the "nebylo"/"bylo" pair, and a detail line whose
// parts end where the values are written.
struct EventBlock {
    std::string_view label;
    int lines;  // line steps before the label
    const std::string* flag;
    std::string_view noWord, yesWord;
    std::array<std::string_view, 4> parts;
    int fillCorrection;  // dots added to the detail line's fill
    const std::string* reason;
    int reasonRestDy;  // where the second part of the reason stands on its dotted line
};

class Page1Print : private record_layout_detail::RecordSheet {
public:
    Page1Print(PrintContext& ctx, const RecordJob& job) : RecordSheet(ctx, job) {}

    void draw() {
        heading();
        identification();
        section1Times();
        events();
        complaints();
        ballotBox();
        section2();
        identificationBox();
        totals();
        parties();
    }

private:
    std::string municipality() const { return OrezVpravo(ctx_.station.NazevObce); }
    std::string district() const { return OrezVpravo(ctx_.station.NazevOkresu); }

    void heading() {
        size(s_.VelikostNadpisu);
        NastavPismo(ctx_, "Arial");
        s_.AktY = s_.HorniOkraj + 100;
        TiskStred(ctx_, 0, L_ + 100, R_,
                  t4b_ ? "ZÁPIS O PRŮBĚHU A VÝSLEDKU HLASOVÁNÍ VE ZVLÁŠTNÍM VOLEBNÍM OKRSKU"
                       : "ZÁPIS O PRŮBĚHU A VÝSLEDKU HLASOVÁNÍ VE VOLEBNÍM OKRSKU",
                  "B");
        TiskXY(ctx_, 2, R_ - 50, 0, t4b_ ? "T/4b" : "T/4a", "B");
        ctx_.canvas.font.style = FontStyle{};
        size(24);
        // A dot of the body font: the forms' dotted places are counted in it.
        d_ = std::max(1, w("."));
    }

    void identification() {
        const std::string a = t4b_ ? "Ve zvláštním volebním okrsku č.  ....." : "Ve volebním okrsku č.  .....";
        int w1 = w(a);
        std::string b = a + (t4b_ ? ".......... na zastupitelském úřadu v (město a stát) ...."
                                  : ".......... v obci (městysu, městě, městské části, městském obvodu) ....");
        int w2 = w(b);
        TiskText(ctx_, 2, L_, 0, b + dots((R_ - L_ - w2) / d_ + 9));
        TiskXY(ctx_, 0, L_ + w1 - 50, -12, CisloMezery(r_.T4.Okrsek, 5), "B");
        TiskXY(ctx_, 0, L_ + w2, -12, municipality() + (t4b_ ? "," : ""), "B");

        if (t4b_) {
            b = dots(45);
            b += dots(70) + " proběhlo ve dnech  ..";
            w2 = w(b);
            TiskText(ctx_, 1, L_, 0, b + dots((R_ - L_ - w2) / d_ + 12));
            TiskXY(ctx_, 0, L_ + 10, -12, district(), "B");
            TiskXY(ctx_, 0, L_ + w2 + 50, -12, job_.electionDates, "B");

            const std::string votedIn = "hlasování ve volbách do     ";
            w1 = w(votedIn);
            TiskText(ctx_, 1, L_, 0, votedIn);
            const std::string chamber = " POSLANECKÉ SNĚMOVNY ";
            TiskXY(ctx_, 0, L_ + w1 - 20, 0, chamber, "B");
            TiskText(ctx_, 0, L_ + w1 + w(chamber), 0, "Parlamentu České republiky.");
        } else {
            b = dots(35) + "  okres  ......";
            w1 = w(b);
            const std::string held = " proběhlo ve dnech";
            w2 = w(held) - 80;
            TiskText(ctx_, 1, L_, 0, b + dots(PocetTecek(ctx_, L_ + w1, R_ - w2)));
            TiskText(ctx_, 0, R_ - w2, 0, held);
            TiskXY(ctx_, 0, L_ + w1, -12, district(), "B");

            b = dots(60) + "hlasování ve volbách do ";
            w1 = w(b);
            TiskText(ctx_, 1, L_, 0, b);
            TiskXY(ctx_, 0, L_, -12, job_.electionDates, "B");
            const std::string chamber = "  POSLANECKÉ SNĚMOVNY  ";
            TiskXY(ctx_, 0, L_ + w1, 0, chamber, "B");
            TiskText(ctx_, 0, L_ + w1 + w(chamber), 0, " Parlamentu České republiky.");
        }
    }

    void section1Times() {
        TiskStred(ctx_, 3, L_, R_, "I.", "B");
        const std::string hours = ".................... hodin.";
        const std::array<std::pair<std::string_view, const std::string*>, 4> times{{
            {"Předseda komise zahájil hlasování první den voleb v ", &h_.Zahajeno1},
            {"Předseda komise ukončil hlasování první den voleb v ", &h_.Ukonceno1},
            {"Předseda komise zahájil hlasování druhý den voleb v ", &h_.Zahajeno2},
            {"Předseda komise ukončil hlasování druhý den voleb v ", &h_.Ukonceno2},
        }};
        // All four times stand over the dots at the place the first label gives.
        const int xt = d_ * 8 + w(times[0].first);
        int lines = 2;
        for (const auto& [label, value] : times) {
            TiskText(ctx_, lines, L_, 0, std::string(label) + hours);
            TiskText(ctx_, 0, L_ + xt, -12, OrezVpravo(*value));
            lines = 1;
        }
    }

    // The two alternatives of a yes/no field, each followed by the "*)" that
    // refers to the footnote "nehodící se škrtněte"; the one that does not
    // apply is struck through. Returns x past the second marker.
    int alternatives(int x0, std::string_view noWord, std::string_view yesWord, bool isYes) {
        TiskXY(ctx_, 0, L_ + x0, 0, noWord, isYes ? "-" : "");
        TiskZnacka(ctx_, L_ + x0 + w(noWord) + d_, s_.AktY, 1);
        x0 += w(std::string(noWord) + " *) ");
        TiskXY(ctx_, 0, L_ + x0, 0, yesWord, isYes ? "" : "-");
        TiskZnacka(ctx_, L_ + x0 + w(yesWord) + d_, s_.AktY, 1);
        return x0 + w(std::string(yesWord) + " *) ");
    }

    void events() {
        const EventBlock postponed{"Zahájení hlasování   ", 2, &h_.Odroceno, "nebylo", "bylo",
                                   {"odročeno dne ", "...................... o ", "..... hodin ", "..... minut z důvodu ."},
                                   -5, &h_.DuvodOdroc, -12};
        event(postponed, {&h_.OdrocenoD, &h_.OdrocenoH, &h_.OdrocenoM});
        const EventBlock extended{"Doba hlasování    ", 1, &h_.Prodlouzeno, "nebyla", "byla",
                                  {"prodloužena dne ", "...................... o ", "..... hodin ", "..... minut z důvodu ."},
                                  4, &h_.DuvodProdl, -16};
        event(extended, {&h_.ProdlouzD, &h_.ProdlouzH, &h_.ProdlouzM});
        const EventBlock interrupted{
            "Hlasování   ", 1, &h_.Preruseno, "nebylo", "bylo",
            {"přerušeno dne ", "...................... na dobu od ", "......... do ", "......... hodin z důvodu ."},
            31, &h_.DuvodPrer, -12};
        event(interrupted, {&h_.PrerusD, &h_.PrerusOd, &h_.PrerusDo});
    }

    // The date, and the hour and minute (or the times from and to) stand at
    // the start of their dotted places, in the preview as on paper: the
    // preview is drawn with the printer's own metrics, and a time moved two
    // or four dots to the left would be written over the "od" or "do"
    // before its place.
    void event(const EventBlock& e, std::array<const std::string*, 3> values) {
        TiskText(ctx_, e.lines, L_, 0, e.label);
        const bool isYes = yes(*e.flag);
        const int x0 = alternatives(w(e.label), e.noWord, e.yesWord, isYes);

        const std::string p12 = std::string(e.parts[0]) + std::string(e.parts[1]);
        const std::string p123 = p12 + std::string(e.parts[2]);
        const std::string p1234 = p123 + std::string(e.parts[3]);
        const int detailEnd = x0 + w(p1234);
        TiskText(ctx_, 0, L_ + x0, 0, p1234 + dots(PocetTecek(ctx_, L_ + w(p12) + w(p1234), R_) + e.fillCorrection));

        // Sent straight to the printer, the full dotted line under the
        // details is kept a few dots shorter than in the preview.
        const int a = direct_ ? -11 : 4;
        const std::string fullLine = dots(PocetTecek(ctx_, L_, R_) + a);
        if (!isYes) {
            TiskText(ctx_, 1, L_, 0, fullLine);
            return;
        }
        const std::array<EventValue, 3> placed{{
            {values[0], x0 + w(e.parts[0]) + d_},
            {values[1], x0 + w(p12)},
            {values[2], x0 + w(p123)},
        }};
        for (const EventValue& v : placed) TiskText(ctx_, 0, L_ + v.x, -12, OrezVpravo(*v.value));

        // A long reason is written smaller so that more of it fits.
        const std::string reason = OrezVpravo(*e.reason);
        const int s = data::utf8Length(reason) < 161 ? s_.VelikostPaticky : 24;
        size(s);
        const int pos = MistoZlomu(ctx_, reason, L_ + detailEnd, R_, L_);
        size(24);
        if (pos > 0) {
            size(s);
            TiskText(ctx_, 0, L_ + detailEnd, -12, data::utf8Prefix(reason, static_cast<std::size_t>(pos)));
            size(24);
            TiskText(ctx_, 1, L_, 0, fullLine);
            size(s);
            writeRest(ctx_, utf8From(reason, static_cast<std::size_t>(pos) + 1), e.reasonRestDy, false);
            size(24);
        } else {
            size(s);
            TiskText(ctx_, 0, L_ + detailEnd, -12, reason);
            size(24);
            TiskText(ctx_, 1, L_, 0, fullLine);
        }
    }

    void complaints() {
        const std::string label = "Při hlasování a zjišťování výsledků hlasování      ";
        int x0 = w(label);
        TiskText(ctx_, 2, L_, 0, label);
        TiskXY(ctx_, 0, L_ + x0, 0, "nebyly", h_.Stiznosti == "B" ? "-" : "");
        x0 += w("nebyly  ");
        TiskText(ctx_, 0, L_ + x0, 0, "  *) ");
        x0 += w("  *) ");
        // Only a clear "no" strikes "byly": a value that is neither strikes nothing.
        TiskXY(ctx_, 0, L_ + x0, 0, "byly", h_.Stiznosti == "N" ? "-" : "");
        x0 += w("byly  ");
        TiskText(ctx_, 0, L_ + x0, 0, " *)     ");
        x0 += w("  *)  ");
        TiskText(ctx_, 0, L_ + x0, 0, "  okrskové   volební   komisi  podány  stížnosti  nebo");
        TiskText(ctx_, 1, L_, 0,
                 "oznámení.   Jejich   stručný   obsah,   přijatá   usnesení   a   jejich   stručné  zdůvodnění  jsou"
                 "   uvedeny   v   příloze    na");
        TiskText(ctx_, 1, L_, 0, "...................   listech.");
        if (h_.Stiznosti == "B") {
            TiskText(ctx_, 0, L_ + 50, -12, OrezVpravo(h_.StizListu));
        } else if (h_.Stiznosti == "N") {
            TiskXY(ctx_, 0, L_ + 50, -12, "---", "B");
        }
    }

    void ballotBox() {
        // The same words on both forms.
        const std::string label = "Ve volebním okrsku  ";
        int x0 = w(label);
        TiskText(ctx_, 2, L_, 0, label);
        const bool used = yes(h_.Schranka);
        TiskXY(ctx_, 0, L_ + x0, 0, "nebyla", used ? "-" : "");
        x0 += w("nebyla  ");
        TiskText(ctx_, 0, L_ + x0, 0, " *) ");
        x0 += w(" *) ");
        TiskXY(ctx_, 0, L_ + x0, 0, "byla", used ? "" : "-");
        x0 += w("byla  ");
        TiskText(ctx_, 0, L_ + x0, 0, " *) ");
        x0 += w(" *) ");
        TiskText(ctx_, 0, L_ + x0, 0, "použita přenosná volební schránka.");
    }

    void section2() {
        TiskStred(ctx_, 2, L_, R_, "II.", "B");
        const std::string first = "Byly zjištěny výsledky hlasování uvedené v tomto oddílu a na .......";
        TiskText(ctx_, 2, L_, 0, first + ".................. listech přílohy č.1 k tomuto zápisu.");
        TiskXY(ctx_, 0, L_ + w(first), -12, h_.PrilListu, "B");
        TiskText(ctx_, 2, L_, 0, "");
    }

    void rightAligned(int edge, std::string_view text) { TiskText(ctx_, 0, edge - w(text), 0, text); }

    void identificationBox() {
        PageCanvas& c = ctx_.canvas;
        c.pen = Pen{3, PenStyle::Solid};
        const int top = s_.AktY - 10;
        rightAligned(R_ - 350, "Obec");
        rightAligned(R_ - 120, "Okrsek");
        rightAligned(R_ - 20, "KČ1");
        TiskZnacka(ctx_, R_ + 10, s_.AktY, 2);

        TiskXY(ctx_, 1, L_, 0,
               t4b_ ? "  Identifikace zvláštního volebního okrsku" : "  Identifikace volebního okrsku", "");
        rightAligned(R_ - 350, CisloMezery(r_.T4.Obec, 10));
        rightAligned(R_ - 120, CisloMezery(r_.T4.Okrsek, 5));
        rightAligned(R_ - 20, CisloMezery(r_.T4.KC1, 10));

        c.rectangle({R_ - 700, top}, {R_, top + 120});
        c.pen.width = 8;
        c.rectangle({R_ - 700, top + 50}, {R_, top + 120});
        c.pen.width = 3;
        c.line({R_ - 340, top}, {R_ - 340, top + 120});
        c.line({R_ - 100, top}, {R_ - 100, top + 120});
    }

    // The column of the four totals and KČ2: thick outer edges, thin lines
    // between the cells.
    void totals() {
        constexpr int u = 50;
        const std::array<std::pair<std::string_view, std::int64_t>, 5> rows{{
            {t4b_ ? "  Počet osob zapsaných do výpisu ze zvláštního seznamu voličů"
                  : "  Počet osob zapsaných do výpisů ze stálého a zvláštního seznamu voličů celkem",
             r_.T4.ZapsOsoby},
            {"  Počet voličů, kterým byly vydány úřední obálky", r_.T4.VydObalky},
            {"  Počet odevzdaných úředních obálek", r_.T4.OdevzdObalky},
            {t4b_ ? "  Počet platných hlasů ve zvláštním volebním okrsku celkem"
                  : "  Počet platných hlasů ve volebním okrsku celkem",
             r_.T4.PlatneHlasy},
            {"  Kontrolní číslo 2", r_.T4.KC2},
        }};
        PageCanvas& c = ctx_.canvas;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            TiskXY(ctx_, i == 0 ? 3 : 1, L_, 0, rows[i].first, "");
            const int top = s_.AktY - 10;
            c.pen.width = 8;
            if (i == 0) {
                c.polyline({{R_, top + 5 * u}, {R_, top}, {R_ - 5 * u, top}, {R_ - 5 * u, top + u}});
            } else if (i + 1 < rows.size()) {
                c.line({R_ - 5 * u, top}, {R_ - 5 * u, top + u});
            } else {
                c.polyline({{R_ - 5 * u, top}, {R_ - 6 * u, top}, {R_ - 6 * u, top + u}, {R_, top + u}});
            }
            c.pen.width = 3;
            if (i + 1 < rows.size()) c.line({R_ - 5 * u, top + u}, {R_, top + u});
            rightAligned(R_ - 20, std::to_string(rows[i].second));
        }
    }

    void parties() {
        const std::string where = t4b_ ? "Ve zvláštním volebním okrsku byl alespoň jeden platný hlas odevzdán"
                                       : "Ve volebním okrsku byl alespoň jeden platný hlas odevzdán";
        TiskText(ctx_, 2, L_, 0, where + " pro ty politické strany, politická hnutí a koalice,");
        TiskText(ctx_, 1, L_, 0, "jejichž čísla jsou zakroužkována:");
        TiskText(ctx_, 1, L_, 0, "");

        // Sixteen numbers a row, spread over the text width.
        PageCanvas& c = ctx_.canvas;
        c.brush = Brush{BrushStyle::Clear};
        c.pen = Pen{3, PenStyle::Solid};
        const int step = static_cast<int>(std::lround((R_ - L_) / 15.0 - 3));
        int offset = 0;
        for (int n = 1; n <= 22; ++n) {
            if (n == 17) {
                TiskText(ctx_, 2, L_, 0, "");
                offset = 0;
            }
            TiskText(ctx_, 0, L_ + offset, 0, CisloNuly(n, 2));
            if (r_.isFlagged(n))
                c.ellipse({L_ + offset - 10, s_.AktY - 10}, {L_ + offset + 50, s_.AktY + 50});
            offset += step;
        }
    }
};

}  // namespace

void drawRecordPage1(PrintContext& ctx, const RecordJob& job) { Page1Print(ctx, job).draw(); }

}  // namespace talmorek::print
