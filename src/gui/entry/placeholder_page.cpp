#include "gui/entry/placeholder_page.h"

#include <QLabel>
#include <QVBoxLayout>

namespace talmorek::gui {

void fillPlaceholderPage(QWidget& page) {
    auto* layout = new QVBoxLayout(&page);
    auto* note = new QLabel(QStringLiteral("Tato část zápisu se v této verzi programu nepořizuje."), &page);
    note->setAlignment(Qt::AlignCenter);
    note->setEnabled(false);
    layout->addWidget(note);
}

}  // namespace talmorek::gui
