#pragma once
// Page "T/4 - odd. II" of the entry window: the totals of section II and the
// choice of the parties that received votes. Until its fields are built the
// page stands in its place in the notebook, so the movement between pages
// already follows the form.
#include <QWidget>

namespace talmorek::gui {

class PageSection2 : public QWidget {
    Q_OBJECT
public:
    explicit PageSection2(QWidget* parent);
};

}  // namespace talmorek::gui
