#include "gui/platform/focus_mark.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPointer>
#include <QWidget>

namespace talmorek::gui {
namespace {

// Frame width and its distance outside the control, in pixels of a 96-dpi screen.
constexpr int kWidth = 3;
constexpr int kOutside = 2;

int scaled(const QWidget& widget, int pixels) { return qMax(1, qRound(pixels * widget.logicalDpiX() / 96.0)); }

// The frame itself: a sibling of the marked control, drawn over it and its
// neighbours, transparent inside and to the mouse.
class FocusFrame : public QWidget {
public:
    explicit FocusFrame(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("FocusMark"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const int w = scaled(*this, kWidth);
        const QRect r = rect();
        for (const QRect& side : {QRect(r.left(), r.top(), r.width(), w), QRect(r.left(), r.bottom() - w + 1, r.width(), w),
                                  QRect(r.left(), r.top(), w, r.height()), QRect(r.right() - w + 1, r.top(), w, r.height())})
            painter.fillRect(side, kFocusMarkColour);
    }
};

// The frame stands a little outside the control, but never over a
// neighbour (the party boxes stand 18 pixels apart, the radio buttons of a
// question side by side): towards a neighbour it comes in as far as needed,
// onto the control's own edge. Within the parent, where it can be seen.
QRect frameAround(const QWidget& target, const QWidget& frame) {
    const QRect r = target.geometry();
    const int out = scaled(target, kOutside + kWidth);
    int left = out, top = out, right = out, bottom = out;
    for (const QObject* child : target.parentWidget()->children()) {
        const auto* other = qobject_cast<const QWidget*>(child);
        if (!other || other == &target || other == &frame || other->isWindow() || !other->isVisible()) continue;
        const QRect g = other->geometry();
        // A panel the control lies on, or a label it shares room with.
        if (g.intersects(r) || !g.intersects(r.adjusted(-left, -top, right, bottom))) continue;
        if (g.bottom() < r.top()) {
            top = qMin(top, r.top() - g.bottom() - 1);
        } else if (g.top() > r.bottom()) {
            bottom = qMin(bottom, g.top() - r.bottom() - 1);
        } else if (g.right() < r.left()) {
            left = qMin(left, r.left() - g.right() - 1);
        } else {
            right = qMin(right, g.left() - r.right() - 1);
        }
    }
    return r.adjusted(-left, -top, right, bottom) & target.parentWidget()->rect();
}

class FocusMark : public QObject {
public:
    explicit FocusMark(QApplication& application) : QObject(&application) {
        connect(&application, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { follow(now); });
        follow(QApplication::focusWidget());
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == target_) {
            switch (event->type()) {
                case QEvent::Move:
                case QEvent::Resize:
                case QEvent::Show:
                case QEvent::Hide:
                case QEvent::EnabledChange:
                    place();
                    break;
                case QEvent::ParentChange:
                    follow(target_);
                    break;
                default:
                    break;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void follow(QWidget* now) {
        if (target_) target_->removeEventFilter(this);
        target_ = now;
        QWidget* parent = now && !now->isWindow() ? now->parentWidget() : nullptr;
        if (!parent) {
            if (frame_) frame_->hide();
            return;
        }
        if (!frame_) {
            frame_ = new FocusFrame(parent);
        } else if (frame_->parentWidget() != parent) {
            frame_->setParent(parent);
        }
        target_->installEventFilter(this);
        place();
    }

    void place() {
        if (!frame_) return;
        if (!target_ || !target_->isVisible() || !target_->hasFocus()) {
            frame_->hide();
            return;
        }
        frame_->setGeometry(frameAround(*target_, *frame_));
        frame_->show();
        frame_->raise();
        frame_->update();
    }

    QPointer<QWidget> target_;
    QPointer<FocusFrame> frame_;
};

}  // namespace

void markKeyboardFocus(QApplication& application) {
    static QPointer<FocusMark> mark;
    if (mark && mark->parent() == &application) return;
    mark = new FocusMark(application);
}

}  // namespace talmorek::gui
