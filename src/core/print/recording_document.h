#pragma once
// The print document of the core: every page is recorded as data. In the
// preview it keeps the pages of the last document until the next one
// begins; in direct print it hands each finished page to a `PageSink` (the
// printer) and keeps none.

#include <functional>
#include <memory>
#include <string>

#include "core/print/document.h"
#include "core/print/recorded_page.h"
#include "core/print/recording_surface.h"

namespace talmorek::print {

// Where direct print sends a document: the selected printer, page by page
// while the document is still being drawn.
class PageSink {
public:
    virtual ~PageSink() = default;
    virtual void startJob(const std::string& title) = 0;
    virtual void printPage(const RecordedPage& page) = 0;
    virtual void endJob() = 0;
    // The document failed while being drawn: cancel the job, nothing more
    // reaches the paper. Never raises.
    virtual void abortJob() noexcept {}
};

class RecordingDocument : public PrintDocument {
public:
    // `sink` may be null when the document is never printed directly
    // (tests, tools); direct print without one raises std::logic_error.
    explicit RecordingDocument(PageSink* sink = nullptr) : sink_(sink) {}

    void BeginDoc() override;
    void NewPage() override;
    void EndDoc() override;
    void AbortDoc() noexcept override;
    PageSurface& Canvas() override;

    bool isIdle() const override { return !building_; }
    int TotalPages() const override { return static_cast<int>(document_.pages.size()); }

    Orientation orientation() const override { return orientation_; }
    void setOrientation(Orientation o) override { orientation_ = o; }
    bool DirectPrint() const override { return directPrint_; }
    void setDirectPrint(bool direct) override { directPrint_ = direct; }
    const std::string& PrintJobTitle() const override { return document_.title; }
    void setPrintJobTitle(std::string title) override { document_.title = std::move(title); }

    // The kept pages, for the preview and for printing from it.
    const RecordedDocument& recorded() const { return document_; }

    // Called after the page set changed (a document began, a page was added,
    // the document ended); the preview refreshes its page label from it.
    std::function<void()> OnChange;

private:
    void startPage();
    void sendCurrentPage();
    // A printer that fails leaves no half-built document behind: the next
    // job must be able to begin a new one.
    template <typename F>
    void toSink(F&& f);
    void changed() const {
        if (OnChange) OnChange();
    }

    PageSink* sink_;
    RecordedDocument document_;
    RecordedPage scratch_;  // the page being drawn in direct print
    RecordingSurface surface_{scratch_};
    Orientation orientation_ = Orientation::Portrait;
    bool directPrint_ = false;
    bool building_ = false;
    bool directJob_ = false;  // the document being built goes to the sink
};

}  // namespace talmorek::print
