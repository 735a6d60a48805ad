#include "gui/entry/page_section2.h"

#include "gui/entry/placeholder_page.h"

namespace talmorek::gui {

PageSection2::PageSection2(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("R_TabT4_2"));
    fillPlaceholderPage(*this);
}

}  // namespace talmorek::gui
