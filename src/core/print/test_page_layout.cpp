#include "core/print/test_page_layout.h"

#include <algorithm>

#include "core/print/primitives.h"

namespace talmorek::print {
namespace {

bool offers(const std::vector<std::string>& fonts, std::string_view name) {
    return std::find(fonts.begin(), fonts.end(), name) != fonts.end();
}

bool offersArial(const std::vector<std::string>& fonts) {
    return std::any_of(fonts.begin(), fonts.end(), [](const std::string& f) {
        return f == "Arial" || (f.starts_with("Arial") && f.find(' ') == std::string::npos);
    });
}

// A cross of two strokes of 60 centred on the point, for checking that the
// printer puts the page where it belongs.
void registrationCross(PageCanvas& canvas, int x, int y) {
    canvas.line({x - 30, y}, {x + 30, y});
    canvas.line({x, y - 30}, {x, y + 30});
}

class TestPagePrint {
public:
    TestPagePrint(PrintContext& ctx, const TestPageFacts& facts)
        : ctx_(ctx), s_(ctx.stav), facts_(facts), L_(s_.LevyOkraj), R_(s_.PravyOkraj) {}

    void draw() {
        heading();
        table();
        grid();
        instructions();
        contact();
        footer();
    }

private:
    void heading() {
        ctx_.canvas.font.size = 26;
        NastavPismo(ctx_, "Arial");
        s_.AktY = s_.HorniOkraj + 100;
        ctx_.canvas.pen = Pen{2, PenStyle::Solid};
        registrationCross(ctx_.canvas, L_, 100);
        registrationCross(ctx_.canvas, R_, 100);
        registrationCross(ctx_.canvas, L_, s_.DolniRadek + 50);
        registrationCross(ctx_.canvas, R_, s_.DolniRadek + 50);

        ctx_.canvas.font.size = 32;
        TiskStred(ctx_, 4, L_, R_, "T I S K   z k u š e b n í    s t r a n y", "B");
        TiskStred(ctx_, 1, L_, R_,
                  "------------------------------ verze " + s_.Verze + " ------------------------------", "");
        TiskStred(ctx_, 2, L_, R_,
                  "Volby do Poslanecké sněmovny Parlamentu ČR konané ve dnech: " + facts_.electionDates, "");
    }

    void row(std::string_view label, std::string_view value) {
        TiskXY(ctx_, 1, x1(), 0, label, "");
        TiskXY(ctx_, 0, x2(), 0, value, "");
    }

    void arrowAtRightEdge() { TiskXY(ctx_, 0, R_ - SirkaTextu(ctx_, "-->"), 0, "-->", ""); }

    void table() {
        ctx_.canvas.font.size = 26;
        NastavPismo(ctx_, "Courier New");
        TiskXY(ctx_, 6, x1(), -30, "P r o m ě n n á ", "B");
        TiskXY(ctx_, 0, x2(), -30, "H o d n o t a", "B");

        row("Systém", facts_.systemName + " " + facts_.servicePack);
        row("Defaultní tiskárna", facts_.printerName);
        row("Seznam fontů použitých pro tisk", fontList(facts_.printerFonts));
        row("Datum tisku", s_.DatumTisku + ", " + s_.CasTisku);

        // Three arrows that must all reach the right edge of the text area.
        row("Test tisku k pravému okraji", "font Courier New");
        arrowAtRightEdge();
        NastavPismo(ctx_, "Arial");
        TiskXY(ctx_, 1, x2(), 0, "font Arial", "");
        arrowAtRightEdge();
        NastavPismo(ctx_, "Courier New");
        TiskXY(ctx_, 1, x2(), 0, "font Courier New mezerami                    -->", "");

        // The same dots in both families: the proportional ones end at the
        // "+", the fixed-pitch ones below them keep their own length.
        const std::string dots(48, '.');
        TiskXY(ctx_, 1, x1(), 0, "Proporcionalita", "");
        NastavPismo(ctx_, "Arial");
        TiskXY(ctx_, 0, x2(), 12, dots, "");
        TiskXY(ctx_, 0, x2() + SirkaTextu(ctx_, dots), 22, "+", "");
        NastavPismo(ctx_, "Courier New");
        TiskXY(ctx_, 0, x2(), -12, dots, "");
    }

    void grid() {
        const int columns = L_ + 2 * ((R_ - L_) / 5);
        ctx_.canvas.pen = Pen{3, PenStyle::Solid};
        ctx_.canvas.rectangle({L_, 700}, {R_, 1200});
        for (int y = 800; y <= 1200; y += 50) ctx_.canvas.line({R_, y}, {L_, y});
        ctx_.canvas.line({columns, 700}, {columns, 1200});
    }

