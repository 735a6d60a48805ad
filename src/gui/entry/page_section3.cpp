#include "gui/entry/page_section3.h"

#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/controls/design_pixels.h"
#include "gui/entry/form_rows.h"
#include "gui/entry/names_grid.h"
#include "gui/controls/s_edit.h"
#include "gui/controls/text.h"

namespace talmorek::gui {
namespace {

constexpr int kIndent = kSectionIndent;
constexpr int kGridRowsShown = 6;


}  // namespace

PageSection3::PageSection3(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("R_TabT4_3"));
    QVBoxLayout* lines = pageLines(this);

    prilListu_ = displayField(this, "R_SEdPrilListu", 2,
                              fromUtf8("Byly zjištěny výsledky hlasování uvedené v tomto oddílu a na … listech přílohy č.1 k "
                                "tomuto zápisu."));
    prilListu_->setUnfocusedAlignment(Qt::AlignRight);
    FormRow(this, lines)
        .text(sectionNumber(this, fromUtf8("II.")))
        .text(fromUtf8("Byly zjištěny výsledky hlasování uvedené v tomto oddílu a na"))
        .field(prilListu_)
        .text(fromUtf8("listech přílohy č.1 k tomuto zápisu."))
        .end();
    lines->addSpacing(designPixels(*this, 6));

    auto* clenuC = formField(this, "R_SEdClenuOVKC", 2,
                             fromUtf8("Z celkového počtu … členů okrskové volební komise"));
    clenuC->setUnfocusedAlignment(Qt::AlignRight);
    auto* clenuP = formField(this, "R_SEdClenuOVKP", 2,
                             fromUtf8("členů okrskové volební komise je v době vyhotovení zápisu přítomno … , tj. "
                               "nadpoloviční většina."));
    clenuP->setUnfocusedAlignment(Qt::AlignRight);
    FormRow(this, lines)
        .text(sectionNumber(this, fromUtf8("III.")))
        .text(fromUtf8("Z celkového počtu"))
        .field(clenuC)
        .text(fromUtf8("členů okrskové volební komise je v době vyhotovení zápisu přítomno"))
        .field(clenuP)
        .text(fromUtf8(", tj. nadpoloviční většina."))
        .end();

    auto* zapisovat =
        formField(this, "R_SEdZapisovat", 0, fromUtf8("Jméno a příjmení zapisovatele: 1."));
    FormRow(this, lines, kIndent)
        .text(fromUtf8("Jméno a příjmení zapisovatele: "))
        .text(fromUtf8("1."))
        .field(zapisovat)
        .end();
    zapisovat->setFixedWidth(designPixels(*this, 300));

    const QString gridSentence =
        fromUtf8("Jména a příjmení ostatních členů okrskové volební komise (přítomných při zpracování zápisu): ");
    FormRow(this, lines, kIndent).text(gridSentence).end();
    grid_ = new TZColorStringGrid(this);
    grid_->setObjectName(QStringLiteral("R_JmenaKomise_SG"));
    grid_->setAccessibleName(gridSentence.trimmed());
    grid_->setNameRowCount(1);
    // The two columns and a scroll bar, as high as a few names.
    const int gridWidth = grid_->columnWidth(0) + grid_->columnWidth(1) + 2 * grid_->frameWidth() +
                          grid_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2;
    grid_->setFixedSize(gridWidth, grid_->horizontalHeader()->sizeHint().height() +
                                       kGridRowsShown * grid_->verticalHeader()->defaultSectionSize() +
                                       2 * grid_->frameWidth());
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FormRow(this, lines, kIndent).field(grid_).end();

    const QString entrustedSentence =
        fromUtf8("Člen okrskové volební komise (z výše uvedených) pověřený předáním zápisu Dravel na územně příslušném "
          "pracovišti a k opravám případných chyb v zápisu na místě:");
    QLabel* label90 = formText(
        this, fromUtf8("Člen okrskové volební komise (z výše uvedených) pověřený předáním zápisu Dravel na územně příslušném "
                "pracovišti "),
        "R_Label90");
    QLabel* label91 = formText(this, fromUtf8("a k opravám případných chyb v zápisu na místě:"), "R_Label91");
    auto* pover = formField(this, "R_SEdPoverPred", 0, entrustedSentence);
    FormRow(this, lines, kIndent).text(label90).end();
    FormRow(this, lines, kIndent).text(label91).wideField(pover);

    const QString othersSentence = fromUtf8("Kromě členů komise dále byli v době vyhotovení zápisu přítomni:");
    auto* ostatni = formField(this, "R_SEdOstatni", 0, othersSentence);
    FormRow(this, lines, kIndent).text(othersSentence).end();
    FormRow(this, lines, kIndent).wideField(ostatni);
    lines->addStretch(1);

    ulozitBtn_ = new QPushButton(fromUtf8("Uložit"), this);
    ulozitBtn_->setObjectName(QStringLiteral("UlozitOkrBtn"));
    ulozitBtn_->setAccessibleName(fromUtf8("Uložit zápis"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ulozitBtn_);
    lines->addLayout(buttons);

    edits_ = {clenuC, clenuP, zapisovat, pover, ostatni};
    const QList<QWidget*> chain = {clenuC, clenuP, zapisovat, grid_, pover, ostatni, ulozitBtn_};
    for (int i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}

}  // namespace talmorek::gui
