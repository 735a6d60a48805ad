#include "gui/entry/page_annex1.h"

#include "gui/entry/placeholder_page.h"

namespace talmorek::gui {

PageAnnex1::PageAnnex1(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("R_TabT4P"));
    fillPlaceholderPage(*this);
}

}  // namespace talmorek::gui
