#include "gui/shell/about_dialog.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QFrame>
#include <algorithm>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/controls/screen_centre.h"

namespace talmorek::gui {
namespace {

struct Line {
    const char* name;
    const char* text;
    const char* colour;
    double scale;
};

// Blue for the election, red for the task, the version smaller in black.
constexpr Line kLines[] = {
    {"Z_OProgramu_Lbl1", "VOLBY do POSLANECKÉ SNĚMOVNY", "#0000c0", 1.15},
    {"Z_OProgramu_Lbl7", "Parlamentu České republiky", "#0000c0", 1.15},
    {"Z_OProgramu_Lbl2", "POŘÍZENÍ VÝSLEDKŮ HLASOVÁNÍ", "#c00000", 1.15},
    {"Z_OProgramu_Lbl8", "okrskovými volebními komisemi", "#c00000", 1.15},
    {"Z_OProgramu_Lbl3", "verze 6.0", "#000000", 0.9},
};

QLabel* makeLabel(const Line& line, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(line.text), parent);
    label->setObjectName(QString::fromLatin1(line.name));
    label->setAlignment(Qt::AlignCenter);
    QFont f = label->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * line.scale);
    label->setFont(f);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, QColor(QString::fromLatin1(line.colour)));
    label->setPalette(p);
    return label;
}

}  // namespace

TZ_OProgramu_F::TZ_OProgramu_F(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("Z_OProgramu_F"));
    setWindowTitle(QStringLiteral("O programu"));
    setModal(true);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Z_OProgramu_P"));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(28, 16, 28, 12);
    panelLayout->setSpacing(6);
    int widest = 0;
    for (std::size_t i = 0; i < std::size(kLines); ++i) {
        QLabel* label = makeLabel(kLines[i], panel);
        widest = std::max(widest, QFontMetrics(label->font()).horizontalAdvance(label->text()));
        panelLayout->addWidget(label);
        if (i == 1 || i == 3) panelLayout->addSpacing(8);
    }
    // The separator is a line of hyphens, as wide as the panel's text.
    auto* separator = new QLabel(panel);
    const int hyphen = std::max(1, QFontMetrics(separator->font()).horizontalAdvance(QLatin1Char('-')));
    separator->setText(QString(std::max(10, widest / hyphen), QLatin1Char('-')));
    separator->setObjectName(QStringLiteral("Z_OProgramu_Lbl6"));
    separator->setAlignment(Qt::AlignCenter);
    panelLayout->addWidget(separator);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setCenterButtons(true);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("Z_OProgramu_BBtn"));
    ok->setText(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->addWidget(panel);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TZ_OProgramu_F::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

}  // namespace talmorek::gui
