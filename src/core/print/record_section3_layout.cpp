// Section III of the printed record: the commission. How many members it
// has and how many are present, who else was present, the approval of the
// record, (on form T/4a) the member who hands the record over, the time of
// drawing it up, and the signatures, continued on further pages when they
// do not fit.

#include <algorithm>
#include <string>

#include "core/data/cp1250.h"
#include "core/print/primitives.h"
#include "core/print/print_text.h"
#include "core/print/record_footer.h"
#include "core/print/record_layout.h"

namespace talmorek::print {
namespace {

using record_layout_detail::signatureColumns;
using record_layout_detail::writeRest;

class Section3Print : private record_layout_detail::RecordSheet {
public:
    Section3Print(PrintContext& ctx, const RecordJob& job) : RecordSheet(ctx, job) {}

    void draw() {
        topOfPage();
        d_ = std::max(1, w("."));
        TiskStred(ctx_, 3, L_, R_, "III.", "B");
        counts();
        othersPresent();
        TiskText(ctx_, 2, L_, 0,
                 t4b_ ? "Zápis byl přečten za účasti nadpoloviční většiny členů zvláštní okrskové volební komise "
                        "a schválen"
                      : "Zápis    byl    přečten   za   účasti    nadpoloviční    většiny    členů   okrskové   "
                        "volební   komise a schválen");
        TiskText(ctx_, 1, L_, 0, "nadpoloviční  většinou  přítomných  členů  komise.");
        if (!t4b_) entrustedMember();
        timeAndClerk();
        signatures();
        closing();
    }

private:
    void topOfPage() {
        size(24);
        NastavPismo(ctx_, "Arial");
        ctx_.canvas.font.style = FontStyle{};
        s_.AktY = s_.HorniOkraj + 100;
    }

    void counts() {
        const std::string first = "Z celkového počtu ";
        const int t1 = w(first);
        TiskText(ctx_, 1, L_, 0,
                 first +
                     (t4b_ ? "................. členů zvláštní okrskové volební komise je"
                           : ".......................... členů okrskové volební komise je") +
                     " v době vyhotovení zápisu přítomno");
        TiskText(ctx_, 0, L_ + t1 + 2 * d_, -12, OrezVpravo(h_.ClenuOVKC));
        TiskText(ctx_, 1, L_, 0, ".............. , t.j. nadpoloviční většina.");
        TiskText(ctx_, 0, L_ + 3 * d_, -12, OrezVpravo(h_.ClenuOVKP));
    }

    void othersPresent() {
        const std::string label = "Dále byli přítomni: ....";
        const int t1 = w(label);
        TiskText(ctx_, 1, L_, 0, label + Tecky(ctx_, L_ + t1, R_ - 90));
        const std::string others = OrezVpravo(h_.Ostatni);
        // Measured as if written a size larger, which leaves it room to spare.
        size(26);
        const int pos = MistoZlomu(ctx_, others, L_ + t1, R_, L_);
        size(24);
        if (pos > 0) {
            TiskText(ctx_, 0, L_ + t1, -12, data::utf8Prefix(others, static_cast<std::size_t>(pos)));
            TiskText(ctx_, 1, L_, 0, Tecky(ctx_, L_, R_ - 120));
            writeRest(ctx_, utf8From(others, static_cast<std::size_t>(pos)), -10, true);
        } else {
            TiskText(ctx_, 0, L_ + t1, -12, others);
            TiskText(ctx_, 1, L_, 0, Tecky(ctx_, L_, R_ - 120));
        }
    }

    // Form T/4a names the member who hands the record over to the receiving
    // office and may correct mistakes there.
    void entrustedMember() {
        TiskText(ctx_, 2, L_, 0,
                 "Člen    okrskové    volební    komise    pověřený    předáním    zápisu    Dravel    na    územně");
        const std::string label = "příslušném pracovišti a k opravám případných chyb v zápisu na místě ......";
        const int t1 = w(label);
        TiskText(ctx_, 1, L_, 0, label + Tecky(ctx_, L_ + t1, R_ - 20));
        const std::string member = OrezVpravo(h_.PoverPred);
        const int pos = MistoZlomu(ctx_, member, L_ + t1, R_, L_);
        if (pos > 0) {
            TiskText(ctx_, 0, L_ + t1, -12, data::utf8Prefix(member, static_cast<std::size_t>(pos)));
            TiskText(ctx_, 2, L_, 0, dots(PocetTecek(ctx_, L_, R_)));
            // From here the text stays a size larger up to the first footnote
            // marker, which sets the body size again.
            size(s_.VelikostPaticky);
            writeRest(ctx_, utf8From(member, static_cast<std::size_t>(pos)), -12, true);
            TiskXY(ctx_, 1, L_, -15, Opakuj(" ", 100) + "jméno a příjmení", "");
        } else {
            TiskText(ctx_, 0, L_ + t1, -12, member);
            TiskStred(ctx_, 1, L_ + t1, R_, "jméno a příjmení", "", -15);
        }
    }

    void timeAndClerk() {
        // In direct print the printer's dots come out wider: the fills stop earlier.
        const std::string when = "Hodina, den, měsíc a rok vyhotovení zápisu:  ";
        int t1 = w(when);
        TiskText(ctx_, 2, L_, 0, when + Tecky(ctx_, L_ + t1, R_ - (direct_ ? 50 : 0)));
        TiskText(ctx_, 0, L_ + t1 + 15, -12, s_.CasTisku + " hod., " + s_.DatumTisku);

        const std::string clerk = "Jméno, příjmení a podpis zapisovatele:  ";
        t1 = w(clerk) + 20;
        TiskXY(ctx_, 2, L_, 0, clerk + Tecky(ctx_, L_ + t1, R_ - (direct_ ? 40 : 0)), "");
        TiskText(ctx_, 0, L_ + t1, -12, OrezVpravo(h_.Zapisovat));
    }

    // The other members sign in three columns: the first in the third column
    // of the heading's line, then rows of three two lines apart. A row that
    // ends low on the page sends the remaining names to a continuation page.
    void signatures() {
        TiskText(ctx_, 2, L_, 0, "Jména, příjmení a podpisy ostatních členů komise:");
        signatureColumns(ctx_, r_.komise, s_.DolniRadek - 12 * s_.Rezerva, [this] { continuationPage(); });
    }

    void continuationPage() {
        PatickaZapisu(ctx_, job_.footer);
        VratCanvas(ctx_);
        s_.CisloStrany += 1;
        s_.HlidatZlom = true;
        topOfPage();
        TiskStred(ctx_, 2, L_, R_, "III. - pokračování", "B");
    }

    void closing() {
        const std::string refused = "Zápis odmítl podepsat (jméno, příjmení, podpis): ...";
        const int t1 = w(refused);
        TiskText(ctx_, 2, L_, 0, refused + Tecky(ctx_, L_ + t1, R_ - 80));
        TiskText(ctx_, 1, L_, 0, "Důvody odmítnutí jsou uvedeny v samostatné příloze k zápisu.");
        TiskText(ctx_, 2, L_, 0, "    nehodící se škrtněte");
        TiskZnacka(ctx_, L_, s_.AktY, 1);
        TiskText(ctx_, 1, L_, 0, "    KČ1 ... kontrolní číslo 1");
        TiskZnacka(ctx_, L_, s_.AktY, 2);
    }
};

}  // namespace

void drawRecordSection3(PrintContext& ctx, const RecordJob& job) { Section3Print(ctx, job).draw(); }

}  // namespace talmorek::print