    void instructions() {
        NastavPismo(ctx_, "Arial");
        ctx_.canvas.font.size = 32;
        TiskStred(ctx_, 4, L_, R_, "Test proběhl v pořádku, pokud jsou všechny tři šipky u pravého okraje,", "B");
        TiskStred(ctx_, 1, L_, R_, "v seznamu fontů jsou zastoupeny fonty Arial (CE) a Courier New (CE)", "B");
        TiskStred(ctx_, 1, L_, R_, " a texty jsou vytištěny se správnou diakritikou.", "B");
        TiskStred(ctx_, 4, L_, R_, "Není-li test v pořádku, prosím stránku vytiskněte a dopište kontakt na Vás:", "");
    }

    void contactField(int lines, std::string_view label, std::string_view dots) {
        TiskXY(ctx_, lines, L_, 0, label, "");
        TiskXY(ctx_, 0, L_ + 500, 0, dots, "");
    }

    void contact() {
        const std::string_view longDots = ". . . . . . . . . . . . . . . . . . . . . . . . . . . .";
        contactField(4, "Organizace", longDots);
        contactField(2, "Kontaktní osoba", longDots);
        contactField(2, "E - mail", longDots);
        contactField(2, "Telefon", ". . . . . . . . . . . . . .");
        TiskXY(ctx_, 4, L_, 0,
               std::string("Prosíme o zaslání stránky vyplněné a naskenované na e-mail ") + kSupportAddress + ".", "");
        TiskXY(ctx_, 2, L_, 0, "Vámi zaslaný podklad využijeme k opravě nebo vylepšení tohoto software.", "");
    }

    void footer() {
        ctx_.canvas.font.size = 26;
        TiskText(ctx_, 0, L_ + 40, s_.DolniRadek, "Zde bude patička");
        TiskText(ctx_, 0, R_ - 10 - SirkaTextu(ctx_, s_.DruhVoleb), s_.DolniRadek, s_.DruhVoleb);
    }

    // Labels and values of the table: the values start two fifths across.
    int x1() const { return L_ + 10; }
    int x2() const { return L_ + 10 + 2 * ((R_ - L_) / 5); }

    PrintContext& ctx_;
    TiskovyStav& s_;
    const TestPageFacts& facts_;
    const int L_;
    const int R_;
};

}  // namespace

std::string windowsName(const WindowsVersion& v, std::string_view kodOS) {
    std::string name;
    const bool nt = v.platformKind == 2;
    if (nt) name = "Windows NT";
    if (v.major > 4 || (v.major == 4 && v.minor > 0)) name = "Windows 98";
    if (v.major > 4 && nt && v.minor == 0) name = "Windows 2000";
    if (v.major > 4 && nt && v.minor > 0) name = "Windows XP";
    if (v.major == 5) {
        if (v.minor == 0) name = "Windows 2000";
        if (v.minor == 1) name = "Windows XP";
        if (v.minor == 2) name = "MS Server 2003";
    }
    if (v.major == 6 && v.minor == 0) name = "Windows Vista";
    if (v.major == 6 && v.minor == 1) name = "Windows 7";
    if (v.major == 6 && v.minor > 1) {
        if (kodOS == "16") name = "Windows 8";
        if (kodOS == "17") name = "Windows 8.1";
        if (kodOS == "18") name = "Windows 10";
        if (kodOS == "99") name = "Neidentifikovaná verze";
    }
    return name;
}

std::string fontList(const std::vector<std::string>& printerFonts) {
    std::string list;
    if (offersArial(printerFonts)) list += "Arial, ";
    if (offers(printerFonts, "Arial CE")) list += "Arial CE, ";
    if (offers(printerFonts, "Courier New")) list += "Courier New, ";
    if (offers(printerFonts, "Courier New CE")) list += "Courier New CE";
    return list;
}

void printTestPage(PrintContext& ctx, const TestPageFacts& facts, const data::LocalDateTime& now, bool sDiakritikou) {
    InitTisk(ctx, now);
    ctx.stav.BezHacku = !sDiakritikou;
    ctx.preview.ZacatekTisku();
    buildDocument(ctx.preview.document(), [&] {
        VratCanvas(ctx);
        ctx.stav.HlidatZlom = true;
        TestPagePrint(ctx, facts).draw();
        ctx.preview.KonecTisku();
    });
}

}  // namespace talmorek::print
