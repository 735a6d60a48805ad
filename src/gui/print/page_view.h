#pragma once
// The page view of the preview window: one page of a recorded document at
// a time, drawn by the page renderer at the chosen zoom, scrollable.

#include <QScrollArea>

#include "core/print/recorded_page.h"

namespace talmorek::gui {

class PageView : public QScrollArea {
    Q_OBJECT
public:
    enum class ZoomMode { Percent, ToWidth, ToFit };

    explicit PageView(QWidget* parent = nullptr);

    // The document must outlive the view (or be replaced first); null shows
    // nothing. Call `refresh` after its pages changed.
    void setDocument(const print::RecordedDocument* document);
    void refresh();

    int pageCount() const;
    // 1-based; 0 when there is no page.
    int currentPage() const { return current_; }
    // Clamped to the pages there are.
    void setCurrentPage(int page);

    // 100 % shows the sheet at its real size on the screen.
    void setZoom(int percent);
    void zoomToWidth();
    void zoomToFit();
    ZoomMode zoomMode() const { return mode_; }
    // Screen pixels per page unit at the current zoom.
    double scale() const { return scale_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    class Sheet;
    const print::RecordedPage* page() const;
    void applyZoom();

    const print::RecordedDocument* document_ = nullptr;
    Sheet* sheet_;
    int current_ = 0;
    ZoomMode mode_ = ZoomMode::ToWidth;
    int percent_ = 100;
    double scale_ = 1.0;
};

}  // namespace talmorek::gui
