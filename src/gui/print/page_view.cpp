#include "gui/print/page_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "render/qt_surface.h"

namespace talmorek::gui {
namespace {

constexpr double kUnitsPerInch = 254.0;
constexpr int kBorder = 8;  // grey around the sheet, in screen pixels

}  // namespace

// The white sheet of the current page.
class PageView::Sheet : public QWidget {
public:
    explicit Sheet(PageView& view) : QWidget(nullptr), view_(view) {}

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.setClipRect(event->rect());
        painter.fillRect(rect(), Qt::white);
        const print::RecordedPage* page = view_.page();
        if (page == nullptr) return;
        painter.scale(view_.scale(), view_.scale());
        render::renderPage(painter, *page);
    }

private:
    PageView& view_;
};

PageView::PageView(QWidget* parent) : QScrollArea(parent), sheet_(new Sheet(*this)) {
    setWidget(sheet_);
    setWidgetResizable(false);
    setAlignment(Qt::AlignCenter);
    setBackgroundRole(QPalette::Dark);
    setFocusPolicy(Qt::StrongFocus);
    sheet_->hide();
}

void PageView::setDocument(const print::RecordedDocument* document) {
    document_ = document;
    current_ = 0;
    refresh();
}

int PageView::pageCount() const { return document_ ? static_cast<int>(document_->pages.size()) : 0; }

const print::RecordedPage* PageView::page() const {
    if (current_ < 1 || current_ > pageCount()) return nullptr;
    return &document_->pages[static_cast<std::size_t>(current_ - 1)];
}

void PageView::refresh() {
    const int total = pageCount();
    current_ = total == 0 ? 0 : std::clamp(current_, 1, total);
    sheet_->setVisible(current_ > 0);
    applyZoom();
    sheet_->update();
}

void PageView::setCurrentPage(int page) {
    const int total = pageCount();
    current_ = total == 0 ? 0 : std::clamp(page, 1, total);
    applyZoom();  // the new page may lie the other way round
    sheet_->update();
    verticalScrollBar()->setValue(0);
}

void PageView::setZoom(int percent) {
    mode_ = ZoomMode::Percent;
    percent_ = std::max(percent, 1);
    applyZoom();
}

void PageView::zoomToWidth() {
    mode_ = ZoomMode::ToWidth;
    applyZoom();
}

void PageView::zoomToFit() {
    mode_ = ZoomMode::ToFit;
    applyZoom();
}

void PageView::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    if (mode_ != ZoomMode::Percent) applyZoom();
}

void PageView::applyZoom() {
    const print::RecordedPage* current = page();
    const print::PageSize size =
        print::pageSize(current ? current->orientation : print::Orientation::Portrait);
    const QSize room = maximumViewportSize() - QSize(2 * kBorder, 2 * kBorder);
    const double byWidth = std::max(room.width(), 1) / double(size.width);
    switch (mode_) {
        case ZoomMode::Percent:
            scale_ = percent_ / 100.0 * logicalDpiX() / kUnitsPerInch;
            break;
        case ZoomMode::ToWidth: {
            scale_ = byWidth;
            // A sheet taller than the view brings a scroll bar that takes
            // some of the width.
            if (size.height * scale_ > room.height())
                scale_ = std::max(room.width() - verticalScrollBar()->sizeHint().width(), 1) / double(size.width);
            break;
        }
        case ZoomMode::ToFit:
            scale_ = std::min(byWidth, std::max(room.height(), 1) / double(size.height));
            break;
    }
    sheet_->resize(std::max(1, qRound(size.width * scale_)), std::max(1, qRound(size.height * scale_)));
    sheet_->update();
}

}  // namespace talmorek::gui
