#include "gui/entry/page_section1.h"

#include <QFont>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/controls/design_pixels.h"
#include "gui/entry/form_rows.h"
#include "gui/controls/s_edit.h"
#include "gui/controls/text.h"

namespace talmorek::gui {

// The postponed start and the extended voting read alike: a yes/no pair,
// then the date, the hour and the minute, then the reason on its own line.
struct DatedEvent {
    const char* field;       // the field of the course of voting
    const char* yesName;     // the radio pair; its yes button reads `yes` + " dne"
    const char* yes;
    const char* noName;
    const char* no;
    const char* subject;     // the sentence's subject, before the pair
    const char* dateName;    // the date, hour, minute and reason fields
    const char* hourName;
    const char* minuteName;
    const char* reasonName;
};

namespace {

constexpr int kIndent = kSectionIndent;


constexpr DatedEvent kPostponed{"Odroceno",       "R_OdrocBRB",      "bylo odročeno", "R_OdrocNRB",
                                "nebylo odročeno", "Zahájení hlasování", "R_SEdOdrocenoD", "R_SEdOdrocenoH",
                                "R_SEdOdrocenoM",  "R_SEdDuvodOdroc"};
constexpr DatedEvent kExtended{"Prodlouzeno",        "R_ProdlBRB",     "byla prodloužena", "R_ProdlNRB",
                               "nebyla prodloužena", "Doba hlasování", "R_SEdProdlouzD",       "R_SEdProdlouzH",
                               "R_SEdProdlouzM",     "R_SEdDuvodProdl"};

}  // namespace

PageSection1::PageSection1(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("R_TabT4_1"));
    QVBoxLayout* lines = pageLines(this);

    buildIdentification(lines);
    lines->addSpacing(designPixels(*this, 6));
    buildTimes(lines);
    buildDatedEvent(lines, kPostponed);
    buildDatedEvent(lines, kExtended);
    buildInterrupted(lines);
    buildComplaints(lines);
    buildBallotBox(lines);
    lines->addStretch(1);

    dalsiBtn_ = continueButton(this, lines, "R_Dalsi_Btn", fromUtf8("Pokračovat na oddíl II"));

    settleTabOrder();
}

void PageSection1::buildIdentification(QVBoxLayout* lines) {
    const IdentificationRow id = identificationRow(
        this, lines, {"R_EdObec_Z", "R_EdOkrsek_Z", "R_EdT4KC_1_Z", nullptr, "R_Label35", "R_LabNazevObce_Z"});
    nazevObce_ = id.nazevObce;

    auto* datum = displayField(this, "R_SEdDatumVoleb", 23,
                               fromUtf8("Zápis o průběhu a výsledku hlasování ve volbách, které proběhlo ve dnech"));
    FormRow(this, lines)
        .text(fromUtf8("Zápis o průběhu a výsledku hlasování ve volbách, které proběhlo ve dnech"))
        .field(datum)
        .end();
    displays_ = {id.obec, id.okrsek, id.kc1, datum};
}

void PageSection1::buildTimes(QVBoxLayout* lines) {
    struct Time {
        const char* name;
        const char* before;
    };
    static constexpr Time kTimes[] = {
        {"R_SEdZahajeno1", "Předseda komise zahájil hlasování první den voleb v"},
        {"R_SEdUkonceno1", "Předseda komise ukončil hlasování první den voleb v"},
        {"R_SEdZahajeno2", "Předseda komise zahájil hlasování druhý den voleb v"},
        {"R_SEdUkonceno2", "Předseda komise ukončil hlasování druhý den voleb v"},
    };
    bool first = true;
    for (const Time& t : kTimes) {
        auto* edit = formField(this, t.name, 5, fromUtf8(t.before) + fromUtf8(" … hodin."));
        edits_ << edit;
        FormRow row(this, lines, first ? 0 : kIndent);
        if (first) row.text(sectionNumber(this, fromUtf8("I.")));
        row.text(fromUtf8(t.before)).field(edit).text(fromUtf8("hodin.")).end();
        first = false;
    }
}

void PageSection1::buildDatedEvent(QVBoxLayout* lines, const DatedEvent& e) {
    const QString subject = fromUtf8(e.subject);
    const QString yes = fromUtf8(e.yes) + fromUtf8(" dne");
    auto* pair = new RadioPair(this, e.field, e.yesName, yes, subject + fromUtf8(" ") + yes, e.noName, fromUtf8(e.no),
                               subject + fromUtf8(" ") + fromUtf8(e.no));
    pairs_ << pair;
    const QString when = subject + fromUtf8(" ") + yes;
    auto* datum = formField(this, e.dateName, 10, when + fromUtf8(" … o … hodin … minut"));
    auto* hodin = formField(this, e.hourName, 2, when + fromUtf8(" … o … hodin"));
    auto* minut = formField(this, e.minuteName, 2, when + fromUtf8(" … o … hodin … minut"));
    auto* duvod = formField(this, e.reasonName, 0, subject + fromUtf8(" ") + fromUtf8(e.yes) + fromUtf8(" z důvodu"));
    edits_ << datum << hodin << minut << duvod;
    FormRow(this, lines, kIndent)
        .text(subject + fromUtf8(" "))
        .field(pair->no())
        .field(pair->yes())
        .field(datum)
        .text(fromUtf8("o"))
        .field(hodin)
        .text(fromUtf8("hodin"))
        .field(minut)
        .text(fromUtf8("minut"))
        .end();
    FormRow(this, lines, kIndent * 2).text(fromUtf8("z důvodu")).wideField(duvod);
}

