#pragma once
// A page of the notebook whose fields are not built yet: a short note in
// the middle, nothing that takes the focus.
class QWidget;

namespace talmorek::gui {

void fillPlaceholderPage(QWidget& page);

}  // namespace talmorek::gui
