#pragma once
// Page "Příloha č. 1" of the entry window: the votes of one party at a time
// and the preferential votes of its candidates. Until its fields are built
// the page stands in its place in the notebook; it is reached only while a
// party is ticked on page II.
#include <QWidget>

namespace talmorek::gui {

class PageAnnex1 : public QWidget {
    Q_OBJECT
public:
    explicit PageAnnex1(QWidget* parent);
};

}  // namespace talmorek::gui
