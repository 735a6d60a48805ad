#include "gui/entry/entry_notebook.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTabBar>
#include <QWheelEvent>

namespace talmorek::gui {
namespace {

class RequestingTabBar : public QTabBar {
public:
    explicit RequestingTabBar(EntryNotebook* notebook) : QTabBar(notebook), notebook_(notebook) {
        setObjectName(QStringLiteral("R_TN_T4PR_Tabs"));
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        event->accept();
        if (event->button() != Qt::LeftButton) return;
        const int index = tabAt(event->position().toPoint());
        if (index >= 0) emit notebook_->pageRequested(index);
    }
    void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }
    void mouseDoubleClickEvent(QMouseEvent* event) override { event->accept(); }
    void wheelEvent(QWheelEvent* event) override { event->ignore(); }
    void keyPressEvent(QKeyEvent* event) override { event->ignore(); }

private:
    EntryNotebook* notebook_;
};

}  // namespace

EntryNotebook::EntryNotebook(QWidget* parent) : QTabWidget(parent) {
    setObjectName(QStringLiteral("R_TN_T4PR"));
    setTabBar(new RequestingTabBar(this));
    setFocusPolicy(Qt::NoFocus);
}

void EntryNotebook::keyPressEvent(QKeyEvent* event) { event->ignore(); }

}  // namespace talmorek::gui