void PageSection1::buildInterrupted(QVBoxLayout* lines) {
    auto* pair = new RadioPair(this, "Preruseno", "R_PrerusBRB", fromUtf8("bylo přerušeno dne"),
                               fromUtf8("Hlasování bylo přerušeno dne"), "R_PrerusNRB", fromUtf8("nebylo přerušeno"),
                               fromUtf8("Hlasování nebylo přerušeno"));
    pairs_ << pair;
    auto* datum = formField(this, "R_SEdPrerusD", 10,
                            fromUtf8("Hlasování bylo přerušeno dne … na dobu od … do … hodin"));
    auto* od = formField(this, "R_SEdPrerusOd", 5,
                         fromUtf8("Hlasování bylo přerušeno na dobu od … do … hodin"));
    auto* ddo = formField(this, "R_SEdPrerusDo", 5,
                          fromUtf8("Hlasování bylo přerušeno na dobu od … do … hodin"));
    auto* duvod = formField(this, "R_SEdDuvodPrer", 0,
                            fromUtf8("Hlasování bylo přerušeno z důvodu"));
    edits_ << datum << od << ddo << duvod;
    FormRow(this, lines, kIndent)
        .text(fromUtf8("Hlasování "))
        .field(pair->no())
        .field(pair->yes())
        .field(datum)
        .text(fromUtf8("na dobu od"))
        .field(od)
        .text(fromUtf8("do"))
        .field(ddo)
        .text(fromUtf8("hodin"))
        .end();
    FormRow(this, lines, kIndent * 2).text(fromUtf8("z důvodu")).wideField(duvod);
}

void PageSection1::buildComplaints(QVBoxLayout* lines) {
    auto* pair = new RadioPair(
        this, "Stiznosti", "R_StiznBRB", fromUtf8("byly"),
        fromUtf8("Při hlasování a zjišťování výsledků hlasování byly okrskové volební komisi podány stížnosti nebo oznámení."),
        "R_StiznNRB", fromUtf8("nebyly"),
        fromUtf8("Při hlasování a zjišťování výsledků hlasování nebyly okrskové volební komisi podány stížnosti nebo "
          "oznámení."));
    pairs_ << pair;
    FormRow(this, lines, kIndent)
        .text(fromUtf8("Při hlasování a zjišťování výsledků hlasování "))
        .field(pair->no())
        .field(pair->yes())
        .text(fromUtf8("okrskové volební komisi podány stížnosti nebo oznámení."))
        .end();
    auto* listu = formField(this, "R_SEdStizListu", 2,
                            fromUtf8("Jejich stručný obsah, přijatá usnesení a jejich stručné zdůvodnění jsou uvedeny v "
                              "příloze na … listech."));
    listu->setUnfocusedAlignment(Qt::AlignRight);
    edits_ << listu;
    FormRow(this, lines, kIndent * 2)
        .text(fromUtf8("Jejich stručný obsah, přijatá usnesení a jejich stručné zdůvodnění jsou uvedeny v příloze na"))
        .field(listu)
        .text(fromUtf8("listech."))
        .end();
}

void PageSection1::buildBallotBox(QVBoxLayout* lines) {
    auto* pair = new RadioPair(this, "Schranka", "R_SchrankaBRB", fromUtf8("byla"),
                               fromUtf8("Ve volebním okrsku byla použita přenosná volební schránka."), "R_SchrankaNRB",
                               fromUtf8("nebyla"), fromUtf8("Ve volebním okrsku nebyla použita přenosná volební schránka."));
    pairs_ << pair;
    QLabel* before = formText(this, fromUtf8("Ve volebním okrsku"), "R_Label27");
    QLabel* after = formText(this, fromUtf8("použita přenosná volební schránka."), "R_Label28");
    FormRow(this, lines, kIndent).text(before).field(pair->no()).field(pair->yes()).text(after).end();
}

void PageSection1::settleTabOrder() {
    // The order of the form: the four times, then each question followed by
    // its details, the complaints, the ballot box, "Pokračovat".
    QList<QWidget*> chain;
    for (int i = 0; i < 4; ++i) chain << edits_[i];
    int next = 4;
    for (int p = 0; p < 3; ++p) {
        chain << pairs_[p]->no() << pairs_[p]->yes();
        for (int i = 0; i < 4; ++i) chain << edits_[next++];
    }
    chain << pairs_[3]->no() << pairs_[3]->yes() << edits_[next++];
    chain << pairs_[4]->no() << pairs_[4]->yes() << dalsiBtn_;
    for (int i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}

}  // namespace talmorek::gui
