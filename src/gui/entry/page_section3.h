#pragma once
// Page "T/4 - odd. III" of the entry window: the closing part of the
// record. The number of Annex 1 sheets (computed), how many members the
// commission has and how many are present, the recording clerk (member 1),
// the names of the other members present in the names grid (one numbered
// row each), the member entrusted with handing the record over, other
// persons present, and "Uložit", which saves the record.
#include <QList>
#include <QWidget>

class QLabel;
class QPushButton;

namespace talmorek::gui {

class TSEdit;
class TZColorStringGrid;

class PageSection3 : public QWidget {
    Q_OBJECT
public:
    explicit PageSection3(QWidget* parent);

    // The fields that take typing, in tab order (the grid stands between
    // the clerk and the entrusted member).
    const QList<TSEdit*>& edits() const { return edits_; }
    TSEdit* prilListu() const { return prilListu_; }
    TZColorStringGrid* grid() const { return grid_; }
    QPushButton* ulozitButton() const { return ulozitBtn_; }

private:
    QList<TSEdit*> edits_;
    TSEdit* prilListu_ = nullptr;
    TZColorStringGrid* grid_ = nullptr;
    QPushButton* ulozitBtn_ = nullptr;
};

}  // namespace talmorek::gui
