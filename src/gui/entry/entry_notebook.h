#pragma once
// The notebook `R_TN_T4PR` of the entry window. Its tabs do not change the
// page themselves: a click on a tab only asks for the page
// (`pageRequested`), and the window decides through the one path every page
// change takes (the field being left is finished first, the record saved,
// Annex 1 refused without a ticked party). The tab bar takes no focus and
// ignores the mouse wheel, and Ctrl+Tab, which would switch pages behind
// the window's back, is not a key of this notebook.
#include <QTabWidget>

namespace talmorek::gui {

class EntryNotebook : public QTabWidget {
    Q_OBJECT
public:
    explicit EntryNotebook(QWidget* parent);

signals:
    void pageRequested(int index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace talmorek::gui
