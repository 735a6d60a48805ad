#include "gui/entry/page_annex1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QVBoxLayout>

#include "gui/controls/design_pixels.h"
#include "gui/entry/form_rows.h"
#include "gui/controls/s_edit.h"
#include "gui/controls/text.h"

namespace talmorek::gui {
namespace {


}  // namespace

PageAnnex1::PageAnnex1(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("R_TabT4P"));
    QVBoxLayout* lines = pageLines(this);

    combo_ = new QComboBox(this);
    combo_->setObjectName(QStringLiteral("R_CBT4P_1"));
    combo_->setAccessibleName(fromUtf8("Číslo a název strany"));
    combo_->setEditable(false);
    combo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo_->setMinimumContentsLength(18);  // the page stays within the window as designed
    auto* cisStr = displayField(this, "R_EdCisStr", 2, fromUtf8("Strana číslo"));
    votes_ = formField(this, "R_EdPocHl", 5, fromUtf8("Počet hlasů"));
    votes_->setUnfocusedAlignment(Qt::AlignRight);
    auto* kc2 = displayField(this, "R_EdT4PKC2", 6, fromUtf8("Kontrolní číslo 2"));
    FormRow(this, lines)
        .text(fromUtf8("Číslo a název strany"))
        .field(combo_)
        .gap(8)
        .text(fromUtf8("Strana číslo"))
        .field(cisStr)
        .gap(8)
        .text(fromUtf8("Počet hlasů"))
        .field(votes_)
        .gap(8)
        .text(fromUtf8("Kontrolní číslo 2"))
        .field(kc2)
        .end();

    FormRow(this, lines).text(fromUtf8("Pořadová čísla kandidátů, jejich přednostní hlasy a kontrolní součiny:")).end();
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("R_PanVstupT4P_1"));
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(designPixels(*this, 4));
    grid->setVerticalSpacing(designPixels(*this, 4));
    QFont courier = designFont(*this, "Courier New", 12, false);
    QFont bold = font();
    bold.setBold(true);
    for (int j = 1; j <= kRows; ++j) {
        const int column = (j - 1) / kRowsPerColumn * 4;
        const int line = (j - 1) % kRowsPerColumn;
        QLabel* order = formText(panel, QStringLiteral("%1.").arg(j, 2));
        order->setFont(bold);
        const QByteArray name = "CandEdit" + QByteArray::number(j);
        TSEdit* edit = formField(panel, name.constData(), 5, fromUtf8("Přednostní hlasy kandidáta č. %1").arg(j));
        edit->setFont(courier);
        edit->setUnfocusedAlignment(Qt::AlignRight);
        edit->setAlignment(Qt::AlignRight);
        QLabel* product = formText(panel, QStringLiteral("-------"));
        product->setObjectName(QStringLiteral("CandProduct%1").arg(j));
        product->setFont(courier);
        product->setMinimumWidth(QFontMetrics(courier).horizontalAdvance(QStringLiteral("0000000")));
        // " 1." to "36.": the numbers line up on their right as on the paper annex.
        grid->addWidget(order, line, column, Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(edit, line, column + 1);
        grid->addWidget(product, line, column + 2);
        candidates_ << edit;
        products_ << product;
    }
    // A bar closes each column of candidates, the last one included.
    for (int bar = 1; bar <= kRows / kRowsPerColumn; ++bar) {
        auto* line = new QFrame(panel);
        line->setObjectName(QStringLiteral("CandBar%1").arg(bar));
        line->setFrameShape(QFrame::VLine);
        grid->addWidget(line, 0, bar * 4 - 1, kRowsPerColumn, 1);
        // Room either side, so that the bar never touches the next column's numbers.
        grid->setColumnMinimumWidth(bar * 4 - 1, designPixels(*this, 12));
        bars_ << line;
    }
    grid->setColumnStretch(12, 1);
    lines->addWidget(panel);

    auto* kc3 = displayField(this, "R_EdT4PKC3", 8, fromUtf8("Kontrolní číslo 3"));
    auto* kc4 = displayField(this, "R_EdT4PKC4", 8, fromUtf8("Kontrolní číslo 4"));
    // Read only, but it takes the focus: the party is left from here.
    lastCandidate_ = formField(this, "R_EdT4PPoslKand", 2, fromUtf8("Poslední kandidát"));
    lastCandidate_->setReadOnly(true);
    for (TSEdit* e : {kc3, kc4, lastCandidate_}) e->setUnfocusedAlignment(Qt::AlignRight);
    FormRow(this, lines)
        .text(fromUtf8("Kontrolní číslo 3"))
        .field(kc3)
        .gap(16)
        .text(fromUtf8("Kontrolní číslo 4"))
        .field(kc4)
        .gap(16)
        .text(fromUtf8("Poslední kandidát"))
        .field(lastCandidate_)
        .end();
    opravaCB_ = new QCheckBox(fromUtf8("Parafovány opravy na přebíracím místě (příloha č. 1)"), this);
    opravaCB_->setObjectName(QStringLiteral("R_T4POpravaCB"));
    opravaCB_->setAccessibleName(opravaCB_->text());
    opravaCB_->setFocusPolicy(Qt::NoFocus);
    opravaCB_->hide();
    lines->addStretch(1);
    displays_ = {cisStr, kc2, kc3, kc4};

    QList<QWidget*> chain = {combo_, votes_};
    for (TSEdit* e : candidates_) chain << e;
    chain << lastCandidate_ << opravaCB_;
    for (int i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}

}  // namespace talmorek::gui
